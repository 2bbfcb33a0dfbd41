#include "support/ModalDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

static thread_local ModalDriver* activeDriver;

ModalDriver::ModalDriver(const char* windowClass, Step action, UINT timeout)
    : className(windowClass != nullptr ? windowClass : ""), step(std::move(action)), timeoutMs(timeout)
{
    outer = activeDriver;
    activeDriver = this;
    hook = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    EXPECT_NE(nullptr, hook) << "cannot hook the thread's windows";
    failSafeTimer = SetTimer(nullptr, 0, timeoutMs, FailSafeTimerProc);
}

ModalDriver::~ModalDriver()
{
    if (hook != nullptr)
        UnhookWindowsHookEx(hook);
    if (failSafeTimer != 0)
        KillTimer(nullptr, failSafeTimer);
    activeDriver = outer;
    // a quit request made by the fail-safe must not end the next test's loop
    if (timedOut) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
}

LRESULT CALLBACK ModalDriver::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    ModalDriver* driver = activeDriver;
    if (driver != nullptr && code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        bool known = std::find(driver->handled.begin(), driver->handled.end(), window) != driver->handled.end() ||
                     std::find(driver->pending.begin(), driver->pending.end(), window) != driver->pending.end();
        if (!known && (driver->className.empty() || ClassNameOf(window) == driver->className)) {
            driver->pending.push_back(window);
            // the step runs from the modal loop, once the window is fully shown
            SetTimer(nullptr, 0, 0, StepTimerProc);
        }
    }
    return CallNextHookEx(driver != nullptr ? driver->hook : nullptr, code, wParam, lParam);
}

void CALLBACK ModalDriver::StepTimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    ModalDriver* driver = activeDriver;
    if (driver == nullptr || driver->pending.empty())
        return;
    HWND window = driver->pending.front();
    driver->pending.erase(driver->pending.begin());
    if (!IsWindow(window))
        return;
    driver->handled.push_back(window);
    driver->caption = WindowTextOf(window);
    driver->step(window);
}

void CALLBACK ModalDriver::FailSafeTimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    ModalDriver* driver = activeDriver;
    if (driver == nullptr)
        return;
    driver->failSafeTimer = 0;
    driver->timedOut = true;
    bool ended = false;
    for (HWND window : driver->handled) {
        if (!IsWindow(window))
            continue;
        ADD_FAILURE() << "the modal window \"" << WindowTextOf(window) << "\" was still open after "
                      << driver->timeoutMs << " ms";
        if (ClassNameOf(window) == "#32770")
            EndDialog(window, IDCANCEL);
        else
            DestroyWindow(window);
        ended = true;
    }
    if (!ended) {
        ADD_FAILURE() << "no modal window of class \"" << driver->className << "\" ended within " << driver->timeoutMs
                      << " ms";
        PostQuitMessage(0);
    }
}

namespace {

struct TextSearch {
    const char* text;
    HWND found;
};

BOOL CALLBACK MatchChildText(HWND child, LPARAM data)
{
    TextSearch* wanted = reinterpret_cast<TextSearch*>(data);
    std::string label = WindowTextOf(child);
    label.erase(std::remove(label.begin(), label.end(), '&'), label.end());
    if (label != wanted->text)
        return TRUE;
    wanted->found = child;
    return FALSE;
}

} // namespace

HWND FindChildWithText(HWND window, const char* text)
{
    TextSearch search = {text, nullptr};
    EnumChildWindows(window, MatchChildText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ClickButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    ASSERT_NE(nullptr, button) << "no button " << id << " in \"" << WindowTextOf(dialog) << "\"";
    SendMessageA(button, BM_CLICK, 0, 0);
}

void ClickButtonWithText(HWND window, const char* text)
{
    HWND button = FindChildWithText(window, text);
    ASSERT_NE(nullptr, button) << "no button \"" << text << "\" in \"" << WindowTextOf(window) << "\"";
    SendMessageA(button, BM_CLICK, 0, 0);
}

std::string WindowTextOf(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassNameOf(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}
