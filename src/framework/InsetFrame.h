#pragma once

#include <windows.h>

// A one-pixel frame drawn dark on the left and top and light on the right and bottom,
// so that what it surrounds looks pressed into the surface.
class InsetFrame {
public:
    InsetFrame();

    // Frames the rectangle with its right and bottom edges included.
    void SetRect(const RECT& rectangle);
    // Answers -1 without drawing while there is no rectangle, 0 when a pen could not be made, 1 when drawn.
    int Draw(HDC dc) const;

    COLORREF highlight;
    COLORREF shadow;
    int x = 0;
    int y = 0;
    int width = -1;
    int height = 0;
};
