#include "TestResources.h"

#include "framework/Dialog.h"
#include "framework/ProgramInstance.h"
#include "support/ModalDriver.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// A dialog that ends only through OK.
class WaitingDialog : public Dialog {
public:
    void OnCommand(WPARAM wParam, LPARAM) override
    {
        if (LOWORD(wParam) == IDOK)
            EndDialog(hwnd, IDOK);
    }
};

INT_PTR RunWaitingDialog(WaitingDialog& dialog)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    return DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PROBE), nullptr, StaticDialogProc,
                           reinterpret_cast<LPARAM>(&dialog));
}

} // namespace

TEST(ModalDriverFailSafe, EndsAStuckDialogAndFailsTheTest)
{
    WaitingDialog dialog;
    INT_PTR result = 0;
    EXPECT_NONFATAL_FAILURE(
        {
            ModalDriver driver("#32770", [](HWND) {}, 300);
            result = RunWaitingDialog(dialog);
        },
        "was still open");
    EXPECT_EQ(IDCANCEL, result);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST(ModalDriverFailSafe, AStepThatClicksEndsTheDialogWithoutAFailure)
{
    WaitingDialog dialog;
    ModalDriver driver("#32770", [](HWND window) { ClickButton(window, IDOK); }, 5000);
    EXPECT_EQ(IDOK, RunWaitingDialog(dialog));
    EXPECT_EQ(1, driver.Count());
    EXPECT_FALSE(driver.TimedOut());
}
