#pragma once

#include <windows.h>

#include <string>

// The program's windows as a user tells them apart: by their class and their caption.

// The visible top-level window of the process with this class and exactly this caption (any
// caption when caption is null); null when there is none.
HWND FindProgramWindow(DWORD processId, const char* className, const char* caption);
// The first child of this class and text (any text when text is null); null when there is none.
HWND FindChild(HWND parent, const char* className, const char* text);
// A window's text, asked with WM_GETTEXT, which the system carries between processes; for a
// status bar, the text of its first part. Empty when the window does not answer in time.
std::string WindowText(HWND window);
// Sends a message that carries no pointer to a window of another process, waiting at most a few
// seconds for its answer; fallback when the window does not answer in time.
LRESULT AskWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT fallback);
