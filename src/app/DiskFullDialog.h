#pragma once

#include <windows.h>

class StatusBar;

// The disk-full question over the caller's message, with "&Next disk" and "&Cancel".
// The text stays the caller's and must stay valid while the dialog is up.
INT_PTR CALLBACK DiskFullDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Asks it modally, owned by owner: true for "&Next disk". "&Cancel", Esc and the close box first
// show "Abort" in part 0 of status (when there is one) and answer false, as does a dialog that
// could not be made, so a run never goes on writing to a disk nobody has changed.
bool AskNextDisk(HWND owner, const char* text, const StatusBar* status);
