#pragma once

#include "document/DocumentHost.h"
#include "engine/BackupUserInterface.h"

#include <string>
#include <vector>

// A folder list held in memory without a window, kept the way the main window's list view keeps
// it (rows sorted without regard to case, each text led by four spaces), so a data file can be
// loaded, backed up and saved by a program that has no main window.
class HeadlessFolderList : public DocumentHost {
public:
    void InsertRow(const char* entryText, bool includeSubfolders) override;
    int RowCount() override { return static_cast<int>(rows.size()); }
    void GetRowText(int row, char* buffer, std::size_t size) override;
    bool RowHasSubfolders(int row) override;
    bool IsModified() override { return modified; }
    void SetModified(bool value) override { modified = value; }
    BackupOptions& options() override { return documentOptions; }
    PathBuffer& dataFilePath() override { return path; }
    DataFileStamp& dataFileStamp() override { return stamp; }
    void resetOptions() override;
    void runNewSteps() override;
    void showWarning(const char* text, const char* caption) override;
    void updateTitle() override {}
    void updateDestinationPane() override {}
    PathBuffer& dataFolder() override { return folder; }
    bool IsBackupDone() override { return backupDone; }
    // Nobody is there to answer: a question is cancelled, and so is a file dialog.
    int askYesNoCancel(const char*, const char*) override { return 0; }
    int askYesNo(const char*, const char*) override { return 0; }
    bool chooseFile(FileDialog&, char*, std::size_t, const char*) override { return false; }

    // The rows in order as a run reads them, from the first when `first` is set: the folder with
    // its "\" and the wildcard list after the row's last backslash. False after the last row.
    bool NextFolderEntry(bool first, FolderEntryRow& row);

    bool backupDone = false;

private:
    struct Row {
        std::string text;
        bool includeSubfolders;
    };
    std::vector<Row> rows;
    std::size_t readCursor = 0;
    // rows added after a reading began are not read in it
    std::size_t readCount = 0;
    BackupOptions documentOptions;
    PathBuffer path = {};
    DataFileStamp stamp;
    PathBuffer folder = {};
    bool modified = false;
};
