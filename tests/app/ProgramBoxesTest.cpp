#include "app/ProgramBoxes.h"

#include "app/OwnerWindow.h"
#include "support/ModalDriver.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ProgramBoxes, TheSaveQuestionAnswersItsButtons)
{
    struct Case {
        const char* button;
        int answer;
    };
    for (Case c : {Case{"Yes", IDYES}, Case{"No", IDNO}, Case{"Cancel", IDCANCEL}}) {
        OwnerWindow owner;
        HWND ownerSeen = nullptr;
        ModalDriver driver("CMSGCLASS", [&](HWND box) {
            ownerSeen = GetWindow(box, GW_OWNER);
            ClickButtonWithText(box, c.button);
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

// A target the shell cannot open is named in a box of the program's, and the call answers false.
TEST(ProgramBoxes, WhatCannotBeOpenedIsToldInABox)
{
    OwnerWindow owner;
    ModalDriver driver("CMSGCLASS", [](HWND box) { ClickButtonWithText(box, "Ok"); });
    EXPECT_FALSE(OpenOrSayWhy(owner.window, "C:\\tv-nowhere\\BackupLog.txt", "Can't open the log file. It is here:"));
    EXPECT_EQ(driver.Count(), 1);
    EXPECT_EQ(driver.Caption(), "Trellisvault");
}

// A refused entry's message says why and names the limit it passed.
TEST(ProgramBoxes, TheEntryTooLongTextsNameTheirLimits)
{
    char text[200];
    FormatEntryTooLong(text, sizeof text, false);
    EXPECT_STREQ("The entry is too long: a folder list entry holds at most 243 characters, folder and wildcards together.", text);
    FormatEntryTooLong(text, sizeof text, true);
    EXPECT_STREQ("The wildcard list is too long: a backup reads at most 79 characters of it.", text);
}

} // namespace
