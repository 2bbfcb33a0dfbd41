#include "EngineFixture.h"

#include "engine/LastBackupStamp.h"
#include "text/BoundedText.h"

#include <algorithm>

void RecordingUserInterface::ShowWarning(const char* text, const char* caption)
{
    calls.push_back("ShowWarning");
    warnings.push_back({text, caption});
}

void RecordingUserInterface::SetStatusText(int part, const char* text)
{
    if (part < 0 || part > 2) {
        ADD_FAILURE() << "status bar part " << part;
        return;
    }
    calls.push_back("Status " + std::to_string(part) + " " + text);
    status[part] = text;
    statusHistory[part].push_back(text);
    if (whenStatusSet)
        whenStatusSet(part, text);
}

bool RecordingUserInterface::AskNextDisk(const char* text)
{
    calls.push_back("AskNextDisk");
    diskFullTexts.push_back(text);
    if (whileDiskFullAsked)
        whileDiskFullAsked(text);
    if (diskFullTexts.size() > nextDiskAnswers.size()) {
        ADD_FAILURE() << "unexpected disk-full question: " << text;
        return false;
    }
    return nextDiskAnswers[diskFullTexts.size() - 1];
}

bool RecordingUserInterface::ConfirmOptions(BackupOptions& options)
{
    calls.push_back("ConfirmOptions");
    if (confirm)
        options = confirmedOptions;
    return confirm;
}

bool RecordingUserInterface::NextFolderEntry(bool first, FolderEntryRow& row)
{
    calls.push_back(first ? "NextFolderEntry first" : "NextFolderEntry");
    if (first)
        nextRow = 0;
    if (nextRow >= rows.size())
        return false;
    row = rows[nextRow++];
    return true;
}

void RecordingUserInterface::ShowProgress()
{
    calls.push_back("ShowProgress");
    ++progressShown;
}

void RecordingUserInterface::DestroyProgress()
{
    calls.push_back("DestroyProgress");
    ++progressDestroyed;
}

void RecordingUserInterface::EnableFrame(bool enable)
{
    calls.push_back(enable ? "EnableFrame 1" : "EnableFrame 0");
    frameEnabled.push_back(enable);
}

void RecordingUserInterface::StampLastBackup()
{
    calls.push_back("StampLastBackup");
    ++stamps;
    ::StampLastBackup(confirmedOptions);
}

void RecordingUserInterface::UpdateTitle()
{
    calls.push_back("UpdateTitle");
    ++titleUpdates;
}

void RecordingUserInterface::UpdateDestinationPane()
{
    calls.push_back("UpdateDestinationPane");
    ++destinationPaneUpdates;
}

void RecordingUserInterface::MarkBackupDone()
{
    calls.push_back("MarkBackupDone");
    backupDone = true;
}

void RecordingUserInterface::OpenLogViewer(const char* path)
{
    calls.push_back("OpenLogViewer");
    openedLogs.push_back(path);
}

FolderEntryRow Row(const std::string& folder, const std::string& wildcards, bool includeSubfolders)
{
    FolderEntryRow row;
    row.cut = !CopyText(row.folder, folder.c_str());
    row.cut = !CopyText(row.wildcards, wildcards.c_str()) || row.cut;
    row.includeSubfolders = includeSubfolders;
    return row;
}

static LRESULT CALLBACK CancelClickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        reinterpret_cast<BackupRun*>(GetWindowLongPtrA(window, GWLP_USERDATA))->RequestAbort();
    return DefWindowProcA(window, message, wParam, lParam);
}

EngineTest::EngineTest()
{
    CopyText(run.options.destination, destination.Path().c_str());
    run.options.copyUpdated = false;
    cancelWindow = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(cancelWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CancelClickProc));
    SetWindowLongPtrA(cancelWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&run));
}

void EngineTest::PostCancelClick() const
{
    EXPECT_TRUE(PostMessageA(cancelWindow, WM_COMMAND, IDCANCEL, 0));
}

EngineTest::~EngineTest()
{
    DestroyWindow(cancelWindow);
    run.DeleteLog();
    DeleteFileA(run.LogPath());
}

std::string EngineTest::MirrorOf(const std::string& sourceFolder) const
{
    if (sourceFolder.compare(0, 2, "\\\\") == 0)
        return std::string(run.options.destination) + sourceFolder.substr(2);
    return std::string(run.options.destination) + sourceFolder[0] + "-Backup" + sourceFolder.substr(2);
}

int EngineTest::RunWalk(const std::string& folder, const char* pattern, int maxDepth)
{
    run.filesChecked = 0;
    run.filesCopied = 0;
    run.errorCount = 0;
    run.abortRequested = 0;
    EXPECT_TRUE(run.CreateLog());
    int result = run.Walk(folder.c_str(), pattern, maxDepth, 0);
    run.WriteSummary();
    return result;
}

std::string EngineTest::Log() const
{
    return ReadWholeFile(run.LogPath());
}

std::string LogHeader()
{
    return "*** Trellisvault log file ***\r\n\r\n";
}

std::string LogSummary(int checked, int copied, const std::string& outcome)
{
    return "\r\n" + std::to_string(checked) + " files checked.\r\n" + std::to_string(copied) + " files copied.\r\n" + outcome + "\r\n";
}

std::vector<std::string> RunLines(const std::string& log, const std::string& header, const std::string& summary)
{
    std::vector<std::string> lines;
    if (log.size() < header.size() + summary.size() || log.compare(0, header.size(), header) != 0 ||
        log.compare(log.size() - summary.size(), summary.size(), summary) != 0) {
        ADD_FAILURE() << "log without the expected header and summary:\n" << log;
        return lines;
    }
    std::string middle = log.substr(header.size(), log.size() - header.size() - summary.size());
    std::string::size_type start = 0;
    while (start < middle.size()) {
        std::string::size_type end = middle.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "line without CR LF: " << middle.substr(start);
            break;
        }
        lines.push_back(middle.substr(start, end - start));
        start = end + 2;
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

void SetWriteTime(const std::string& path, int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME calendar = {};
    calendar.wYear = static_cast<WORD>(year);
    calendar.wMonth = static_cast<WORD>(month);
    calendar.wDay = static_cast<WORD>(day);
    calendar.wHour = static_cast<WORD>(hour);
    calendar.wMinute = static_cast<WORD>(minute);
    calendar.wSecond = static_cast<WORD>(second);
    FILETIME time;
    ASSERT_TRUE(SystemTimeToFileTime(&calendar, &time));
    DWORD attributes = GetFileAttributesA(path.c_str());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);
    SetFileAttributesA(path.c_str(), attributes);
}

FILETIME WriteTimeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    EXPECT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) << path;
    return data.ftLastWriteTime;
}

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
