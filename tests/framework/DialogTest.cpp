#include "TestResources.h"

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/EditBox.h"
#include "framework/ListView.h"
#include "framework/ProgramInstance.h"
#include "support/ModalDriver.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Answer {
    UINT message;
    INT_PTR result;
};
std::vector<Answer> answers;

// Sits in front of StaticDialogProc and keeps what it answered to each message.
INT_PTR CALLBACK RecordingDialogFront(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = StaticDialogProc(hwnd, message, wParam, lParam);
    answers.push_back({message, result});
    return result;
}

INT_PTR LastAnswerTo(UINT message)
{
    for (auto at = answers.rbegin(); at != answers.rend(); ++at) {
        if (at->message == message)
            return at->result;
    }
    ADD_FAILURE() << "no answer to message " << message;
    return -12345;
}

class ProbeListView : public ListView {
public:
    LRESULT OnNotify(NMHDR*) override { return ++notifies, 42; }
    void OnDrawItem(DRAWITEMSTRUCT*) override { ++drawn; }
    int notifies = 0;
    int drawn = 0;
};

class ProbeDialog : public Dialog {
public:
    INT_PTR OnInitDialog() override
    {
        childrenBefore = CountChildren();
        edit.SetCallback(this, [](void* target, int id) {
            static_cast<ProbeDialog*>(target)->calls.push_back("edit left " + std::to_string(id));
        });
        wrapped.SetCallback(this, [](void* target, int id) {
            static_cast<ProbeDialog*>(target)->calls.push_back("callback " + std::to_string(id));
        });
        attached = wrapped.Create(hwnd, IDC_WRAPPED_BUTTON, "Wrapped", 0, 0, 10, 10) &&
                   edit.Create(hwnd, IDC_PROBE_EDIT, "replaced text", 0, 0, 10, 10) &&
                   combo.Create(hwnd, IDC_PROBE_COMBO, "", 0, 0, 10, 10) &&
                   list.Create(hwnd, IDC_PROBE_LIST, "", 0, 0, 10, 10);
        childrenAfter = CountChildren();
        return 1;
    }
    void OnCommand(WPARAM wParam, LPARAM) override
    {
        if (HIWORD(wParam) == EN_KILLFOCUS)
            calls.push_back("OnCommand EN_KILLFOCUS");
        // the edit box's own notifications come here too; only clicks matter to the tests
        if (HIWORD(wParam) == BN_CLICKED)
            calls.push_back("OnCommand " + std::to_string(LOWORD(wParam)));
        if (LOWORD(wParam) == IDC_PROBE_COMBO && HIWORD(wParam) == CBN_SELCHANGE)
            ++comboCommands;
        if (LOWORD(wParam) == IDOK)
            EndDialog(hwnd, 77);
    }
    void OnNotify(WPARAM, LPARAM) override { calls.push_back("OnNotify"); }
    void OnDrawItem(WPARAM, LPARAM) override { calls.push_back("OnDrawItem"); }
    INT_PTR OnUnhandledMessage(UINT message, WPARAM, LPARAM) override { return message == WM_APP ? 9 : 0; }

    int CountChildren() const
    {
        int count = 0;
        for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            ++count;
        return count;
    }

    Button wrapped;
    EditBox edit;
    ComboBox combo;
    ProbeListView list;
    bool attached = false;
    int childrenBefore = 0;
    int childrenAfter = 0;
    int comboCommands = 0;
    std::vector<std::string> calls;
};

class DialogObject : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        answers.clear();
    }
    HWND MakeModeless()
    {
        return CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PROBE), nullptr, RecordingDialogFront,
                                  reinterpret_cast<LPARAM>(&dialog));
    }
    ProbeDialog dialog;
};

} // namespace

TEST_F(DialogObject, SetFontBeforeInitDialogIsAnsweredZeroAndInitDialogBinds)
{
    HWND window = MakeModeless();
    ASSERT_NE(nullptr, window);
    size_t init = 0;
    while (init < answers.size() && answers[init].message != WM_INITDIALOG)
        ++init;
    ASSERT_LT(init, answers.size());
    bool fontFirst = false;
    for (size_t i = 0; i < init; ++i) {
        if (answers[i].message == WM_SETFONT) {
            fontFirst = true;
            EXPECT_EQ(0, answers[i].result);
        }
    }
    EXPECT_TRUE(fontFirst) << "a template with DS_SETFONT sends WM_SETFONT before WM_INITDIALOG";
    EXPECT_EQ(1, answers[init].result);
    EXPECT_EQ(window, dialog.Handle());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&dialog), GetWindowLongPtrA(window, DWLP_USER));
    DestroyWindow(window);
}

TEST_F(DialogObject, ControlsAttachToTemplateControlsAndCreateNothing)
{
    HWND window = MakeModeless();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(dialog.attached);
    EXPECT_EQ(dialog.childrenBefore, dialog.childrenAfter);
    EXPECT_EQ(GetDlgItem(window, IDC_WRAPPED_BUTTON), dialog.wrapped.Handle());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(static_cast<Control*>(&dialog.wrapped)),
              GetWindowLongPtrA(dialog.wrapped.Handle(), GWLP_USERDATA));
    EXPECT_EQ(IDC_WRAPPED_BUTTON, dialog.wrapped.ControlId());
    // the edit box's template text is replaced by the wrapper's
    char text[64] = "";
    SendMessageA(GetDlgItem(window, IDC_PROBE_EDIT), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("replaced text", text);
    DestroyWindow(window);
}

