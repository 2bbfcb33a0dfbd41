#pragma once

#include <windows.h>

// Centres a window on its owner's window, or on the screen when it has none, within the work
// area of the monitor nearest to that; keeps its size. Answers MoveWindow's result.
BOOL CenterWindow(HWND window);
