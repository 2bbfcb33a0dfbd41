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
    // Pixels in area darker than mid grey: the strokes of text drawn there.
    int DarkPixels(const RECT& area) const;
    // Rows of area that hold dark pixels, counted as runs: the lines of text drawn there.
    int TextLines(const RECT& area) const;
    // A child window's rectangle in the coordinates of a whole-window picture.
    RECT ChildRect(HWND child) const;
    // Writes the picture as a bitmap file next to the test executable, for a person to look at.
    bool Save(const char* fileName) const;

    int width = 0;
    int height = 0;

private:
    HWND window;
    std::vector<DWORD> pixels;
};

// What a themed control finds under its rounded corners: the colour its parent draws when the
// control has it draw its background (DrawThemeParentBackground); black when the parent draws nothing.
COLORREF ParentBackgroundUnder(HWND control);

// Shows the window if it is not yet, lets the windows of this thread paint, then takes the
// picture of the whole window.
Snapshot PaintedSnapshot(HWND window);
