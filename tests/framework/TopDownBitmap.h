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
