#include "framework/Control.h"

#include "framework/ProgramInstance.h"
#include "framework/Window.h"

static int nextControlId = 900;
static WNDPROC savedControlProc;

Control::~Control()
{
    if (hwnd != nullptr && IsWindow(hwnd) &&
        GetWindowLongPtrA(hwnd, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this))
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
}

bool Control::Create(HWND, int, const char*, int, int, int, int)
{
    return ReportMissingCreate();
}

bool Control::OnCommandNotify(int, int)
{
    return false;
}

void Control::SetCallback(void* target, ControlCallback handler)
{
    callbackTarget = target;
    callback = handler;
}

// Passes the message on, so a control subclassed without a procedure of its own still works.
LRESULT Control::SubclassProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (savedControlProc == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return CallWindowProcA(savedControlProc, hwnd, message, wParam, lParam);
}

int Control::AllocateControlId()
{
    controlId = nextControlId++;
    return controlId;
}

void Control::TakeControlId(int id)
{
    if (id == 0)
        AllocateControlId();
    else
        controlId = id;
}

bool Control::AttachOrCreate(const char* windowClass, HWND parent, const char* text, int x, int y, int width,
                             int height)
{
    hwnd = GetDlgItem(parent, controlId);
    if (hwnd == nullptr)
        hwnd = CreateWindowExA(exStyle, windowClass, text, style, x, y, width, height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), ProgramInstance(), nullptr);
    if (hwnd == nullptr)
        return false;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

WNDPROC Control::Subclass(WNDPROC procedure)
{
    if (procedure == nullptr)
        procedure = SubclassWindowProc;
    if (!IsWindow(hwnd))
        return nullptr;
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    if (savedControlProc == nullptr)
        savedControlProc = previous;
    return previous;
}

bool Control::NotifyCallback()
{
    if (callback == nullptr)
        return false;
    callback(callbackTarget, controlId);
    return true;
}

LRESULT CALLBACK SubclassWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Control* control = ControlFromWindow(hwnd);
    if (control == nullptr)
        return savedControlProc != nullptr ? CallWindowProcA(savedControlProc, hwnd, message, wParam, lParam)
                                           : DefWindowProcA(hwnd, message, wParam, lParam);
    return control->SubclassProc(message, wParam, lParam);
}

WNDPROC SavedControlProc()
{
    return savedControlProc;
}

Control* ControlFromWindow(HWND window)
{
    if (window == nullptr)
        return nullptr;
    // framework windows keep their Window object in the same slot
    if (GetClassLongPtrA(window, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(StaticWindowProc))
        return nullptr;
    return reinterpret_cast<Control*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

Control* ControlOfNotification(LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    return header != nullptr ? ControlFromWindow(header->hwndFrom) : nullptr;
}
