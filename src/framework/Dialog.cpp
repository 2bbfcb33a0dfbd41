#include "framework/Dialog.h"

#include "framework/Control.h"
#include "framework/MessageDispatch.h"
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
    INT_PTR answer = 0;
    if (DispatchSharedMessage(*this, message, wParam, lParam, answer))
        return answer;
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
        Control* control = ControlOfNotification(lParam);
        // the sender is answered with DWLP_MSGRESULT, so that is where the control's answer goes
        if (control != nullptr)
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, control->OnNotify(reinterpret_cast<NMHDR*>(lParam)));
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
    case WM_QUERYENDSESSION:
        // the dialog manager answers the sender with DWLP_MSGRESULT, not with this procedure's
        // answer, so the handler's consent goes there and the procedure says it handled the message
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, OnQueryEndSession());
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_HSCROLL:
        OnHScroll(wParam, lParam);
        return 0;
    default:
        return OnUnhandledMessage(message, wParam, lParam);
    }
}
