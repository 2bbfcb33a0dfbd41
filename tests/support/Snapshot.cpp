#include "support/Snapshot.h"

#include "support/Pixels.h"
#include "text/BoundedText.h"

#include <cstring>

Snapshot::Snapshot(HWND window, bool wholeWindow)
{
    RECT area;
    if (wholeWindow) {
        GetWindowRect(window, &area);
        OffsetRect(&area, -area.left, -area.top);
    } else {
        GetClientRect(window, &area);
    }
    width = area.right;
    height = area.bottom;
    HDC source = wholeWindow ? GetWindowDC(window) : GetDC(window);
    HDC memory = CreateCompatibleDC(source);
    void* bits = nullptr;
    HBITMAP bitmap = CreateTopDownBitmap(memory, width, height, &bits);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    if (bits != nullptr) {
        const DWORD* row = static_cast<const DWORD*>(bits);
        pixels.assign(row, row + static_cast<size_t>(width) * height);
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
}

COLORREF Snapshot::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height || pixels.empty())
        return CLR_INVALID;
    DWORD bgr = pixels[static_cast<size_t>(y) * width + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

int Snapshot::Count(const RECT& area, COLORREF colour) const
{
    return CountPixels(*this, area, colour);
}

bool Snapshot::Save(const char* fileName) const
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path || pixels.empty())
        return false;
    char* slash = std::strrchr(path, '\\');
    if (slash == nullptr || !CopyText(slash + 1, sizeof path - static_cast<size_t>(slash + 1 - path), fileName))
        return false;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    // rows from the top, as they are held
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
    bool complete = WriteFile(out, &file, sizeof file, &written, nullptr) && written == sizeof file &&
                    WriteFile(out, &header, sizeof header, &written, nullptr) && written == sizeof header &&
                    WriteFile(out, pixels.data(), imageSize, &written, nullptr) && written == imageSize;
    return CloseHandle(out) && complete;
}
