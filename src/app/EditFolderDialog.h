#pragma once

#include <windows.h>

#include <cstddef>

// The Edit dialog of one folder list entry: its folder shown read-only, its wildcard list and
// its include-subfolders flag editable. Plain fields: set before Run, read after it.
struct EditFolderDialog {
    // The longest entry text whose data file line, with the subfolder marker, the reader takes back whole.
    static const std::size_t kMaxEntryText;

    // In: the row's text as the list holds it; out after OK: the new entry text.
    char entryText[340] = {};
    bool includeSubfolders = false;

    // Shows the dialog modally, owned by owner. True for OK, with both fields replaced; the
    // caller then replaces the row (the list is sorted, so the edited row may move).
    bool Run(HWND owner);
};

// The dialog procedure; the init parameter is the EditFolderDialog.
INT_PTR CALLBACK EditFolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
