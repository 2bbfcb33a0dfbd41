#include "engine/LogText.h"

#include "text/BoundedText.h"

const char kLogTitle[] = "*** Trellisvault log file ***";

bool FormatByteCount(std::uint64_t bytes, char* out, std::size_t outSize)
{
    return FormatText(out, outSize, "%llu", static_cast<unsigned long long>(bytes));
}

bool FormatCopyFailureReason(unsigned long code, char* out, std::size_t outSize)
{
    switch (code) {
    case 3:
        return CopyText(out, outSize, "path not found:");
    case 5:
        return CopyText(out, outSize, "access denied:");
    case 32:
        return CopyText(out, outSize, "sharing violation:");
    case 33:
        return CopyText(out, outSize, "another process has locked a portion of the file:");
    case 223:
        return CopyText(out, outSize, "too large for the destination's file system:");
    default:
        return FormatText(out, outSize, "error #%lu", code);
    }
}

bool FormatDiskFullMessage(const char* sourcePath, std::uint64_t fileSize, const char* freeSpace, char* out, std::size_t outSize)
{
    return FormatText(out, outSize,
                      "The file %s is %llu bytes. The disk space left is %s bytes. Insert another disk so the backup can continue.",
                      sourcePath, static_cast<unsigned long long>(fileSize), freeSpace);
}

bool FormatCopiedRecord(bool hidden, bool system, char* out, std::size_t outSize)
{
    return FormatText(out, outSize, "  Copied %s%sfile: ", hidden ? "hidden " : "", system ? "system " : "");
}

bool FormatSummaryOutcome(bool abortRequested, int errorCount, char* out, std::size_t outSize)
{
    if (abortRequested) {
        CopyText(out, outSize, "User aborted backup.");
        return true;
    }
    if (errorCount != 0)
        FormatText(out, outSize, "%d errors occured during the backup.", errorCount);
    else
        CopyText(out, outSize, "Backup completed without errors.");
    return false;
}
