#pragma once

#include <windows.h>

#include <string>

// The Edit dialog of one folder list entry: its folder shown read-only, its wildcard list and
// its include-subfolders flag editable. Plain fields: set before Run, read after it. OK refuses,
// with a message, an entry longer than the list keeps or wildcards longer than a run reads.
struct EditFolderDialog {
    // In: the row's text as the list holds it, whole; out after OK with a change: the new entry text.
    std::string entryText;
    bool includeSubfolders = false;
    // Out: OK came with the wildcards or the flag changed.
    bool changed = false;

    // Shows the dialog modally, owned by owner. True for OK; with a change both fields are
    // replaced and the caller replaces the row (the list is sorted, so the edited row may move).
    bool Run(HWND owner);
};

// The dialog procedure; the init parameter is the EditFolderDialog.
INT_PTR CALLBACK EditFolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
