#include "engine/LogText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(FormatByteCount, WritesFullSixtyFourBitCounts)
{
    char out[32];
    EXPECT_TRUE(FormatByteCount(0, out, sizeof out));
    EXPECT_STREQ("0", out);
    EXPECT_TRUE(FormatByteCount(5000000000ull, out, sizeof out));
    EXPECT_STREQ("5000000000", out);
    EXPECT_TRUE(FormatByteCount(18446744073709551615ull, out, sizeof out));
    EXPECT_STREQ("18446744073709551615", out);
}

TEST(FormatCopyFailureReason, NamesTheKnownCodesAndNumbersTheRest)
{
    char out[64];
    FormatCopyFailureReason(3, out, sizeof out);
    EXPECT_STREQ("path not found:", out);
    FormatCopyFailureReason(5, out, sizeof out);
    EXPECT_STREQ("access denied:", out);
    FormatCopyFailureReason(32, out, sizeof out);
    EXPECT_STREQ("sharing violation:", out);
    FormatCopyFailureReason(33, out, sizeof out);
    EXPECT_STREQ("another process has locked a portion of the file:", out);
    FormatCopyFailureReason(223, out, sizeof out);
    EXPECT_STREQ("too large for the destination's file system:", out);
    FormatCopyFailureReason(2, out, sizeof out);
    EXPECT_STREQ("error #2", out);
    FormatCopyFailureReason(4294967295ul, out, sizeof out);
    EXPECT_STREQ("error #4294967295", out);
}

TEST(FormatDiskFullMessage, TellsSizeAndSpaceLeft)
{
    char out[600];
    EXPECT_TRUE(FormatDiskFullMessage("C:\\Data\\big.bin", 6000000000ull, "1024", out, sizeof out));
    EXPECT_STREQ("The file C:\\Data\\big.bin is 6000000000 bytes. The disk space left is 1024 bytes. "
                 "Insert another disk so the backup can continue.",
                 out);
}

TEST(FormatCopiedRecord, PutsHiddenBeforeSystem)
{
    char out[80];
    FormatCopiedRecord(false, false, out, sizeof out);
    EXPECT_STREQ("  Copied file: ", out);
    FormatCopiedRecord(true, false, out, sizeof out);
    EXPECT_STREQ("  Copied hidden file: ", out);
    FormatCopiedRecord(false, true, out, sizeof out);
    EXPECT_STREQ("  Copied system file: ", out);
    FormatCopiedRecord(true, true, out, sizeof out);
    EXPECT_STREQ("  Copied hidden system file: ", out);
}

TEST(FormatSummaryOutcome, ChoosesAbortThenErrorCountThenSuccess)
{
    char out[64];
    EXPECT_TRUE(FormatSummaryOutcome(true, 3, out, sizeof out));
    EXPECT_STREQ("User aborted backup.", out);
    EXPECT_FALSE(FormatSummaryOutcome(false, 1, out, sizeof out));
    EXPECT_STREQ("1 errors occured during the backup.", out);
    EXPECT_FALSE(FormatSummaryOutcome(false, 12, out, sizeof out));
    EXPECT_STREQ("12 errors occured during the backup.", out);
    EXPECT_FALSE(FormatSummaryOutcome(false, 0, out, sizeof out));
    EXPECT_STREQ("Backup completed without errors.", out);
}
