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

// C:\表 ends in 5C but still needs its "\" (code page 932).
TEST(FolderText, ReadsDoubleByteCharactersWhole)
{
    char path[260] = "C:\\\x95\x5C";
    EXPECT_TRUE(EndFolderWithBackslash(path, sizeof path, CodePage932()));
    EXPECT_STREQ("C:\\\x95\x5C\\", path);
}
