#include "framework/Window.h"

#include "framework/Control.h"
#include "framework/MessageDispatch.h"
#include "framework/ProgramInstance.h"

LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        Window* created = static_cast<Window*>(creation->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        if (created != nullptr)
            created->hwnd = hwnd;
    }
    Window* object = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (object == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return object->HandleMessage(message, wParam, lParam);
}

bool ReportMissingCreate()
{
    MessageBoxA(nullptr, "Missing Create", "App Error", MB_ICONEXCLAMATION);
    return false;
}

Window::~Window()
{
    if (hwnd != nullptr && IsWindow(hwnd) &&
        GetWindowLongPtrA(hwnd, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this))
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
}

bool Window::CreateHandle(const char* className, HWND parent, HMENU menuOrId, const char* title,
                          int x, int y, int width, int height)
{
    // a window destroyed along with its parent leaves a stale handle behind; that is no window
    if (hwnd != nullptr && IsWindow(hwnd))
        return true;
    HWND created = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                                   ProgramInstance(), this);
    // WM_NCCREATE bound the object before a failing OnCreate ended the creation
    hwnd = created;
    return created != nullptr;
}

bool Window::Destroy()
{
    if (!DestroyWindow(hwnd))
        return false;
    hwnd = nullptr;
    return true;
}

bool Window::Create(HWND, int, const char*, int, int, int, int)
{
    return ReportMissingCreate();
}

void Window::OnPaint()
{
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
}

WNDCLASSA Window::FrameworkClass(const char* className, UINT classStyle, HBRUSH background)
{
    WNDCLASSA windowClass = {};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = StaticWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 4;
    windowClass.hInstance = ProgramInstance();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    return windowClass;
}

bool Window::RegisterClassOnce(bool& registered, const WNDCLASSA& windowClass)
{
    if (registered)
        return false;
    if (RegisterClassA(&windowClass) == 0)
        return false;
    registered = true;
    return true;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        creationSucceeded = OnCreate();
        return creationSucceeded ? 0 : -1;
    }
    LRESULT answer = 0;
    if (DispatchSharedMessage(*this, message, wParam, lParam, answer))
        return answer;
    switch (message) {
    case WM_DESTROY:
        OnDestroy();
        if (creationSucceeded) {
            SaveState();
            AfterDestroy();
        }
        creationSucceeded = false;
        return 0;
    case WM_ENDSESSION:
        OnEndSession(wParam, lParam);
        if (wParam)
            SaveState();
        return 0;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_DRAWITEM:
        OnDrawItem(wParam, lParam);
        return 1;
    case WM_NOTIFY: {
        Control* control = ControlOfNotification(lParam);
        if (control != nullptr)
            return control->OnNotify(reinterpret_cast<NMHDR*>(lParam));
        OnNotify(wParam, lParam);
        return 0;
    }
    case WM_CLOSE:
        OnClose();
        return 0;
    // no routing to control objects here: the button bar routes its buttons' commands itself
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        return 0;
    default:
        if (OnUnhandledMessage(message, wParam, lParam) != 0)
            return 0;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
