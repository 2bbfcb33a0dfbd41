#include "framework/ButtonBar.h"
#include "framework/ProgramInstance.h"
#include "support/MessageRecorder.h"
#include "support/PumpUntilIdle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const int barHeight = 30;
const int widths[7] = {70, 68, 68, 72, 68, 70, 70};
const char* const labels[7] = {"&Backup", "&Add", "&Edit", "&Remove", "&Open", "&Save", "E&xit"};
const char* const hints[7] = {"Back up now", "Add a folder", "Edit", "Remove", "Open", "Save", "Exit"};

// A bar on a shown top-level host whose WM_COMMAND and hint messages are recorded.
class ButtonBarOnHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_CLIPCHILDREN, 30, 30, 640, 120, nullptr, nullptr,
                               nullptr, nullptr);
        ASSERT_NE(nullptr, host);
        ShowWindow(host, SW_SHOWNOACTIVATE);
        recorder = std::make_unique<MessageRecorder>(host, std::vector<UINT>{WM_COMMAND, WM_BUTTON_HINT});
    }
    void TearDown() override
    {
        recorder.reset();
        DestroyWindow(host);
    }
    void AddSeven()
    {
        bar.SetButtonCount(7);
        ASSERT_TRUE(bar.CreateBar(host, 0, 0, 640, barHeight));
        for (int index = 0; index < 7; ++index)
            ASSERT_TRUE(bar.AddButton(labels[index], widths[index], 40001 + index, false, hints[index]));
    }
    RECT ButtonRectInBar(int index) const
    {
        RECT bounds;
        GetWindowRect(bar.ButtonAt(index)->Handle(), &bounds);
        MapWindowPoints(nullptr, bar.Handle(), reinterpret_cast<POINT*>(&bounds), 2);
        return bounds;
    }
    int ChildCount() const
    {
        int children = 0;
        for (HWND child = GetWindow(bar.Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            ++children;
        return children;
    }

    HWND host = nullptr;
    std::unique_ptr<MessageRecorder> recorder;
    ButtonBar bar;
};

} // namespace

TEST(ButtonBarClass, RegisteredOnceWithTheGreyBackground)
{
    ButtonBar first;
    ButtonBar second;
    EXPECT_FALSE(second.RegisterWindowClass());
    WNDCLASSA registered = {};
    ASSERT_TRUE(GetClassInfoA(ProgramInstance(), "BtnBarClass", &registered));
    EXPECT_EQ(static_cast<UINT>(CS_BYTEALIGNWINDOW), registered.style);
    EXPECT_EQ(static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)), registered.hbrBackground);
    EXPECT_EQ(nullptr, registered.hIcon);
    EXPECT_EQ(4, registered.cbWndExtra);
    EXPECT_EQ(static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS), first.Style());
}

TEST_F(ButtonBarOnHost, SevenButtonsSitInARowAndAnEighthIsRefused)
{
    AddSeven();
    const int expectedX[7] = {2, 75, 146, 217, 292, 363, 436};
    for (int index = 0; index < 7; ++index) {
        RECT bounds = ButtonRectInBar(index);
        EXPECT_EQ(expectedX[index], bounds.left) << "button " << index;
        EXPECT_EQ(3, bounds.top) << "button " << index;
        EXPECT_EQ(widths[index], bounds.right - bounds.left) << "button " << index;
        EXPECT_EQ(barHeight - 6, bounds.bottom - bounds.top) << "button " << index;
        EXPECT_EQ(40001 + index, GetDlgCtrlID(bar.ButtonAt(index)->Handle()));
    }
    char text[32] = "";
    GetWindowTextA(bar.ButtonAt(6)->Handle(), text, sizeof text);
    EXPECT_STREQ("E&xit", text);
    EXPECT_FALSE(bar.AddButton("&Help", 70, 40008, false, "Help"));
    EXPECT_EQ(7, ChildCount());
    EXPECT_EQ(7, bar.Count());
}

