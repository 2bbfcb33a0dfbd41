#include "document/FolderListReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> AllLines(const std::string& text, std::size_t bufferSize = kLineSize)
{
    FolderListReader reader;
    reader.Attach(text.data(), text.size());
    std::vector<std::string> lines;
    std::vector<char> buffer(bufferSize);
    while (reader.readLine(buffer.data(), buffer.size()))
        lines.emplace_back(buffer.data());
    return lines;
}

using Lines = std::vector<std::string>;

TEST(FolderListReaderLines, EveryKindOfLineEndEndsALine)
{
    EXPECT_EQ(AllLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(AllLines("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(AllLines("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(AllLines("a\r\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(AllLines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(AllLines("last line without end"), (Lines{"last line without end"}));
    EXPECT_EQ(AllLines(""), (Lines{}));
    EXPECT_EQ(AllLines("\r\n"), (Lines{""}));
}

TEST(FolderListReaderLines, AtTheEndTheBufferIsNotTouched)
{
    FolderListReader reader;
    std::string text = "x";
    reader.Attach(text.data(), text.size());
    char buffer[8] = "keep";
    ASSERT_TRUE(reader.readLine(buffer, sizeof buffer));
    std::string marker = "untouched";
    char after[16] = "untouched";
    EXPECT_FALSE(reader.readLine(after, sizeof after));
    EXPECT_EQ(std::string(after), marker);
}

TEST(FolderListReaderLines, ALongLineIsCutAndItsTailSkipped)
{
    std::string longLine(300, 'x');
    longLine += "[Dest]";
    Lines lines = AllLines(longLine + "\r\nnext\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(259, 'x'));
    EXPECT_EQ(lines[1], "next");
    EXPECT_EQ(AllLines("abcdef\nxy", 4), (Lines{"abc", "xy"}));
}

TEST(FolderListReaderLines, ZeroBytesAreReadAsPartOfTheLineNotAsTheEnd)
{
    std::string text("ab\0cd\r\nef", 9);
    Lines lines = AllLines(text);
    EXPECT_EQ(lines, (Lines{"ab", "ef"}));
}

TEST(FolderListReaderSections, HeadersMatchWithoutCaseButWithEveryOtherByte)
{
    std::string text = "[dest]\r\nE:\\\r\n[ Folders]\r\nx\r\n[folders]trailing\r\nC:\\*.*\r\n[CopyHIDDEN\r\nTRUE\r\n";
    FolderListReader reader;
    reader.Attach(text.data(), text.size());
    char value[kLineSize];
    ASSERT_TRUE(reader.findSection("Dest"));
    ASSERT_TRUE(reader.readValue(value, sizeof value));
    EXPECT_STREQ(value, "E:\\");
    ASSERT_TRUE(reader.findSection("Folders"));
    ASSERT_TRUE(reader.readValue(value, sizeof value));
    EXPECT_STREQ(value, "C:\\*.*") << "the header with a space inside the brackets must not count";
    EXPECT_TRUE(reader.readBool("CopyHidden", false)) << "a header without ] ends at the line's end";
    EXPECT_FALSE(reader.findSection("Missing"));
    EXPECT_TRUE(reader.findSection("DEST")) << "every lookup starts again from the top";
}

TEST(FolderListReaderSections, TheFirstOccurrenceCountsAndValuesStopAtHeaders)
{
    std::string text = "[Dest]\r\nfirst\r\n[Dest]\r\nsecond\r\n[Empty]\r\n[Folders]\r\na\r\nb\r\n[Other]\r\nc\r\n";
    FolderListReader reader;
    reader.Attach(text.data(), text.size());
    char value[kLineSize];
    ASSERT_TRUE(reader.findSection("Dest"));
    ASSERT_TRUE(reader.readValue(value, sizeof value));
    EXPECT_STREQ(value, "first");
    ASSERT_TRUE(reader.findSection("Empty"));
    EXPECT_FALSE(reader.readValue(value, sizeof value));
    EXPECT_STREQ(value, "");
    ASSERT_TRUE(reader.findSection("Folders"));
    std::vector<std::string> values;
    while (reader.readValue(value, sizeof value))
        values.emplace_back(value);
    EXPECT_EQ(values, (Lines{"a", "b"}));
}

TEST(FolderListReaderSections, BooleansTakeTrueAndFalseInAnyCaseElseTheDefault)
{
    struct Case {
        const char* value;
        bool fallback;
        bool expected;
    } cases[] = {
        {"TRUE", false, true}, {"true", false, true}, {"True", false, true}, {"FALSE", true, false},
        {"False", true, false}, {"fAlSe", true, false}, {"TRUE ", false, false}, {" FALSE", true, true},
        {"1", false, false}, {"1", true, true}, {"", true, true}, {"TRU", false, false}, {"TRUEE", false, false},
    };
    for (const Case& c : cases) {
        std::string text = std::string("[CopyHidden]\r\n") + c.value + "\r\n";
        FolderListReader reader;
        reader.Attach(text.data(), text.size());
        EXPECT_EQ(reader.readBool("CopyHidden", c.fallback), c.expected) << "value '" << c.value << "'";
        EXPECT_EQ(ParseBool(c.value, c.fallback), c.expected) << "value '" << c.value << "'";
    }
    std::string noValue = "[CopyUpdated]\r\n[Dest]\r\n";
    FolderListReader reader;
    reader.Attach(noValue.data(), noValue.size());
    EXPECT_TRUE(reader.readBool("CopyUpdated", true));
    EXPECT_FALSE(reader.readBool("CopySystem", false));
}

TEST(FolderListReaderSections, HeaderNamesComparesOnlyAsciiLettersWithoutCase)
{
    EXPECT_TRUE(HeaderNames("[copyupdated]", "CopyUpdated"));
    EXPECT_TRUE(HeaderNames("[Dest", "Dest"));
    EXPECT_FALSE(HeaderNames("[Dest ]", "Dest"));
    EXPECT_FALSE(HeaderNames("[De]st]", "Dest"));
    EXPECT_FALSE(HeaderNames("Dest", "Dest"));
    EXPECT_FALSE(HeaderNames("[\xC4]", "\xE4")) << "bytes above 0x7F are compared exactly";
    EXPECT_TRUE(HeaderNames("[\xC4]", "\xC4"));
    EXPECT_FALSE(HeaderNames("[]", "Dest"));
}

}
