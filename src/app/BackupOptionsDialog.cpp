#include "app/BackupOptionsDialog.h"

#include "app/ProgramBoxes.h"
#include "framework/CenterWindow.h"
#include "framework/ProgramInstance.h"
#include "resource.h"
#include "text/BoundedText.h"

#include <cstring>

BackupOptionsDialog::BackupOptionsDialog() : showWarning(ShowWarningBox) {}

INT_PTR BackupOptionsDialog::Run(HWND owner)
{
    optionsChanged = false;
    descriptionChanged = false;
    return DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_BACKUP_OPTIONS), owner, StaticDialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool BackupOptionsDialog::Confirm(HWND owner, BackupOptions& folderListOptions, bool& modified)
{
    options = folderListOptions;
    INT_PTR answer = Run(owner);
    if (descriptionChanged) {
        CopyText(folderListOptions.description, options.description);
        modified = true;
    }
    if (answer == 1 && optionsChanged) {
        folderListOptions = options;
        modified = true;
    }
    return answer == 1;
}

INT_PTR BackupOptionsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DESTINATION:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                changed = true;
            break;
        case IDC_COPY_UPDATED:
        case IDC_RECORD_FILE_NAMES:
        case IDC_COPY_HIDDEN:
        case IDC_COPY_SYSTEM:
            changed = true;
            break;
        case IDC_BROWSE:
            OnBrowse();
            break;
        case IDC_DRIVE_LIST:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                OnDrivePicked();
            break;
        case IDC_START_BACKUP:
            OnBackup();
            break;
        case IDCANCEL:
            Close(0);
            break;
        default:
            return FALSE;
        }
        return TRUE;
    default:
        return FALSE;
    }
}

static void SetCheck(HWND dialog, int id, bool checked)
{
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

static bool IsChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void BackupOptionsDialog::OnInit()
{
    changed = false;
    std::memset(destination, 0, sizeof destination);
    SetCheck(hwnd, IDC_COPY_UPDATED, options.copyUpdated);
    SetCheck(hwnd, IDC_RECORD_FILE_NAMES, options.recordFileNames);
    SetCheck(hwnd, IDC_COPY_HIDDEN, options.copyHidden);
    SetCheck(hwnd, IDC_COPY_SYSTEM, options.copySystem);
    SendDlgItemMessageA(hwnd, IDC_DESCRIPTION, EM_LIMITTEXT, sizeof options.description - 1, 0);
    SetDlgItemTextA(hwnd, IDC_DESCRIPTION, options.description);
    HWND destinationField = GetDlgItem(hwnd, IDC_DESTINATION);
    history.loadHistory(destinationField, 261, 10, programKey, "Combo2");
    // the history would allow 260 characters; a destination holds 259
    SendMessageA(destinationField, CB_LIMITTEXT, kDestinationLength, 0);
    driveList.Create(hwnd, IDC_DRIVE_LIST, "", 0, 0, 0, 0);
    DWORD drives = GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if (drives & (1u << bit)) {
            char drive[] = "x:";
            drive[0] = static_cast<char>('A' + bit);
            SendMessageA(driveList.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive));
        }
    }
    SetWindowTextA(destinationField, options.destination);
    CopyText(destination, options.destination);
    SelectDriveOf(options.destination);
    CenterWindow(hwnd);
}

void BackupOptionsDialog::SelectDriveOf(const char* path)
{
    if (std::strlen(path) != 3 || path[1] != ':')
        return;
    char drive[] = "x:";
    drive[0] = path[0];
    if (SendMessageA(driveList.Handle(), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(drive))
        == CB_ERR)
        SendMessageA(driveList.Handle(), CB_SETCURSEL, 0, 0);
}

void BackupOptionsDialog::OnBrowse()
{
    if (pickFolder == nullptr)
        return;
    char title[260] = {};
    LoadStringA(ProgramInstance(), IDS_PICK_DESTINATION, title, sizeof title);
    char folder[sizeof destination] = {};
    if (!pickFolder(hwnd, title, folder, sizeof folder))
        return;
    SetDlgItemTextA(hwnd, IDC_DESTINATION, folder);
    SendMessageA(driveList.Handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    changed = true;
}

void BackupOptionsDialog::OnDrivePicked()
{
    LRESULT picked = SendMessageA(driveList.Handle(), CB_GETCURSEL, 0, 0);
    char drive[8] = {};
    if (picked == CB_ERR || SendMessageA(driveList.Handle(), CB_GETLBTEXTLEN, picked, 0) >= LRESULT{sizeof drive - 1})
        return;
    SendMessageA(driveList.Handle(), CB_GETLBTEXT, picked, reinterpret_cast<LPARAM>(drive));
    CopyText(destination, drive);
    AppendText(destination, "\\");
    SetDlgItemTextA(hwnd, IDC_DESTINATION, destination);
    changed = true;
}

void BackupOptionsDialog::OnBackup()
{
    if (!history.pushHistory(destination, sizeof destination)) {
        // owned by the window that is active (this dialog), not by the main window it has disabled
        HWND active = GetActiveWindow();
        // the history refuses a destination only when there is none or it has no room for its separator
        char reason[120] = "You must choose a destination";
        if (GetWindowTextLengthA(GetDlgItem(hwnd, IDC_DESTINATION)) != 0)
            FormatText(reason, sizeof reason, "The destination is too long: with its closing backslash it holds at "
                       "most %d characters.", kDestinationLength);
        showWarning(active != nullptr ? active : hwnd, reason, "Trellisvault");
        return;
    }
    // a destination typed over the shown one is the one the user means to back up to
    if (std::strcmp(destination, options.destination) != 0)
        changed = true;
    if (changed) {
        options.copyUpdated = IsChecked(hwnd, IDC_COPY_UPDATED);
        options.recordFileNames = IsChecked(hwnd, IDC_RECORD_FILE_NAMES);
        options.copyHidden = IsChecked(hwnd, IDC_COPY_HIDDEN);
        options.copySystem = IsChecked(hwnd, IDC_COPY_SYSTEM);
        CopyText(options.destination, destination);
        optionsChanged = true;
    }
    Close(1);
}

void BackupOptionsDialog::Close(INT_PTR result)
{
    history.releaseHistory();
    if (SendDlgItemMessageA(hwnd, IDC_DESCRIPTION, EM_GETMODIFY, 0, 0)) {
        GetDlgItemTextA(hwnd, IDC_DESCRIPTION, options.description, sizeof options.description);
        descriptionChanged = true;
    }
    EndDialog(hwnd, result);
}
