#pragma once

#include <windows.h>

// The colours of the program's message boxes: black text on light grey in a grey frame, and the
// white-on-red question of Remove.
constexpr COLORREF kBoxText = 0x000000;
constexpr COLORREF kBoxBack = 0xC0C0C0;
constexpr COLORREF kBoxFrame = 0x808080;
constexpr COLORREF kAlarmText = 0xFFFFFF;
constexpr COLORREF kAlarmBack = 0x0000FF;
