#pragma once

#include "engine/BackupDate.h"
#include "engine/BackupOptions.h"

#include <windows.h>

CalendarTime CalendarTimeOf(const SYSTEMTIME& time);

// Sets the folder list's last-backup date to the current local time, "03/07/06  09:05 PM".
void StampLastBackup(BackupOptions& options);
