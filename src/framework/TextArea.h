#pragma once

#include <windows.h>

// Draws text into the rectangle of a dialog's control (usually a static placeholder).
class TextArea {
public:
    // Takes the control's rectangle, 2 pixels in on every side, and measures font (or the dialog's own) there.
    void Attach(HWND dialog, int controlId, HFONT textFont, UINT drawFormat);
    // Fills the rectangle with backColour; answers whether the brush was released.
    bool Erase(HDC dc);
    // Draws text into the rectangle with the stored format and font.
    void Draw(HDC dc, const char* text);

    RECT rect = {0, 0, 0, 0};
    COLORREF backColour = 0xFFFFFF;
    HFONT font = nullptr;
    HFONT savedFont = nullptr;
    UINT format = 0;
    int avgCharWidth = 0;
    int lineHeight = 0;
};
