#include "app/EditFolderDialog.h"

#include "document/FolderLine.h"
#include "document/FolderListReader.h"
#include "engine/AnsiCodePage.h"
#include "framework/CenterWindow.h"
#include "framework/EditBox.h"
#include "framework/ProgramInstance.h"
#include "framework/TextArea.h"
#include "resource.h"
#include "text/BoundedText.h"

#include <algorithm>
#include <cstring>

const std::size_t EditFolderDialog::kMaxEntryText = kLineSize - 1 - (sizeof kSubfolderMarker - 1);

static const char kHelpText[] = "The file name can use any combination of wildcards. Addtional names can be added "
                                "by separating them with a comma. Example:  *.cpp, *.h, *.rc";
// the wildcard list a run reads holds at most 79 characters
static const int kMaxWildcards = 79;

static EditFolderDialog* editing = nullptr;
static EditBox folderField;
static EditBox wildcardField;
static TextArea helpArea;
static int wildcardLimit = kMaxWildcards;

bool EditFolderDialog::Run(HWND owner)
{
    return DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_EDIT_FOLDER), owner, EditFolderDialogProc,
                           reinterpret_cast<LPARAM>(this))
        == IDOK;
}

static void OnInit(HWND dialog, EditFolderDialog* request)
{
    editing = request;
    helpArea.Attach(dialog, IDC_TEXT_FRAME, nullptr, DT_WORDBREAK);
    helpArea.backColour = GetSysColor(COLOR_BTNFACE);
    folderField.Create(dialog, IDC_FOLDER_PATH, "", 0, 0, 0, 0);
    wildcardField.Create(dialog, IDC_WILDCARDS, "", 0, 0, 0, 0);
    char row[sizeof request->entryText];
    CopyText(row, request->entryText);
    TrimBlanks(row);
    char* lastSlash = AnsiLeadBytes().FindLast(row, '\\');
    const char* wildcards = lastSlash != nullptr ? lastSlash + 1 : row;
    SetWindowTextA(wildcardField.Handle(), wildcards);
    if (lastSlash != nullptr)
        lastSlash[1] = '\0';
    else
        row[0] = '\0';
    SetWindowTextA(folderField.Handle(), row);
    // a longer entry would lose its subfolder marker when the data file is read back; room for
    // "*.*" stays even beside a folder that already fills the line
    int room = static_cast<int>(EditFolderDialog::kMaxEntryText) - static_cast<int>(std::strlen(row));
    wildcardLimit = std::clamp(room, 3, kMaxWildcards);
    SendMessageA(wildcardField.Handle(), EM_LIMITTEXT, wildcardLimit, 0);
    CheckDlgButton(dialog, IDC_INCLUDE_SUBFOLDERS, request->includeSubfolders ? BST_CHECKED : BST_UNCHECKED);
    CenterWindow(dialog);
}

static void OnOk(HWND dialog)
{
    char folder[260] = {};
    char wildcards[kMaxWildcards + 1] = {};
    GetWindowTextA(folderField.Handle(), folder, sizeof folder);
    GetWindowTextA(wildcardField.Handle(), wildcards, wildcardLimit + 1);
    const char* list = wildcards;
    while (*list == ' ')
        ++list;
    if (*list == '\0')
        list = "*.*";
    CopyText(editing->entryText, folder);
    AppendText(editing->entryText, list);
    editing->includeSubfolders = IsDlgButtonChecked(dialog, IDC_INCLUDE_SUBFOLDERS) == BST_CHECKED;
}

static void PaintHelp(HWND dialog)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    if (dc == nullptr)
        return;
    helpArea.Draw(dc, kHelpText);
    EndPaint(dialog, &paint);
}

INT_PTR CALLBACK EditFolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, reinterpret_cast<EditFolderDialog*>(lParam));
        return TRUE;
    case WM_PAINT:
        PaintHelp(dialog);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOk(dialog);
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}
