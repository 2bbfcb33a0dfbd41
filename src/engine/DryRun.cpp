#include "engine/DryRun.h"

#include "text/BoundedText.h"

int DryRun::HandleFile(const WIN32_FIND_DATAA& entry, const char*, const char* sourcePath, DWORD)
{
    ++filesChecked;
    std::uint64_t fileSize = (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    // the same lookups a backup makes, so that the list is the backup's
    bool destinationMissing = destinationFolderNew;
    if (options.copyUpdated && !destinationMissing && IsUpToDate(entry.ftLastWriteTime, fileSize, destPath, destinationMissing))
        return 0;
    if (!options.copyUpdated && !destinationMissing)
        destinationMissing = GetFileAttributesA(destPath) == INVALID_FILE_ATTRIBUTES;
    ++filesToCopy;
    bytesToCopy += fileSize;
    char tail[48];
    FormatText(tail, sizeof tail, ", %llu bytes, %s", static_cast<unsigned long long>(fileSize), destinationMissing ? "new" : "newer");
    FormatText(message, sizeof message, "Would copy: %s", sourcePath);
    Report(message, tail, 0);
    return 0;
}

void DryRun::BeginWalk()
{
    filesToCopy = 0;
    bytesToCopy = 0;
    Report("Dry run: nothing is copied, no folder is made and no backup date is recorded.", "", 0);
}

void DryRun::WriteSummaryLines()
{
    FormatText(message, sizeof message, "%d files checked.", filesChecked);
    Report(message, "", 0);
    FormatText(message, sizeof message, "%d files would be copied.", filesToCopy);
    Report(message, "", 0);
    FormatText(message, sizeof message, "%llu bytes would be copied.", static_cast<unsigned long long>(bytesToCopy));
    Report(message, "", 0);
    char outcome[64] = "Dry run completed without errors.";
    if (errorCount != 0)
        FormatText(outcome, sizeof outcome, "%d errors occurred during the dry run.", errorCount);
    ReportOutcome(outcome);
}
