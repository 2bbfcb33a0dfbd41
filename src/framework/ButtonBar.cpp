#include "framework/ButtonBar.h"

#include "framework/DpiScale.h"

#include <new>

ButtonBar::ButtonBar()
{
    style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    RegisterWindowClass();
}

bool ButtonBar::RegisterWindowClass()
{
    static bool registered;
    return RegisterClassOnce(registered, FrameworkClass("BtnBarClass", CS_BYTEALIGNWINDOW,
                                                        static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH))));
}

bool ButtonBar::CreateBar(HWND parent, int x, int y, int width, int barHeight)
{
    if (!CreateHandle("BtnBarClass", parent, nullptr, "", x, y, width, barHeight))
        return false;
    height = barHeight;
    ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
    return true;
}

void ButtonBar::SetButtonCount(int n)
{
    // the old buttons' windows would call their released objects; they go with them
    for (int index = 0; index < count && index < capacity; ++index) {
        if (IsWindow(buttons[index].Handle()))
            DestroyWindow(buttons[index].Handle());
    }
    capacity = 0;
    count = 0;
    nextX = 2;
    buttons.reset();
    commandIds.reset();
    if (n <= 0)
        return;
    buttons.reset(new (std::nothrow) HoverButton[n]);
    commandIds.reset(new (std::nothrow) int[n]());
    if (buttons && commandIds)
        capacity = n;
}

bool ButtonBar::AddButton(const char* label, int width, int commandId, bool disabled, const char* hintText)
{
    if (count >= capacity)
        return false;
    HoverButton& button = buttons[count];
    button.SetHintText(hintText);
    button.SetSubclassOnCreate(true);
    // the bar's height is measured in the display font, so it has grown already
    DpiScale scale(hwnd);
    if (!button.Create(hwnd, commandId, label, scale(nextX), scale(3), scale(width), height - scale(6)))
        return false;
    if (disabled)
        EnableWindow(button.Handle(), FALSE);
    commandIds[count] = commandId;
    ++count;
    nextX += width + 3;
    return true;
}

void ButtonBar::EnableAllButtons()
{
    EnableButtons(TRUE);
}

void ButtonBar::DisableAllButtons()
{
    EnableButtons(FALSE);
}

void ButtonBar::EnableButtons(BOOL enable)
{
    for (int index = 0; index < count; ++index)
        EnableWindow(buttons[index].Handle(), enable);
}

void ButtonBar::Paint()
{
    RECT client;
    GetClientRect(hwnd, &client);
    PAINTSTRUCT paint;
    HDC context = BeginPaint(hwnd, &paint);
    HPEN framePen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME));
    HPEN highlightPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ previousPen = SelectObject(context, framePen);
    MoveToEx(context, client.left, client.bottom - 1, nullptr);
    LineTo(context, client.right, client.bottom - 1);
    SelectObject(context, highlightPen);
    MoveToEx(context, client.left, client.top, nullptr);
    LineTo(context, client.right, client.top);
    SelectObject(context, previousPen);
    DeleteObject(framePen);
    DeleteObject(highlightPen);
    EndPaint(hwnd, &paint);
}

LRESULT ButtonBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        if (visible)
            Paint();
        else
            ValidateRect(hwnd, nullptr);
        return 0;
    case WM_COMMAND: {
        Control* sender = ControlFromWindow(reinterpret_cast<HWND>(lParam));
        if (sender != nullptr && sender->OnCommandNotify(HIWORD(wParam), LOWORD(wParam)))
            return 0;
        if (HIWORD(wParam) == 0)
            SendMessageA(GetParent(hwnd), WM_COMMAND, LOWORD(wParam), reinterpret_cast<LPARAM>(hwnd));
        return 0;
    }
    case WM_BUTTON_HINT:
        SendMessageA(GetParent(hwnd), WM_BUTTON_HINT, wParam, lParam);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
