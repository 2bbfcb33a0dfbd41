#include "engine/WildcardList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> PatternsOf(const std::string& list)
{
    WildcardList patterns;
    EXPECT_TRUE(patterns.Assign(list.c_str())) << list;
    std::vector<std::string> cut;
    while (const char* pattern = patterns.Next())
        cut.push_back(pattern);
    return cut;
}

using Patterns = std::vector<std::string>;

} // namespace

TEST(WildcardListTest, CutsAtCommasSkippingOnlyTheSpacesAfterThem)
{
    EXPECT_EQ((Patterns{"*.*"}), PatternsOf("*.*"));
    EXPECT_EQ((Patterns{"*.cpp", "*.h", "*.rc"}), PatternsOf("*.cpp, *.h, *.rc"));
    EXPECT_EQ((Patterns{"*.doc", "*.txt"}), PatternsOf("*.doc,  *.txt"));
    EXPECT_EQ((Patterns{"*.doc ", "*.txt"}), PatternsOf("*.doc ,*.txt"));
    EXPECT_EQ((Patterns{"*.doc", "*.txt"}), PatternsOf("  *.doc,*.txt"));
    // a tab is not a space: it stays in the pattern
    EXPECT_EQ((Patterns{"*.doc", "\t*.txt"}), PatternsOf("*.doc,\t*.txt"));
}

TEST(WildcardListTest, EmptyPatternsAreKept)
{
    EXPECT_EQ((Patterns{"*.doc", "", "*.txt"}), PatternsOf("*.doc,,*.txt"));
    EXPECT_EQ((Patterns{"*.doc", ""}), PatternsOf("*.doc,"));
    EXPECT_EQ((Patterns{"*.doc", ""}), PatternsOf("*.doc,   "));
    EXPECT_EQ((Patterns{"", ""}), PatternsOf(","));
    EXPECT_EQ((Patterns{""}), PatternsOf(""));
}

TEST(WildcardListTest, TakesSeventyNineCharactersAndRefusesMore)
{
    std::string longest = std::string(74, 'a') + ",*.tx";
    ASSERT_EQ(79u, longest.size());
    EXPECT_EQ((Patterns{std::string(74, 'a'), "*.tx"}), PatternsOf(longest));

    WildcardList patterns;
    EXPECT_FALSE(patterns.Assign((longest + "t").c_str()));
    EXPECT_EQ(nullptr, patterns.Next());
}

TEST(WildcardListTest, AssignStartsAgain)
{
    WildcardList patterns;
    ASSERT_TRUE(patterns.Assign("*.a,*.b"));
    EXPECT_STREQ("*.a", patterns.Next());
    ASSERT_TRUE(patterns.Assign("*.c"));
    EXPECT_STREQ("*.c", patterns.Next());
    EXPECT_EQ(nullptr, patterns.Next());
    EXPECT_EQ(nullptr, patterns.Next());
}
