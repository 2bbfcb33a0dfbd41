#include "app/DialogPicture.h"

#include "support/PumpUntilIdle.h"


DialogPicture::DialogPicture(HWND shown) : window(shown)
{
    RECT bounds;
    GetWindowRect(window, &bounds);
    width = bounds.right - bounds.left;
    height = bounds.bottom - bounds.top;
    // the screen, not the window's own DC, so that children and frames are as a user sees them
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateTopDownBitmap(memory, width, height, &bits);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    GdiFlush();
    if (bits != nullptr) {
        const DWORD* first = static_cast<const DWORD*>(bits);
        pixels.assign(first, first + static_cast<size_t>(width) * height);
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF DialogPicture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height || pixels.empty())
        return CLR_INVALID;
    DWORD rgb = pixels[static_cast<size_t>(y) * width + x];
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

static bool IsDark(COLORREF colour)
{
    return colour != CLR_INVALID && GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 3 * 128;
}

int DialogPicture::DarkPixels(const RECT& area) const
{
    int found = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            found += IsDark(At(x, y));
    return found;
}

int DialogPicture::TextLines(const RECT& area) const
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

RECT DialogPicture::ChildRect(HWND child) const
{
    RECT outer;
    RECT inner;
    GetWindowRect(window, &outer);
    GetWindowRect(child, &inner);
    OffsetRect(&inner, -outer.left, -outer.top);
    return inner;
}

bool DialogPicture::Save(const char* fileName) const
{
    return SaveBesideProgram(fileName, width, height, pixels);
}

DialogPicture PaintedPicture(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntilIdle();
    return DialogPicture(window);
}
