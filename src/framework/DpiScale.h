#pragma once

#include <windows.h>

// Turns the design's pixel sizes, which are given at 96 dots per inch, into pixels at the DPI a
// window is shown at. The programs declare themselves DPI aware for the whole system, so every
// window has the system's DPI; a program that did not would be told 96 by Windows and stretched,
// and its sizes would stay as designed. Lines one pixel wide stay one pixel, as the system's own
// borders do.
class DpiScale {
public:
    // The DPI of window's display; of the screen when window is null.
    explicit DpiScale(HWND window = nullptr);

    int operator()(int pixels) const { return MulDiv(pixels, dpi, 96); }

    int dpi = 96;
};
