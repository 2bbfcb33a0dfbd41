#include "framework/MessageLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

static std::vector<std::string> LinesOf(const char* text)
{
    std::vector<std::string> lines;
    MessageLines walker(text);
    const char* start = nullptr;
    std::size_t length = 0;
    while (walker.Next(start, length))
        lines.emplace_back(start, length);
    return lines;
}

TEST(MessageLines, SplitsAtEachNewline)
{
    EXPECT_EQ((std::vector<std::string>{"one", "two", "three"}), LinesOf("one\ntwo\nthree"));
    EXPECT_EQ((std::vector<std::string>{"Unknown path:", "", "C:\\x"}), LinesOf("Unknown path:\n\nC:\\x"));
    EXPECT_EQ((std::vector<std::string>{"single"}), LinesOf("single"));
}

TEST(MessageLines, ATrailingNewlineMakesNoEmptyLastLine)
{
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), LinesOf("one\ntwo\n"));
    EXPECT_EQ((std::vector<std::string>{""}), LinesOf("\n"));
    EXPECT_EQ((std::vector<std::string>{"", ""}), LinesOf("\n\n"));
    EXPECT_EQ((std::vector<std::string>{"a", ""}), LinesOf("a\n\n"));
}

TEST(MessageLines, AnEmptyOrMissingTextHasNoLine)
{
    EXPECT_TRUE(LinesOf("").empty());
    EXPECT_TRUE(LinesOf(nullptr).empty());
}
