#pragma once

#include "framework/Control.h"

// A drop-down combo box that remembers the last selection it was told of.
class ComboBox : public Control {
public:
    ComboBox();

    int Selection() const { return selection; }

    bool Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;
    // On CBN_SELCHANGE stores the selection, then calls the callback when one is set.
    bool OnCommandNotify(int code, int id) override;

private:
    int selection = -1;
};
