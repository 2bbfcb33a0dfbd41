#include "runner/ConsoleUserInterface.h"

#include "document/DocumentStorage.h"
#include "engine/LastBackupStamp.h"
#include "runner/ConsoleText.h"
#include "text/BoundedText.h"

#include <cstdio>

ConsoleUserInterface::ConsoleUserInterface(HeadlessFolderList& list, bool recordNames)
    : folderList(list), recordFileNames(recordNames)
{
}

void ConsoleUserInterface::ShowWarning(const char* text, const char* caption)
{
    ConsolePrint(stderr, "%s: %s\n", caption, text);
}

void ConsoleUserInterface::SetStatusText(int part, const char* text)
{
    if (part == 0)
        CopyText(statusText, text);
}

bool ConsoleUserInterface::AskNextDisk(const char* text)
{
    ConsolePrint(stderr, "%s\nCancel\n", text);
    // what the disk-full dialog's Cancel shows
    SetStatusText(0, "Abort");
    return false;
}

// What the Backup options dialog does when Backup is pressed without a change: the run takes the
// folder list's options; only the record switch stands for its check box.
bool ConsoleUserInterface::ConfirmOptions(BackupOptions& options)
{
    BackupOptions& listOptions = folderList.options();
    if (listOptions.destination[0] == '\0') {
        ShowWarning("You must choose a destination", "Trellisvault");
        return false;
    }
    listOptions.recordFileNames = recordFileNames;
    options = listOptions;
    confirmed = true;
    return true;
}

void ConsoleUserInterface::StampLastBackup()
{
    ::StampLastBackup(folderList.options());
}

// The date goes into the data file alone, so rows another program added during the run stay.
void ConsoleUserInterface::MarkBackupDone()
{
    folderList.backupDone = true;
    dateSaved = writeBackupDate(folderList);
}
