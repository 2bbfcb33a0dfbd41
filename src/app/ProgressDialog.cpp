#include "app/ProgressDialog.h"

#include "engine/BackupRun.h"
#include "framework/CenterWindow.h"
#include "framework/DpiScale.h"
#include "framework/ProgramInstance.h"
#include "resource.h"

#include <commctrl.h>

static const UINT_PTR kStepTimer = 1;
static const COLORREF kCrimson = RGB(220, 20, 60);

bool ProgressDialog::Show(HWND owner, BackupRun& backupRun)
{
    run = &backupRun;
    if (hwnd != nullptr && IsWindow(hwnd))
        return true;
    hwnd = nullptr;
    return CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PROGRESS), owner, StaticDialogProc,
                              reinterpret_cast<LPARAM>(this))
        != nullptr;
}

void ProgressDialog::Destroy()
{
    // a window its owner already took down needs no destroying
    if (hwnd != nullptr && (!IsWindow(hwnd) || DestroyWindow(hwnd)))
        hwnd = nullptr;
}

INT_PTR ProgressDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit();
        return TRUE;
    case WM_PAINT:
        Paint();
        return 0;
    // the dialog manager erases with this brush, also where a themed button has its parent draw
    // its rounded corners
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(faceBrush);
    case WM_TIMER:
        SendMessageA(bar.Handle(), PBM_STEPIT, 0, 0);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDCANCEL)
            return Dialog::HandleMessage(message, wParam, lParam);
        if (run != nullptr)
            run->RequestAbort();
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd, kStepTimer);
        if (panelFont != nullptr)
            DeleteObject(panelFont);
        panelFont = nullptr;
        if (faceBrush != nullptr)
            DeleteObject(faceBrush);
        faceBrush = nullptr;
        return 0;
    default:
        return Dialog::HandleMessage(message, wParam, lParam);
    }
}

void ProgressDialog::OnInit()
{
    bar.Create(hwnd, IDC_PROGRESS_BAR, "", 0, 0, 0, 0);
    SendMessageA(bar.Handle(), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA(bar.Handle(), PBM_SETSTEP, 5, 0);
    LOGFONTA description = {};
    description.lfHeight = DpiScale(hwnd)(26);
    description.lfQuality = PROOF_QUALITY;
    description.lfPitchAndFamily = VARIABLE_PITCH | FF_DECORATIVE;
    panelFont = CreateFontIndirectA(&description);
    faceBrush = CreateSolidBrush(kCrimson);
    panel.Attach(hwnd, IDC_TEXT_FRAME, panelFont, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    panel.backColour = RGB(255, 255, 255);
    SetTimer(hwnd, kStepTimer, 500, nullptr);
    CenterWindow(hwnd);
}

void ProgressDialog::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc == nullptr)
        return;
    RECT client;
    GetClientRect(hwnd, &client);
    if (faceBrush != nullptr)
        FillRect(dc, &client, faceBrush);
    panel.Erase(dc);
    panel.Draw(dc, "Backup in progress.");
    EndPaint(hwnd, &paint);
}
