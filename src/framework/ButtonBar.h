#pragma once

#include "framework/HoverButton.h"
#include "framework/Window.h"

#include <memory>

// A strip of push buttons across the top of the main frame. A click reaches the bar's parent
// as WM_COMMAND with the button's command id and the bar as lParam; hints are passed on.
class ButtonBar : public Window {
public:
    // Registers BtnBarClass.
    ButtonBar();

    bool RegisterWindowClass() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual bool CreateBar(HWND parent, int x, int y, int width, int height);

    // Makes room for n buttons; buttons added before are destroyed with their objects.
    void SetButtonCount(int n);
    // Adds a button at the right end of the row; the label carries its "&" mnemonic. The width is
    // in pixels at 96 DPI and grows with the bar's DPI.
    bool AddButton(const char* label, int width, int commandId, bool disabled, const char* hintText);
    void EnableAllButtons();
    void DisableAllButtons();

    bool Visible() const { return visible; }
    // Hides the bar from its creation on; the program keeps it visible.
    void SetVisible(bool shown) { visible = shown; }
    int Height() const { return height; }
    int Count() const { return count; }
    int Capacity() const { return capacity; }
    // The added button at index, or null.
    HoverButton* ButtonAt(int index) const { return index >= 0 && index < count ? &buttons[index] : nullptr; }
    int CommandIdAt(int index) const { return index >= 0 && index < count ? commandIds[index] : 0; }

private:
    void Paint();
    void EnableButtons(BOOL enable);

    int capacity = 0;
    // in pixels at 96 DPI, like the widths
    int nextX = 2;
    int count = 0;
    int height = 0;
    std::unique_ptr<int[]> commandIds;
    std::unique_ptr<HoverButton[]> buttons;
    bool visible = true;
};
