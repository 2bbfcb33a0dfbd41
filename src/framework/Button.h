#pragma once

#include "framework/Control.h"

// A push button; a click calls the callback when one is set.
class Button : public Control {
public:
    explicit Button(bool subclassOnCreate = false);

    char Mnemonic() const { return mnemonic; }
    const char* HintText() const { return hintText; }
    void SetHintText(const char* text) { hintText = text; }
    void SetSubclassOnCreate(bool subclass) { subclassOnCreate = subclass; }

    bool Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;
    bool OnCommandNotify(int code, int id) override;
    // Creates the button subclassed, with a hint text kept by the caller.
    bool CreateWithHint(HWND parent, const char* text, int x, int y, int width, int height, int id,
                        const char* hint);

protected:
    bool subclassOnCreate;
    const char* hintText = nullptr;
    char mnemonic = 0;
};

// The character after the first "&" of a label; 0 when there is none.
char MnemonicOf(const char* label);
