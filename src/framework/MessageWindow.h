#pragma once

#include "framework/DpiScale.h"
#include "framework/InsetFrame.h"
#include "framework/Window.h"

#include <windows.h>

// The program's own message box: the caller's text in the caller's colours, an optional icon
// and one to three buttons. Run shows it, waits and answers the id of the button pressed,
// as MessageBoxA does. One box is shown at a time: all boxes share their three buttons.
class MessageWindow : public Window {
public:
    MessageWindow();

    // flags are MessageBoxA's button-set, icon and default-button flags; iconName names the
    // program's own icon, shown when the flags name no system icon. While the box is up its
    // owner's top-level window is disabled, and the box ends only by one of its buttons.
    // Answers IDOK, IDCANCEL, IDYES or IDNO. A box that could not be shown or was ended
    // without a button (a second box while one is up, its owner destroyed, a quit request)
    // answers IDCANCEL when it has a Cancel button and 0 otherwise: a caller asking a
    // question takes 0 as Cancel, never as No.
    int Run(HWND ownerWindow, const char* messageText, const char* captionText, UINT boxFlags, const char* iconName,
            COLORREF textColourValue, COLORREF backColourValue, COLORREF frameColour);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool RegisterWindowClass() override;
    void OnClose() override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnCreate() override;
    void OnDestroy() override;
    void OnLButtonDown(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnSetFocus() override;

    virtual void AfterCreate();
    virtual void OnOtherCommand(int id, HWND control);
    // Answers false when a button could not be made; the box is then not shown.
    virtual bool CreateButtons();
    virtual void CreateMessageWindow();

    // Creates shared button index as a child of the box, answering answer when pressed.
    bool PlaceButton(int index, const char* label, int x, int y, int answer);
    static void SetButtonsInUse(int count);
    static int SharedButtonId(int index);
    // Draws the text's lines centred between left and right, from y down, one lineHeight apart;
    // answers the y below the last line.
    int DrawLines(HDC dc, int left, int right, int y) const;

    bool running = false;
    HWND owner = nullptr;
    HICON icon = nullptr;
    int maxCharWidth = 0;
    int lineHeight = 0;
    int lineCount = 0;
    int textWidth = 0;
    int result = 0;
    int buttonResults[3] = {0, 0, 0};
    UINT flags = 0;
    COLORREF textColour = 0;
    COLORREF backColour = 0;
    const char* text = nullptr;
    const char* caption = "";
    RECT textRect = {0, 0, 0, 0};
    InsetFrame frame;
    // the DPI of the owner's display, which the box's fixed sizes grow with
    DpiScale scale;

private:
    static LRESULT CALLBACK ButtonKeyboardProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
    static void PressButton(int index);
    // The system icon the flags name; null when they name none.
    static const char* SystemIconOf(UINT boxFlags);
    // The answer of a box that no button ended.
    static int AnswerWithoutButton(UINT boxFlags);
    // Measures the lines (and, without an icon, the caption) with the display font and lays out
    // the text area's width; false when the display's metrics cannot be had.
    bool MeasureText(const char* messageText, bool hasIcon);
    void FillBackground(HDC dc, const RECT& area) const;
    void CopyMessageText(const char* messageText);
    void ReleaseMessageText();
    void RestoreOwner();
    void WaitForAnswer();

    char* textCopy = nullptr;
    // the owner's top-level window, while this box keeps it disabled; it is enabled again
    // only when this box disabled it
    HWND disabledWindow = nullptr;
};
