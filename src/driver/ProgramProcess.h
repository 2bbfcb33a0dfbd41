#pragma once

#include <windows.h>

// The program under drive, started as a user starts it: a process of its own, in the program's
// own folder, with nothing on its command line. A program still running when the object goes
// is ended, so a drive that failed halfway leaves nothing behind.
class ProgramProcess {
public:
    ProgramProcess() = default;
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Start(const char* programPath);
    bool Running() const;
    // Waits for the program to end; false when it still runs after timeoutMs.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode);

    DWORD Id() const { return id; }
    HANDLE Handle() const { return process; }

private:
    void Close();

    HANDLE process = nullptr;
    DWORD id = 0;
};
