#include "framework/StringHelpers.h"

#include <gtest/gtest.h>

TEST(UppercaseAscii, CapitalisesOnlyTheAsciiLetters)
{
    char name[] = "abc.ini";
    EXPECT_EQ(name, UppercaseAscii(name));
    EXPECT_STREQ("ABC.INI", name);

    char mixed[] = "Za`{@[z 9\xe9\xe0\xff";
    UppercaseAscii(mixed);
    EXPECT_STREQ("ZA`{@[Z 9\xe9\xe0\xff", mixed);

    char empty[] = "";
    UppercaseAscii(empty);
    EXPECT_STREQ("", empty);
    EXPECT_EQ(nullptr, UppercaseAscii(nullptr));
}

TEST(StripExtension, CutsAtTheLastDotOfTheFileName)
{
    char path[] = "C:\\Data\\list.ini";
    StripExtension(path);
    EXPECT_STREQ("C:\\Data\\list", path);

    char twoDots[] = "C:\\Data\\list.old.ini";
    StripExtension(twoDots);
    EXPECT_STREQ("C:\\Data\\list.old", twoDots);

    char onlyExtension[] = ".ini";
    StripExtension(onlyExtension);
    EXPECT_STREQ("", onlyExtension);

    char trailingDot[] = "list.";
    StripExtension(trailingDot);
    EXPECT_STREQ("list", trailingDot);
}

TEST(StripExtension, LeavesNamesWithoutAnExtensionAlone)
{
    char dottedFolder[] = "C:\\Data.old\\list";
    StripExtension(dottedFolder);
    EXPECT_STREQ("C:\\Data.old\\list", dottedFolder);

    char drive[] = "C:";
    StripExtension(drive);
    EXPECT_STREQ("C:", drive);

    char driveRelative[] = "C:list";
    StripExtension(driveRelative);
    EXPECT_STREQ("C:list", driveRelative);

    char plain[] = "list";
    StripExtension(plain);
    EXPECT_STREQ("list", plain);

    char empty[] = "";
    StripExtension(empty);
    EXPECT_STREQ("", empty);
    StripExtension(nullptr);
}
