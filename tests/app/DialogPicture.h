#pragma once

#include "framework/Pixels.h"

#include <windows.h>

#include <string>
#include <vector>

// The pixels of a whole window as the screen shows it, read back once, and kept as a BMP
// next to the test executable for a person to look at.
class DialogPicture {
public:
    explicit DialogPicture(HWND window);

    COLORREF At(int x, int y) const;
    int Count(const RECT& area, COLORREF colour) const { return CountPixels(*this, area, colour); }
    // Pixels in area darker than mid grey: the strokes of text drawn there.
    int DarkPixels(const RECT& area) const;
    // Rows of area that hold dark pixels, counted as runs: the lines of text drawn there.
    int TextLines(const RECT& area) const;
    bool Save(const char* fileName) const;
    // A child control's rectangle in the picture's coordinates.
    RECT ChildRect(HWND child) const;

    int width = 0;
    int height = 0;

private:
    HWND window;
    std::vector<DWORD> pixels;
};

// Lets the windows of this thread paint, then takes the picture.
DialogPicture PaintedPicture(HWND window);
