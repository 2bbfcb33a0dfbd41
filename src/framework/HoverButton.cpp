#include "framework/HoverButton.h"

static HCURSOR buttonCursor;

void SetButtonCursor(HCURSOR cursor)
{
    buttonCursor = cursor;
}

HCURSOR ButtonCursor()
{
    return buttonCursor != nullptr ? buttonCursor : LoadCursorA(nullptr, IDC_HAND);
}

LRESULT HoverButton::SubclassProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(ButtonCursor());
        return 0;
    case WM_MOUSEMOVE:
        // the focused button's hint is already known; only others announce theirs
        if (GetFocus() != hwnd)
            SendMessageA(GetParent(hwnd), WM_BUTTON_HINT, static_cast<WPARAM>(controlId),
                         reinterpret_cast<LPARAM>(hintText));
        return 0;
    default:
        return CallWindowProcA(SavedControlProc(), hwnd, message, wParam, lParam);
    }
}
