#include "MainWindowFixture.h"

#include "app/ProgramBoxes.h"
#include "framework/DpiScale.h"
#include "resource.h"
#include "support/AtDpi.h"
#include "support/Snapshot.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

struct Measure {
    std::string what;
    long actual;
    long expected;
};

RECT RectIn(HWND parent, HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The first button of a message box: its left edge from the box's centre, its width and height;
// then presses it.
void MeasureFirstButton(HWND box, std::vector<Measure>& measures)
{
    RECT client;
    GetClientRect(box, &client);
    // the round About box was one pixel smaller when it placed its button
    bool about = (GetWindowLongPtrA(box, GWL_STYLE) & WS_CAPTION) == 0;
    int centre = about ? (client.right - 1) / 2 : client.right / 2;
    std::string name = about ? "About" : "Remove";
    HWND button = FindChildWithText(box, about ? "Ok" : "Yes");
    ASSERT_NE(nullptr, button) << name;
    RECT rect = RectIn(box, button);
    measures.push_back({name + " button from centre", rect.left - centre, about ? -45 : -105});
    measures.push_back({name + " button width", rect.right - rect.left, 90});
    measures.push_back({name + " button height", rect.bottom - rect.top, 45});
    SendMessageA(button, BM_CLICK, 0, 0);
}

// Rows of area that hold dark pixels: the height of the text drawn there.
long InkRows(const Snapshot& picture, RECT area)
{
    // inside the white box's edge, where the crimson face shows
    InflateRect(&area, -6, -6);
    long rows = 0;
    for (LONG y = area.top; y < area.bottom; ++y)
        rows += picture.DarkPixels({area.left, y, area.right, y + 1}) > 0;
    return rows;
}

} // namespace

using ScaledWindows = MainWindowFixture;

// At 144 DPI every size the design gives in pixels is half as large again; text sizes follow the
// display font by themselves. The windows are measured in a child process that Wine starts at
// 144 DPI.
TEST_F(ScaledWindows, At144DpiThePixelSizesOfTheDesignGrowByHalf)
{
    if (!InDpiChild()) {
        EXPECT_EQ(0, RunTestsAtDpi(144, "ScaledWindows.*"));
        return;
    }
    ASSERT_EQ(144, DpiScale().dpi) << "Wine started the child at another DPI";
    Start();
    std::vector<Measure> measures;
    RECT frame;
    GetWindowRect(window.Handle(), &frame);
    measures.push_back({"main window width", frame.right - frame.left, 900});
    measures.push_back({"main window height", frame.bottom - frame.top, 663});
    TEXTMETRICA display = {};
    HDC screen = GetDC(nullptr);
    GetTextMetricsA(screen, &display);
    ReleaseDC(nullptr, screen);
    measures.push_back({"bar height", buttonBar.Height(), display.tmHeight + 18});
    RECT first = RectIn(buttonBar.Handle(), buttonBar.ButtonAt(0)->Handle());
    RECT second = RectIn(buttonBar.Handle(), buttonBar.ButtonAt(1)->Handle());
    measures.push_back({"first button left", first.left, 3});
    measures.push_back({"first button top", first.top, 5});
    measures.push_back({"first button width", first.right - first.left, 105});
    measures.push_back({"first button height", first.bottom - first.top, buttonBar.Height() - 9});
    measures.push_back({"second button left", second.left, 113});
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    SendMessageA(folderList.Handle(), LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    measures.push_back({"column width", column.cx, 870});
    int iconWidth = 0;
    int iconHeight = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageA(folderList.Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
                          &iconWidth, &iconHeight);
    measures.push_back({"marker icon", iconWidth, 24});

    ModalDriver boxes(kBoxClass, [&](HWND box) { MeasureFirstButton(box, measures); });
    AskToRemove(window.Handle(), "Remove this item?\n\nC:\\Data\\*.*");
    SendMessageA(window.Handle(), WM_COMMAND, IDM_ABOUT, 0);
    ASSERT_EQ(2, boxes.Count());

    ASSERT_TRUE(progress.Show(window.Handle(), backupRun));
    Snapshot picture = PaintedSnapshot(progress.Handle());
    RECT panel = picture.ChildRect(GetDlgItem(progress.Handle(), IDC_TEXT_FRAME));
    measures.push_back({"panel text taller than 28 rows", InkRows(picture, panel) > 28, 1});
    progress.Destroy();

    for (const Measure& measure : measures)
        EXPECT_EQ(measure.expected, measure.actual) << measure.what;
}
