#include "framework/CriticalErrorMode.h"
#include "framework/ShellOpen.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

// A file no program is set to open (a missing one is the About link's test) and what the user is told.
TEST(ShellOpen, AnswersWhyATargetCouldNotBeOpened)
{
    TempFolder folder("shell-open");
    folder.WriteFile("notes.tvnoassoc", "x");
    EXPECT_EQ(SE_ERR_NOASSOC, ShellOpen(nullptr, (folder / "notes.tvnoassoc").c_str()));
    EXPECT_STREQ("No program is set to open it.", ShellOpenFailure(SE_ERR_NOASSOC));
    EXPECT_STREQ("It was not found.", ShellOpenFailure(ERROR_FILE_NOT_FOUND));
}

TEST(CriticalErrorMode, IsAddedToTheModesHandedDown)
{
    UINT before = SetErrorMode(SEM_NOGPFAULTERRORBOX);
    FailCriticalErrorsQuietly();
    EXPECT_EQ(static_cast<UINT>(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS), GetErrorMode());
    SetErrorMode(before);
}
