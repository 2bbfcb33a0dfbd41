#include "framework/MessageWindow.h"

#include "framework/Button.h"
#include "framework/CenterWindow.h"
#include "framework/MessageLines.h"
#include "framework/ProgramInstance.h"
#include "framework/PumpMessages.h"

#include <cstring>
#include <new>

namespace {

const char className[] = "CMSGCLASS";
const char outOfMemory[] = "Out of memory";
const int buttonWidth = 60;
const int buttonHeight = 30;

// The buttons every box uses, left to right, and the keyboard state they share.
Button sharedButtons[3] = {Button(false), Button(false), Button(false)};
int buttonsInUse = 0;
int focusIndex = 0;
WNDPROC savedButtonProc = nullptr;
// Set while a box is up: a second box would take the first one's buttons.
bool boxShowing = false;
bool classRegistered = false;

} // namespace

MessageWindow::MessageWindow()
{
    RegisterWindowClass();
}

bool MessageWindow::RegisterWindowClass()
{
    return RegisterClassOnce(classRegistered, FrameworkClass(className, CS_HREDRAW | CS_VREDRAW, nullptr));
}

int MessageWindow::Run(HWND ownerWindow, const char* messageText, const char* captionText, UINT boxFlags,
                       const char* iconName, COLORREF textColourValue, COLORREF backColourValue, COLORREF frameColour)
{
    // a window destroyed behind the object's back (with its owner) leaves a stale handle
    if (hwnd != nullptr && !IsWindow(hwnd))
        hwnd = nullptr;
    if (boxShowing || hwnd != nullptr)
        return AnswerWithoutButton(boxFlags);
    owner = ownerWindow;
    scale = DpiScale(owner);
    flags = boxFlags;
    textColour = textColourValue;
    backColour = backColourValue;
    running = true;
    result = 0;
    lineCount = 0;
    textWidth = 0;
    disabledWindow = nullptr;
    frame.highlight = 0xFFFFFF;
    frame.shadow = frameColour;
    caption = captionText != nullptr ? captionText : "";
    CopyMessageText(messageText);
    const char* systemIcon = SystemIconOf(flags);
    bool hasIcon = systemIcon != nullptr || iconName != nullptr;
    if (!MeasureText(messageText, hasIcon)) {
        ReleaseMessageText();
        running = false;
        return AnswerWithoutButton(flags);
    }
    // loaded before the window exists, so that its first paint already has it
    if (systemIcon != nullptr)
        icon = LoadIconA(nullptr, systemIcon);
    else if (iconName != nullptr)
        icon = LoadIconA(ProgramInstance(), iconName);
    else
        icon = nullptr;

    CreateMessageWindow();
    AfterCreate();
    if (hwnd == nullptr) {
        ReleaseMessageText();
        running = false;
        return AnswerWithoutButton(flags);
    }
    boxShowing = true;
    // an owner that is a child (the list view) would leave the frame's menus, bar and close box live
    HWND topLevel = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
    if (topLevel != nullptr && IsWindowEnabled(topLevel)) {
        EnableWindow(topLevel, FALSE);
        disabledWindow = topLevel;
    }
    WaitForAnswer();
    // a quit request ended the wait with the box still up
    if (hwnd != nullptr && IsWindow(hwnd)) {
        RestoreOwner();
        Destroy();
    }
    if (hwnd != nullptr && !IsWindow(hwnd))
        hwnd = nullptr;
    RestoreOwner();
    boxShowing = false;
    running = false;
    ReleaseMessageText();
    return result != 0 ? result : AnswerWithoutButton(flags);
}

LRESULT MessageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // themed buttons have their corners drawn by erasing their parent: in the box's colour
    if (message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(hwnd, &client);
        FillBackground(reinterpret_cast<HDC>(wParam), client);
        return 1;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

const char* MessageWindow::SystemIconOf(UINT boxFlags)
{
    switch (boxFlags & MB_ICONMASK) {
    case MB_ICONHAND:
        return IDI_HAND;
    case MB_ICONQUESTION:
        return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
        return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
        return IDI_ASTERISK;
    default:
        return nullptr;
    }
}

int MessageWindow::AnswerWithoutButton(UINT boxFlags)
{
    UINT buttonSet = boxFlags & MB_TYPEMASK;
    return buttonSet == MB_OKCANCEL || buttonSet == MB_YESNOCANCEL ? IDCANCEL : 0;
}

bool MessageWindow::MeasureText(const char* messageText, bool hasIcon)
{
    HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    if (display == nullptr)
        return false;
    TEXTMETRICA metrics;
    if (!GetTextMetricsA(display, &metrics)) {
        DeleteDC(display);
        return false;
    }
    maxCharWidth = metrics.tmMaxCharWidth;
    lineHeight = metrics.tmHeight + metrics.tmExternalLeading;

    MessageLines lines(messageText);
    const char* line = nullptr;
    std::size_t length = 0;
    while (lines.Next(line, length)) {
        ++lineCount;
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(display, line, static_cast<int>(length), &extent);
        if (extent.cx > textWidth)
            textWidth = extent.cx;
    }

    int width = 0;
    if (hasIcon) {
        textRect.left = scale(64);
        width = textWidth + 4 * maxCharWidth + scale(64);
    } else {
        SIZE captionExtent = {0, 0};
        GetTextExtentPoint32A(display, caption, static_cast<int>(std::strlen(caption)), &captionExtent);
        if (captionExtent.cx > textWidth)
            textWidth = captionExtent.cx;
        textRect.left = scale(8);
        width = textWidth + 4 * maxCharWidth + scale(8);
    }
    int minimumWidth = 0;
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNO:
        minimumWidth = 10 * lineHeight;
        break;
    case MB_YESNOCANCEL:
        minimumWidth = 13 * lineHeight;
        break;
    default:
        break;
    }
    textRect.right = width > minimumWidth ? width : minimumWidth;
    DeleteDC(display);
    return true;
}

