#include "framework/Button.h"
#include "framework/ListView.h"
#include "framework/StatusBar.h"
#include "support/MessageRecorder.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A plain top-level window, 600 by 200 client pixels, to hold the controls under test.
class ParentWindow {
public:
    ParentWindow()
    {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        handle = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_CLIPCHILDREN, 20, 20, 600, 200, nullptr, nullptr,
                                 nullptr, nullptr);
        EXPECT_NE(nullptr, handle);
        ShowWindow(handle, SW_SHOWNOACTIVATE);
    }
    ~ParentWindow() { DestroyWindow(handle); }
    HWND Handle() const { return handle; }

private:
    HWND handle;
};

// The main window's three parts: 80, 40 (drawn popped out) and 12 average characters.
void DeclareMainWindowParts(StatusBar& bar)
{
    ASSERT_TRUE(bar.SetPartCount(3));
    bar.AddPart(80, 0);
    bar.AddPart(40, SBT_POPOUT);
    bar.AddPart(12, 0);
}

} // namespace

// Automatic ids are process-wide and never reused, so a fresh process of this executable
// checks them before any other test took one; it exits with 900 when its checks held.
TEST(ControlIds, TheFirstTwoAutomaticIdsAre900And901)
{
    char program[MAX_PATH] = "";
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, program, sizeof program));
    std::string command = std::string("\"") + program +
                          "\" --gtest_filter=ControlIds.DISABLED_InAFreshProcess --gtest_also_run_disabled_tests";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(program, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    DWORD waited = WaitForSingleObject(process.hProcess, 60000);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), waited) << "the fresh process did not finish";
    EXPECT_EQ(900u, exitCode);
}

TEST(ControlIds, DISABLED_InAFreshProcess)
{
    ParentWindow parent;
    Button first;
    Button second;
    ASSERT_TRUE(first.Create(parent.Handle(), 0, "One", 0, 0, 50, 20));
    ASSERT_TRUE(second.Create(parent.Handle(), 0, "Two", 60, 0, 50, 20));
    EXPECT_EQ(900, GetDlgCtrlID(first.Handle()));
    EXPECT_EQ(901, GetDlgCtrlID(second.Handle()));
    EXPECT_EQ(901, second.ControlId());
    // a given id is used as it is and consumes no automatic id
    Button given;
    ASSERT_TRUE(given.Create(parent.Handle(), 1010, "Given", 0, 30, 50, 20));
    EXPECT_EQ(1010, GetDlgCtrlID(given.Handle()));
    Button third;
    EXPECT_EQ(902, third.AllocateControlId());
    if (!::testing::Test::HasFailure())
        ExitProcess(900);
}

TEST(ButtonControl, MnemonicIsTheCharacterAfterTheFirstAmpersand)
{
    ParentWindow parent;
    Button exitButton;
    ASSERT_TRUE(exitButton.Create(parent.Handle(), 1100, "E&xit", 0, 0, 50, 20));
    EXPECT_EQ('x', exitButton.Mnemonic());
    Button plain;
    ASSERT_TRUE(plain.Create(parent.Handle(), 1101, "Plain", 0, 30, 50, 20));
    EXPECT_EQ(0, plain.Mnemonic());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(static_cast<Control*>(&plain)),
              GetWindowLongPtrA(plain.Handle(), GWLP_USERDATA));
}

TEST(ButtonControl, CreationFailureLeavesTheWrapperUnbound)
{
    Button orphan;
    // no parent window: a child control cannot be made
    EXPECT_FALSE(orphan.Create(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF0)), 1102, "x", 0, 0, 10, 10));
    EXPECT_EQ(nullptr, orphan.Handle());
    EXPECT_EQ(nullptr, orphan.Subclass(nullptr));
}

TEST(ButtonControl, SubclassedButtonKeepsWorkingAndTheFirstProcedureIsSaved)
{
    ParentWindow parent;
    MessageRecorder parentLog(parent.Handle(), {WM_COMMAND});
    Button button;
    ASSERT_TRUE(button.CreateWithHint(parent.Handle(), "&Go", 0, 0, 60, 20, 1103, "Go now"));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(SubclassWindowProc), GetWindowLongPtrA(button.Handle(), GWLP_WNDPROC));
    EXPECT_NE(nullptr, SavedControlProc());
    EXPECT_STREQ("Go now", button.HintText());
    // a second subclass answers the procedure the first one installed
    EXPECT_EQ(reinterpret_cast<WNDPROC>(SubclassWindowProc), button.Subclass(nullptr));
    char text[16] = "";
    EXPECT_EQ(3, SendMessageA(button.Handle(), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)));
    EXPECT_STREQ("&Go", text);
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(1u, parentLog.Count(WM_COMMAND));
    EXPECT_EQ(MAKEWPARAM(1103, BN_CLICKED), parentLog.Entries().front().wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(button.Handle()), parentLog.Entries().front().lParam);
}

