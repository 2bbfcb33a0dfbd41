#pragma once

#include "engine/BackupOptions.h"

#include <cstddef>

// The longest entry text (folder and wildcards) the program makes and a run walks: with the data
// file's subfolder marker and its CR LF it still fits the 259 characters a data file line holds,
// so every reader of the file takes it back whole.
constexpr std::size_t kLongestEntryText = 243;

// One row of the folder list as a run reads it.
struct FolderEntryRow {
    // the folder path, ending in "\"
    char folder[340] = {};
    // the comma-separated wildcard list
    char wildcards[kLongestEntryText + 1] = {};
    bool includeSubfolders = false;
    // the row's entry is longer than kLongestEntryText: it was not split, and the run refuses it
    bool cut = false;
};

// Everything the engine asks of the user interface. The main window implements it; tests
// implement it too, so the engine runs without windows.
class BackupUserInterface {
public:
    // Shows the text modally with a warning icon and an OK button, and waits.
    virtual void ShowWarning(const char* text, const char* caption) = 0;
    // Replaces the text of part 0, 1 or 2 of the main window's status bar.
    virtual void SetStatusText(int part, const char* text) = 0;
    // The disk-full question: true for "&Next disk", false for "&Cancel".
    virtual bool AskNextDisk(const char* text) = 0;
    // Fills `options` with the folder list's values and lets the user edit them; true to start
    // the run, after the confirmed values have been stored back.
    virtual bool ConfirmOptions(BackupOptions& options) = 0;
    // The modeless progress dialog, whose Cancel calls BackupRun::RequestAbort.
    virtual void ShowProgress() = 0;
    virtual void DestroyProgress() = 0;
    // Enables or disables the main window and every button of its button bar.
    virtual void EnableFrame(bool enable) = 0;
    // Yields the folder list's rows in order, from the first when `first` is set; false after the last.
    virtual bool NextFolderEntry(bool first, FolderEntryRow& row) = 0;
    // Sets the folder list's last-backup date to now (see StampLastBackup in LastBackupStamp.h).
    virtual void StampLastBackup() = 0;
    // Shows the last-backup date in the window title.
    virtual void UpdateTitle() = 0;
    // Shows "Dest " and the destination in status bar part 1.
    virtual void UpdateDestinationPane() = 0;
    // Sets the main window's backupDone, so the folder list is saved without asking at the end.
    virtual void MarkBackupDone() = 0;
    // Opens the log in the system's viewer for text files, or says where the log is when none opens it.
    virtual void OpenLogViewer(const char* path) = 0;

protected:
    ~BackupUserInterface() = default;
};
