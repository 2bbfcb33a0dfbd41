#include "support/AtDpi.h"

#include "support/TestRegistryKey.h"

#include <string>

namespace {

const char desktopKey[] = "Control Panel\\Desktop";
const char childMark[] = "TV_DPI_CHILD";

} // namespace

int RunTestsAtDpi(int dpi, const char* filter, DWORD timeoutMs)
{
    StoredValue before = ReadValue(desktopKey, "LogPixels");
    SetDword(desktopKey, "LogPixels", static_cast<DWORD>(dpi));
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string command = std::string("\"") + self + "\" --gtest_filter=" + filter;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    SetEnvironmentVariableA(childMark, "1");
    // the child writes its results to this process's output
    BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child);
    SetEnvironmentVariableA(childMark, nullptr);
    DWORD exitCode = static_cast<DWORD>(-1);
    if (started) {
        if (WaitForSingleObject(child.hProcess, timeoutMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(child.hProcess, &exitCode);
        else
            TerminateProcess(child.hProcess, exitCode);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
    if (before.present)
        SetValue(desktopKey, "LogPixels", before.type, before.bytes.data(), static_cast<DWORD>(before.bytes.size()));
    else
        DeleteValue(desktopKey, "LogPixels");
    return static_cast<int>(exitCode);
}

bool InDpiChild()
{
    return GetEnvironmentVariableA(childMark, nullptr, 0) != 0;
}
