#include "framework/CriticalErrorMode.h"
#include "framework/ShellOpen.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// What the shell answers for a target it cannot open, and what the user is told.
TEST(ShellOpen, AnswersWhyATargetCouldNotBeOpened)
{
    TempFolder folder("shell-open");
    folder.WriteFile("notes.tvnoassoc", "x");
    const struct {
        std::string target;
        int code;
        const char* reason;
    } cases[] = {
        {folder / "missing.txt", ERROR_FILE_NOT_FOUND, "It was not found."},
        {folder / "notes.tvnoassoc", SE_ERR_NOASSOC, "No program is set to open it."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.code, ShellOpen(nullptr, c.target.c_str())) << c.target;
        EXPECT_STREQ(c.reason, ShellOpenFailure(c.code));
    }
}

TEST(CriticalErrorMode, IsAddedToTheModesHandedDown)
{
    UINT before = SetErrorMode(SEM_NOGPFAULTERRORBOX);
    FailCriticalErrorsQuietly();
    EXPECT_EQ(static_cast<UINT>(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS), GetErrorMode());
    SetErrorMode(before);
}
