#include "framework/CenterWindow.h"

static int CentredStart(int refStart, int refEnd, int size)
{
    int start = refStart + (refEnd - refStart + 1) / 2 - size / 2;
    int limit = refEnd - size;
    if (limit < start)
        start = limit;
    return start > 0 ? start : 0;
}

BOOL CenterWindow(HWND window)
{
    RECT ref;
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner == nullptr || !GetWindowRect(owner, &ref))
        ::SetRect(&ref, 0, 0, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    RECT own;
    if (!GetWindowRect(window, &own))
        return FALSE;
    // a window rectangle excludes its right and bottom edges, so these are the exact size
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = CentredStart(ref.left, ref.right, width);
    int y = CentredStart(ref.top, ref.bottom, height);
    return MoveWindow(window, x, y, width, height, FALSE);
}
