#pragma once

#include "engine/BackupRun.h"
#include "engine/BackupUserInterface.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// The user interface as the engine sees it, answering from a script and recording every call.
class RecordingUserInterface : public BackupUserInterface {
public:
    struct Warning {
        std::string text;
        std::string caption;
    };

    void ShowWarning(const char* text, const char* caption) override;
    void SetStatusText(int part, const char* text) override;
    bool AskNextDisk(const char* text) override;
    bool ConfirmOptions(BackupOptions& options) override;
    void ShowProgress() override;
    void DestroyProgress() override;
    void EnableFrame(bool enable) override;
    bool NextFolderEntry(bool first, FolderEntryRow& row) override;
    // stamps the confirmed options, which stand for the folder list's own
    void StampLastBackup() override;
    void UpdateTitle() override;
    void UpdateDestinationPane() override;
    void MarkBackupDone() override;
    void OpenLogViewer(const char* path) override;

    std::vector<Warning> warnings;
    std::string status[3];
    std::vector<std::string> statusHistory[3];
    // runs after every status text, as the run goes on
    std::function<void(int part, const std::string& text)> whenStatusSet;
    // the disk-full questions asked, and the answers to give, in order
    std::vector<std::string> diskFullTexts;
    std::vector<bool> nextDiskAnswers;
    // runs while a disk-full question is up, before it is answered (a disk change, say)
    std::function<void(const std::string& text)> whileDiskFullAsked;
    std::vector<std::string> openedLogs;
    std::vector<FolderEntryRow> rows;
    std::size_t nextRow = 0;
    bool confirm = true;
    BackupOptions confirmedOptions;
    std::vector<bool> frameEnabled;
    int progressShown = 0;
    int progressDestroyed = 0;
    int stamps = 0;
    int titleUpdates = 0;
    int destinationPaneUpdates = 0;
    bool backupDone = false;
    // the calls that shape a run, in order: "ConfirmOptions", "ShowProgress", "EnableFrame 0",
    // "Status 0 <text>", "NextFolderEntry", "StampLastBackup", "OpenLogViewer" and so on
    std::vector<std::string> calls;
};

// The run with a step a test takes inside it, given each file's path just before it is handled.
class HookedRun : public BackupRun {
public:
    using BackupRun::BackupRun;
    std::function<void(const std::string& sourcePath)> beforeFile = [](const std::string&) {};

protected:
    int OnFile(const WIN32_FIND_DATAA& entry) override
    {
        beforeFile(std::string(currentPath) + entry.cFileName);
        return BackupRun::OnFile(entry);
    }
};

// A folder-list row as NextFolderEntry yields it.
FolderEntryRow Row(const std::string& folder, const std::string& wildcards, bool includeSubfolders);

// A source tree and a destination folder on real drives, the one run, and its log.
class EngineTest : public ::testing::Test {
protected:
    EngineTest();
    ~EngineTest() override;

    // The destination folder a source folder is mirrored to, as the run names it.
    std::string MirrorOf(const std::string& sourceFolder) const;
    // A whole run's walk: counters cleared, log created, the walk, the summary; answers the walk's result.
    int RunWalk(const std::string& folder, const char* pattern, int maxDepth);
    std::string Log() const;
    // The progress window's Cancel as the run meets it: a click queued for a window of the thread,
    // which the run's next message drain dispatches to RequestAbort.
    void PostCancelClick() const;

    RecordingUserInterface ui;
    HookedRun run{ui};
    HWND cancelWindow = nullptr;
    TempFolder source{"src"};
    TempFolder destination{"dst"};
};

// The header of a log of a folder list never backed up.
std::string LogHeader();
std::string LogSummary(int checked, int copied, const std::string& outcome);
// The lines between a log's header and its summary, sorted, after checking both byte for byte;
// for runs whose order depends on the order of the directory search.
std::vector<std::string> RunLines(const std::string& log, const std::string& header, const std::string& summary);

// Sets a file's last-write time (UTC) to the given calendar time.
void SetWriteTime(const std::string& path, int year, int month, int day, int hour, int minute, int second = 0);
FILETIME WriteTimeOf(const std::string& path);
bool FileExists(const std::string& path);
