#include "engine/BackupRun.h"

#include "engine/FolderPaths.h"
#include "engine/LastBackupStamp.h"
#include "engine/LogText.h"
#include "engine/PathText.h"
#include "text/BoundedText.h"
#include "framework/PumpMessages.h"

#include <cstdint>
#include <cstring>

// Longest destination folder (with its "\") that CreateDirectoryA accepts with room for a temporary name in it.
static constexpr std::size_t kLongestDestinationFolder = MAX_PATH - 14;
// Longest file path the 8-bit file functions accept.
static constexpr std::size_t kLongestFilePath = MAX_PATH - 1;

BackupRun::BackupRun(BackupUserInterface& userInterface) : ui(userInterface)
{
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp)
        CopyText(logPath, "\\");
    else
        CopyText(logPath, temp);
    AppendText(logPath, "BackupLog.txt");
}

BackupRun::~BackupRun()
{
    if (logFile != INVALID_HANDLE_VALUE)
        CloseHandle(logFile);
}

int BackupRun::OnFolder(const WIN32_FIND_DATAA&)
{
    if (abortRequested)
        return 1;
    destinationRefused = false;
    DestinationMapping mapping = MapDestinationFolder(options.destination, currentPath, destPath, sizeof destPath);
    if (mapping == DestinationMapping::UnknownPath) {
        FormatText(message, sizeof message, "Unknown path:\n\n%s", currentPath);
        ui.ShowWarning(message, "Trellisvault");
        WriteLogLine("Unknown path:  ", currentPath, 1);
        return 1;
    }
    if (mapping == DestinationMapping::TooLong || std::strlen(destPath) > kLongestDestinationFolder) {
        // the system could neither create nor fill this folder; its files are passed over
        destinationRefused = true;
        destPath[0] = '\0';
        WriteLogLine("Path too long - ", currentPath, 1);
        return 0;
    }
    if (FolderExists(destPath) || EnsureFolder(destPath)) {
        if (depth == 0)
            RememberRunOutput();
        return 0;
    }
    WriteLogLine("Can't create folder.", "", 1);
    return 1;
}

void BackupRun::RememberRunOutput()
{
    char mirrorRoot[340];
    CopyText(mirrorRoot, destPath);
    // the mirror's first level (the drive's or server's folder) ends at the first "\" after the root
    char* end = std::strchr(mirrorRoot + std::strlen(options.destination), '\\');
    if (end != nullptr)
        end[1] = '\0';
    for (const char* folder : {static_cast<const char*>(options.destination), static_cast<const char*>(mirrorRoot)}) {
        FolderIdentity identity;
        if (IdentifyFolder(folder, identity) && !IsFolderToPassOver(identity))
            runOutput.push_back(identity);
    }
}

bool BackupRun::IsFolderToPassOver(const FolderIdentity& identity)
{
    for (const FolderIdentity& output : runOutput) {
        if (IsSameFolder(output, identity))
            return true;
    }
    return false;
}

int BackupRun::OnFolderLoop(const WIN32_FIND_DATAA& entry)
{
    FormatText(message, sizeof message, "%s%s\\", currentPath, entry.cFileName);
    WriteLogLine("Folder loop not entered - ", message, 1);
    return 0;
}

int BackupRun::OnPathTooLong(const char* folder, const char* name)
{
    FormatText(message, sizeof message, "Path too long - %s", folder);
    WriteLogLine(message, name, 1);
    return 0;
}

