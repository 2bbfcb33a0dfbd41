#pragma once

#include <windows.h>

#include <vector>

// The pixels of a window's client area (or whole window), read back from the screen.
class Snapshot {
public:
    explicit Snapshot(HWND window, bool wholeWindow = false);

    // CLR_INVALID outside the picture.
    COLORREF At(int x, int y) const;
    // Pixels of one colour inside area (right and bottom excluded).
    int Count(const RECT& area, COLORREF colour) const;
    // Writes the picture as a bitmap file next to the test executable, for a person to look at.
    bool Save(const char* fileName) const;

    int width = 0;
    int height = 0;

private:
    std::vector<DWORD> pixels;
};
