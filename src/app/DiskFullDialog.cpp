#include "app/DiskFullDialog.h"

#include "framework/CenterWindow.h"
#include "framework/ProgramInstance.h"
#include "framework/StatusBar.h"
#include "framework/TextArea.h"
#include "resource.h"

static const char* messageText = "";
static const StatusBar* abortStatus = nullptr;
static TextArea messageArea;

bool AskNextDisk(HWND owner, const char* text, const StatusBar* status)
{
    abortStatus = status;
    INT_PTR answer = DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_DISK_FULL), owner, DiskFullDialog,
                                     reinterpret_cast<LPARAM>(text));
    abortStatus = nullptr;
    return answer == 1;
}

static void PaintMessage(HWND dialog)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    if (dc == nullptr)
        return;
    messageArea.Erase(dc);
    messageArea.Draw(dc, messageText);
    EndPaint(dialog, &paint);
}

INT_PTR CALLBACK DiskFullDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        messageText = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        messageArea.Attach(dialog, IDC_MESSAGE_FRAME, nullptr, DT_WORDBREAK);
        messageArea.backColour = GetSysColor(COLOR_BTNFACE);
        CenterWindow(dialog);
        return TRUE;
    case WM_PAINT:
        PaintMessage(dialog);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            EndDialog(dialog, 1);
            return 0;
        case IDCANCEL:
            if (abortStatus != nullptr)
                abortStatus->SetText(0, "Abort");
            EndDialog(dialog, 0);
            return 0;
        default:
            return 0;
        }
    default:
        return 0;
    }
}
