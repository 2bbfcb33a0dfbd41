#pragma once

#include <cstddef>

// Calendar fields of a date and time, as the system's clock and file times give them.
struct CalendarTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

// Length of the last-backup text "03/07/06  09:05 PM".
constexpr std::size_t kBackupDateLength = 18;

// Writes "MM/DD/YY  hh:mm xM" (12-hour clock, year modulo 100); false when out is too small.
bool FormatBackupDate(const CalendarTime& time, char* out, std::size_t outSize);

// True when `later` is the same minute as `earlier` or after it; seconds do not count.
bool IsSameMinuteOrLater(const CalendarTime& later, const CalendarTime& earlier);
