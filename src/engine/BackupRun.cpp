#include "engine/BackupRun.h"

#include "engine/AnsiPaths.h"
#include "engine/CopyRules.h"
#include "engine/DestinationVolume.h"
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
    if (AnsiTempFolder(temp, sizeof temp))
        CopyText(logPath, temp);
    else
        CopyText(logPath, "\\");
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
    destinationFolderNew = false;
    // below a folder whose destination could not be made, none can be made either
    if (refusedDepth >= 0 && depth > refusedDepth) {
        destinationRefused = true;
        return DrainFolderStep();
    }
    refusedDepth = -1;
    DestinationMapping mapping =
        MapDestinationFolder(options.destination, currentPath, destPath, sizeof destPath, AnsiLeadBytes());
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
        return DrainFolderStep();
    }
    if (!FolderExists(destPath)) {
        FolderOutcome outcome = ProvideFolder(destPath);
        destinationFolderNew = outcome == FolderOutcome::Made || outcome == FolderOutcome::Absent;
        if (outcome == FolderOutcome::GivenUp) {
            // a Cancel given meanwhile is the summary's to report
            if (!abortRequested)
                WriteLogLine("Can't create folder.", "", 1);
            return 1;
        }
        if (outcome == FolderOutcome::PassedOver) {
            destinationRefused = true;
            refusedDepth = depth;
            return DrainFolderStep();
        }
    }
    if (depth == 0)
        RememberRunOutput();
    return DrainFolderStep();
}

int BackupRun::DrainFolderStep()
{
    if (PumpMessages()) {
        WriteLogLine("User aborted backup.", "", 1);
        return 1;
    }
    return abortRequested ? 1 : 0;
}

void BackupRun::RememberRunOutput()
{
    char mirrorRoot[340];
    CopyText(mirrorRoot, destPath);
    // the mirror's first level (the drive's or server's folder) ends at the first "\" after the root
    char* end = AnsiLeadBytes().FindFirst(mirrorRoot + std::strlen(options.destination), '\\');
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

// The name by which the 8-bit functions reach a file. A long name the code page cannot hold comes
// with "?" in it, which no file name may hold (nor a double-byte character as its second byte), and
// then its short name is taken; nullptr when that has none either.
static const char* NameToCopy(const WIN32_FIND_DATAA& entry)
{
    if (std::strchr(entry.cFileName, '?') == nullptr)
        return entry.cFileName;
    if (entry.cAlternateFileName[0] != '\0' && std::strchr(entry.cAlternateFileName, '?') == nullptr)
        return entry.cAlternateFileName;
    return nullptr;
}

int BackupRun::OnFile(const WIN32_FIND_DATAA& entry)
{
    if (abortRequested)
        return 1;
    PumpMessages();

    bool hiddenFile = (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    bool systemFile = (entry.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    const char* name = NameToCopy(entry);
    char sourcePath[340];
    bool fits = CopyText(sourcePath, currentPath) && AppendText(sourcePath, name != nullptr ? name : entry.cFileName) &&
                std::strlen(sourcePath) <= kLongestFilePath;
    if (!fits || name == nullptr) {
        // a file the filters pass over anyway stays silent
        if ((hiddenFile && !options.copyHidden) || (systemFile && !options.copySystem))
            return 0;
        if (fits)
            WriteLogLine("Can't copy - name outside the code page: ", sourcePath, 1);
        else
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
    if (!AppendText(destPath, name) || std::strlen(destPath) > kLongestFilePath) {
        CutToFolder(destPath);
        WriteLogLine("Path too long - ", sourcePath, 1);
        return 0;
    }

    if (PumpMessages()) {
        WriteLogLine("User aborted backup.", "", 1);
        return 1;
    }
    return HandleFile(entry, name, sourcePath, attributes);
}

int BackupRun::HandleFile(const WIN32_FIND_DATAA& entry, const char* name, const char* sourcePath, DWORD attributes)
{
    bool hiddenFile = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    bool systemFile = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    std::uint64_t fileSize = (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    for (;;) {
        ++filesChecked;
        // a folder this walk has just made holds no copy, so none is looked for
        bool destinationMissing = destinationFolderNew;
        if (options.copyUpdated && !destinationMissing && IsUpToDate(entry.ftLastWriteTime, fileSize, destPath, destinationMissing))
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
        if (outcome == CopyOutcome::Cancelled) {
            // a Cancel is the summary's to report
            if (quitDuringCopy)
                WriteLogLine("User aborted backup.", "", 1);
            return 1;
        }
        if (outcome == CopyOutcome::Failed) {
            LogRefusal("Can't copy - ", failure, sourcePath);
            return 0;
        }

        // another disk of the same kind would refuse the file just the same
        std::uint64_t freeBytes = FreeSpaceOf(destPath);
        char fileSystem[MAX_PATH + 1];
        FileSystemOf(destPath, fileSystem, sizeof fileSystem);
        if (IsTooLargeForFileSystem(fileSystem, fileSize, freeBytes, failure)) {
            LogRefusal("Can't copy - ", kErrorFileTooLarge, sourcePath);
            return 0;
        }
        char freeSpace[32];
        FormatByteCount(freeBytes, freeSpace, sizeof freeSpace);
        FormatDiskFullMessage(sourcePath, fileSize, freeSpace, message, sizeof message);
        if (!AskForNextDisk(message)) {
            if (!abortRequested)
                WriteLogLine("User aborted backup.", "", 1);
            return 1;
        }
        CutToFolder(destPath);
        // the new disk may hold the folder and its copies already
        destinationFolderNew = false;
        FolderOutcome folder = EnsureFolder(destPath);
        if (folder == FolderOutcome::GivenUp) {
            if (!abortRequested)
                WriteLogLine("Can't create folder.", "", 1);
            return 1;
        }
        if (folder == FolderOutcome::PassedOver) {
            destinationRefused = true;
            refusedDepth = depth;
            return 0;
        }
        AppendText(destPath, name);
        if (PumpMessages()) {
            WriteLogLine("User aborted backup.", "", 1);
            return 1;
        }
    }
}

void BackupRun::LogRefusal(const char* front, DWORD failure, const char* path)
{
    char reason[64];
    FormatCopyFailureReason(failure, reason, sizeof reason);
    FormatText(message, sizeof message, "%s%s ", front, reason);
    WriteLogLine(message, path, 1);
}

BackupRun::FolderOutcome BackupRun::EnsureFolder(const char* path)
{
    for (;;) {
        if (CreateFolderPath(path))
            return FolderOutcome::Made;
        DWORD failure = GetLastError();
        if (!AsksForAnotherDisk(failure, VolumeAnswers(path))) {
            LogRefusal("Can't create folder - ", failure, path);
            return FolderOutcome::PassedOver;
        }
        FormatText(message, sizeof message, "%s\nCan't create folder.", path);
        if (!AskForNextDisk(message))
            return FolderOutcome::GivenUp;
    }
}

bool BackupRun::AskForNextDisk(const char* text)
{
    // a Cancel or a quit already given ends the run; the question would only hold it up
    if (PumpMessages() || abortRequested)
        return false;
    return ui.AskNextDisk(text) && !abortRequested;
}

void BackupRun::FormatFreeSpace(const char* path, char* out, std::size_t outSize)
{
    FormatByteCount(FreeSpaceOf(path), out, outSize);
}
