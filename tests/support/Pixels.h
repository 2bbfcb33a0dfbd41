#pragma once

#include <windows.h>

// A 32-bit bitmap for dc whose rows run from the top, one DWORD (0x00RRGGBB) per pixel, so
// that *bits can be read as the picture is seen. The caller deletes it.
inline HBITMAP CreateTopDownBitmap(HDC dc, int width, int height, void** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    *bits = nullptr;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// Counts the pixels of one colour inside a rectangle (right and bottom excluded) of a picture
// that answers At(x, y).
template <class Picture>
int CountPixels(const Picture& picture, const RECT& area, COLORREF colour)
{
    int found = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            found += picture.At(x, y) == colour;
    return found;
}
