// The benchmark's measuring helper, run under Wine by bench/run-bench.sh:
//   tvbench time COMMAND LINE...   runs a program, prints its wall time, peak working set and exit code
//   tvbench list FOLDER...         lists the trees with FindFirstFileA/FindNextFileA
//   tvbench drain COUNT            times COUNT PeekMessageA calls on an empty queue
//   tvbench profile SOURCE MIRROR  times, per file, each call an up-to-date pass makes
//   tvbench profile-copy SOURCE TARGET  times, per file, each call a full copy makes
#include "engine/FolderIdentity.h"

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int TimeCommand(int argc, char** argv)
{
    std::string commandLine;
    for (int i = 2; i < argc; ++i) {
        if (!commandLine.empty())
            commandLine += ' ';
        commandLine += argv[i];
    }
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul;
    startup.hStdError = nul;
    PROCESS_INFORMATION process = {};
    double start = Now();
    BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    if (nul != INVALID_HANDLE_VALUE)
        CloseHandle(nul);
    if (!started) {
        std::fprintf(stderr, "tvbench: cannot start %s (error %lu)\n", commandLine.c_str(), GetLastError());
        return 1;
    }
    // Wine answers no memory counters once the process has ended, so the peak is sampled while it runs
    unsigned long long peakKb = 0;
    DWORD waited = WAIT_TIMEOUT;
    while (waited == WAIT_TIMEOUT && Now() - start < 30 * 60) {
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof memory;
        if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory) && memory.PeakWorkingSetSize / 1024 > peakKb)
            peakKb = memory.PeakWorkingSetSize / 1024;
        waited = WaitForSingleObject(process.hProcess, 25);
    }
    double seconds = Now() - start;
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 99);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory) && memory.PeakWorkingSetSize / 1024 > peakKb)
        peakKb = memory.PeakWorkingSetSize / 1024;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("seconds=%.3f peak_kb=%llu exit=%lu\n", seconds, peakKb, exitCode);
    return 0;
}