TEST_F(DialogObject, ModalClicksRouteThroughControlObjects)
{
    ModalDriver driver("#32770", [](HWND window) {
        ClickButton(window, IDC_WRAPPED_BUTTON);
        ClickButton(window, IDC_PLAIN_BUTTON);
        ClickButton(window, IDOK);
    });
    INT_PTR result = DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PROBE), nullptr, RecordingDialogFront,
                                     reinterpret_cast<LPARAM>(&dialog));
    EXPECT_EQ(77, result);
    ASSERT_EQ(1, driver.Count());
    EXPECT_EQ("Probe", driver.Caption());
    // the wrapped button's callback consumed its click; the template button's reached OnCommand
    EXPECT_EQ((std::vector<std::string>{"callback 1010", "OnCommand 1013", "OnCommand 1"}), dialog.calls);
    EXPECT_EQ(0, LastAnswerTo(WM_COMMAND));
    EXPECT_FALSE(IsWindow(driver.Handled().front()));
}

TEST_F(DialogObject, NotifyAndDrawItemAnswerOneWhoeverTakesThem)
{
    HWND window = MakeModeless();
    ASSERT_NE(nullptr, window);
    NMHDR fromList = {dialog.list.Handle(), IDC_PROBE_LIST, NM_CLICK};
    // the control's answer reaches the sender, as it does in a window
    EXPECT_EQ(42, SendMessageA(window, WM_NOTIFY, IDC_PROBE_LIST, reinterpret_cast<LPARAM>(&fromList)));
    EXPECT_EQ(1, LastAnswerTo(WM_NOTIFY));
    EXPECT_EQ(1, dialog.list.notifies);
    NMHDR fromPlain = {GetDlgItem(window, IDC_PLAIN_BUTTON), IDC_PLAIN_BUTTON, NM_CLICK};
    SendMessageA(window, WM_NOTIFY, IDC_PLAIN_BUTTON, reinterpret_cast<LPARAM>(&fromPlain));
    EXPECT_EQ(1, LastAnswerTo(WM_NOTIFY));
    EXPECT_EQ("OnNotify", dialog.calls.back());

    DRAWITEMSTRUCT listItem = {};
    listItem.hwndItem = dialog.list.Handle();
    SendMessageA(window, WM_DRAWITEM, IDC_PROBE_LIST, reinterpret_cast<LPARAM>(&listItem));
    EXPECT_EQ(1, LastAnswerTo(WM_DRAWITEM));
    EXPECT_EQ(1, dialog.list.drawn);
    DRAWITEMSTRUCT plainItem = {};
    plainItem.hwndItem = GetDlgItem(window, IDC_PLAIN_BUTTON);
    SendMessageA(window, WM_DRAWITEM, IDC_PLAIN_BUTTON, reinterpret_cast<LPARAM>(&plainItem));
    EXPECT_EQ(1, LastAnswerTo(WM_DRAWITEM));
    EXPECT_EQ("OnDrawItem", dialog.calls.back());
    DestroyWindow(window);
}

TEST_F(DialogObject, ResultRulesAndUnhandledMessagesAnsweredUnchanged)
{
    HWND window = MakeModeless();
    ASSERT_NE(nullptr, window);
    SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
    EXPECT_EQ(1, LastAnswerTo(WM_QUERYENDSESSION));
    SendMessageA(window, WM_VKEYTOITEM, 0, 0);
    EXPECT_EQ(-1, LastAnswerTo(WM_VKEYTOITEM));
    SendMessageA(window, WM_CTLCOLORLISTBOX, 0, 0);
    EXPECT_EQ(0, LastAnswerTo(WM_CTLCOLORLISTBOX));
    SendMessageA(window, WM_APP, 0, 0);
    EXPECT_EQ(9, LastAnswerTo(WM_APP));
    SendMessageA(window, WM_APP + 1, 0, 0);
    EXPECT_EQ(0, LastAnswerTo(WM_APP + 1));
    DestroyWindow(window);
}

TEST_F(DialogObject, ComboBoxKeepsTheSelectionWithoutACallbackAndLetsTheDialogHandleIt)
{
    HWND window = MakeModeless();
    ASSERT_NE(nullptr, window);
    HWND combo = GetDlgItem(window, IDC_PROBE_COMBO);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("first"));
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("second"));
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_PROBE_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(1, dialog.combo.Selection());
    EXPECT_EQ(0, LastAnswerTo(WM_COMMAND));
    EXPECT_EQ(1, dialog.comboCommands);
    DestroyWindow(window);
}

TEST(DialogObjectWithoutBinding, MessagesForADialogWithoutAnObjectAreAnsweredZero)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    answers.clear();
    HWND window = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PROBE), nullptr, RecordingDialogFront, 0);
    ASSERT_NE(nullptr, window);
    SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
    EXPECT_EQ(0, LastAnswerTo(WM_QUERYENDSESSION));
    EXPECT_EQ(0, GetWindowLongPtrA(window, DWLP_USER));
    DestroyWindow(window);
}

TEST_F(DialogObject, LeavingTheEditBoxCallsItsCallbackInsteadOfOnCommand)
{
    HWND window = MakeModeless();
    ASSERT_NE(nullptr, window);
    ShowWindow(window, SW_SHOW);
    SetFocus(dialog.edit.Handle());
    ASSERT_EQ(dialog.edit.Handle(), GetFocus());
    dialog.calls.clear();
    SetFocus(GetDlgItem(window, IDC_PLAIN_BUTTON));
    EXPECT_EQ((std::vector<std::string>{"edit left 1011"}), dialog.calls);
    DestroyWindow(window);
}
