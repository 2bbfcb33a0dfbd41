#pragma once

#include "framework/Dialog.h"

// Asks whether a new folder list entry includes its subfolders, listing them for information.
// Answers 1 for "&Yes", 0 for "&No", Esc or the close box.
class SubfolderDialog : public Dialog {
public:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // the new entry's text, the folder and "*.*"; also the caption. Set before each opening.
    const char* searchPattern = "";

private:
    void ListSubfolders() const;
};
