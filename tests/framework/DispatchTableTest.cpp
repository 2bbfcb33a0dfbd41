#include "TestResources.h"

#include "framework/Dialog.h"
#include "framework/ProgramInstance.h"
#include "framework/Window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Logs every handler that Window and Dialog share, with the arguments it was given; the
// handlers that answer give answers no default has, so a message answered by a default shows.
template <class Base, class Result>
class HandlerLog : public Base {
public:
    bool OnCreate() override { return Log("OnCreate"), true; }
    void OnChar(WPARAM w, LPARAM l) override { Log("OnChar", w, l); }
    void OnContextMenu(WPARAM w, LPARAM l) override { Log("OnContextMenu", w, l); }
    Result OnCtlColorListBox(WPARAM w, LPARAM l) override { return Log("OnCtlColorListBox", w, l), 0x51; }
    void OnDropFiles(WPARAM w) override { Log("OnDropFiles", w); }
    void OnInitMenu() override { Log("OnInitMenu"); }
    void OnKeyDown(WPARAM w, LPARAM l) override { Log("OnKeyDown", w, l); }
    void OnKeyUp(WPARAM w, LPARAM l) override { Log("OnKeyUp", w, l); }
    void OnKillFocus() override { Log("OnKillFocus"); }
    void OnLButtonDown(WPARAM w, LPARAM l) override { Log("OnLButtonDown", w, l); }
    void OnLButtonUp(WPARAM w, LPARAM l) override { Log("OnLButtonUp", w, l); }
    Result OnMenuSelect(WPARAM w, LPARAM l) override { return Log("OnMenuSelect", w, l), 0x54; }
    void OnMouseMove(WPARAM w, LPARAM l) override { Log("OnMouseMove", w, l); }
    void OnPaint() override { Log("OnPaint"); }
    Result OnQueryEndSession() override { return Log("OnQueryEndSession"), 0x53; }
    void OnRButtonDown(WPARAM w, LPARAM l) override { Log("OnRButtonDown", w, l); }
    void OnRButtonUp(WPARAM w, LPARAM l) override { Log("OnRButtonUp", w, l); }
    void OnSetFocus() override { Log("OnSetFocus"); }
    void OnSize(WPARAM w, LPARAM l) override { Log("OnSize", w, l); }
    void OnSysColorChange() override { Log("OnSysColorChange"); }
    void OnSysKeyDown(WPARAM w, LPARAM l) override { Log("OnSysKeyDown", w, l); }
    void OnSysKeyUp(WPARAM w, LPARAM l) override { Log("OnSysKeyUp", w, l); }
    void OnTimer(WPARAM w) override { Log("OnTimer", w); }
    Result OnVKeyToItem(WPARAM w) override { return Log("OnVKeyToItem", w), 0x52; }

    void Log(const char* name) { calls.push_back(name); }
    void Log(const char* name, WPARAM w) { calls.push_back(name + (" " + Hex(w))); }
    void Log(const char* name, WPARAM w, LPARAM l)
    {
        calls.push_back(name + (" " + Hex(w)) + " " + Hex(static_cast<WPARAM>(l)));
    }
    static std::string Hex(WPARAM value)
    {
        std::ostringstream text;
        text << std::hex << value;
        return text.str();
    }

    std::vector<std::string> calls;
};

class LoggedWindow : public HandlerLog<Window, LRESULT> {
public:
    bool RegisterWindowClass() override
    {
        static bool registered;
        return RegisterClassOnce(registered, FrameworkClass("TvLoggedWindow", 0, nullptr));
    }
};

class LoggedDialog : public HandlerLog<Dialog, INT_PTR> {
};

// The shared rows: the message (sent with wParam 0x11 and lParam 0x22, or 0 for WM_TIMER,
// whose lParam would name a timer procedure), the handler call it must make, and the answer of
// the window procedure (of the dialog procedure where it differs).
struct Row {
    UINT message;
    LPARAM lParam;
    const char* call;
    LRESULT windowAnswer;
    INT_PTR dialogAnswer;
};

