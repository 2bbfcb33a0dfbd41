#include "TestResources.h"

#include "framework/MainFrame.h"
#include "framework/ProgramInstance.h"
#include "support/MessageRecorder.h"
#include "support/ModalDriver.h"
#include "support/PumpUntilIdle.h"
#include "support/Snapshot.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class TestFrame : public MainFrame {
public:
    bool CanClose() override { return calls.push_back("CanClose"), canClose; }
    bool RestorePlacement() override { return calls.push_back("RestorePlacement"), placementRestored; }
    bool SaveState() override { return calls.push_back("SaveState"), false; }
    void OnDestroy() override { calls.push_back("OnDestroy"); }
    void OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(wParam);
        commandSenders.push_back(lParam);
    }
    LRESULT OnUnhandledMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_BUTTON_HINT)
            return 0;
        hints.push_back(std::to_string(wParam) + " " + reinterpret_cast<const char*>(lParam));
        return 1;
    }
    void AdjustCreation(CREATESTRUCTA& creation) override
    {
        creation.lpszName = "Test frame";
        creation.x = 40;
        creation.y = 40;
        creation.cx = 800;
        creation.cy = 500;
    }

    bool canClose = true;
    bool placementRestored = false;
    std::vector<std::string> calls;
    std::vector<WPARAM> commands;
    std::vector<LPARAM> commandSenders;
    std::vector<std::string> hints;
};

const int buttonWidths[7] = {70, 68, 68, 72, 68, 70, 70};
const char* const buttonLabels[7] = {"&Backup", "&Add", "&Edit", "&Remove", "&New", "&Open", "E&xit"};
const char* const buttonHints[7] = {"Back up the folders", "Add a folder", "Edit the folder", "Remove the folder",
                                    "New folder list", "Open a folder list", "Exit"};

// A frame with its three children, made the way the application makes it.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(status.SetPartCount(3));
        status.AddPart(80, 0);
        status.AddPart(40, 0);
        status.AddPart(12, 0);
        bar.SetButtonCount(7);
        ASSERT_TRUE(frame.Create(&list, &bar, &status));
        for (int index = 0; index < 7; ++index)
            ASSERT_TRUE(bar.AddButton(buttonLabels[index], buttonWidths[index], 40001 + index, false,
                                      buttonHints[index]));
    }
    void TearDown() override
    {
        if (IsWindow(frame.Handle())) {
            frame.canClose = true;
            frame.Destroy();
        }
        // the frame's destruction posts the quit for the main loop; no other test may see it
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    static RECT RectInParent(HWND child)
    {
        RECT bounds;
        GetWindowRect(child, &bounds);
        MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&bounds), 2);
        return bounds;
    }
    static int DisplayFontHeight()
    {
        HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
        TEXTMETRICA metrics = {};
        GetTextMetricsA(display, &metrics);
        DeleteDC(display);
        return metrics.tmHeight;
    }

    ListView list;
    ButtonBar bar;
    StatusBar status;
    TestFrame frame;
};

// Fails the test and ends the loop when a message loop under test does not end by itself.
class LoopFailSafe {
public:
    explicit LoopFailSafe(UINT timeoutMs) { timer = SetTimer(nullptr, 0, timeoutMs, Expired); }
    ~LoopFailSafe() { KillTimer(nullptr, timer); }

private:
    static void CALLBACK Expired(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        ADD_FAILURE() << "the message loop did not end by itself";
        PostQuitMessage(-1);
    }
    UINT_PTR timer;
};

int refusedStatusBars;
HWND destroyedWindow;

