#include "framework/PumpMessages.h"

#include <windows.h>

#include <gtest/gtest.h>

static int appMessagesSeen;

static LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        ++appMessagesSeen;
    return DefWindowProcA(window, message, wParam, lParam);
}

namespace {

// A window of a class of its own, whose procedure is the test's; both go when the test ends.
class ProcedureWindow {
public:
    ProcedureWindow(WNDPROC procedure, const char* className, DWORD style, HWND parent) : name(className)
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className;
        EXPECT_NE(0, RegisterClassA(&windowClass));
        window = CreateWindowExA(0, className, "", style, 0, 0, 50, 50, parent, nullptr, nullptr, nullptr);
    }
    ~ProcedureWindow()
    {
        DestroyWindow(window);
        UnregisterClassA(name, GetModuleHandleA(nullptr));
    }
    ProcedureWindow(const ProcedureWindow&) = delete;
    ProcedureWindow& operator=(const ProcedureWindow&) = delete;

    HWND window = nullptr;

private:
    const char* name;
};

} // namespace

TEST(PumpMessages, DispatchesWaitingMessagesAndAnswersFalseWhenEmpty)
{
    ProcedureWindow counting(CountingProc, "PumpMessagesTest", 0, HWND_MESSAGE);
    HWND window = counting.window;
    ASSERT_NE(nullptr, window);
    appMessagesSeen = 0;
    PostMessageA(window, WM_APP, 0, 0);
    PostMessageA(window, WM_APP, 0, 0);
    EXPECT_FALSE(PumpMessages());
    EXPECT_EQ(2, appMessagesSeen);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST(PumpMessages, LeavesAWaitingQuitInTheQueue)
{
    PostQuitMessage(3);
    EXPECT_TRUE(PumpMessages());
    EXPECT_TRUE(PumpMessages());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);
    EXPECT_EQ(3u, static_cast<unsigned>(msg.wParam));
}

namespace {

HWND quittingWindow;
HANDLE senderThread;

// Posts the quit when the message another thread sent arrives.
LRESULT CALLBACK QuitOnSentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        PostQuitMessage(9);
    if (message == WM_PAINT)
        ValidateRect(window, nullptr);
    return DefWindowProcA(window, message, wParam, lParam);
}

DWORD WINAPI SendFromAnotherThread(void*)
{
    // queued for the pump's thread, which handles it inside its next GetMessageA
    SendNotifyMessageA(quittingWindow, WM_APP, 0, 0);
    return 0;
}

// Sees the paint the pump peeks at and has the other thread's message arrive before the pump takes it.
LRESULT CALLBACK SendBetweenPeekAndGet(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* peeked = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_NOREMOVE && peeked->message == WM_PAINT && senderThread == nullptr) {
        senderThread = CreateThread(nullptr, 0, SendFromAnotherThread, nullptr, 0, nullptr);
        if (senderThread != nullptr)
            WaitForSingleObject(senderThread, 5000);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

TEST(PumpMessages, AQuitPostedByASentMessageInsideTheWaitStaysInTheQueue)
{
    ProcedureWindow quitting(QuitOnSentProc, "PumpQuitTest", WS_POPUP | WS_VISIBLE, nullptr);
    quittingWindow = quitting.window;
    ASSERT_NE(nullptr, quittingWindow);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // a paint is the only thing waiting, and a quit is taken before a paint
    InvalidateRect(quittingWindow, nullptr, FALSE);
    senderThread = nullptr;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, SendBetweenPeekAndGet, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    EXPECT_TRUE(PumpMessages());
    UnhookWindowsHookEx(hook);
    ASSERT_NE(nullptr, senderThread) << "the pump never peeked at the paint";
    CloseHandle(senderThread);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request was swallowed";
    EXPECT_EQ(9u, static_cast<unsigned>(msg.wParam));
}
