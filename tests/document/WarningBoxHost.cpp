#include "document/WarningBoxHost.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// Only one box is up at a time on the test thread, so the hook keeps its findings here.
thread_local HHOOK boxHook;
thread_local std::string seenText;
thread_local std::string seenCaption;
thread_local bool boxSeen;

std::string WindowText(HWND window)
{
    char text[600] = {};
    if (window)
        GetWindowTextA(window, text, sizeof text);
    return text;
}

LRESULT CALLBACK BoxHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && !boxSeen) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[32] = {};
        GetClassNameA(box, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) {
            boxSeen = true;
            seenCaption = WindowText(box);
            // the message box's text is its static control 0xFFFF
            seenText = WindowText(GetDlgItem(box, 0xFFFF));
            PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        }
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

BOOL CALLBACK CloseDialog(HWND window, LPARAM)
{
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0)
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

void CALLBACK FailSafe(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    ADD_FAILURE() << "a warning box stayed up; closed by the fail-safe";
    EnumThreadWindows(GetCurrentThreadId(), CloseDialog, 0);
}

}

void WarningBoxHost::showWarning(const char* text, const char* caption)
{
    boxSeen = false;
    seenText.clear();
    seenCaption.clear();
    boxHook = SetWindowsHookExA(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(boxHook, nullptr);
    UINT_PTR timer = SetTimer(nullptr, 0, 10000, FailSafe);
    int answer = MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONEXCLAMATION);
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
    EXPECT_TRUE(boxSeen) << "no warning box appeared";
    boxes.push_back(Box{seenText, seenCaption, answer});
    MemoryDocumentHost::showWarning(text, caption);
}
