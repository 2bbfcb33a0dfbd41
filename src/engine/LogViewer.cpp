#include "engine/LogViewer.h"

#include <shellapi.h>

void OpenWithShell(HWND owner, const char* path)
{
    // the shell's answer is not examined: a missing log simply shows nothing
    ShellExecuteA(owner, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}
