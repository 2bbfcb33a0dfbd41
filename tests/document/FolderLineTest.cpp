#include "document/FolderLine.h"
#include "support/CodePages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Trimmed(std::string text)
{
    TrimBlanks(text.data());
    return text.c_str();
}

struct Split {
    std::string text;
    bool subfolders;
};

Split SplitOf(std::string line)
{
    bool subfolders = SplitFolderLine(line.data());
    return Split{line.c_str(), subfolders};
}

TEST(FolderLine, TrimBlanksRemovesSpacesAndTabsAtBothEndsOnly)
{
    EXPECT_EQ(Trimmed("    C:\\Data\\*.*"), "C:\\Data\\*.*");
    EXPECT_EQ(Trimmed("\t C:\\a b\\*.* \t "), "C:\\a b\\*.*");
    EXPECT_EQ(Trimmed(""), "");
    EXPECT_EQ(Trimmed(" \t "), "");
    EXPECT_EQ(Trimmed("x"), "x");
}

TEST(FolderLine, ASlashAnywhereSetsTheFlagAndCutsTheLine)
{
    Split marked = SplitOf("C:\\Data\\Letters\\*.doc, *.txt   /subfolders");
    EXPECT_EQ(marked.text, "C:\\Data\\Letters\\*.doc, *.txt");
    EXPECT_TRUE(marked.subfolders);

    Split tight = SplitOf("C:\\Data\\*.*/subfolders");
    EXPECT_EQ(tight.text, "C:\\Data\\*.*");
    EXPECT_TRUE(tight.subfolders);

    Split otherWord = SplitOf("C:\\Data\\*.*  /whatever");
    EXPECT_EQ(otherWord.text, "C:\\Data\\*.*");
    EXPECT_TRUE(otherWord.subfolders);

    Split tabsStay = SplitOf("C:\\Data\\*.*\t /s");
    EXPECT_EQ(tabsStay.text, "C:\\Data\\*.*\t") << "only spaces before the cut are removed";

    Split onlySpaces = SplitOf("   /subfolders");
    EXPECT_EQ(onlySpaces.text, "");
    EXPECT_TRUE(onlySpaces.subfolders);

    Split plain = SplitOf("  C:\\Projects\\*.*  ");
    EXPECT_EQ(plain.text, "  C:\\Projects\\*.*  ");
    EXPECT_FALSE(plain.subfolders);
}

// A row splits at its last backslash, blanks around it aside; an entry longer than the longest is marked cut.
TEST(FolderLine, ARowBecomesTheRunsEntryOrIsMarkedCut)
{
    const std::string longest = "C:\\" + std::string(kLongestEntryText - 7, 'f') + "\\";
    // the row, its folder and its wildcards; no folder for a cut row
    const std::string cases[][3] = {
        {"    C:\\Work\\*.cpp, *.h  ", "C:\\Work\\", "*.cpp, *.h"}, {"*.*", "*.*", ""},
        {" " + longest + "*.* \t", longest, "*.*"}, {longest + "*.*x", "", ""}};
    for (const auto& c : cases) {
        FolderEntryRow row;
        ReadFolderEntry(c[0].c_str(), true, row, LeadBytes());
        EXPECT_EQ(c[1].empty(), row.cut) << c[0];
        EXPECT_EQ(c[1].empty() ? c[0] : c[1], row.folder) << "a cut row keeps its start for the run's message";
        EXPECT_EQ(c[2], row.wildcards);
        EXPECT_TRUE(row.includeSubfolders);
    }
    // in code page 932 ソ ends in 5C and 一覧表.xls is one wildcard
    FolderEntryRow row;
    ReadFolderEntry("C:\\src\\\x83\x5C\x81\x5B\x83\x58\\\x88\xEA\x97\x97\x95\x5C.xls", false, row, CodePage932());
    EXPECT_STREQ("C:\\src\\\x83\x5C\x81\x5B\x83\x58\\", row.folder);
    EXPECT_STREQ("\x88\xEA\x97\x97\x95\x5C.xls", row.wildcards);
}

TEST(FolderLine, ComposeTrimsAndAppendsTheMarkerWithinTheBuffer)
{
    char line[300];
    ASSERT_TRUE(ComposeFolderLine("    C:\\Data\\*.doc, *.txt ", true, line, sizeof line));
    EXPECT_STREQ(line, "C:\\Data\\*.doc, *.txt   /subfolders");
    ASSERT_TRUE(ComposeFolderLine("    C:\\Projects\\*.*", false, line, sizeof line));
    EXPECT_STREQ(line, "C:\\Projects\\*.*");

    ASSERT_TRUE(ComposeFolderLine("    [Old]\\*.*  ", true, line, sizeof line));
    EXPECT_STREQ(line, " [Old]\\*.*   /subfolders") << "as a header it would end the section";

    char small[20];
    EXPECT_FALSE(ComposeFolderLine("C:\\Data\\*.*", true, small, sizeof small));
    EXPECT_EQ(std::string(small).size(), sizeof small - 1);
}

TEST(FolderLine, AnOptionThatWouldHideASectionKeepsALeadingSpace)
{
    char line[261];
    for (const char* hiding : {"[Folders] for the office", "[dest]", "[Description", "[CopyHidden]x"}) {
        ASSERT_TRUE(ComposeValueLine(hiding, line, sizeof line));
        EXPECT_EQ(std::string(line), std::string(" ") + hiding);
    }
    for (const char* plain : {"[weekly]", "[Program]", "[ Dest]", "E:\\", "", " [Dest]"}) {
        ASSERT_TRUE(ComposeValueLine(plain, line, sizeof line));
        EXPECT_STREQ(line, plain);
    }
    std::string longest = "[Dest]" + std::string(253, 'x');
    EXPECT_TRUE(ComposeValueLine(longest.c_str(), line, sizeof line));
    EXPECT_FALSE(ComposeValueLine((longest + "y").c_str(), line, sizeof line));
}

}
