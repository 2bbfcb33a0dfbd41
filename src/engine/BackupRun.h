#pragma once

#include "engine/BackupOptions.h"
#include "engine/BackupUserInterface.h"
#include "engine/FolderWalker.h"

#include <windows.h>

#include <vector>

// The engine's one object: walks the folder list's entries, mirrors every folder under the
// destination, copies the files the options ask for, and keeps the run's log and counts.
class BackupRun : public FolderWalker {
public:
    explicit BackupRun(BackupUserInterface& userInterface);
    ~BackupRun() override;

    // The whole backup run: the options confirmation, the log, the walk of every folder-list entry
    // with every one of its patterns, the last-backup stamp of a completed run and the summary.
    void Run();

    // Whether the existing copy at destFilePath makes a new copy unnecessary.
    bool IsUpToDate(const FILETIME& sourceWriteTime, const char* destFilePath);
    // Creates the folder path, asking for another disk while that fails; false when the user gives up.
    bool EnsureFolder(const char* path);
    // The free bytes of the volume holding path, in unsigned decimal.
    static void FormatFreeSpace(const char* path, char* out, std::size_t outSize);

    // Opens a fresh log and writes its header; false (after telling the user) when it cannot be created.
    bool CreateLog();
    // Appends "! " (for an error line, which is counted), text, tail and CR LF.
    void WriteLogLine(const char* text, const char* tail, int isError);
    // Writes the counts and the outcome, closes the log and shows the outcome in status bar part 0.
    void WriteSummary();
    void DeleteLog();
    void OpenLog();

    // Called by the progress dialog's Cancel; the next handler call ends the run.
    void RequestAbort() { abortRequested = 1; }
    const char* LogPath() const { return logPath; }
    bool LogWritten() const { return logWritten != 0; }

    BackupOptions options;
    int abortRequested = 0;
    int filesChecked = 0;
    int filesCopied = 0;
    int errorCount = 0;

protected:
    int OnFile(const WIN32_FIND_DATAA& entry) override;
    int OnFolder(const WIN32_FIND_DATAA& entry) override;
    int OnPathTooLong(const char* folder, const char* name) override;
    int OnFolderLoop(const WIN32_FIND_DATAA& entry) override;
    bool IsFolderToPassOver(const FolderIdentity& identity) override;

    BackupUserInterface& ui;
    int logWritten = 0;
    HANDLE logFile = INVALID_HANDLE_VALUE;
    // the current folder-list entry's folder, ending in "\"
    char sourceFolder[340] = {};
    // the destination folder being filled, ending in "\"; while a file is handled, followed by its name
    char destPath[340] = {};
    char message[600] = {};
    char logPath[340] = {};

private:
    // Walks every entry of the folder list; answers 1 when a handler stopped the run.
    int WalkFolderList();
    enum class CopyOutcome { Copied, Failed, DiskFull };
    // destinationMissing: a lookup just made found no copy at destPath
    CopyOutcome CopyToDestination(const char* sourcePath, DWORD sourceAttributes, bool destinationMissing, DWORD& failure);
    // IsUpToDate that also tells whether the lookup found no copy at all
    bool IsUpToDate(const FILETIME& sourceWriteTime, const char* destFilePath, bool& destinationMissing);
    // the current folder's destination was refused as too long, so its files are passed over
    bool destinationRefused = false;
    // Remembers the destination folder and the mirror folder the walk's root is copied under, so
    // that a destination inside a source folder is never walked and its copies never copied again.
    void RememberRunOutput();
    // the folders this run writes into, never entered by its walks
    std::vector<FolderIdentity> runOutput;
};
