#include "framework/CenterWindow.h"

#include "framework/MonitorArea.h"

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
    SIZE size = {own.right - own.left, own.bottom - own.top};
    POINT at = CentredWithin(ref, size, NearestWorkArea(ref));
    return MoveWindow(window, at.x, at.y, size.cx, size.cy, FALSE);
}
