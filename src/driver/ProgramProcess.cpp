#include "driver/ProgramProcess.h"

#include "text/BoundedText.h"

#include <cstring>

ProgramProcess::~ProgramProcess()
{
    if (Running())
        TerminateProcess(process, 1);
    Close();
}

void ProgramProcess::Close()
{
    if (process != nullptr)
        CloseHandle(process);
    process = nullptr;
    id = 0;
}

bool ProgramProcess::Start(const char* programPath)
{
    if (Running())
        return false;
    Close();
    char folder[MAX_PATH];
    if (!CopyText(folder, programPath))
        return false;
    char* lastSlash = std::strrchr(folder, '\\');
    if (lastSlash == nullptr)
        return false;
    lastSlash[1] = '\0';
    // the command line holds the program's name alone, quoted for the spaces a path may hold
    char commandLine[MAX_PATH + 2];
    if (!FormatText(commandLine, sizeof commandLine, "\"%s\"", programPath))
        return false;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(programPath, commandLine, nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &started))
        return false;
    CloseHandle(started.hThread);
    process = started.hProcess;
    id = started.dwProcessId;
    return true;
}

bool ProgramProcess::Running() const
{
    return process != nullptr && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

bool ProgramProcess::WaitForExit(DWORD timeoutMs, DWORD& exitCode)
{
    if (process == nullptr || WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process, &exitCode) != 0;
}