TEST(ListViewControl, ItemTextAndStateThroughTheControl)
{
    ParentWindow parent;
    ListView list;
    ASSERT_TRUE(list.Create(parent.Handle(), 0, "", 0, 0, 300, 150));
    EXPECT_EQ(std::string("SysListView32"), [&] {
        char name[64] = "";
        GetClassNameA(list.Handle(), name, sizeof name);
        return std::string(name);
    }());
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 200;
    SendMessageA(list.Handle(), LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    const char* rows[] = {"first", "second", "third"};
    for (int row = 0; row < 3; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(rows[row]);
        ASSERT_EQ(row, SendMessageA(list.Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }
    char buffer[64];
    EXPECT_EQ(6, list.GetItemText(1, 0, buffer, sizeof buffer));
    EXPECT_STREQ("second", buffer);
    // a cut text ends inside the buffer, terminated, and nothing beyond it is written
    char small[8];
    memset(small, 'Z', sizeof small);
    EXPECT_EQ(3, list.GetItemText(1, 0, small, 4));
    EXPECT_STREQ("sec", small);
    EXPECT_EQ(std::string("ZZZZ"), std::string(small + 4, 4));

    list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(3, SendMessageA(list.Handle(), LVM_GETSELECTEDCOUNT, 0, 0));
    list.SetItemState(0, 0, LVIS_SELECTED);
    EXPECT_EQ(2, SendMessageA(list.Handle(), LVM_GETSELECTEDCOUNT, 0, 0));
    EXPECT_EQ(0u, static_cast<UINT>(SendMessageA(list.Handle(), LVM_GETITEMSTATE, 0, LVIS_SELECTED)));
}

TEST(StatusBarControl, PartsFollowTheFontsAverageWidthFromTheRight)
{
    ParentWindow parent;
    StatusBar bar;
    ASSERT_NO_FATAL_FAILURE(DeclareMainWindowParts(bar));
    bar.AddPart(99, 0);
    ASSERT_TRUE(bar.CreateStatusBar(parent.Handle()));
    EXPECT_EQ(3, SendMessageA(bar.Handle(), SB_GETPARTS, 0, 0));

    HFONT font = CreateFontA(-12, 7, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    ASSERT_NE(nullptr, font);
    HDC context = GetDC(parent.Handle());
    HGDIOBJ previous = SelectObject(context, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(context, &metrics);
    SelectObject(context, previous);
    ReleaseDC(parent.Handle(), context);
    ASSERT_EQ(7, metrics.tmAveCharWidth) << "the test needs a font 7 pixels wide on average";
    SendMessageA(bar.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    bar.Resize(SIZE_RESTORED, MAKELPARAM(600, 200));
    RECT bounds;
    GetWindowRect(bar.Handle(), &bounds);
    ASSERT_EQ(600, bounds.right - bounds.left);
    int edges[3] = {};
    EXPECT_EQ(3, SendMessageA(bar.Handle(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
    EXPECT_EQ(215, edges[0]);
    EXPECT_EQ(495, edges[1]);
    EXPECT_EQ(579, edges[2]);
    // the bar docks along the parent's bottom edge
    RECT client;
    GetClientRect(parent.Handle(), &client);
    POINT bottom = {0, client.bottom};
    ClientToScreen(parent.Handle(), &bottom);
    EXPECT_EQ(bottom.y, bounds.bottom);

    SendMessageA(bar.Handle(), WM_SETFONT, 0, FALSE);
    DeleteObject(font);
}

TEST(StatusBarControl, TextGoesToThePartWithItsStyleAndHeightFollowsVisibility)
{
    ParentWindow parent;
    StatusBar bar;
    ASSERT_NO_FATAL_FAILURE(DeclareMainWindowParts(bar));
    ASSERT_TRUE(bar.CreateStatusBar(parent.Handle()));
    bar.Resize(SIZE_RESTORED, MAKELPARAM(600, 200));
    EXPECT_TRUE(bar.SetText(1, "Dest E:\\"));
    char text[64] = "";
    LRESULT answer = SendMessageA(bar.Handle(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("Dest E:\\", text);
    EXPECT_EQ(8, LOWORD(answer));
    EXPECT_EQ(SBT_POPOUT, HIWORD(answer));
    bar.SetText(0, "Checking");
    answer = SendMessageA(bar.Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("Checking", text);
    EXPECT_EQ(0, HIWORD(answer));
    // a part the bar does not have is refused, and nothing is overrun
    EXPECT_FALSE(bar.SetText(7, "nowhere"));

    RECT bounds;
    GetWindowRect(bar.Handle(), &bounds);
    EXPECT_GT(bounds.bottom - bounds.top, 0);
    EXPECT_EQ(bounds.bottom - bounds.top, bar.Height());
    ShowWindow(bar.Handle(), SW_HIDE);
    EXPECT_EQ(0, bar.Height());
}