int BackupRun::OnFile(const WIN32_FIND_DATAA& entry)
{
    if (abortRequested)
        return 1;
    PumpMessages();

    bool hiddenFile = (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    bool systemFile = (entry.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    char sourcePath[340];
    if (!CopyText(sourcePath, currentPath) || !AppendText(sourcePath, entry.cFileName) || std::strlen(sourcePath) > kLongestFilePath) {
        // a file the filters pass over anyway stays silent
        if ((hiddenFile && !options.copyHidden) || (systemFile && !options.copySystem))
            return 0;
        OnPathTooLong(currentPath, entry.cFileName);
        return 0;
    }

    DWORD attributes = GetFileAttributesA(sourcePath);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        WriteLogLine("Unable to get source attributes - ", sourcePath, 1);
        return 0;
    }
    hiddenFile = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    systemFile = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    if (hiddenFile && !options.copyHidden)
        return 0;
    if (systemFile && !options.copySystem)
        return 0;
    if (destinationRefused)
        return 0;

    CutToFolder(destPath);
    if (!AppendText(destPath, entry.cFileName) || std::strlen(destPath) > kLongestFilePath) {
        CutToFolder(destPath);
        WriteLogLine("Path too long - ", sourcePath, 1);
        return 0;
    }

    if (PumpMessages()) {
        WriteLogLine("User aborted backup.", "", 1);
        return 1;
    }
    for (;;) {
        ++filesChecked;
        bool destinationMissing = false;
        if (options.copyUpdated && IsUpToDate(entry.ftLastWriteTime, destPath, destinationMissing))
            return 0;

        DWORD failure = 0;
        CopyOutcome outcome = CopyToDestination(sourcePath, attributes, destinationMissing, failure);
        if (outcome == CopyOutcome::Copied) {
            ++filesCopied;
            FormatText(message, sizeof message, "%d", filesCopied);
            ui.SetStatusText(2, message);
            if (options.recordFileNames) {
                char record[80];
                FormatCopiedRecord(hiddenFile, systemFile, record, sizeof record);
                WriteLogLine(record, sourcePath, 0);
            }
            return 0;
        }
        if (outcome == CopyOutcome::Failed) {
            char reason[64];
            FormatCopyFailureReason(failure, reason, sizeof reason);
            FormatText(message, sizeof message, "Can't copy - %s ", reason);
            WriteLogLine(message, sourcePath, 1);
            return 0;
        }

        char freeSpace[32];
        FormatFreeSpace(destPath, freeSpace, sizeof freeSpace);
        std::uint64_t fileSize = (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        FormatDiskFullMessage(sourcePath, fileSize, freeSpace, message, sizeof message);
        if (!ui.AskNextDisk(message)) {
            WriteLogLine("User aborted backup.", "", 1);
            return 1;
        }
        CutToFolder(destPath);
        if (!EnsureFolder(destPath)) {
            WriteLogLine("Can't create folder.", "", 1);
            return 1;
        }
        AppendText(destPath, entry.cFileName);
        if (PumpMessages()) {
            WriteLogLine("User aborted backup.", "", 1);
            return 1;
        }
    }
}

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

// Creates a new, empty file under a free temporary name in folder. A copy made with "fail if
// exists" cannot tell a taken name from a source it could not open (both are found before the
// destination is touched), so a name is owned only once this process has created it.
static bool ReserveTemporaryName(const char* folder, char* temporary, std::size_t size, DWORD& failure)
{
    DWORD seed = GetTickCount() ^ GetCurrentProcessId();
    failure = ERROR_FILE_EXISTS;
    for (DWORD attempt = 0; attempt < 0x10000; ++attempt) {
        FormatText(temporary, size, "%s~tv%04lx.tmp", folder, static_cast<unsigned long>((seed + attempt) & 0xFFFF));
        HANDLE reserved = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (reserved != INVALID_HANDLE_VALUE) {
            CloseHandle(reserved);
            return true;
        }
        failure = GetLastError();
        if (!NameWasTaken(failure))
            return false;
    }
    return false;
}

// Where no copy exists yet, copies straight to its name, which the copy may only create, and
// removes what a failed copy left there. An existing copy is replaced through a fresh temporary
// name in the destination folder only once the new one is complete, so a failed copy leaves
// the previous copy untouched and nothing partial behind.
BackupRun::CopyOutcome BackupRun::CopyToDestination(const char* sourcePath, DWORD sourceAttributes, bool destinationMissing, DWORD& failure)
{
    if (!destinationMissing)
        destinationMissing = GetFileAttributesA(destPath) == INVALID_FILE_ATTRIBUTES && IsMissing(GetLastError());
    if (destinationMissing) {
        if (CopyFileA(sourcePath, destPath, TRUE)) {
            MakePlain(destPath, sourceAttributes);
            return CopyOutcome::Copied;
        }
        failure = GetLastError();
        // a name taken meanwhile holds someone else's file, which is replaced the safe way below
        if (!NameWasTaken(failure)) {
            if (MayHaveCreatedDestination(failure))
                DiscardUnfinished(destPath);
            return failure == ERROR_DISK_FULL ? CopyOutcome::DiskFull : CopyOutcome::Failed;
        }
    }

    char folder[MAX_PATH];
    CopyText(folder, destPath);
    CutToFolder(folder);
    char temporary[MAX_PATH];
    if (!ReserveTemporaryName(folder, temporary, sizeof temporary, failure))
        return failure == ERROR_DISK_FULL ? CopyOutcome::DiskFull : CopyOutcome::Failed;
    // the copy only overwrites the empty file reserved above, so whatever it leaves is ours to remove
    if (!CopyFileA(sourcePath, temporary, FALSE)) {
        failure = GetLastError();
        DiscardUnfinished(temporary);
        return failure == ERROR_DISK_FULL ? CopyOutcome::DiskFull : CopyOutcome::Failed;
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
        return failure == ERROR_DISK_FULL ? CopyOutcome::DiskFull : CopyOutcome::Failed;
    }
    MakePlain(destPath, sourceAttributes);
    return CopyOutcome::Copied;
}

bool BackupRun::IsUpToDate(const FILETIME& sourceWriteTime, const char* destFilePath)
{
    bool destinationMissing = false;
    return IsUpToDate(sourceWriteTime, destFilePath, destinationMissing);
}

// The copy's time is asked with GetFileAttributesExA, which gives the same last-write time as a
// directory search on the copy's name, but without Wine's scan of the whole folder.
bool BackupRun::IsUpToDate(const FILETIME& sourceWriteTime, const char* destFilePath, bool& destinationMissing)
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
    return IsSameMinuteOrLater(CalendarTimeOf(copy), CalendarTimeOf(source));
}

bool BackupRun::EnsureFolder(const char* path)
{
    for (;;) {
        if (CreateFolderPath(path))
            return true;
        FormatText(message, sizeof message, "%s\nCan't create folder.", path);
        if (!ui.AskNextDisk(message))
            return false;
    }
}

void BackupRun::FormatFreeSpace(const char* path, char* out, std::size_t outSize)
{
    char folder[340];
    CopyText(folder, path);
    CutToFolder(folder);
    ULONGLONG freeBytes = 0;
    using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    FARPROC found = kernel != nullptr ? GetProcAddress(kernel, "GetDiskFreeSpaceExA") : nullptr;
    if (found != nullptr) {
        // through void(*)() so the compiler accepts the cast of a looked-up function
        FreeSpaceEx freeSpaceEx = reinterpret_cast<FreeSpaceEx>(reinterpret_cast<void (*)()>(found));
        ULARGE_INTEGER available;
        ULARGE_INTEGER total;
        ULARGE_INTEGER totalFree;
        if (freeSpaceEx(folder, &available, &total, &totalFree))
            freeBytes = available.QuadPart;
    } else {
        char root[] = "x:\\";
        root[0] = path[0];
        DWORD sectorsPerCluster = 0;
        DWORD bytesPerSector = 0;
        DWORD freeClusters = 0;
        DWORD clusters = 0;
        if (GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
            freeBytes = static_cast<ULONGLONG>(freeClusters) * sectorsPerCluster * bytesPerSector;
    }
    FormatByteCount(freeBytes, out, outSize);
}
