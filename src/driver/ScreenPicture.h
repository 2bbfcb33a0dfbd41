#pragma once

#include <windows.h>

// Writes what the screen shows of a window, its frame included, as a 24-bit bitmap file. The
// window and its children are first painted up to date. The pixels carry no alpha byte, so no
// converter can take them for transparent.
bool SaveWindowPicture(HWND window, const char* path);

// Writes a bitmap file of the header and imageSize bytes of pixels, as the header describes them.
bool WriteBitmapFile(const char* path, const BITMAPINFOHEADER& header, const void* bits, DWORD imageSize);
