#include "framework/CenterWindow.h"
#include "framework/MonitorArea.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

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

// An owner's window rectangle, the size of the window centred on it and where that window must go.
struct OwnedCase {
    const char* name;
    RECT owner;
    SIZE size;
    POINT expected;
};

class CenterOnOwner : public testing::TestWithParam<OwnedCase> {
};

TEST_P(CenterOnOwner, PlacesTheWindowAndKeepsItsSize)
{
    const OwnedCase& c = GetParam();
    HWND owner = Popup(nullptr, c.owner.left, c.owner.top, c.owner.right - c.owner.left, c.owner.bottom - c.owner.top);
    HWND window = Popup(owner, 300, 300, c.size.cx, c.size.cy);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(CenterWindow(window));
    RECT rect = WindowRect(window);
    EXPECT_EQ(c.expected.x, rect.left);
    EXPECT_EQ(c.expected.y, rect.top);
    EXPECT_EQ(c.size.cx, rect.right - rect.left);
    EXPECT_EQ(c.size.cy, rect.bottom - rect.top);
    // centring again moves nothing and grows nothing
    EXPECT_TRUE(CenterWindow(window));
    RECT again = WindowRect(window);
    EXPECT_TRUE(EqualRect(&rect, &again));
    DestroyWindow(window);
    DestroyWindow(owner);
}

const OwnedCase ownedCases[] = {
    {"CentredOnTheOwner", {100, 100, 500, 400}, {200, 100}, {200, 200}},
    // a window larger than its owner goes to the owner's left and top, clipped to 0
    {"LargerThanTheOwnerNeverNegative", {50, 40, 250, 190}, {500, 400}, {0, 0}},
    {"WithinTheOwnersRightAndBottomEdges", {1000, 800, 1200, 900}, {300, 300}, {1200 - 300, 900 - 300}},
};

INSTANTIATE_TEST_SUITE_P(CenterWindow, CenterOnOwner, testing::ValuesIn(ownedCases),
                         [](const testing::TestParamInfo<OwnedCase>& caseInfo) { return std::string(caseInfo.param.name); });

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

// Monitors a single screen under Wine cannot show: one left of the primary (negative x), one
// above it (negative y), and an owner that hangs past its monitor's right edge.
TEST(MonitorArea, DialogsAreCentredWithinTheNearestWorkArea)
{
    const struct {
        RECT owner;
        SIZE size;
        RECT workArea;
        POINT expected;
    } cases[] = {
        {{-1500, 100, -700, 700}, {200, 100}, {-1920, 0, 0, 1040}, {-1200, 350}},
        {{100, -900, 500, -500}, {200, 100}, {0, -1080, 1920, -40}, {200, -750}},
        {{1800, 100, 2200, 500}, {300, 200}, {0, 0, 1920, 1040}, {1620, 200}},
    };
    for (const auto& c : cases) {
        POINT at = CentredWithin(c.owner, c.size, c.workArea);
        EXPECT_EQ(c.expected.x, at.x) << c.owner.left;
        EXPECT_EQ(c.expected.y, at.y) << c.owner.left;
    }
}

TEST(MonitorArea, AStoredPlacementIsAcceptedWhileAnIconsSizeOfItIsInTheWorkArea)
{
    const RECT leftMonitor = {-1920, 0, 0, 1040};
    const SIZE icon = {32, 32};
    const struct {
        RECT window;
        bool reachable;
    } cases[] = {
        {{-1500, 100, -700, 700}, true},
        {{-32, 100, 400, 700}, true},
        {{-31, 100, 400, 700}, false},
        {{-2400, 100, -1889, 700}, false},
        {{-1500, 1009, -700, 1400}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.reachable, ReachableInWorkArea(c.window, leftMonitor, icon)) << c.window.left << "," << c.window.top;
}
