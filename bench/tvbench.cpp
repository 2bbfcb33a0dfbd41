// The benchmark's measuring helper, run under Wine by bench/run-bench.sh:
//   tvbench time COMMAND LINE...   runs a program, prints its wall time, peak working set and exit code
//   tvbench list FOLDER...         lists the trees with FindFirstFileA/FindNextFileA
//   tvbench read FOLDER...         lists the trees and reads every file once to its end (cat of every file)
//   tvbench drain COUNT            times COUNT PeekMessageA calls on an empty queue
//   tvbench steps SOURCE MIRROR PATTERN  times each step of an up-to-date pass (PassSteps.h)
//   tvbench profile-copy SOURCE TARGET  times, per file, each call a full copy makes
//   tvbench program EXE LIST ROWS  start-up, idle and answers during a run of the program (ProgramProbe.h)
//   tvbench floor EXE              start-up of a minimal one-window program
#include "BenchClock.h"
#include "PassSteps.h"
#include "ProgramProbe.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

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

// The verify's floor: what reading every file of the trees costs, listed the same way, each file
// opened, read to its end in 64 KiB blocks and closed, as cat does.
int ReadTrees(int argc, char** argv)
{
    long entries = 0;
    unsigned long long bytes = 0;
    std::vector<char> block(64 * 1024);
    double start = Now();
    for (int i = 2; i < argc; ++i) {
        std::vector<std::string> files;
        ListTree(argv[i], entries, &files);
        for (const std::string& path : files) {
            HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
            if (file == INVALID_HANDLE_VALUE)
                continue;
            DWORD read = 0;
            while (ReadFile(file, block.data(), static_cast<DWORD>(block.size()), &read, nullptr) && read > 0)
                bytes += read;
            CloseHandle(file);
        }
    }
    std::printf("seconds=%.3f entries=%ld bytes=%llu\n", Now() - start, entries, bytes);
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
    if (argc >= 3 && std::strcmp(argv[1], "read") == 0)
        return ReadTrees(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "drain") == 0)
        return TimeDrains(std::strtol(argv[2], nullptr, 10));
    if (argc == 5 && std::strcmp(argv[1], "steps") == 0)
        return TimePassSteps(argv[2], argv[3], argv[4]);
    if (argc == 4 && std::strcmp(argv[1], "profile-copy") == 0)
        return ProfileCopy(argv[2], argv[3]);
    if (argc == 5 && std::strcmp(argv[1], "program") == 0)
        return ProbeProgram(argv[2], argv[3], std::atoi(argv[4]));
    if (argc == 3 && std::strcmp(argv[1], "floor") == 0)
        return ProbeFloor(argv[2]);
    std::fprintf(stderr, "usage: tvbench time CMD... | list FOLDER... | read FOLDER... | drain COUNT | steps SOURCE MIRROR PATTERN | profile-copy SOURCE TARGET\n"
                         "       | program EXE LIST ROWS | floor EXE\n");
    return 2;
}
