#include "framework/ComboBox.h"

ComboBox::ComboBox()
{
    style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN;
}

bool ComboBox::Create(HWND parent, int id, const char* text, int x, int y, int width, int height)
{
    TakeControlId(id);
    return AttachOrCreate("COMBOBOX", parent, text, x, y, width, height);
}

bool ComboBox::OnCommandNotify(int code, int)
{
    if (code != CBN_SELCHANGE)
        return false;
    selection = static_cast<int>(SendMessageA(hwnd, CB_GETCURSEL, 0, 0));
    return NotifyCallback();
}
