#pragma once

#include "framework/Button.h"
#include "framework/Font.h"
#include "framework/MessageWindow.h"

// An elliptic message box without a caption bar: a red outline, the icon and the text centred,
// and the caption shown below as a link that opens it with the shell. The program's About box.
class RoundMessageWindow : public MessageWindow {
public:
    RoundMessageWindow();

    // Deletes the link's font; the program calls it once at exit.
    bool ReleaseLinkFont();
    // Why the last showing's link could not be opened (see ShellOpen); 0 when it opened or was not used.
    int LinkFailure() const { return linkFailure; }

protected:
    void OnDrawItem(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnOtherCommand(int id, HWND control) override;
    bool CreateButtons() override;
    void CreateMessageWindow() override;

    bool linkCreated = false;
    int linkFailure = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    RECT linkRect = {0, 0, 0, 0};
    Font linkFont;
    Button link;

private:
    void CreateLink(HDC dc, int top);
};
