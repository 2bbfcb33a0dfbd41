#pragma once

#include <windows.h>

// Called with the owner's object and the control's id when the control's notification arrives.
using ControlCallback = void (*)(void* target, int controlId);

// A child control that the wrapper creates or finds in a dialog template; its parent's
// dispatch hands it the control's WM_COMMAND notifications, WM_NOTIFY and WM_DRAWITEM.
class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    // Unbinds a control that outlives its wrapper; a subclassed one then goes straight to the
    // saved control procedure.
    virtual ~Control();

    HWND Handle() const { return hwnd; }
    int ControlId() const { return controlId; }
    DWORD Style() const { return style; }
    DWORD ExStyle() const { return exStyle; }
    void SetStyle(DWORD newStyle) { style = newStyle; }
    void SetExStyle(DWORD newExStyle) { exStyle = newExStyle; }

    virtual bool Create(HWND parent, int id, const char* text, int x, int y, int width, int height);
    // True when the control consumed the notification; false lets the parent handle the command.
    virtual bool OnCommandNotify(int code, int id);
    virtual void OnDrawItem(DRAWITEMSTRUCT*) {}
    virtual LRESULT OnNotify(NMHDR*) { return 0; }
    virtual void SetCallback(void* target, ControlCallback handler);
    virtual LRESULT SubclassProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Takes the next automatic id (from 900, never reused) as this control's id.
    int AllocateControlId();
    // Takes id as this control's id, or the next automatic one when id is 0.
    void TakeControlId(int id);
    // Attaches to the parent's child with controlId, or creates the control; binds the wrapper.
    bool AttachOrCreate(const char* windowClass, HWND parent, const char* text, int x, int y, int width, int height);
    // Replaces the control's procedure (SubclassWindowProc when null); answers the previous one, or
    // null when the wrapper has no live window.
    WNDPROC Subclass(WNDPROC procedure);

protected:
    // Calls the callback when one is set; answers whether it did.
    bool NotifyCallback();

    HWND hwnd = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    int controlId = 0;
    void* callbackTarget = nullptr;
    ControlCallback callback = nullptr;
};

// Hands a subclassed control's messages to its wrapper's SubclassProc.
LRESULT CALLBACK SubclassWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure the first subclassed control had before it was subclassed; null until then.
WNDPROC SavedControlProc();

// The wrapper bound to a control window, or null for a window without one (a template control
// without a framework object, or a framework window, whose user data holds a Window).
Control* ControlFromWindow(HWND window);

// The wrapper of the control that sent a WM_NOTIFY whose lParam this is, or null.
Control* ControlOfNotification(LPARAM lParam);
