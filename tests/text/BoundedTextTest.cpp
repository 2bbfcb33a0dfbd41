#include "text/BoundedText.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(BoundedText, CopyFitsExactlyAndCutsOneOver)
{
    char buffer[6];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(CopyText(buffer, "abcde"));
    EXPECT_STREQ("abcde", buffer);
    EXPECT_FALSE(CopyText(buffer, "abcdef"));
    EXPECT_STREQ("abcde", buffer);
    EXPECT_TRUE(CopyText(buffer, ""));
    EXPECT_STREQ("", buffer);
}

TEST(BoundedText, AppendStopsAtTheEndOfTheBuffer)
{
    char buffer[8] = "C:\\";
    EXPECT_TRUE(AppendText(buffer, "Data"));
    EXPECT_STREQ("C:\\Data", buffer);
    EXPECT_FALSE(AppendText(buffer, "\\x"));
    EXPECT_STREQ("C:\\Data", buffer);
    EXPECT_FALSE(AppendText(buffer, "y"));
}

TEST(BoundedText, AppendToAnUnterminatedBufferWritesNothing)
{
    char buffer[4] = {'a', 'b', 'c', 'd'};
    EXPECT_FALSE(AppendText(buffer, "e"));
    EXPECT_EQ('d', buffer[3]);
}

TEST(BoundedText, FormatReportsTruncation)
{
    char buffer[10];
    EXPECT_TRUE(FormatText(buffer, sizeof buffer, "%d files", 12));
    EXPECT_STREQ("12 files", buffer);
    EXPECT_FALSE(FormatText(buffer, sizeof buffer, "%d files", 123456));
    EXPECT_STREQ("123456 fi", buffer);
    EXPECT_TRUE(FormatText(buffer, sizeof buffer, "%s", ""));
    EXPECT_TRUE(AppendFormat(buffer, sizeof buffer, "%u", 7u));
    EXPECT_FALSE(AppendFormat(buffer, sizeof buffer, "%s", "0123456789"));
    EXPECT_STREQ("701234567", buffer);
}

TEST(BoundedText, CopyPartTakesOnlyTheGivenLength)
{
    char buffer[8];
    EXPECT_TRUE(CopyTextPart(buffer, sizeof buffer, "*.doc,*.txt", 5));
    EXPECT_STREQ("*.doc", buffer);
    EXPECT_FALSE(CopyTextPart(buffer, 0, "a", 1));
    EXPECT_TRUE(CopyTextPart(buffer, 0, "", 0));
}
