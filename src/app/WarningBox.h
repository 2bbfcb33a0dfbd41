#pragma once

#include <windows.h>

// Shows text modally in the program's message window owned by owner, with the exclamation icon,
// an OK button and the program's grey colours, and waits for the answer.
void ShowWarningBox(HWND owner, const char* text, const char* caption);
