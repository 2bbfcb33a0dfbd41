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

TEST(PumpMessages, DispatchesWaitingMessagesAndAnswersFalseWhenEmpty)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PumpMessagesTest";
    ASSERT_NE(0, RegisterClassA(&windowClass));
    HWND window = CreateWindowExA(0, "PumpMessagesTest", "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    appMessagesSeen = 0;
    PostMessageA(window, WM_APP, 0, 0);
    PostMessageA(window, WM_APP, 0, 0);
    EXPECT_FALSE(PumpMessages());
    EXPECT_EQ(2, appMessagesSeen);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    DestroyWindow(window);
    UnregisterClassA("PumpMessagesTest", GetModuleHandleA(nullptr));
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