TEST_F(ButtonBarOnHost, AClickReachesTheParentAsACommandFromTheBar)
{
    AddSeven();
    SendMessageA(bar.ButtonAt(2)->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(1u, recorder->Count(WM_COMMAND));
    EXPECT_EQ(static_cast<WPARAM>(40003), recorder->Entries().back().wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(bar.Handle()), recorder->Entries().back().lParam);
    // other notifications are dropped
    SendMessageA(bar.Handle(), WM_COMMAND, MAKEWPARAM(40003, BN_SETFOCUS),
                 reinterpret_cast<LPARAM>(bar.ButtonAt(2)->Handle()));
    EXPECT_EQ(1u, recorder->Count(WM_COMMAND));
    // a button with a callback keeps its click
    int calls = 0;
    bar.ButtonAt(3)->SetCallback(&calls, [](void* target, int) { ++*static_cast<int*>(target); });
    SendMessageA(bar.ButtonAt(3)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(1, calls);
    EXPECT_EQ(1u, recorder->Count(WM_COMMAND));
}

TEST_F(ButtonBarOnHost, HintsComeOnlyFromButtonsWithoutTheFocus)
{
    AddSeven();
    SetFocus(bar.ButtonAt(0)->Handle());
    ASSERT_EQ(bar.ButtonAt(0)->Handle(), GetFocus());
    recorder->Clear();
    SendMessageA(bar.ButtonAt(0)->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(0u, recorder->Count(WM_BUTTON_HINT));
    SendMessageA(bar.ButtonAt(1)->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(bar.ButtonAt(1)->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    EXPECT_MESSAGES((std::vector<UINT>{WM_BUTTON_HINT, WM_BUTTON_HINT}), recorder->Messages());
    ASSERT_EQ(2u, recorder->Count(WM_BUTTON_HINT));
    EXPECT_EQ(static_cast<WPARAM>(40002), recorder->Entries().back().wParam);
    EXPECT_STREQ("Add a folder", reinterpret_cast<const char*>(recorder->Entries().back().lParam));
}

TEST_F(ButtonBarOnHost, TheButtonCursorIsSetOverAButton)
{
    AddSeven();
    HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    SetButtonCursor(cross);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(0, SendMessageA(bar.ButtonAt(4)->Handle(), WM_SETCURSOR,
                              reinterpret_cast<WPARAM>(bar.ButtonAt(4)->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(cross, GetCursor());
    SetButtonCursor(nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_HAND), ButtonCursor());
}

TEST_F(ButtonBarOnHost, DisableThenEnableAllReenablesAButtonAddedDisabled)
{
    bar.SetButtonCount(3);
    ASSERT_TRUE(bar.CreateBar(host, 0, 0, 640, barHeight));
    ASSERT_TRUE(bar.AddButton("&One", 60, 41001, false, "one"));
    ASSERT_TRUE(bar.AddButton("&Two", 60, 41002, true, "two"));
    ASSERT_TRUE(bar.AddButton("T&hree", 60, 41003, false, "three"));
    EXPECT_TRUE(IsWindowEnabled(bar.ButtonAt(0)->Handle()));
    EXPECT_FALSE(IsWindowEnabled(bar.ButtonAt(1)->Handle()));
    bar.DisableAllButtons();
    for (int index = 0; index < 3; ++index)
        EXPECT_FALSE(IsWindowEnabled(bar.ButtonAt(index)->Handle())) << index;
    bar.EnableAllButtons();
    for (int index = 0; index < 3; ++index)
        EXPECT_TRUE(IsWindowEnabled(bar.ButtonAt(index)->Handle())) << index;
}

TEST_F(ButtonBarOnHost, PaintsItsEdgesOnTheGreyBackground)
{
    AddSeven();
    RedrawWindow(bar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC context = GetDC(bar.Handle());
    // right of the last button nothing covers the bar
    COLORREF top = GetPixel(context, 600, 0);
    COLORREF middle = GetPixel(context, 600, barHeight / 2);
    COLORREF bottom = GetPixel(context, 600, barHeight - 1);
    ReleaseDC(bar.Handle(), context);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), top);
    EXPECT_EQ(RGB(128, 128, 128), middle);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWFRAME), bottom);
}

TEST_F(ButtonBarOnHost, AHiddenBarIsHiddenFromItsCreation)
{
    bar.SetVisible(false);
    bar.SetButtonCount(1);
    ASSERT_TRUE(bar.CreateBar(host, 0, 0, 640, barHeight));
    EXPECT_FALSE(IsWindowVisible(bar.Handle()));
    EXPECT_EQ(0u, static_cast<UINT>(GetWindowLongPtrA(bar.Handle(), GWL_STYLE) & WS_VISIBLE));
}

TEST_F(ButtonBarOnHost, ResizingTheButtonArraysRemovesTheOldButtons)
{
    bar.SetButtonCount(2);
    ASSERT_TRUE(bar.CreateBar(host, 0, 0, 640, barHeight));
    ASSERT_TRUE(bar.AddButton("&One", 60, 41001, false, "one"));
    HWND old = bar.ButtonAt(0)->Handle();
    bar.SetButtonCount(3);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(0, ChildCount());
    ASSERT_TRUE(bar.AddButton("&Two", 60, 41002, false, "two"));
    EXPECT_EQ(2, ButtonRectInBar(0).left);
    // moving the mouse over the new button still reaches a live object
    SendMessageA(bar.ButtonAt(0)->Handle(), WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(1u, recorder->Count(WM_BUTTON_HINT));
}

TEST_F(ButtonBarOnHost, WithoutRoomNoButtonIsAdded)
{
    ASSERT_TRUE(bar.CreateBar(host, 0, 0, 640, barHeight));
    EXPECT_FALSE(bar.AddButton("&One", 60, 41001, false, "one"));
    EXPECT_EQ(0, ChildCount());
}
