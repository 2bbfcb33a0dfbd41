#pragma once

#include <windows.h>

// The window procedure of every window class the framework registers: it binds the object
// passed to CreateWindowExA on WM_NCCREATE and hands each later message to its HandleMessage.
LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The answer of every creation entry a class does not implement.
bool ReportMissingCreate();

// An object that owns a window of a class registered by the framework. Objects outlive their
// windows: destroying the window ends the binding, and the object may create a new one.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // Unbinds a window that outlives its object, so its later messages get the default answers.
    virtual ~Window();

    HWND Handle() const { return hwnd; }
    DWORD Style() const { return style; }
    DWORD ExStyle() const { return exStyle; }
    void SetStyle(DWORD newStyle) { style = newStyle; }
    void SetExStyle(DWORD newExStyle) { exStyle = newExStyle; }

    bool CreateHandle(const char* className, HWND parent, HMENU menuOrId, const char* title,
                      int x, int y, int width, int height);
    bool Destroy();

    virtual bool Create(HWND parent, int controlId, const char* text, int x, int y, int width, int height);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void AfterDestroy() {}
    // Nonzero means handled: the window procedure then answers 0 instead of DefWindowProcA's answer.
    virtual LRESULT OnUnhandledMessage(UINT, WPARAM, LPARAM) { return 0; }
    virtual bool RegisterWindowClass() = 0;
    virtual bool SaveState() { return false; }
    virtual void OnChar(WPARAM, LPARAM) {}
    virtual void OnClose() { Destroy(); }
    virtual void OnCommand(WPARAM, LPARAM) {}
    virtual void OnContextMenu(WPARAM, LPARAM) {}
    // False, the default, makes CreateWindowExA fail.
    virtual bool OnCreate() { return false; }
    virtual LRESULT OnCtlColorListBox(WPARAM, LPARAM) { return 0; }
    virtual void OnDestroy() {}
    virtual void OnDrawItem(WPARAM, LPARAM) {}
    virtual void OnDropFiles(WPARAM) {}
    virtual void OnEndSession(WPARAM, LPARAM) {}
    virtual void OnInitMenu() {}
    virtual void OnKeyDown(WPARAM, LPARAM) {}
    virtual void OnKeyUp(WPARAM, LPARAM) {}
    virtual void OnKillFocus() {}
    virtual void OnLButtonDown(WPARAM, LPARAM) {}
    virtual void OnLButtonUp(WPARAM, LPARAM) {}
    virtual LRESULT OnMenuSelect(WPARAM, LPARAM) { return 0; }
    virtual void OnMouseMove(WPARAM, LPARAM) {}
    virtual void OnNotify(WPARAM, LPARAM) {}
    virtual void OnPaint();
    virtual LRESULT OnQueryEndSession() { return 1; }
    virtual void OnRButtonDown(WPARAM, LPARAM) {}
    virtual void OnRButtonUp(WPARAM, LPARAM) {}
    virtual void OnSetFocus() {}
    virtual void OnSize(WPARAM, LPARAM) {}
    virtual void OnSysColorChange() {}
    virtual void OnSysKeyDown(WPARAM, LPARAM) {}
    virtual void OnSysKeyUp(WPARAM, LPARAM) {}
    virtual void OnTimer(WPARAM) {}
    virtual LRESULT OnVKeyToItem(WPARAM) { return -1; }

protected:
    // The class record every framework class starts from: StaticWindowProc, 4 extra bytes,
    // the program's instance and the arrow cursor.
    static WNDCLASSA FrameworkClass(const char* className, UINT classStyle, HBRUSH background);
    // Registers a class at most once per process; answers false when it was registered before
    // or RegisterClassA failed (the flag then stays clear, so a later call tries again).
    static bool RegisterClassOnce(bool& registered, const WNDCLASSA& windowClass);

    HWND hwnd = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;

private:
    // Windows still sends WM_DESTROY to a window whose WM_CREATE failed; such a window has no
    // state worth saving and ends nothing
    bool creationSucceeded = false;

    friend LRESULT CALLBACK StaticWindowProc(HWND, UINT, WPARAM, LPARAM);
};
