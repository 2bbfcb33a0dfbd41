#include "framework/DpiScale.h"

DpiScale::DpiScale(HWND window)
{
    HDC dc = GetDC(window);
    if (dc == nullptr)
        return;
    int logical = GetDeviceCaps(dc, LOGPIXELSX);
    if (logical > 0)
        dpi = logical;
    ReleaseDC(window, dc);
}
