#pragma once

#include <windows.h>

// Placing windows on the monitor they belong to. A monitor left of or above the primary one has
// negative screen coordinates, so no position is clipped at 0.

// The work area (the monitor less its taskbar and docked bars) of the monitor nearest to rect,
// in screen coordinates.
RECT NearestWorkArea(const RECT& rect);

// Where a window of size goes when centred on reference: never past the reference's right and
// bottom edges, and inside workArea, its left and top edges first when it is larger.
POINT CentredWithin(const RECT& reference, SIZE size, const RECT& workArea);

// Whether a window at rect has at least an icon's width and height of itself inside workArea, so
// that the user can reach it.
bool ReachableInWorkArea(const RECT& rect, const RECT& workArea, SIZE icon);

// A window placement's rectangle (workspace coordinates, which start at the primary monitor's
// work area) in screen coordinates.
RECT ScreenRectOfWorkspace(const RECT& workspaceRect);