// Refuses every status bar's creation, as a system out of window resources would.
LRESULT CALLBACK RefuseStatusBars(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && ClassNameOf(reinterpret_cast<HWND>(wParam)) == STATUSCLASSNAMEA) {
        ++refusedStatusBars;
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Windows sends WM_DESTROY, then WM_NCDESTROY, to a window whose WM_CREATE answered -1; Wine 8
// sends only WM_NCDESTROY, so the hook sends the missing WM_DESTROY first, as Windows does.
LRESULT CALLBACK SendTheMissingDestroy(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_DESTROY)
        destroyedWindow = sent->hwnd;
    if (code == HC_ACTION && sent->message == WM_NCDESTROY && sent->hwnd != destroyedWindow) {
        destroyedWindow = sent->hwnd;
        SendMessageA(sent->hwnd, WM_DESTROY, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

TEST(MainFrameClass, RegisteredOnceWithTheApplicationIcon)
{
    TestFrame frame;
    frame.RegisterWindowClass();
    EXPECT_FALSE(frame.RegisterWindowClass());
    WNDCLASSA registered = {};
    ASSERT_TRUE(GetClassInfoA(ProgramInstance(), "MainClass", &registered));
    EXPECT_EQ(static_cast<UINT>(CS_BYTEALIGNCLIENT), registered.style);
    EXPECT_EQ(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), registered.hbrBackground);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), registered.hIcon);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(StaticWindowProc), registered.lpfnWndProc);
}

