#include "framework/EditBox.h"

EditBox::EditBox()
{
    style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
            ES_NOHIDESEL;
    exStyle = WS_EX_CLIENTEDGE;
}

bool EditBox::Create(HWND parent, int id, const char* text, int x, int y, int width, int height)
{
    TakeControlId(id);
    bool made = AttachOrCreate("EDIT", parent, text, x, y, width, height);
    if (made)
        SetWindowTextA(hwnd, text);
    return made;
}

bool EditBox::OnCommandNotify(int code, int)
{
    return code == EN_KILLFOCUS && NotifyCallback();
}
