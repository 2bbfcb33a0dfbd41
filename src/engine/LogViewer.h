#pragma once

#include <windows.h>

// Hands a file to the shell with the verb "open", so the system's associated program shows it.
void OpenWithShell(HWND owner, const char* path);
