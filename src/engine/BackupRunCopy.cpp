#include "engine/BackupRun.h"

#include "engine/CopyProgress.h"
#include "engine/CopyRules.h"
#include "engine/LastBackupStamp.h"
#include "engine/FolderPaths.h"
#include "text/BoundedText.h"

// Removes a file that the copy itself created and could not finish.
static void DiscardUnfinished(const char* path)
{
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
}

static bool NameWasTaken(DWORD code)
{
    return code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
}

static bool IsMissing(DWORD code)
{
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

// Gives the copy plain attributes. A source with none but the archive attribute gave its copy
// nothing to clear, and the call costs as much as the copy's rename, so it is left out then.
static void MakePlain(const char* path, DWORD sourceAttributes)
{
    if (sourceAttributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL))
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
}

// A copy refused as not found, access denied or sharing violation stopped at opening its source
// or creating the destination, so a file now found at the destination's name is someone else's.
static bool MayHaveCreatedDestination(DWORD code)
{
    return !IsMissing(code) && code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION;
}

// Copies the source under a free temporary name in folder. The copy may only create the name, so
// a name someone else holds is never touched, and what a failed copy leaves there is ours to remove.
static bool CopyToTemporaryName(const char* sourcePath, const char* folder, CopyProgress& progress, char* temporary, std::size_t size, DWORD& failure)
{
    DWORD seed = GetTickCount() ^ GetCurrentProcessId();
    failure = ERROR_FILE_EXISTS;
    for (DWORD attempt = 0; attempt < 0x10000 && NameWasTaken(failure); ++attempt) {
        FormatText(temporary, size, "%s~tv%04lx.tmp", folder, static_cast<unsigned long>((seed + attempt) & 0xFFFF));
        if (CopyFileExA(sourcePath, temporary, CopyProgress::Routine, &progress, nullptr, COPY_FILE_FAIL_IF_EXISTS))
            return true;
        failure = GetLastError();
    }
    if (!NameWasTaken(failure) && MayHaveCreatedDestination(failure))
        DiscardUnfinished(temporary);
    return false;
}

// Every copy is made under a fresh temporary name in the destination folder and takes the copy's
// name only once it is complete, so a copy cut short (a failure, a Cancel, a crash, a killed
// process) never stands under the file's name looking current, and a previous copy stays untouched.
BackupRun::CopyOutcome BackupRun::CopyToDestination(const char* sourcePath, DWORD sourceAttributes, bool destinationMissing, DWORD& failure)
{
    auto outcomeOf = [](DWORD code) { return IsDiskFull(code) ? CopyOutcome::DiskFull : CopyOutcome::Failed; };
    char folder[MAX_PATH];
    CopyText(folder, destPath);
    CutToFolder(folder);
    char temporary[MAX_PATH];
    CopyProgress progress(abortRequested, GetTickCount());
    if (!CopyToTemporaryName(sourcePath, folder, progress, temporary, sizeof temporary, failure)) {
        quitDuringCopy = progress.QuitWaiting();
        return failure == ERROR_REQUEST_ABORTED ? CopyOutcome::Cancelled : outcomeOf(failure);
    }
    if (!destinationMissing)
        destinationMissing = GetFileAttributesA(destPath) == INVALID_FILE_ATTRIBUTES && IsMissing(GetLastError());
    // a name nobody holds needs no checks, as this move replaces nothing; a name taken meanwhile
    // holds someone else's file, which is replaced the safe way below. Within one folder the move
    // is a rename, which writing through would not change.
    if (destinationMissing && MoveFileExA(temporary, destPath, 0)) {
        MakePlain(destPath, sourceAttributes);
        return CopyOutcome::Copied;
    }
    // an existing copy that a direct copy could not overwrite (read-only, open elsewhere) is
    // refused with the same answer; the attribute is asked because a process with full rights
    // (Wine run as root) could write the file anyway
    DWORD existingAttributes = GetFileAttributesA(destPath);
    if (existingAttributes != INVALID_FILE_ATTRIBUTES && (existingAttributes & FILE_ATTRIBUTE_READONLY)) {
        failure = ERROR_ACCESS_DENIED;
        DiscardUnfinished(temporary);
        return CopyOutcome::Failed;
    }
    HANDLE existing = CreateFileA(destPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (existing != INVALID_HANDLE_VALUE) {
        CloseHandle(existing);
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        failure = GetLastError();
        DiscardUnfinished(temporary);
        return CopyOutcome::Failed;
    }
    if (!MoveFileExA(temporary, destPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = GetLastError();
        DiscardUnfinished(temporary);
        return outcomeOf(failure);
    }
    MakePlain(destPath, sourceAttributes);
    return CopyOutcome::Copied;
}

bool BackupRun::IsUpToDate(const FILETIME& sourceWriteTime, std::uint64_t sourceSize, const char* destFilePath)
{
    bool destinationMissing = false;
    return IsUpToDate(sourceWriteTime, sourceSize, destFilePath, destinationMissing);
}

// The copy's time is asked with GetFileAttributesExA, which gives the same last-write time as a
// directory search on the copy's name, but without Wine's scan of the whole folder.
bool BackupRun::IsUpToDate(const FILETIME& sourceWriteTime, std::uint64_t sourceSize, const char* destFilePath, bool& destinationMissing)
{
    WIN32_FILE_ATTRIBUTE_DATA destination;
    if (!GetFileAttributesExA(destFilePath, GetFileExInfoStandard, &destination)) {
        destinationMissing = IsMissing(GetLastError());
        return false;
    }
    // a folder of the file's name holds no copy of it; the copy attempt then reports the clash
    if (destination.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    SYSTEMTIME source;
    SYSTEMTIME copy;
    if (!FileTimeToSystemTime(&sourceWriteTime, &source) || !FileTimeToSystemTime(&destination.ftLastWriteTime, &copy))
        return false;
    std::uint64_t copySize = (static_cast<std::uint64_t>(destination.nFileSizeHigh) << 32) | destination.nFileSizeLow;
    return IsCopyCurrent(CalendarTimeOf(source), sourceSize, CalendarTimeOf(copy), copySize);
}
