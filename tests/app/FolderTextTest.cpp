#include "app/FolderEntryText.h"
#include "app/FolderResultText.h"
#include "support/CodePages.h"
#include "text/BoundedText.h"

#include <gtest/gtest.h>

#include <string>

// The browser's answer ends in exactly one backslash, a drive root and a one-letter server too.
TEST(FolderResult, EndsInExactlyOneBackslash)
{
    const struct {
        const char* picked;
        const char* result;
    } cases[] = {
        {"C:\\", "C:\\"},
        {"C:\\Work", "C:\\Work\\"},
        {"\\\\x\\share", "\\\\x\\share\\"},
        {"\\\\tvserver\\share\\Data", "\\\\tvserver\\share\\Data\\"},
    };
    for (const auto& test : cases) {
        char path[260];
        CopyText(path, test.picked);
        EXPECT_TRUE(EndFolderWithBackslash(path, sizeof path, LeadBytes())) << test.picked;
        EXPECT_STREQ(test.result, path);
    }
    // a folder of 259 characters leaves no room for the backslash
    std::string longest = "C:\\" + std::string(256, 'a');
    char path[260];
    CopyText(path, longest.c_str());
    EXPECT_FALSE(EndFolderWithBackslash(path, sizeof path, LeadBytes()));
    EXPECT_EQ(longest, path);
}

// A row splits at its last backslash; one without any goes whole to the walk as its folder.
TEST(FolderEntry, SplitsAtTheLastBackslash)
{
    const struct {
        const char* text;
        const char* folder;
        const char* wildcards;
        bool cut;
    } cases[] = {
        {"C:\\Work\\*.cpp, *.h", "C:\\Work\\", "*.cpp, *.h", false},
        {"C:\\*.*", "C:\\", "*.*", false},
        {"\\\\tvserver\\share\\*.txt", "\\\\tvserver\\share\\", "*.txt", false},
        {"*.*", "*.*", "", false},
        {"C:\\Work\\", "C:\\Work\\", "", false},
    };
    for (const auto& test : cases) {
        char text[260];
        CopyText(text, test.text);
        FolderEntryRow row;
        SplitFolderEntry(text, row, LeadBytes());
        EXPECT_STREQ(test.folder, row.folder) << test.text;
        EXPECT_STREQ(test.wildcards, row.wildcards) << test.text;
        EXPECT_EQ(test.cut, row.cut) << test.text;
    }
    // wildcards longer than their buffer are reported as cut
    std::string text = "C:\\Work\\" + std::string(100, 'x');
    FolderEntryRow row;
    SplitFolderEntry(&text[0], row, LeadBytes());
    EXPECT_TRUE(row.cut);
}

// C:\表 ends in 5C but needs its "\"; 一覧表.xls is one wildcard (code page 932).
TEST(FolderText, ReadsDoubleByteCharactersWhole)
{
    char path[260] = "C:\\\x95\x5C";
    EXPECT_TRUE(EndFolderWithBackslash(path, sizeof path, CodePage932()));
    EXPECT_STREQ("C:\\\x95\x5C\\", path);
    char text[260] = "C:\\src\\\x83\x5C\x81\x5B\x83\x58\\\x88\xEA\x97\x97\x95\x5C.xls";
    FolderEntryRow row;
    SplitFolderEntry(text, row, CodePage932());
    EXPECT_STREQ("C:\\src\\\x83\x5C\x81\x5B\x83\x58\\", row.folder);
    EXPECT_STREQ("\x88\xEA\x97\x97\x95\x5C.xls", row.wildcards);
}
