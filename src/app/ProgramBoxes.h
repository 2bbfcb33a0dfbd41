#pragma once

// The program's own message boxes: grey ones, and the white-on-red question of Remove.

#include <windows.h>

#include <cstddef>

// Shows text modally in the program's message window owned by owner, with the exclamation icon,
// an OK button and the program's grey colours, and waits for the answer.
void ShowWarningBox(HWND owner, const char* text, const char* caption);

// Shows where the folder list is kept: the data file's path in the program's message window,
// owned by owner, with the caption "Trellisvault", an OK button and no icon.
void ShowDataFileLocation(HWND owner, const char* dataFilePath);

// Opens target with the program the system associates with it. When that fails, shows what
// could not be opened (failureText, then target) and why, owned by owner; answers whether it opened.
bool OpenOrSayWhy(HWND owner, const char* target, const char* failureText);
// The box of a failed open: failureText, target, and why ShellOpen failed with code.
void ShowOpenFailure(HWND owner, const char* target, const char* failureText, int code);
// Why an entry was refused, naming the limit it passed: the longest entry the folder list keeps,
// or with wildcardList the longest wildcard list a run reads.
void FormatEntryTooLong(char* text, std::size_t size, bool wildcardList);
// Shows that text in a warning box owned by owner.
void ShowEntryTooLong(HWND owner, bool wildcardList);

// Asks a question with Yes, No and Cancel and the question icon, owned by owner; answers IDYES,
// IDNO, IDCANCEL, or 0 when the box could not be shown or was closed without a button.
int AskYesNoCancel(HWND owner, const char* text, const char* caption);
// Asks a question with Yes and No and the question icon, owned by owner; answers IDYES, IDNO, or 0
// when the box could not be shown or was closed without a button.
int AskYesNo(HWND owner, const char* text, const char* caption);
// Asks whether to remove a folder from the list, in white on red with Yes and No; answers IDYES,
// IDNO, or 0 when the box could not be shown.
int AskToRemove(HWND owner, const char* question);
