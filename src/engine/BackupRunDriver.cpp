#include "engine/BackupRun.h"

#include "engine/AnsiCodePage.h"
#include "engine/RelativePath.h"
#include "engine/WildcardList.h"
#include "text/BoundedText.h"

void BackupRun::Run()
{
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
    ui.ShowProgress();
    ui.EnableFrame(false);
    ui.UpdateDestinationPane();

    // a run that stopped early records no backup time
    if (WalkFolderList() == 0) {
        ui.StampLastBackup();
        ui.UpdateTitle();
        ui.MarkBackupDone();
    }

    ui.EnableFrame(true);
    ui.DestroyProgress();
    WriteSummary();
    if (errorCount != 0 || options.recordFileNames)
        OpenLog();
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
        int maxDepth = row.includeSubfolders ? 16 : 0;
        while (const char* pattern = patterns.Next()) {
            if (options.recordFileNames) {
                FormatText(message, sizeof message, "Checking folder: %s", sourceFolder);
                WriteLogLine(message, pattern, 0);
            }
            if (Walk(sourceFolder, pattern, maxDepth, 0) == 1)
                return 1;
        }
    }
    return 0;
}
