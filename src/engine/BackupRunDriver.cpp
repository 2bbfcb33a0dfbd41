#include "engine/BackupRun.h"

#include "engine/AnsiCodePage.h"
#include "engine/RelativePath.h"
#include "engine/WildcardList.h"
#include "framework/PumpMessages.h"
#include "text/BoundedText.h"

namespace {

// Keeps the system from sleeping while a run copies, and lets it sleep again once the run ends.
class SleepGuard {
public:
    SleepGuard() { SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED); }
    ~SleepGuard() { SetThreadExecutionState(ES_CONTINUOUS); }
    SleepGuard(const SleepGuard&) = delete;
    SleepGuard& operator=(const SleepGuard&) = delete;
};

} // namespace

void BackupRun::Run()
{
    completed = false;
    filesCopied = 0;
    filesChecked = 0;
    DeleteLog();
    if (!ui.ConfirmOptions(options))
        return;
    ui.SetStatusText(2, "0");
    errorCount = 0;
    // a log that cannot be created has been reported; nothing is shown or disabled yet
    if (!CreateLog())
        return;
    abortRequested = 0;
    BeginWalk();
    ui.ShowProgress();
    ui.EnableFrame(false);
    ui.UpdateDestinationPane();

    {
        SleepGuard awake;
        int stopped = WalkFolderList();
        // a Cancel still queued when the walk ends is taken before its window goes, and counts
        PumpMessages();
        // one rule for a run that did not complete, whenever it was stopped: no backup time is recorded
        completed = stopped == 0 && !abortRequested;
        if (completed)
            CompleteRun();
    }

    ui.EnableFrame(true);
    ui.DestroyProgress();
    // the end of the Windows session has written the summary already, and nobody is there to read the log
    if (logFile == INVALID_HANDLE_VALUE)
        return;
    WriteSummary();
    if (errorCount != 0 || options.recordFileNames)
        OpenLog();
}

void BackupRun::CompleteRun()
{
    ui.StampLastBackup();
    ui.UpdateTitle();
    ui.MarkBackupDone();
}

void BackupRun::StopForSessionEnd()
{
    // the log is open exactly while a run is under way
    if (logFile == INVALID_HANDLE_VALUE)
        return;
    RequestAbort();
    WriteSummary();
}

int BackupRun::WalkFolderList()
{
    runOutput.clear();
    FolderEntryRow row;
    for (bool first = true; ui.NextFolderEntry(first, row); first = false) {
        CopyText(sourceFolder, row.folder);
        ui.SetStatusText(0, sourceFolder);
        // a refused entry is named by one error line and the run goes on: cut short, an entry
        // would walk another folder or patterns nobody wrote, and a relative one would be
        // mirrored outside its drive's folder under the destination
        if (row.cut) {
            WriteLogLine("Entry too long - ", sourceFolder, 1);
            continue;
        }
        if (HasRelativeParts(sourceFolder, AnsiLeadBytes())) {
            WriteLogLine("Relative path not backed up - ", sourceFolder, 1);
            continue;
        }
        WildcardList patterns;
        if (!patterns.Assign(row.wildcards)) {
            WriteLogLine("Wildcard list too long - ", sourceFolder, 1);
            continue;
        }
        entryDepth = row.includeSubfolders ? 16 : 0;
        while (const char* pattern = patterns.Next()) {
            if (options.recordFileNames) {
                FormatText(message, sizeof message, "Checking folder: %s", sourceFolder);
                WriteLogLine(message, pattern, 0);
            }
            if (Walk(sourceFolder, pattern, entryDepth, 0) == 1)
                return 1;
        }
    }
    return 0;
}
