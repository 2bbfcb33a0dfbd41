#include "support/CodePages.h"
#include "text/StringHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A text before and after an in-place helper changed it.
struct Change {
    const char* before;
    const char* after;
};

// Runs an in-place helper on a writable copy of the text and answers what it left there.
std::string Applied(void (*helper)(char*), const char* text)
{
    std::vector<char> buffer(text, text + std::char_traits<char>::length(text) + 1);
    helper(buffer.data());
    return buffer.data();
}

void Uppercase(char* text)
{
    EXPECT_EQ(text, UppercaseAscii(text));
}

class UppercaseAsciiCase : public testing::TestWithParam<Change> {
};

class StripExtensionCase : public testing::TestWithParam<Change> {
};

} // namespace

TEST_P(UppercaseAsciiCase, CapitalisesOnlyTheAsciiLetters)
{
    EXPECT_EQ(GetParam().after, Applied(Uppercase, GetParam().before));
}

INSTANTIATE_TEST_SUITE_P(UppercaseAscii, UppercaseAsciiCase,
                         testing::Values(Change{"abc.ini", "ABC.INI"},
                                         Change{"Za`{@[z 9\xe9\xe0\xff", "ZA`{@[Z 9\xe9\xe0\xff"}, Change{"", ""}));

TEST(UppercaseAscii, NoTextAnswersNull)
{
    EXPECT_EQ(nullptr, UppercaseAscii(nullptr));
}

TEST_P(StripExtensionCase, CutsOnlyAnExtensionOfTheFileName)
{
    EXPECT_EQ(GetParam().after, Applied([](char* text) { StripExtension(text, LeadBytes()); }, GetParam().before));
}

INSTANTIATE_TEST_SUITE_P(CutsAtTheLastDotOfTheFileName, StripExtensionCase,
                         testing::Values(Change{"C:\\Data\\list.ini", "C:\\Data\\list"},
                                         Change{"C:\\Data\\list.old.ini", "C:\\Data\\list.old"}, Change{".ini", ""},
                                         Change{"list.", "list"}));

INSTANTIATE_TEST_SUITE_P(LeavesNamesWithoutAnExtensionAlone, StripExtensionCase,
                         testing::Values(Change{"C:\\Data.old\\list", "C:\\Data.old\\list"}, Change{"C:", "C:"},
                                         Change{"C:list", "C:list"}, Change{"list", "list"}, Change{"", ""}));

TEST(StripExtension, NoTextIsLeftAlone)
{
    StripExtension(nullptr, LeadBytes());
}

// list.表 in 932 ends in 5C; a.b盶c in 936 reads as a.bｱ\c in 932
TEST(StripExtension, ReadsDoubleByteCharactersWhole)
{
    auto japanese = [](char* text) { StripExtension(text, CodePage932()); };
    auto chinese = [](char* text) { StripExtension(text, CodePage936()); };
    EXPECT_EQ("C:\\Data\\list", Applied(japanese, "C:\\Data\\list.\x95\x5C"));
    EXPECT_EQ("a", Applied(chinese, "a.b\xB1\x5C" "c"));
    EXPECT_EQ("a.b\xB1\x5C" "c", Applied(japanese, "a.b\xB1\x5C" "c"));
}