void MessageWindow::WaitForAnswer()
{
    while (running) {
        // a quit request stays in the queue for the main loop and ends the wait
        if (PumpMessages())
            return;
        if (!running)
            return;
        // sleep until something arrives, so that a box left up uses no processor time
        MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void MessageWindow::CopyMessageText(const char* messageText)
{
    if (messageText == nullptr)
        messageText = "";
    std::size_t length = std::strlen(messageText);
    textCopy = new (std::nothrow) char[length + 2];
    if (textCopy != nullptr) {
        std::memcpy(textCopy, messageText, length + 1);
        text = textCopy;
    } else {
        text = outOfMemory;
    }
}

void MessageWindow::ReleaseMessageText()
{
    delete[] textCopy;
    textCopy = nullptr;
    text = outOfMemory;
}

void MessageWindow::RestoreOwner()
{
    if (disabledWindow == nullptr)
        return;
    HWND window = disabledWindow;
    disabledWindow = nullptr;
    EnableWindow(window, TRUE);
}

void MessageWindow::CreateMessageWindow()
{
    textRect.top = lineHeight;
    textRect.bottom = lineHeight * (lineCount + 1) + 8;
    style = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    int width = textRect.right + scale(16);
    int height = lineHeight * (lineCount + 6);
    POINT position = {0, 0};
    RECT ownerClient;
    if (owner != nullptr && GetClientRect(owner, &ownerClient)) {
        position.x = ownerClient.right / 2 - width / 2;
        position.y = ownerClient.bottom / 2 - height / 2;
        ClientToScreen(owner, &position);
    }
    CreateHandle(className, owner, nullptr, caption, position.x, position.y, width, height);
}

void MessageWindow::AfterCreate()
{
}

bool MessageWindow::OnCreate()
{
    if (!CreateButtons())
        return false;
    switch (flags & MB_DEFMASK) {
    case MB_DEFBUTTON2:
        focusIndex = 1;
        break;
    case MB_DEFBUTTON3:
        focusIndex = 2;
        break;
    default:
        focusIndex = 0;
        break;
    }
    // a default beyond the buttons shown falls back to the first, as in the system's box
    if (focusIndex >= buttonsInUse)
        focusIndex = 0;
    SetFocus(sharedButtons[focusIndex].Handle());
    savedButtonProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(sharedButtons[0].Handle(), GWLP_WNDPROC));
    for (int i = 0; i < buttonsInUse; ++i)
        SetWindowLongPtrA(sharedButtons[i].Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonKeyboardProc));
    CenterWindow(hwnd);
    return true;
}

bool MessageWindow::CreateButtons()
{
    RECT client;
    GetClientRect(hwnd, &client);
    int centre = client.right / 2;
    int y = client.bottom - 2 * lineHeight;
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        SetButtonsInUse(2);
        return PlaceButton(0, "&Ok", centre - scale(70), y, IDOK) &&
               PlaceButton(1, "&Cancel", centre + scale(10), y, IDCANCEL);
    case MB_YESNO:
        SetButtonsInUse(2);
        return PlaceButton(0, "&Yes", centre - scale(70), y, IDYES) &&
               PlaceButton(1, "&No", centre + scale(10), y, IDNO);
    case MB_YESNOCANCEL:
        SetButtonsInUse(3);
        return PlaceButton(0, "&Yes", centre - scale(100), y, IDYES) &&
               PlaceButton(1, "&No", centre - scale(30), y, IDNO) &&
               PlaceButton(2, "&Cancel", centre + scale(40), y, IDCANCEL);
    default:
        SetButtonsInUse(1);
        return PlaceButton(0, "&Ok", centre - scale(30), y, IDOK);
    }
}

