#include "framework/MonitorArea.h"

#include <algorithm>

RECT NearestWorkArea(const RECT& rect)
{
    MONITORINFO monitor;
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor))
        return monitor.rcWork;
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return screen;
}

static LONG CentredStart(LONG refStart, LONG refEnd, LONG size, LONG areaStart, LONG areaEnd)
{
    LONG start = std::min(refStart + (refEnd - refStart + 1) / 2 - size / 2, refEnd - size);
    return std::max(areaStart, std::min(start, areaEnd - size));
}

POINT CentredWithin(const RECT& reference, SIZE size, const RECT& workArea)
{
    return {CentredStart(reference.left, reference.right, size.cx, workArea.left, workArea.right),
            CentredStart(reference.top, reference.bottom, size.cy, workArea.top, workArea.bottom)};
}

bool ReachableInWorkArea(const RECT& rect, const RECT& workArea, SIZE icon)
{
    return rect.left <= workArea.right - icon.cx && rect.right >= workArea.left + icon.cx &&
           rect.top <= workArea.bottom - icon.cy && rect.bottom >= workArea.top + icon.cy;
}

RECT ScreenRectOfWorkspace(const RECT& workspaceRect)
{
    RECT primaryWork = {0, 0, 0, 0};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &primaryWork, 0);
    RECT screen = workspaceRect;
    OffsetRect(&screen, primaryWork.left, primaryWork.top);
    return screen;
}
