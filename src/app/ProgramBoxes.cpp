#include "app/ProgramBoxes.h"

#include "app/BoxColours.h"
#include "engine/BackupUserInterface.h"
#include "engine/WildcardList.h"
#include "framework/MessageWindow.h"
#include "framework/ShellOpen.h"
#include "text/BoundedText.h"

// The program's one plain message window: prompts, questions and warnings all take turns in it.
static int ShowBox(HWND owner, const char* text, const char* caption, UINT flags, COLORREF textColour = kBoxText,
                   COLORREF backColour = kBoxBack)
{
    static MessageWindow box;
    return box.Run(owner, text, caption, flags, nullptr, textColour, backColour, kBoxFrame);
}

void ShowWarningBox(HWND owner, const char* text, const char* caption)
{
    ShowBox(owner, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

void ShowDataFileLocation(HWND owner, const char* dataFilePath)
{
    ShowBox(owner, dataFilePath, "Trellisvault", MB_OK);
}

bool OpenOrSayWhy(HWND owner, const char* target, const char* failureText)
{
    int failure = ShellOpen(owner, target);
    if (failure == 0)
        return true;
    ShowOpenFailure(owner, target, failureText, failure);
    return false;
}

void ShowOpenFailure(HWND owner, const char* target, const char* failureText, int code)
{
    char text[600];
    FormatText(text, sizeof text, "%s\n\n%s\n\n%s", failureText, target, ShellOpenFailure(code));
    ShowWarningBox(owner, text, "Trellisvault");
}

void FormatEntryTooLong(char* text, std::size_t size, bool wildcardList)
{
    if (wildcardList)
        FormatText(text, size, "The wildcard list is too long: a backup reads at most %u characters of it.",
                   static_cast<unsigned>(WildcardList::kMaxLength));
    else
        FormatText(text, size, "The entry is too long: a folder list entry holds at most %u characters, "
                   "folder and wildcards together.", static_cast<unsigned>(kLongestEntryText));
}

void ShowEntryTooLong(HWND owner, bool wildcardList)
{
    char text[200];
    FormatEntryTooLong(text, sizeof text, wildcardList);
    ShowWarningBox(owner, text, "Trellisvault");
}

int AskYesNoCancel(HWND owner, const char* text, const char* caption)
{
    return ShowBox(owner, text, caption, MB_YESNOCANCEL | MB_ICONQUESTION);
}

int AskYesNo(HWND owner, const char* text, const char* caption)
{
    return ShowBox(owner, text, caption, MB_YESNO | MB_ICONQUESTION);
}

int AskToRemove(HWND owner, const char* question)
{
    return ShowBox(owner, question, "Trellisvault", MB_YESNO | MB_ICONQUESTION, kAlarmText, kAlarmBack);
}
