#include "engine/BackupDate.h"

#include "text/BoundedText.h"

bool FormatBackupDate(const CalendarTime& time, char* out, std::size_t outSize)
{
    int hour12 = time.hour % 12;
    if (hour12 == 0)
        hour12 = 12;
    // negative years never come from the clock; keep the digits two anyway
    int year = ((time.year % 100) + 100) % 100;
    return FormatText(out, outSize, "%02d/%02d/%02d  %02d:%02d %cM", time.month, time.day, year, hour12, time.minute,
                      time.hour < 12 ? 'A' : 'P');
}

bool IsSameMinuteOrLater(const CalendarTime& later, const CalendarTime& earlier)
{
    const int laterFields[] = {later.year, later.month, later.day, later.hour, later.minute};
    const int earlierFields[] = {earlier.year, earlier.month, earlier.day, earlier.hour, earlier.minute};
    for (int i = 0; i < 5; ++i) {
        if (laterFields[i] != earlierFields[i])
            return laterFields[i] > earlierFields[i];
    }
    return true;
}