TEST_F(FrameTest, CreateMakesTheBarListAndStatusBarAsChildren)
{
    HWND handle = frame.Handle();
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW),
              static_cast<DWORD>(GetWindowLongPtrA(handle, GWL_STYLE)) & WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(handle, GetParent(bar.Handle()));
    EXPECT_EQ(handle, GetParent(list.Handle()));
    EXPECT_EQ(handle, GetParent(status.Handle()));
    EXPECT_EQ(DisplayFontHeight() + 12, frame.BarHeight());
    EXPECT_NE(0, GetWindowLongPtrA(list.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(3, SendMessageA(status.Handle(), SB_GETPARTS, 0, 0));
    char title[32] = "";
    GetWindowTextA(handle, title, sizeof title);
    EXPECT_STREQ("Test frame", title);
}

TEST_F(FrameTest, LayoutAfterAResizeStacksBarListAndStatusBar)
{
    frame.Show(SW_SHOWNORMAL);
    SetWindowPos(frame.Handle(), nullptr, 0, 0, 700, 460, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    RECT client;
    GetClientRect(frame.Handle(), &client);
    EXPECT_EQ(client.right, frame.ClientWidth());
    EXPECT_EQ(client.bottom, frame.ClientHeight());

    RECT barRect = RectInParent(bar.Handle());
    EXPECT_EQ(0, barRect.top);
    EXPECT_EQ(frame.BarHeight(), barRect.bottom);
    EXPECT_EQ(client.right, barRect.right);

    RECT statusRect = RectInParent(status.Handle());
    int statusHeight = statusRect.bottom - statusRect.top;
    EXPECT_GT(statusHeight, 0);
    EXPECT_EQ(client.bottom, statusRect.bottom);
    EXPECT_EQ(0, statusRect.left);
    EXPECT_EQ(client.right, statusRect.right);

    RECT listRect = RectInParent(list.Handle());
    EXPECT_EQ(frame.BarHeight(), listRect.top);
    EXPECT_EQ(client.bottom - frame.BarHeight() - statusHeight, listRect.bottom - listRect.top);
    EXPECT_EQ(client.right, listRect.right - listRect.left);
    // the list ends where the status bar starts
    EXPECT_EQ(statusRect.top, listRect.bottom);
}

TEST_F(FrameTest, ShowUsesTheStoredPlacementInsteadOfTheShowCommand)
{
    frame.placementRestored = true;
    frame.Show(SW_SHOWNORMAL);
    EXPECT_EQ((std::vector<std::string>{"RestorePlacement"}), frame.calls);
    EXPECT_FALSE(IsWindowVisible(frame.Handle()));
    frame.placementRestored = false;
    frame.Show(SW_SHOWNORMAL);
    EXPECT_TRUE(IsWindowVisible(frame.Handle()));
    // UpdateWindow has painted: nothing is left to paint
    EXPECT_FALSE(GetUpdateRect(frame.Handle(), nullptr, FALSE));
}

TEST_F(FrameTest, CanCloseDecidesWhetherCloseAndEndSessionGoOn)
{
    HWND handle = frame.Handle();
    frame.canClose = false;
    EXPECT_EQ(0, SendMessageA(handle, WM_QUERYENDSESSION, 0, 0));
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(handle));
    frame.canClose = true;
    EXPECT_EQ(1, SendMessageA(handle, WM_QUERYENDSESSION, 0, 0));
    frame.calls.clear();
    SendMessageA(handle, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ((std::vector<std::string>{"SaveState"}), frame.calls);
    frame.calls.clear();
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ((std::vector<std::string>{"CanClose", "OnDestroy", "SaveState"}), frame.calls);
    // the destruction asked the main loop to end with 0
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
}

TEST_F(FrameTest, GivingTheFrameTheFocusPutsItOnTheList)
{
    frame.Show(SW_SHOWNORMAL);
    SetFocus(frame.Handle());
    EXPECT_EQ(list.Handle(), GetFocus());
}

TEST_F(FrameTest, AnAcceleratorBecomesACommandAndNeverReachesTheList)
{
    frame.Show(SW_SHOWNORMAL);
    ASSERT_TRUE(frame.LoadAccelerators(MAKEINTRESOURCEA(IDA_PROBE)));
    MessageRecorder listLog(list.Handle(), {WM_KEYDOWN});
    PostMessageA(list.Handle(), WM_KEYDOWN, VK_F5, 1);
    PostMessageA(list.Handle(), WM_KEYDOWN, VK_F6, 1);
    PostQuitMessage(7);
    LoopFailSafe failSafe(5000);
    EXPECT_EQ(7, frame.Run());
    ASSERT_EQ(1u, frame.commands.size());
    EXPECT_EQ(MAKEWPARAM(IDM_PROBE_COMMAND, 1), frame.commands.front());
    ASSERT_EQ(1u, listLog.Entries().size());
    EXPECT_EQ(static_cast<WPARAM>(VK_F6), listLog.Entries().front().wParam);
}

TEST_F(FrameTest, BarClicksAndHintsReachTheFrame)
{
    frame.Show(SW_SHOWNORMAL);
    SendMessageA(bar.ButtonAt(6)->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(1u, frame.commands.size());
    EXPECT_EQ(static_cast<WPARAM>(40007), frame.commands.front());
    EXPECT_EQ(reinterpret_cast<LPARAM>(bar.Handle()), frame.commandSenders.front());
    SetFocus(list.Handle());
    SendMessageA(bar.ButtonAt(1)->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    EXPECT_EQ((std::vector<std::string>{"40002 Add a folder"}), frame.hints);
}

TEST_F(FrameTest, EnableFrameReachesEveryButtonAndTheFrame)
{
    frame.EnableFrame(false);
    EXPECT_FALSE(IsWindowEnabled(frame.Handle()));
    for (int index = 0; index < 7; ++index)
        EXPECT_FALSE(IsWindowEnabled(bar.ButtonAt(index)->Handle())) << index;
    frame.EnableFrame(true);
    EXPECT_TRUE(IsWindowEnabled(frame.Handle()));
    for (int index = 0; index < 7; ++index)
        EXPECT_TRUE(IsWindowEnabled(bar.ButtonAt(index)->Handle())) << index;
}

TEST_F(FrameTest, AStatusBarThatCannotBeMadeFailsTheFrameWhichThenSavesAndEndsNothing)
{
    TestFrame second;
    StatusBar otherStatus;
    ListView otherList;
    ButtonBar otherBar;
    refusedStatusBars = 0;
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseStatusBars, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    destroyedWindow = nullptr;
    HHOOK destroyer = SetWindowsHookExA(WH_CALLWNDPROC, SendTheMissingDestroy, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, destroyer);
    bool created = second.Create(&otherList, &otherBar, &otherStatus);
    UnhookWindowsHookEx(destroyer);
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(created);
    EXPECT_EQ(nullptr, second.Handle());
    EXPECT_EQ(1, refusedStatusBars);
    // Windows destroys the half-made frame, but no settings are stored and the loop is not ended
    EXPECT_NE(second.calls.end(), std::find(second.calls.begin(), second.calls.end(), "OnDestroy"));
    EXPECT_EQ(second.calls.end(), std::find(second.calls.begin(), second.calls.end(), "SaveState"));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(FrameTest, ScreenshotOfTheBareFrame)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 500;
    column.pszText = const_cast<char*>("Folder");
    SendMessageA(list.Handle(), LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    const char* rows[] = {"    C:\\Projects\\*.cpp, *.h, *.rc", "    C:\\Letters\\*.*"};
    for (int row = 0; row < 2; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(rows[row]);
        SendMessageA(list.Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    frame.Show(SW_SHOWNORMAL);
    status.SetText(0, "Ready");
    status.SetText(1, "Dest E:\\");
    status.SetText(2, "0");
    SetWindowPos(frame.Handle(), HWND_TOP, 40, 40, 800, 500, SWP_SHOWWINDOW);
    RedrawWindow(frame.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntilIdle();
    EXPECT_TRUE(Snapshot(frame.Handle(), true).Save("MainFrameScreenshot.bmp"));

    // the bar: grey right of its buttons, between its highlight line on top and its frame line below
    Snapshot barShot(bar.Handle());
    RECT barRest = {700, 1, barShot.width, barShot.height - 1};
    EXPECT_EQ((barRest.right - barRest.left) * (barRest.bottom - barRest.top), barShot.Count(barRest, 0x808080));
    RECT barTop = {0, 0, barShot.width, 1};
    EXPECT_EQ(barShot.width, barShot.Count(barTop, GetSysColor(COLOR_BTNHIGHLIGHT)));
    RECT barBottom = {0, barShot.height - 1, barShot.width, barShot.height};
    EXPECT_EQ(barShot.width, barShot.Count(barBottom, GetSysColor(COLOR_WINDOWFRAME)));

    // the list: its rows' text in the window text colour on the window colour, nothing below them
    Snapshot listShot(list.Handle());
    RECT rowsArea = {0, 0, 500, listShot.height / 3};
    EXPECT_GT(listShot.Count(rowsArea, GetSysColor(COLOR_WINDOWTEXT)), 50) << "no row text";
    RECT belowRows = {0, listShot.height / 2, listShot.width, listShot.height};
    EXPECT_EQ((belowRows.right - belowRows.left) * (belowRows.bottom - belowRows.top),
              listShot.Count(belowRows, GetSysColor(COLOR_WINDOW)));

    // the status bar: its first two parts end in an edge, drawn in another colour than their face
    Snapshot statusShot(status.Handle());
    for (int part = 0; part < 2; ++part) {
        RECT bounds;
        ASSERT_TRUE(SendMessageA(status.Handle(), SB_GETRECT, part, reinterpret_cast<LPARAM>(&bounds)));
        COLORREF face = statusShot.At(bounds.right - 8, (bounds.top + bounds.bottom) / 2);
        RECT edge = {bounds.right - 2, bounds.top, bounds.right + 2, bounds.bottom};
        int edgePixels = 4 * (edge.bottom - edge.top);
        EXPECT_GT(edgePixels - statusShot.Count(edge, face), (edge.bottom - edge.top) / 2)
            << "part " << part << " from " << bounds.left << " to " << bounds.right << " has no edge";
    }
    RECT statusRows = {0, 0, statusShot.width, statusShot.height};
    EXPECT_GT(statusShot.Count(statusRows, GetSysColor(COLOR_BTNTEXT)), 20) << "no status text";
}
