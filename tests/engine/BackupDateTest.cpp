#include "engine/BackupDate.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

static CalendarTime At(int year, int month, int day, int hour, int minute)
{
    CalendarTime time;
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
    return time;
}

static std::string Text(const CalendarTime& time)
{
    char out[22];
    EXPECT_TRUE(FormatBackupDate(time, out, sizeof out));
    EXPECT_EQ(kBackupDateLength, std::strlen(out));
    return out;
}

TEST(FormatBackupDate, WritesTwelveHourClockWithTwoDigitFields)
{
    EXPECT_EQ("03/07/06  09:05 PM", Text(At(2006, 3, 7, 21, 5)));
    EXPECT_EQ("01/01/00  12:00 AM", Text(At(2000, 1, 1, 0, 0)));
    EXPECT_EQ("12/31/99  12:59 PM", Text(At(1999, 12, 31, 12, 59)));
    EXPECT_EQ("07/04/26  11:09 AM", Text(At(2026, 7, 4, 11, 9)));
    EXPECT_EQ("07/04/26  01:00 PM", Text(At(2026, 7, 4, 13, 0)));
    EXPECT_EQ("07/04/26  11:59 PM", Text(At(2026, 7, 4, 23, 59)));
}

TEST(FormatBackupDate, RefusesABufferTooSmall)
{
    char out[18];
    EXPECT_FALSE(FormatBackupDate(At(2006, 3, 7, 21, 5), out, sizeof out));
    EXPECT_EQ(17u, std::strlen(out));
}

TEST(IsSameMinuteOrLater, ComparesDownToTheMinuteOnly)
{
    EXPECT_TRUE(IsSameMinuteOrLater(At(2026, 5, 1, 10, 30), At(2026, 5, 1, 10, 30)));
    EXPECT_TRUE(IsSameMinuteOrLater(At(2026, 5, 1, 10, 31), At(2026, 5, 1, 10, 30)));
    EXPECT_FALSE(IsSameMinuteOrLater(At(2026, 5, 1, 10, 29), At(2026, 5, 1, 10, 30)));
    // the most significant differing field decides
    EXPECT_TRUE(IsSameMinuteOrLater(At(2026, 2, 1, 0, 0), At(2026, 1, 31, 23, 59)));
    EXPECT_FALSE(IsSameMinuteOrLater(At(2026, 1, 31, 23, 59), At(2026, 2, 1, 0, 0)));
    EXPECT_TRUE(IsSameMinuteOrLater(At(2027, 1, 1, 0, 0), At(2026, 12, 31, 23, 59)));
    EXPECT_FALSE(IsSameMinuteOrLater(At(2026, 12, 31, 23, 59), At(2027, 1, 1, 0, 0)));
}
