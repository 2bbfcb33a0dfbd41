#include "engine/VerifyRun.h"

#include "engine/CopyRules.h"
#include "engine/LastBackupStamp.h"
#include "text/BoundedText.h"

#include <cstring>
#include <functional>

namespace {

// Opens a file for reading as others keep using it.
HANDLE OpenToRead(const char* path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Closes the handle when it goes, on every way out.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const char* path) : handle(OpenToRead(path)), failure(handle == INVALID_HANDLE_VALUE ? GetLastError() : 0) {}
    ~ReadOnlyFile()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    HANDLE handle;
    DWORD failure;
};

bool IsNotFound(DWORD code)
{
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

// Calls visit for every entry of a folder but "." and "..".
void ForEachEntry(const std::string& folder, const std::function<void(const WIN32_FIND_DATAA&)>& visit)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0)
            visit(entry);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

} // namespace

VerifyRun::VerifyRun(BackupUserInterface& userInterface, RunReport& runReport)
    : CheckingRun(userInterface, runReport), comparer(abortRequested)
{
}

void VerifyRun::BeginWalk()
{
    missing = 0;
    older = 0;
    different = 0;
    orphaned = 0;
    checkedMirrors.clear();
    Report("Verify: every copy is compared with its source file; nothing is copied or deleted.", "", 0);
}

int VerifyRun::OnFolder(const WIN32_FIND_DATAA& entry)
{
    int result = BackupRun::OnFolder(entry);
    if (result == 0 && !destinationRefused && !destinationFolderNew && checkedMirrors.insert(destPath).second)
        ReportOrphans(currentPath, destPath, entryDepth - depth);
    return result;
}

int VerifyRun::HandleFile(const WIN32_FIND_DATAA& entry, const char*, const char* sourcePath, DWORD)
{
    ++filesChecked;
    // no folder, no copy
    if (destinationFolderNew)
        ReportProblem(missing, "Copy missing - ");
    else
        VerifyCopy(entry, sourcePath);
    return 0;
}

void VerifyRun::VerifyCopy(const WIN32_FIND_DATAA& entry, const char* sourcePath)
{
    ReadOnlyFile copy(destPath);
    if (copy.handle == INVALID_HANDLE_VALUE) {
        if (IsNotFound(copy.failure))
            ReportProblem(missing, "Copy missing - ");
        else
            LogRefusal("Can't verify - ", copy.failure, destPath);
        return;
    }
    // the handle's time and size, without the volume's serial number that GetFileInformationByHandle
    // also asks for, which costs Wine more than reading a small file
    FILETIME copyWriteTime;
    LARGE_INTEGER copyLength;
    SYSTEMTIME sourceTime;
    SYSTEMTIME copyTime;
    if (!GetFileTime(copy.handle, nullptr, nullptr, &copyWriteTime) || !GetFileSizeEx(copy.handle, &copyLength) ||
        !FileTimeToSystemTime(&entry.ftLastWriteTime, &sourceTime) || !FileTimeToSystemTime(&copyWriteTime, &copyTime)) {
        LogRefusal("Can't verify - ", GetLastError(), destPath);
        return;
    }
    if (!IsSameMinuteOrLater(CalendarTimeOf(copyTime), CalendarTimeOf(sourceTime))) {
        ReportProblem(older, "Copy older than its source - ");
        return;
    }
    std::uint64_t sourceSize = (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    std::uint64_t copySize = static_cast<std::uint64_t>(copyLength.QuadPart);
    if (copySize != sourceSize) {
        ReportProblem(different, "Copy differs in size - ");
        return;
    }
    ReadOnlyFile source(sourcePath);
    if (source.handle == INVALID_HANDLE_VALUE) {
        LogRefusal("Can't verify - ", source.failure, sourcePath);
        return;
    }
    DWORD failure = 0;
    switch (comparer.Compare(source.handle, copy.handle, sourceSize, failure)) {
    case BlockComparer::Result::Same:
    case BlockComparer::Result::Cancelled:
        break;
    case BlockComparer::Result::Different:
        ReportProblem(different, "Copy differs in content - ");
        break;
    case BlockComparer::Result::SourceUnreadable:
        LogRefusal("Can't verify - ", failure, sourcePath);
        break;
    case BlockComparer::Result::CopyUnreadable:
        LogRefusal("Can't verify - ", failure, destPath);
        break;
    }
}

void VerifyRun::ReportProblem(int& count, const char* what)
{
    ++count;
    Report(what, destPath, 1);
}

void VerifyRun::ReportOrphans(const std::string& source, const std::string& mirror, int levelsBelow)
{
    std::unordered_set<std::string> sourceNames;
    ForEachEntry(source, [&](const WIN32_FIND_DATAA& entry) { sourceNames.insert(entry.cFileName); });
    ForEachEntry(mirror, [&](const WIN32_FIND_DATAA& entry) {
        bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        // the walk enters no folder whose name begins with a dot, so no copy of the list's is there
        if (isFolder && (levelsBelow <= 0 || entry.cFileName[0] == '.'))
            return;
        // a name of other letter case is the same name to the file system, which decides
        if (sourceNames.count(entry.cFileName) != 0 || GetFileAttributesA((source + entry.cFileName).c_str()) != INVALID_FILE_ATTRIBUTES)
            return;
        if (isFolder) {
            ReportEveryFileBelow(mirror + entry.cFileName + "\\", levelsBelow - 1);
        } else {
            ++orphaned;
            Report("Orphaned copy: ", (mirror + entry.cFileName).c_str(), 0);
        }
    });
}

void VerifyRun::ReportEveryFileBelow(const std::string& mirror, int levelsBelow)
{
    ForEachEntry(mirror, [&](const WIN32_FIND_DATAA& entry) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ++orphaned;
            Report("Orphaned copy: ", (mirror + entry.cFileName).c_str(), 0);
        } else if (levelsBelow > 0) {
            ReportEveryFileBelow(mirror + entry.cFileName + "\\", levelsBelow - 1);
        }
    });
}

void VerifyRun::WriteSummaryLines()
{
    const std::pair<int, const char*> counts[] = {
        {filesChecked, "files verified."}, {missing, "missing."}, {older, "older."}, {different, "different."}, {orphaned, "orphaned."}};
    for (const auto& count : counts) {
        FormatText(message, sizeof message, "%d %s", count.first, count.second);
        Report(message, "", 0);
    }
    char outcome[64] = "Every copy is present and identical.";
    if (errorCount != 0)
        FormatText(outcome, sizeof outcome, "%d problems found.", errorCount);
    ReportOutcome(outcome);
}
