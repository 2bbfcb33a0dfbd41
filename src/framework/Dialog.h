#pragma once

#include <windows.h>

// The dialog procedure to pass to DialogBoxParamA or CreateDialogParamA together with the
// Dialog object as the init parameter; the object is bound on WM_INITDIALOG.
INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// An object that drives a dialog made from a template. Application dialogs replace
// HandleMessage with a message switch of their own.
class Dialog {
public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    // Unbinds a dialog that outlives its object, so its later messages are answered 0.
    virtual ~Dialog();

    HWND Handle() const { return hwnd; }

    virtual bool Create(HWND parent, int controlId, const char* text, int x, int y, int width, int height);
    // Answered unchanged: 0 lets the dialog manager do its default processing.
    virtual INT_PTR OnUnhandledMessage(UINT, WPARAM, LPARAM) { return 0; }
    virtual void OnChar(WPARAM, LPARAM) {}
    virtual void OnCommand(WPARAM, LPARAM) {}
    virtual void OnContextMenu(WPARAM, LPARAM) {}
    virtual bool OnCreate() { return false; }
    virtual INT_PTR OnCtlColorListBox(WPARAM, LPARAM) { return 0; }
    virtual void OnDestroy() {}
    virtual void OnDrawItem(WPARAM, LPARAM) {}
    virtual void OnDropFiles(WPARAM) {}
    virtual void OnHScroll(WPARAM, LPARAM) {}
    // 1, the default, lets the system set the focus.
    virtual INT_PTR OnInitDialog() { return 1; }
    virtual void OnInitMenu() {}
    virtual void OnKeyDown(WPARAM, LPARAM) {}
    virtual void OnKeyUp(WPARAM, LPARAM) {}
    virtual void OnKillFocus() {}
    virtual void OnLButtonDown(WPARAM, LPARAM) {}
    virtual void OnLButtonUp(WPARAM, LPARAM) {}
    virtual INT_PTR OnMenuSelect(WPARAM, LPARAM) { return 0; }
    virtual void OnMouseMove(WPARAM, LPARAM) {}
    virtual void OnNotify(WPARAM, LPARAM) {}
    virtual void OnPaint() {}
    virtual INT_PTR OnQueryEndSession() { return 1; }
    virtual void OnRButtonDown(WPARAM, LPARAM) {}
    virtual void OnRButtonUp(WPARAM, LPARAM) {}
    virtual void OnSetFocus() {}
    virtual void OnSize(WPARAM, LPARAM) {}
    virtual void OnSysColorChange() {}
    virtual void OnSysKeyDown(WPARAM, LPARAM) {}
    virtual void OnSysKeyUp(WPARAM, LPARAM) {}
    virtual void OnTimer(WPARAM) {}
    virtual INT_PTR OnVKeyToItem(WPARAM) { return -1; }
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    HWND hwnd = nullptr;

    friend INT_PTR CALLBACK StaticDialogProc(HWND, UINT, WPARAM, LPARAM);
};
