#pragma once

#include "engine/BackupOptions.h"
#include "engine/BackupUserInterface.h"
#include "engine/FolderWalker.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
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
    bool IsUpToDate(const FILETIME& sourceWriteTime, std::uint64_t sourceSize, const char* destFilePath);
    // Absent: the folder is not there and a run that only checks leaves it so.
    enum class FolderOutcome { Made, PassedOver, GivenUp, Absent };
    // Creates the folder path. A full or removed disk brings the next-disk question until the
    // folder is made or the user gives up; any other failure is logged and its files passed over.
    FolderOutcome EnsureFolder(const char* path);
    // The free bytes of the volume holding path, in unsigned decimal.
    static void FormatFreeSpace(const char* path, char* out, std::size_t outSize);

    // Opens a fresh log and writes its header; false (after telling the user) when it cannot be created.
    bool CreateLog();
    // Appends "! " (for an error line, which is counted), text, tail and CR LF.
    virtual void WriteLogLine(const char* text, const char* tail, int isError);
    // Writes the counts and the outcome, closes the log and shows the outcome in status bar part 0.
    void WriteSummary();
    void DeleteLog();
    void OpenLog();

    // Called by the progress dialog's Cancel, and by the console runner's Ctrl+C on a thread of its
    // own; the next handler call (or the copy under way) ends the run.
    void RequestAbort() { abortRequested = 1; }
    // The Windows session ends while a run may be under way, inside one of its message drains:
    // the run is cancelled and its log gets the abort line and summary now, before the session goes.
    void StopForSessionEnd();
    const char* LogPath() const { return logPath; }
    bool LogWritten() const { return logWritten != 0; }

    BackupOptions options;
    std::atomic<int> abortRequested{0};
    int filesChecked = 0;
    int filesCopied = 0;
    int errorCount = 0;
    // the last Run walked every entry to its end, uncancelled
    bool completed = false;

protected:
    int OnFile(const WIN32_FIND_DATAA& entry) override;
    int OnFolder(const WIN32_FIND_DATAA& entry) override;
    int OnPathTooLong(const char* folder, const char* name) override;
    int OnFolderLoop(const WIN32_FIND_DATAA& entry) override;
    bool IsFolderToPassOver(const FolderIdentity& identity) override;

    // The steps in which a run that only checks differs from a backup: the start of the walk, once
    // the log is open; a missing destination folder (made by EnsureFolder); a file that passed the
    // filters (copied); the summary's lines up to its outcome (left in `message`); and a completed
    // run (its date stamped).
    virtual void BeginWalk() {}
    virtual FolderOutcome ProvideFolder(const char* path) { return EnsureFolder(path); }
    virtual int HandleFile(const WIN32_FIND_DATAA& entry, const char* name, const char* sourcePath, DWORD attributes);
    virtual void WriteSummaryLines();
    virtual void CompleteRun();
    // IsUpToDate that also tells whether the lookup found no copy at all
    bool IsUpToDate(const FILETIME& sourceWriteTime, std::uint64_t sourceSize, const char* destFilePath, bool& destinationMissing);
    // The "! " line for a file or folder the system refused: front, the reason, and the path.
    void LogRefusal(const char* front, DWORD failure, const char* path);

    BackupUserInterface& ui;
    int logWritten = 0;
    HANDLE logFile = INVALID_HANDLE_VALUE;
    // the current folder-list entry's folder, ending in "\"
    char sourceFolder[340] = {};
    // the destination folder being filled, ending in "\"; while a file is handled, followed by its name
    char destPath[340] = {};
    char message[600] = {};
    char logPath[340] = {};
    // the current folder's destination was refused (too long, or it could not be made), so its files are passed over
    bool destinationRefused = false;
    // no copy stands in the current folder's destination: this walk made it, or it is absent
    bool destinationFolderNew = false;
    // how many levels below its folder the current entry is walked
    int entryDepth = 0;

private:
    // Walks every entry of the folder list; answers 1 when a handler stopped the run.
    int WalkFolderList();
    // The end of every folder step: drains the queue, so that a walk through folders without a
    // matching file still takes Cancel and quit; 1 when either ends the run.
    int DrainFolderStep();
    // The next-disk question, never asked over a Cancel already given: false when the run is to end.
    bool AskForNextDisk(const char* text);
    // Whether the file at destPath is larger than the destination's file system holds, asked
    // before its copy (failure 0) or after the copy was refused.
    bool ExceedsDestination(std::uint64_t fileSize, DWORD failure) const;
    enum class CopyOutcome { Copied, Failed, DiskFull, Cancelled };
    // destinationMissing: no copy stands at destPath (a lookup just made found none, or its folder is new)
    CopyOutcome CopyToDestination(const char* sourcePath, DWORD sourceAttributes, bool destinationMissing, DWORD& failure);
    // the depth of the folder whose destination could not be made, whose subfolders are passed over silently; -1 for none
    int refusedDepth = -1;
    // a copy under way stopped for a quit request, which the run then reports
    bool quitDuringCopy = false;
    // Remembers the destination folder and the mirror folder the walk's root is copied under, so
    // that a destination inside a source folder is never walked and its copies never copied again.
    void RememberRunOutput();
    // the folders this run writes into, never entered by its walks
    std::vector<FolderIdentity> runOutput;
};
