#pragma once

#include "framework/Control.h"

// A report-style list view.
class ListView : public Control {
public:
    ListView();

    bool Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;
    // Copies an item's text into buffer; answers the number of characters copied.
    int GetItemText(int item, int subitem, char* buffer, int bufferSize) const;
    // Sets state bits under mask on an item, or on every item when item is -1.
    LRESULT SetItemState(int item, UINT state, UINT mask) const;
};
