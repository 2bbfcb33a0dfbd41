#include "app/ProgramBoxes.h"

#include "app/OwnerWindow.h"
#include "support/ModalDriver.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ProgramBoxes, TheSaveQuestionAnswersItsButtonsAndZeroForTheCloseBox)
{
    struct Case {
        const char* button;
        int answer;
    };
    for (Case c : {Case{"Yes", IDYES}, Case{"No", IDNO}, Case{"Cancel", IDCANCEL}, Case{nullptr, 0}}) {
        OwnerWindow owner;
        HWND ownerSeen = nullptr;
        ModalDriver driver("CMSGCLASS", [&](HWND box) {
            ownerSeen = GetWindow(box, GW_OWNER);
            if (c.button != nullptr)
                ClickButtonWithText(box, c.button);
            else
                SendMessageA(box, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(AskYesNoCancel(owner.window, "Save folder list?", "Trellisvault"), c.answer);
        EXPECT_EQ(driver.Count(), 1);
        EXPECT_EQ(driver.Caption(), "Trellisvault");
        EXPECT_EQ(ownerSeen, owner.window);
    }
}

TEST(ProgramBoxes, TheDataFileLocationIsShownUnderTheProgramsName)
{
    OwnerWindow owner;
    ModalDriver driver("CMSGCLASS", [](HWND box) { ClickButtonWithText(box, "Ok"); });
    ShowDataFileLocation(owner.window, "C:\\users\\someone\\AppData\\Roaming\\Pennyroyal\\Trellisvault\\Trellisvault.ini");
    EXPECT_EQ(driver.Count(), 1);
    EXPECT_EQ(driver.Caption(), "Trellisvault");
}

} // namespace
