#include "app/ProgramBoxes.h"

#include "framework/MessageWindow.h"

// The program's message boxes: black text on light grey in a dark grey frame.
static int ShowGreyBox(HWND owner, const char* text, const char* caption, UINT flags)
{
    static MessageWindow box;
    return box.Run(owner, text, caption, flags, nullptr, 0x000000, 0xC0C0C0, 0x808080);
}

void ShowWarningBox(HWND owner, const char* text, const char* caption)
{
    ShowGreyBox(owner, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

void ShowDataFileLocation(HWND owner, const char* dataFilePath)
{
    ShowGreyBox(owner, dataFilePath, "Trellisvault", MB_OK);
}

int AskYesNoCancel(HWND owner, const char* text, const char* caption)
{
    return ShowGreyBox(owner, text, caption, MB_YESNOCANCEL | MB_ICONQUESTION);
}
