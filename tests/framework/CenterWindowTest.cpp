#include "framework/CenterWindow.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// A plain popup (no frame, so its window rectangle is exactly what it was given).
HWND Popup(HWND owner, int x, int y, int width, int height)
{
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, x, y, width, height, owner, nullptr, nullptr, nullptr);
}

RECT WindowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

} // namespace

TEST(CenterWindow, CentresOnTheOwnerAndKeepsTheSize)
{
    HWND owner = Popup(nullptr, 100, 100, 400, 300);
    HWND window = Popup(owner, 0, 0, 200, 100);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(CenterWindow(window));
    RECT rect = WindowRect(window);
    EXPECT_EQ(200, rect.left);
    EXPECT_EQ(200, rect.top);
    EXPECT_EQ(200, rect.right - rect.left);
    EXPECT_EQ(100, rect.bottom - rect.top);
    // centring again moves nothing and grows nothing
    EXPECT_TRUE(CenterWindow(window));
    RECT again = WindowRect(window);
    EXPECT_TRUE(EqualRect(&rect, &again));
    DestroyWindow(window);
    DestroyWindow(owner);
}

TEST(CenterWindow, AWindowLargerThanItsOwnerNeverGoesNegative)
{
    HWND owner = Popup(nullptr, 50, 40, 200, 150);
    HWND window = Popup(owner, 300, 300, 500, 400);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(CenterWindow(window));
    RECT rect = WindowRect(window);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(500, rect.right - rect.left);
    EXPECT_EQ(400, rect.bottom - rect.top);
    DestroyWindow(window);
    DestroyWindow(owner);
}

TEST(CenterWindow, StaysWithinTheOwnersRightAndBottomEdges)
{
    HWND owner = Popup(nullptr, 1000, 800, 200, 100);
    HWND window = Popup(owner, 0, 0, 300, 300);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(CenterWindow(window));
    RECT rect = WindowRect(window);
    EXPECT_EQ(1200 - 300, rect.left);
    EXPECT_EQ(900 - 300, rect.top);
    DestroyWindow(window);
    DestroyWindow(owner);
}

TEST(CenterWindow, AWindowWithoutOwnerIsCentredOnTheScreen)
{
    HWND window = Popup(nullptr, 0, 0, 300, 200);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(CenterWindow(window));
    RECT rect = WindowRect(window);
    int screenWidth = GetSystemMetrics(SM_CXFULLSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYFULLSCREEN);
    EXPECT_LE(abs(rect.left + 150 - screenWidth / 2), 1) << "screen width " << screenWidth;
    EXPECT_LE(abs(rect.top + 100 - screenHeight / 2), 1) << "screen height " << screenHeight;
    EXPECT_EQ(300, rect.right - rect.left);
    DestroyWindow(window);
}
