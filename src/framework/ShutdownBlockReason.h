#pragma once

#include <windows.h>

// While it lives, the window's reason for holding up a log-off or shutdown, which Windows shows
// beside the program's name instead of leaving the user to wonder why it waits.
class ShutdownBlockReason {
public:
    ShutdownBlockReason(HWND window, const wchar_t* reason);
    ~ShutdownBlockReason();
    ShutdownBlockReason(const ShutdownBlockReason&) = delete;
    ShutdownBlockReason& operator=(const ShutdownBlockReason&) = delete;

private:
    HWND window;
    bool given = false;
};
