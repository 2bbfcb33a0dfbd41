#include "support/Snapshot.h"

#include "driver/ScreenPicture.h"
#include "support/Pixels.h"
#include "support/PumpUntilIdle.h"
#include "text/BoundedText.h"

#include <uxtheme.h>

#include <cstring>

Snapshot::Snapshot(HWND shown, bool wholeWindow) : window(shown)
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

static bool IsDark(COLORREF colour)
{
    return colour != CLR_INVALID && GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 3 * 128;
}

int Snapshot::DarkPixels(const RECT& area) const
{
    int found = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            found += IsDark(At(x, y));
    return found;
}

int Snapshot::TextLines(const RECT& area) const
{
    int lines = 0;
    bool inLine = false;
    for (int y = area.top; y < area.bottom; ++y) {
        bool dark = false;
        for (int x = area.left; x < area.right && !dark; ++x)
            dark = IsDark(At(x, y));
        lines += dark && !inLine;
        inLine = dark;
    }
    return lines;
}

RECT Snapshot::ChildRect(HWND child) const
{
    RECT outer;
    RECT inner;
    GetWindowRect(window, &outer);
    GetWindowRect(child, &inner);
    OffsetRect(&inner, -outer.left, -outer.top);
    return inner;
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
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    // rows from the top, as they are held
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return WriteBitmapFile(path, header, pixels.data(), static_cast<DWORD>(pixels.size() * sizeof(DWORD)));
}

Snapshot PaintedSnapshot(HWND window)
{
    // a modal dialog shows itself only when its own loop first goes idle, which a step run from
    // that loop may come before
    if (!IsWindowVisible(window))
        ShowWindow(window, SW_SHOWNORMAL);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntilIdle();
    return Snapshot(window, true);
}

COLORREF ParentBackgroundUnder(HWND control)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, CreateCompatibleBitmap(screen, 4, 4));
    ReleaseDC(nullptr, screen);
    PatBlt(memory, 0, 0, 4, 4, BLACKNESS);
    DrawThemeParentBackground(control, memory, nullptr);
    COLORREF colour = GetPixel(memory, 1, 1);
    DeleteObject(SelectObject(memory, previous));
    DeleteDC(memory);
    return colour;
}
