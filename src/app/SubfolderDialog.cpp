#include "app/SubfolderDialog.h"

#include "framework/CenterWindow.h"
#include "resource.h"

INT_PTR SubfolderDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ListSubfolders();
        SetWindowTextA(hwnd, searchPattern);
        CenterWindow(hwnd);
        return TRUE;  // the system puts the focus on "&Yes"
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            EndDialog(hwnd, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(hwnd, 0);
            return TRUE;
        default:
            return FALSE;  // the list box's notifications
        }
    default:
        return FALSE;
    }
}

// Hidden subfolders are listed; dot folders and system folders are not. The list box sorts.
void SubfolderDialog::ListSubfolders() const
{
    HWND list = GetDlgItem(hwnd, IDC_SUBFOLDER_LIST);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(searchPattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && found.cFileName[0] != '.' &&
            (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) == 0)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
