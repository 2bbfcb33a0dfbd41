#include "app/WarningBox.h"

#include "framework/MessageWindow.h"

void ShowWarningBox(HWND owner, const char* text, const char* caption)
{
    static MessageWindow box;
    box.Run(owner, text, caption, MB_OK | MB_ICONEXCLAMATION, nullptr, 0x000000, 0xC0C0C0, 0x808080);
}
