#include "ProgramProbe.h"

#include "BenchClock.h"
#include "driver/ProgramWindows.h"
#include "resource.h"

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kPatience = 120 * 1000;

struct StartedProgram {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
};

// The rows of the window's list view, asked as any program may ask; -1 while it cannot answer.
int ListRows(HWND window)
{
    HWND list = FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
    DWORD_PTR rows = 0;
    if (list == nullptr || !SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, kPatience, &rows))
        return -1;
    return static_cast<int>(rows);
}

// Starts the program and waits until it shows a window of the class holding `rows` list rows
// (none asked for when rows is 0); answers the seconds taken, or a negative number on failure.
double StartUntilShown(const char* program, const char* windowClass, int rows, StartedProgram& started)
{
    std::string commandLine = std::string("\"") + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    double start = Now();
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started.process)) {
        std::fprintf(stderr, "tvbench: cannot start %s (error %lu)\n", program, GetLastError());
        return -1;
    }
    // the first wait for input comes once the program's loop runs; a poll covers a program that waited earlier
    WaitForInputIdle(started.process.hProcess, kPatience);
    while (Now() - start < kPatience / 1000.0) {
        started.window = FindProgramWindow(started.process.dwProcessId, windowClass, nullptr);
        if (started.window != nullptr && (rows == 0 || ListRows(started.window) == rows))
            return Now() - start;
        if (WaitForSingleObject(started.process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    std::fprintf(stderr, "tvbench: %s showed no %s window with %d rows\n", program, windowClass, rows);
    return -1;
}

// Closes the window as its close box does and waits for the program to end; answers its exit code.
DWORD EndProgram(StartedProgram& started)
{
    if (started.window != nullptr)
        PostMessageA(started.window, WM_CLOSE, 0, 0);
    if (started.window == nullptr || WaitForSingleObject(started.process.hProcess, kPatience) != WAIT_OBJECT_0)
        TerminateProcess(started.process.hProcess, 99);
    DWORD exitCode = 0;
    GetExitCodeProcess(started.process.hProcess, &exitCode);
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
    return exitCode;
}

double Seconds(const FILETIME& user, const FILETIME& kernel)
{
    ULARGE_INTEGER u = {{user.dwLowDateTime, user.dwHighDateTime}};
    ULARGE_INTEGER k = {{kernel.dwLowDateTime, kernel.dwHighDateTime}};
    return static_cast<double>(u.QuadPart + k.QuadPart) / 1e7;
}

// The processor time of the thread that owns the window, over `seconds` of waiting; negative
// when the system does not tell it.
double IdleProcessorShare(HWND window, double seconds)
{
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, GetWindowThreadProcessId(window, nullptr));
    if (thread == nullptr)
        return -1;
    FILETIME created, ended, kernel, user;
    double share = -1;
    if (GetThreadTimes(thread, &created, &ended, &kernel, &user)) {
        double before = Seconds(user, kernel);
        double start = Now();
        Sleep(static_cast<DWORD>(seconds * 1000));
        if (GetThreadTimes(thread, &created, &ended, &kernel, &user))
            share = (Seconds(user, kernel) - before) / (Now() - start);
    }
    CloseHandle(thread);
    return share;
}

struct BackupAnswers {
    // the longest wait, and when it began, in seconds after the options dialog's Backup button
    double longest = -1;
    double longestAt = -1;
    // from the Backup button to the main window enabled again
    double run = -1;
};

// The waits for the main window's answer to WM_NULL, sent again and again from the moment the
// options dialog's Backup button is pressed until the run has enabled the window again.
bool TimeAnswersDuringBackup(const StartedProgram& started, BackupAnswers& answers)
{
    PostMessageA(started.window, WM_COMMAND, MAKEWPARAM(IDM_START_BACKUP, 0), 0);
    double start = Now();
    HWND options = nullptr;
    while (options == nullptr && Now() - start < kPatience / 1000.0) {
        Sleep(1);
        options = FindProgramWindow(started.process.dwProcessId, "#32770", "Backup");
    }
    if (options == nullptr) {
        std::fprintf(stderr, "tvbench: the Backup options dialog did not show\n");
        return false;
    }
    HWND backupButton = GetDlgItem(options, IDC_START_BACKUP);
    PostMessageA(options, WM_COMMAND, MAKEWPARAM(IDC_START_BACKUP, BN_CLICKED), reinterpret_cast<LPARAM>(backupButton));
    start = Now();
    answers.longest = 0;
    bool running = false;
    while (Now() - start < 10 * kPatience / 1000.0) {
        double asked = Now();
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(started.window, WM_NULL, 0, 0, SMTO_NORMAL, 10 * kPatience, &answer))
            return false;
        double waited = Now() - asked;
        if (waited > answers.longest) {
            answers.longest = waited;
            answers.longestAt = asked - start;
        }
        bool enabled = IsWindowEnabled(started.window) != 0;
        if (running && enabled) {
            answers.run = Now() - start;
            return true;
        }
        running = running || !enabled;
        Sleep(1);
    }
    std::fprintf(stderr, "tvbench: the backup did not end\n");
    return false;
}

// Makes the list the program's remembered folder list, kept in its data folder so that it stays there.
bool RememberFolderList(const char* folderList)
{
    char folder[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, folder)))
        return false;
    std::string dataFolder = std::string(folder) + "\\Pennyroyal\\Trellisvault\\";
    int made = SHCreateDirectoryExA(nullptr, dataFolder.c_str(), nullptr);
    if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS)
        return false;
    std::string dataFile = dataFolder + "TvBench.ini";
    if (!CopyFileA(folderList, dataFile.c_str(), FALSE))
        return false;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Pennyroyal\\Tvault\\Settings", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG stored = RegSetValueExA(key, "DataFile", 0, REG_SZ, reinterpret_cast<const BYTE*>(dataFile.c_str()),
                                 static_cast<DWORD>(dataFile.size() + 1));
    RegCloseKey(key);
    return stored == ERROR_SUCCESS;
}

} // namespace

int ProbeProgram(const char* program, const char* folderList, int rows)
{
    if (!RememberFolderList(folderList)) {
        std::fprintf(stderr, "tvbench: cannot make %s the remembered folder list\n", folderList);
        return 1;
    }
    StartedProgram started;
    double startup = StartUntilShown(program, "MainClass", rows, started);
    double idle = -1;
    BackupAnswers answers;
    bool answered = false;
    if (startup >= 0) {
        // the list's first painting comes after its rows, which the start-up waited for
        Sleep(1000);
        idle = IdleProcessorShare(started.window, 5.0);
        answered = TimeAnswersDuringBackup(started, answers);
    }
    DWORD exitCode = EndProgram(started);
    std::printf("startup=%.4f idle_share=%.5f longest_answer=%.4f longest_at=%.3f run=%.3f exit=%lu\n", startup, idle, answers.longest,
                answers.longestAt, answers.run, exitCode);
    return answered ? 0 : 1;
}

int ProbeFloor(const char* program)
{
    StartedProgram started;
    double startup = StartUntilShown(program, "TvMinimalWindow", 0, started);
    DWORD exitCode = EndProgram(started);
    std::printf("startup=%.4f exit=%lu\n", startup, exitCode);
    return startup >= 0 ? 0 : 1;
}
