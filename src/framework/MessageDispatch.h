#pragma once

#include <windows.h>

// The rows of the message dispatch that Window and Dialog share: each message goes to its
// handler and is answered 0, except WM_CREATE (0, or -1 to fail the creation) and the two
// messages whose handler's answer is returned. Answers false, leaving answer alone, for any
// other message, which each class dispatches by its own rows.
template <class Target, class Result>
bool DispatchSharedMessage(Target& target, UINT message, WPARAM wParam, LPARAM lParam, Result& answer)
{
    switch (message) {
    case WM_CREATE:
        answer = target.OnCreate() ? 0 : -1;
        return true;
    case WM_CTLCOLORLISTBOX:
        answer = target.OnCtlColorListBox(wParam, lParam);
        return true;
    case WM_VKEYTOITEM:
        answer = target.OnVKeyToItem(wParam);
        return true;
    case WM_CHAR:
        target.OnChar(wParam, lParam);
        break;
    case WM_CONTEXTMENU:
        target.OnContextMenu(wParam, lParam);
        break;
    case WM_DROPFILES:
        target.OnDropFiles(wParam);
        break;
    case WM_INITMENU:
        target.OnInitMenu();
        break;
    case WM_KEYDOWN:
        target.OnKeyDown(wParam, lParam);
        break;
    case WM_KEYUP:
        target.OnKeyUp(wParam, lParam);
        break;
    case WM_KILLFOCUS:
        target.OnKillFocus();
        break;
    case WM_LBUTTONDOWN:
        target.OnLButtonDown(wParam, lParam);
        break;
    case WM_LBUTTONUP:
        target.OnLButtonUp(wParam, lParam);
        break;
    case WM_MENUSELECT:
        target.OnMenuSelect(wParam, lParam);
        break;
    case WM_MOUSEMOVE:
        target.OnMouseMove(wParam, lParam);
        break;
    case WM_PAINT:
        target.OnPaint();
        break;
    case WM_RBUTTONDOWN:
        target.OnRButtonDown(wParam, lParam);
        break;
    case WM_RBUTTONUP:
        target.OnRButtonUp(wParam, lParam);
        break;
    case WM_SETFOCUS:
        target.OnSetFocus();
        break;
    case WM_SIZE:
        target.OnSize(wParam, lParam);
        break;
    case WM_SYSCOLORCHANGE:
        target.OnSysColorChange();
        break;
    case WM_SYSKEYDOWN:
        target.OnSysKeyDown(wParam, lParam);
        break;
    case WM_SYSKEYUP:
        target.OnSysKeyUp(wParam, lParam);
        break;
    case WM_TIMER:
        target.OnTimer(wParam);
        break;
    default:
        return false;
    }
    answer = 0;
    return true;
}