void ListTree(const std::string& folder, long& entries, std::vector<std::string>* files)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
            continue;
        ++entries;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListTree(folder + found.cFileName + "\\", entries, files);
        else if (files != nullptr)
            files->push_back(folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

int ListTrees(int argc, char** argv)
{
    long entries = 0;
    double start = Now();
    for (int i = 2; i < argc; ++i)
        ListTree(argv[i], entries, nullptr);
    std::printf("seconds=%.3f entries=%ld\n", Now() - start, entries);
    return 0;
}

int TimeDrains(long count)
{
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    double start = Now();
    for (long i = 0; i < count; ++i)
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    std::printf("seconds=%.3f\n", Now() - start);
    return 0;
}

// Per-file costs of the calls an up-to-date pass makes, each measured over the whole tree.
int Profile(const char* sourceRoot, const char* mirrorRoot)
{
    long entries = 0;
    std::vector<std::string> sources;
    ListTree(sourceRoot, entries, &sources);
    std::vector<std::string> copies;
    for (const std::string& path : sources)
        copies.push_back(mirrorRoot + path.substr(std::strlen(sourceRoot)));
    double n = static_cast<double>(sources.size());
    if (sources.empty())
        return 1;

    double start = Now();
    for (const std::string& path : sources)
        GetFileAttributesA(path.c_str());
    double sourceAttributes = Now() - start;

    WIN32_FILE_ATTRIBUTE_DATA data;
    start = Now();
    for (const std::string& path : copies)
        GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    double copyTimes = Now() - start;

    WIN32_FIND_DATAA found;
    start = Now();
    for (const std::string& path : copies) {
        HANDLE search = FindFirstFileA(path.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
    }
    double copySearches = Now() - start;

    SYSTEMTIME calendar;
    start = Now();
    for (std::size_t i = 0; i < sources.size(); ++i) {
        FileTimeToSystemTime(&data.ftLastWriteTime, &calendar);
        FileTimeToSystemTime(&data.ftLastWriteTime, &calendar);
    }
    double calendarTimes = Now() - start;

    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    start = Now();
    for (std::size_t i = 0; i < sources.size(); ++i) {
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
    double drains = Now() - start;

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr, nullptr, nullptr, nullptr);
    HWND statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame, nullptr, nullptr, nullptr);
    char count[16];
    start = Now();
    for (std::size_t i = 0; i < sources.size(); ++i) {
        std::snprintf(count, sizeof count, "%u", static_cast<unsigned>(i + 1));
        SendMessageA(statusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(count));
    }
    double statusTexts = Now() - start;
    DestroyWindow(frame);

    // the walk asks each folder it enters for its identity, to refuse folder loops
    std::vector<std::string> folders;
    for (const std::string& path : sources)
        folders.push_back(path.substr(0, path.rfind('\\') + 1));
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    FolderIdentity identity;
    start = Now();
    for (const std::string& folder : folders)
        IdentifyFolder(folder.c_str(), identity);
    double identities = Now() - start;

    std::printf("files=%lu\n", static_cast<unsigned long>(sources.size()));
    std::printf("source GetFileAttributesA       %7.1f us/file  %6.3f s\n", sourceAttributes / n * 1e6, sourceAttributes);
    std::printf("copy GetFileAttributesExA       %7.1f us/file  %6.3f s\n", copyTimes / n * 1e6, copyTimes);
    std::printf("copy FindFirstFileA (not used)  %7.1f us/file  %6.3f s\n", copySearches / n * 1e6, copySearches);
    std::printf("two FileTimeToSystemTime        %7.1f us/file  %6.3f s\n", calendarTimes / n * 1e6, calendarTimes);
    std::printf("two queue drains (PeekMessageA) %7.1f us/file  %6.3f s\n", drains / n * 1e6, drains);
    std::printf("status bar SB_SETTEXTA (copied) %7.1f us/file  %6.3f s\n", statusTexts / n * 1e6, statusTexts);
    std::printf("folder identity (per folder)    %7.1f us/folder %6.3f s for %lu folders\n", identities / static_cast<double>(folders.size()) * 1e6,
                identities, static_cast<unsigned long>(folders.size()));
    return 0;
}

// Per-file costs of the calls a full copy makes, in the order the engine makes them: first into
// an empty folder (a new copy goes straight to its name), then over those copies (each one is
// replaced through a temporary name).
int ProfileCopy(const char* sourceRoot, const char* targetRoot)
{
    long entries = 0;
    std::vector<std::string> sources;
    ListTree(sourceRoot, entries, &sources);
    if (sources.empty())
        return 1;
    constexpr int kSlots = 8;
    double costs[kSlots] = {};
    auto timed = [&costs](int slot, auto call) {
        double start = Now();
        call();
        costs[slot] += Now() - start;
    };
    std::vector<std::string> targets;
    CreateDirectoryA(targetRoot, nullptr);
    for (const std::string& path : sources) {
        targets.push_back(targetRoot + path.substr(std::strlen(sourceRoot)));
        CreateDirectoryA(targets.back().substr(0, targets.back().rfind('\\') + 1).c_str(), nullptr);
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        timed(0, [&] { GetFileAttributesA(sources[i].c_str()); });
        timed(1, [&] { GetFileAttributesExA(targets[i].c_str(), GetFileExInfoStandard, &data); });
        timed(2, [&] { CopyFileA(sources[i].c_str(), targets[i].c_str(), TRUE); });
    }
    for (std::size_t i = 0; i < sources.size(); ++i) {
        std::string temporary = targets[i].substr(0, targets[i].rfind('\\') + 1) + "~tv0001.tmp";
        timed(3, [&] { CopyFileA(sources[i].c_str(), temporary.c_str(), TRUE); });
        timed(4, [&] { GetFileAttributesA(targets[i].c_str()); });
        timed(5, [&] {
            HANDLE existing = CreateFileA(targets[i].c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (existing != INVALID_HANDLE_VALUE)
                CloseHandle(existing);
        });
        timed(6, [&] { MoveFileExA(temporary.c_str(), targets[i].c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH); });
        timed(7, [&] { SetFileAttributesA(targets[i].c_str(), FILE_ATTRIBUTE_NORMAL); });
    }
    const char* names[kSlots] = {"new: source GetFileAttributesA", "new: copy GetFileAttributesExA", "new: CopyFileA to the name",
                                 "replace: CopyFileA to a temporary", "replace: copy GetFileAttributesA", "replace: CreateFileA probe",
                                 "replace: MoveFileExA over the copy", "SetFileAttributesA plain (if any)"};
    double n = static_cast<double>(sources.size());
    std::printf("files=%lu\n", static_cast<unsigned long>(sources.size()));
    for (int i = 0; i < kSlots; ++i)
        std::printf("%-36s %7.1f us/file  %6.3f s\n", names[i], costs[i] / n * 1e6, costs[i]);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "time") == 0)
        return TimeCommand(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "list") == 0)
        return ListTrees(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "drain") == 0)
        return TimeDrains(std::strtol(argv[2], nullptr, 10));
    if (argc == 4 && std::strcmp(argv[1], "profile") == 0)
        return Profile(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "profile-copy") == 0)
        return ProfileCopy(argv[2], argv[3]);
    std::fprintf(stderr, "usage: tvbench time CMD... | list FOLDER... | drain COUNT | profile SOURCE MIRROR | profile-copy SOURCE TARGET\n");
    return 2;
}