bool MessageWindow::PlaceButton(int index, const char* label, int x, int y, int answer)
{
    buttonResults[index] = answer;
    return sharedButtons[index].Create(hwnd, 0, label, x, y, scale(buttonWidth), scale(buttonHeight));
}

void MessageWindow::SetButtonsInUse(int count)
{
    buttonsInUse = count;
}

int MessageWindow::SharedButtonId(int index)
{
    return sharedButtons[index].ControlId();
}

LRESULT CALLBACK MessageWindow::ButtonKeyboardProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND focus = GetFocus();
    for (int i = 0; i < buttonsInUse; ++i) {
        if (sharedButtons[i].Handle() == focus)
            focusIndex = i;
    }
    if (message == WM_KEYDOWN && buttonsInUse > 0) {
        switch (wParam) {
        case VK_TAB:
        case VK_RIGHT:
            focusIndex = (focusIndex + 1) % buttonsInUse;
            SetFocus(sharedButtons[focusIndex].Handle());
            break;
        case VK_LEFT:
            focusIndex = focusIndex > 0 ? focusIndex - 1 : buttonsInUse - 1;
            SetFocus(sharedButtons[focusIndex].Handle());
            break;
        case VK_RETURN:
            PressButton(focusIndex);
            break;
        default:
            for (int i = 0; i < buttonsInUse; ++i) {
                char mnemonic = sharedButtons[i].Mnemonic();
                if (mnemonic >= 'a' && mnemonic <= 'z')
                    mnemonic = static_cast<char>(mnemonic - 'a' + 'A');
                if (mnemonic != 0 && wParam == static_cast<WPARAM>(static_cast<unsigned char>(mnemonic))) {
                    PressButton(i);
                    break;
                }
            }
            break;
        }
    }
    if (savedButtonProc == nullptr)
        return DefWindowProcA(button, message, wParam, lParam);
    return CallWindowProcA(savedButtonProc, button, message, wParam, lParam);
}

void MessageWindow::PressButton(int index)
{
    HWND button = sharedButtons[index].Handle();
    SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(sharedButtons[index].ControlId(), 0), 0);
}

void MessageWindow::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // the first answer counts: keys typed ahead before the box closes change nothing
    if (HIWORD(wParam) != 0 || !running)
        return;
    int id = LOWORD(wParam);
    bool isButton = false;
    for (int i = 0; i < buttonsInUse && !isButton; ++i) {
        if (id == LOWORD(sharedButtons[i].ControlId())) {
            result = buttonResults[i];
            isButton = true;
        }
    }
    if (!isButton)
        OnOtherCommand(id, reinterpret_cast<HWND>(lParam));
    if (result != 0) {
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
        running = false;
    }
}

void MessageWindow::OnOtherCommand(int, HWND)
{
}

void MessageWindow::OnClose()
{
    // Alt+F4 or another program's WM_CLOSE would end the box without an answer
    if (running)
        return;
    // enabled before the box goes, so that the system activates the owner again
    RestoreOwner();
    Destroy();
}

void MessageWindow::OnDestroy()
{
    RestoreOwner();
    running = false;
}

void MessageWindow::OnSetFocus()
{
    if (focusIndex < buttonsInUse)
        SetFocus(sharedButtons[focusIndex].Handle());
}

void MessageWindow::OnLButtonDown(WPARAM, LPARAM lParam)
{
    // the move starts from where the press is, in screen coordinates as the message wants
    POINT press = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(hwnd, &press);
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(press.x, press.y));
}

void MessageWindow::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc == nullptr)
        return;
    FillBackground(dc, paint.rcPaint);
    if (icon != nullptr) {
        DrawIcon(dc, scale(16), textRect.top + (textRect.bottom - textRect.top) / 2 - scale(16), icon);
        frame.SetRect(textRect);
        frame.Draw(dc);
    }
    SetTextColor(dc, textColour);
    SetBkColor(dc, backColour);
    DrawLines(dc, textRect.left, textRect.right, textRect.top + scale(3));
    EndPaint(hwnd, &paint);
}

void MessageWindow::FillBackground(HDC dc, const RECT& area) const
{
    HBRUSH brush = CreateSolidBrush(backColour);
    if (brush == nullptr)
        return;
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

int MessageWindow::DrawLines(HDC dc, int left, int right, int y) const
{
    MessageLines lines(text);
    const char* line = nullptr;
    std::size_t length = 0;
    while (lines.Next(line, length)) {
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc, line, static_cast<int>(length), &extent);
        TextOutA(dc, left + (right - left - extent.cx) / 2, y, line, static_cast<int>(length));
        y += lineHeight;
    }
    return y;
}
