#pragma once

#include <windows.h>

// Opens a file, a folder or a web address with the program the system associates with it (the
// shell's verb "open"). Answers 0 when it opened, otherwise ShellExecuteA's error code (1 to 32).
int ShellOpen(HWND owner, const char* target);

// Why ShellOpen failed with code, in words for the user.
const char* ShellOpenFailure(int code);
