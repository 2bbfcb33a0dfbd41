#include "framework/Dialog.h"

#include "framework/Control.h"
#include "framework/Window.h"

INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        Dialog* bound = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        if (bound == nullptr)
            return 1;
        bound->hwnd = hwnd;
        return bound->HandleMessage(message, wParam, lParam);
    }
    Dialog* object = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (object == nullptr)
        return 0;
    return object->HandleMessage(message, wParam, lParam);
}

Dialog::~Dialog()
{
    if (hwnd != nullptr && IsWindow(hwnd) && GetWindowLongPtrA(hwnd, DWLP_USER) == reinterpret_cast<LONG_PTR>(this))
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
}

bool Dialog::Create(HWND, int, const char*, int, int, int, int)
{
    return ReportMissingCreate();
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND: {
        Control* control = ControlFromWindow(reinterpret_cast<HWND>(lParam));
        if (control != nullptr && control->OnCommandNotify(HIWORD(wParam), LOWORD(wParam)))
            return 0;
        OnCommand(wParam, lParam);
        return 0;
    }
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        Control* control = header != nullptr ? ControlFromWindow(header->hwndFrom) : nullptr;
        if (control != nullptr)
            control->OnNotify(header);
        else
            OnNotify(wParam, lParam);
        return 1;
    }
    case WM_DRAWITEM: {
        DRAWITEMSTRUCT* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        Control* control = item != nullptr ? ControlFromWindow(item->hwndItem) : nullptr;
        if (control != nullptr)
            control->OnDrawItem(item);
        else
            OnDrawItem(wParam, lParam);
        return 1;
    }
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_CTLCOLORLISTBOX:
        return OnCtlColorListBox(wParam, lParam);
    case WM_VKEYTOITEM:
        return OnVKeyToItem(wParam);
    case WM_CHAR:
        OnChar(wParam, lParam);
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(wParam, lParam);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_DROPFILES:
        OnDropFiles(wParam);
        return 0;
    case WM_HSCROLL:
        OnHScroll(wParam, lParam);
        return 0;
    case WM_INITMENU:
        OnInitMenu();
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        return 0;
    case WM_KEYUP:
        OnKeyUp(wParam, lParam);
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus();
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(wParam, lParam);
        return 0;
    case WM_MENUSELECT:
        OnMenuSelect(wParam, lParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, lParam);
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(wParam, lParam);
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(wParam, lParam);
        return 0;
    case WM_SETFOCUS:
        OnSetFocus();
        return 0;
    case WM_SIZE:
        OnSize(wParam, lParam);
        return 0;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return 0;
    case WM_SYSKEYDOWN:
        OnSysKeyDown(wParam, lParam);
        return 0;
    case WM_SYSKEYUP:
        OnSysKeyUp(wParam, lParam);
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    default:
        return OnUnhandledMessage(message, wParam, lParam);
    }
}
