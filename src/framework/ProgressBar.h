#pragma once

#include "framework/Control.h"

// A progress bar, used attached to a dialog's control.
class ProgressBar : public Control {
public:
    bool Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;
};
