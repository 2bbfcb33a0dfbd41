#include "engine/LastBackupStamp.h"

CalendarTime CalendarTimeOf(const SYSTEMTIME& time)
{
    CalendarTime calendar;
    calendar.year = time.wYear;
    calendar.month = time.wMonth;
    calendar.day = time.wDay;
    calendar.hour = time.wHour;
    calendar.minute = time.wMinute;
    return calendar;
}

void StampLastBackup(BackupOptions& options)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    FormatBackupDate(CalendarTimeOf(now), options.lastBackupDate, sizeof options.lastBackupDate);
}
