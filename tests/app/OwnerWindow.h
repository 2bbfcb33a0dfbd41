#pragma once

#include "framework/StatusBar.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

// A visible top-level window with a three-part status bar, standing in for the main window.
class OwnerWindow {
public:
    OwnerWindow()
    {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        window = CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 640, 480, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        status.SetPartCount(3);
        status.AddPart(80, 0);
        status.AddPart(40, 0);
        status.AddPart(12, 0);
        status.CreateStatusBar(window);
        status.SetText(0, "Copying");
    }
    ~OwnerWindow() { DestroyWindow(window); }

    std::string StatusText(int part) const
    {
        char text[256] = {};
        if (LOWORD(SendMessageA(status.Handle(), SB_GETTEXTLENGTHA, part, 0)) < sizeof text)
            SendMessageA(status.Handle(), SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        return text;
    }

    HWND window = nullptr;
    StatusBar status;
};
