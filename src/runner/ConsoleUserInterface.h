#pragma once

#include "runner/HeadlessFolderList.h"
#include "engine/BackupUserInterface.h"

// The user interface of a backup run without windows: the folder list's own options are
// confirmed as they are, warnings and the disk-full question go to the console, and the
// disk-full question is answered with "&Cancel".
class ConsoleUserInterface : public BackupUserInterface {
public:
    ConsoleUserInterface(HeadlessFolderList& folderList, bool recordFileNames);

    void ShowWarning(const char* text, const char* caption) override;
    void SetStatusText(int part, const char* text) override;
    bool AskNextDisk(const char* text) override;
    bool ConfirmOptions(BackupOptions& options) override;
    void ShowProgress() override {}
    void DestroyProgress() override {}
    void EnableFrame(bool) override {}
    bool NextFolderEntry(bool first, FolderEntryRow& row) override { return folderList.NextFolderEntry(first, row); }
    void StampLastBackup() override;
    void UpdateTitle() override {}
    void UpdateDestinationPane() override {}
    void MarkBackupDone() override;
    void OpenLogViewer(const char*) override {}

    // Whether the options were confirmed, so the run went past its start.
    bool Confirmed() const { return confirmed; }
    // Whether a completed run's date is in the data file.
    bool DateSaved() const { return dateSaved; }
    // Status bar part 0 as the run left it: its outcome once the summary is written.
    const char* Outcome() const { return statusText; }

private:
    HeadlessFolderList& folderList;
    bool recordFileNames;
    bool confirmed = false;
    bool dateSaved = false;
    char statusText[600] = {};
};
