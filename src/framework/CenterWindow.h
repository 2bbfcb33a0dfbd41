#pragma once

#include <windows.h>

// Centres a window on its owner's window, or on the screen when it has none,
// never at negative coordinates; keeps its size. Answers MoveWindow's result.
BOOL CenterWindow(HWND window);
