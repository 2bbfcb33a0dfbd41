#pragma once

#include "framework/Control.h"

// A multi-line edit box; losing the focus calls the callback when one is set.
class EditBox : public Control {
public:
    EditBox();

    // Creates or attaches, and in both cases sets the control's text.
    bool Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;
    bool OnCommandNotify(int code, int id) override;
};
