#include "driver/ScreenPicture.h"

#include "driver/ProgramWindows.h"

namespace {

constexpr int kBytesPerPixel = 3;

int RowBytes(int width)
{
    // bitmap rows are padded to a multiple of four bytes
    return (width * kBytesPerPixel + 3) & ~3;
}

bool WriteBottomUpBitmap(const char* path, int width, int height, const void* bits)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    // rows from the bottom, as bitmap files usually hold them
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 8 * kBytesPerPixel;
    header.biCompression = BI_RGB;
    return WriteBitmapFile(path, header, bits, static_cast<DWORD>(RowBytes(width)) * static_cast<DWORD>(height));
}

// A window of another shape (a window region) shows what lies behind it in the corners of its
// rectangle; those pixels are made white, so the picture shows the window alone.
void ClearOutsideShape(HWND window, HDC picture, int width, int height)
{
    HRGN outside = CreateRectRgn(0, 0, width, height);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    if (outside != nullptr && shape != nullptr && GetWindowRgn(window, shape) != ERROR &&
        CombineRgn(outside, outside, shape, RGN_DIFF) != ERROR)
        FillRgn(picture, outside, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (shape != nullptr)
        DeleteObject(shape);
    if (outside != nullptr)
        DeleteObject(outside);
}

} // namespace

bool WriteBitmapFile(const char* path, const BITMAPINFOHEADER& header, const void* bits, DWORD imageSize)
{
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageSize;
    HANDLE out = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool complete = WriteFile(out, &file, sizeof file, &written, nullptr) && written == sizeof file &&
                    WriteFile(out, &header, sizeof header, &written, nullptr) && written == sizeof header &&
                    WriteFile(out, bits, imageSize, &written, nullptr) && written == imageSize;
    return CloseHandle(out) && complete;
}

bool SaveWindowPicture(HWND window, const char* path)
{
    // UpdateWindow's rule: the paint messages are sent, so the window's thread has painted every
    // child when the call returns; the message after them waits for whatever that painting posted
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    AskWindow(window, WM_NULL, 0, 0, 0);
    RECT area;
    if (!GetWindowRect(window, &area))
        return false;
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 8 * kBytesPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (bitmap != nullptr && bits != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        // CAPTUREBLT takes layered windows too, as the screen shows them
        bool copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT) != 0;
        ClearOutsideShape(window, memory, width, height);
        GdiFlush();
        saved = copied && WriteBottomUpBitmap(path, width, height, bits);
        SelectObject(memory, previous);
    }
    if (bitmap != nullptr)
        DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}