const Row sharedRows[] = {
    {WM_CREATE, 0x22, "OnCreate", 0, 0},
    {WM_CHAR, 0x22, "OnChar 11 22", 0, 0},
    {WM_CONTEXTMENU, 0x22, "OnContextMenu 11 22", 0, 0},
    {WM_CTLCOLORLISTBOX, 0x22, "OnCtlColorListBox 11 22", 0x51, 0x51},
    {WM_DROPFILES, 0x22, "OnDropFiles 11", 0, 0},
    {WM_INITMENU, 0x22, "OnInitMenu", 0, 0},
    {WM_KEYDOWN, 0x22, "OnKeyDown 11 22", 0, 0},
    {WM_KEYUP, 0x22, "OnKeyUp 11 22", 0, 0},
    {WM_KILLFOCUS, 0x22, "OnKillFocus", 0, 0},
    {WM_LBUTTONDOWN, 0x22, "OnLButtonDown 11 22", 0, 0},
    {WM_LBUTTONUP, 0x22, "OnLButtonUp 11 22", 0, 0},
    {WM_MENUSELECT, 0x22, "OnMenuSelect 11 22", 0, 0},
    {WM_MOUSEMOVE, 0x22, "OnMouseMove 11 22", 0, 0},
    {WM_PAINT, 0x22, "OnPaint", 0, 0},
    // a dialog's consent goes to DWLP_MSGRESULT; its procedure answers that it handled the message
    {WM_QUERYENDSESSION, 0x22, "OnQueryEndSession", 0x53, TRUE},
    {WM_RBUTTONDOWN, 0x22, "OnRButtonDown 11 22", 0, 0},
    {WM_RBUTTONUP, 0x22, "OnRButtonUp 11 22", 0, 0},
    {WM_SETFOCUS, 0x22, "OnSetFocus", 0, 0},
    {WM_SIZE, 0x22, "OnSize 11 22", 0, 0},
    {WM_SYSCOLORCHANGE, 0x22, "OnSysColorChange", 0, 0},
    {WM_SYSKEYDOWN, 0x22, "OnSysKeyDown 11 22", 0, 0},
    {WM_SYSKEYUP, 0x22, "OnSysKeyUp 11 22", 0, 0},
    {WM_TIMER, 0, "OnTimer 11", 0, 0},
    {WM_VKEYTOITEM, 0x22, "OnVKeyToItem 11", 0x52, 0x52},
};

INT_PTR lastDialogAnswer;

// Sits in front of StaticDialogProc to keep the dialog procedure's own answer.
INT_PTR CALLBACK AnswerKeepingFront(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    lastDialogAnswer = StaticDialogProc(hwnd, message, wParam, lParam);
    return lastDialogAnswer;
}

class SharedRow : public testing::TestWithParam<Row> {
};

} // namespace

TEST_P(SharedRow, AWindowCallsTheHandlerWithItsArgumentsAndAnswersByTheTable)
{
    const Row& row = GetParam();
    LoggedWindow window;
    window.RegisterWindowClass();
    ASSERT_TRUE(window.CreateHandle("TvLoggedWindow", nullptr, nullptr, "", 0, 0, 100, 100));
    window.calls.clear();
    EXPECT_EQ(row.windowAnswer, SendMessageA(window.Handle(), row.message, 0x11, row.lParam));
    ASSERT_FALSE(window.calls.empty());
    EXPECT_EQ(row.call, window.calls.front());
    EXPECT_TRUE(window.Destroy());
}

TEST_P(SharedRow, ADialogCallsTheHandlerWithItsArgumentsAndAnswersByTheTable)
{
    const Row& row = GetParam();
    LoggedDialog dialog;
    HWND handle = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PROBE), nullptr, AnswerKeepingFront,
                                     reinterpret_cast<LPARAM>(&dialog));
    ASSERT_NE(nullptr, handle);
    dialog.calls.clear();
    lastDialogAnswer = -12345;
    SendMessageA(handle, row.message, 0x11, row.lParam);
    EXPECT_EQ(row.dialogAnswer, lastDialogAnswer);
    // the dialog manager's default processing may send more messages after the handler's
    ASSERT_FALSE(dialog.calls.empty());
    EXPECT_EQ(row.call, dialog.calls.front());
    EXPECT_TRUE(DestroyWindow(handle));
}

INSTANTIATE_TEST_SUITE_P(Dispatch, SharedRow, testing::ValuesIn(sharedRows),
                         [](const testing::TestParamInfo<Row>& rowInfo) {
                             std::string name = rowInfo.param.call;
                             return name.substr(0, name.find(' '));
                         });

// What the sender of WM_QUERYENDSESSION sees: a dialog that does not object lets the session
// end, and one whose handler answers 0 holds it up.
TEST(DialogEndSession, TheSenderSeesTheHandlersConsent)
{
    struct Objecting : Dialog {
        INT_PTR OnQueryEndSession() override { return consent; }
        INT_PTR consent = 1;
    } dialog;
    HWND handle = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PROBE), nullptr, StaticDialogProc,
                                     reinterpret_cast<LPARAM>(&dialog));
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ(1, SendMessageA(handle, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    dialog.consent = 0;
    EXPECT_EQ(0, SendMessageA(handle, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    EXPECT_TRUE(DestroyWindow(handle));
}
