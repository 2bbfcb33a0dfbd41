#pragma once

#include "text/BoundedText.h"

#include <windows.h>

#include <cstring>
#include <vector>

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

// Writes a top-down picture (one DWORD 0x00RRGGBB per pixel) as a BMP file next to the test
// executable, for a person to look at; answers whether the whole file was written.
inline bool SaveBesideProgram(const char* fileName, int width, int height, const std::vector<DWORD>& pixels)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return false;
    char* slash = std::strrchr(path, '\\');
    if (slash == nullptr || !CopyText(slash + 1, sizeof path - static_cast<size_t>(slash + 1 - path), fileName))
        return false;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    DWORD imageSize = static_cast<DWORD>(pixels.size() * sizeof(DWORD));
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageSize;
    HANDLE out = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool whole = WriteFile(out, &file, sizeof file, &written, nullptr) && written == sizeof file
        && WriteFile(out, &header, sizeof header, &written, nullptr) && written == sizeof header
        && WriteFile(out, pixels.data(), imageSize, &written, nullptr) && written == imageSize;
    return CloseHandle(out) && whole;
}
