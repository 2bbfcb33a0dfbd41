#pragma once

#include "framework/Button.h"

// The private message a bar button sends while the mouse moves over it: wParam is the
// button's command id, lParam points to its hint text.
const UINT WM_BUTTON_HINT = 0xFA7E;

// A button of the button bar: shows the button cursor and sends its hint up through the bar.
class HoverButton : public Button {
public:
    LRESULT SubclassProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The cursor bar buttons show; the application loads it at start-up. Until then the
// system's hand cursor is used.
void SetButtonCursor(HCURSOR cursor);
HCURSOR ButtonCursor();
