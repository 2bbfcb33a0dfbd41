#pragma once

// The options of a backup run, one set per folder list.
struct BackupOptions {
    // destination drive or folder, ending in a backslash (E:\ or E:\Backups\)
    char destination[260] = {};
    bool copyUpdated = true;
    bool copyHidden = false;
    bool copySystem = false;
    bool recordFileNames = false;
    char description[129] = {};
    // "MM/DD/YY  hh:mm xM" of the last complete run, empty when never backed up
    char lastBackupDate[22] = {};
};

// The options of a new or freshly loaded folder list; the destination and the date stay.
inline void ResetToDefaults(BackupOptions& options)
{
    options.copyUpdated = true;
    options.copyHidden = false;
    options.copySystem = false;
    options.recordFileNames = false;
    options.description[0] = '\0';
}
