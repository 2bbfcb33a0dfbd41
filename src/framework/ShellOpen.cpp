#include "framework/ShellOpen.h"

#include <shellapi.h>

int ShellOpen(HWND owner, const char* target)
{
    // an answer above 32 means success; the handle is no handle, only that number
    INT_PTR answer = reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", target, nullptr, nullptr, SW_SHOWNORMAL));
    if (answer > 32)
        return 0;
    // 0 is the system's other way of saying it ran out of memory or resources
    return answer == 0 ? SE_ERR_OOM : static_cast<int>(answer);
}

const char* ShellOpenFailure(int code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "It was not found.";
    case SE_ERR_ACCESSDENIED:
        return "Access to it was denied.";
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE:
        return "No program is set to open it.";
    case SE_ERR_SHARE:
        return "It is in use by another program.";
    case SE_ERR_OOM:
        return "There is not enough memory to open it.";
    default:
        return "Windows could not start a program for it.";
    }
}
