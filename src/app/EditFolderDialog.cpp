#include "app/EditFolderDialog.h"

#include "app/ProgramBoxes.h"
#include "document/FolderLine.h"
#include "engine/AnsiCodePage.h"
#include "engine/WildcardList.h"
#include "framework/CenterWindow.h"
#include "framework/EditBox.h"
#include "framework/ProgramInstance.h"
#include "framework/TextArea.h"
#include "resource.h"

#include <algorithm>
#include <cstring>
#include <vector>

static const char kHelpText[] = "The file name can use any combination of wildcards. Addtional names can be added "
                                "by separating them with a comma. Example:  *.cpp, *.h, *.rc";
static EditFolderDialog* editing = nullptr;
static EditBox folderField;
static EditBox wildcardField;
static TextArea helpArea;
// the row's parts as the dialog showed them
static std::string shownFolder;
static std::string shownWildcards;

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
    request->changed = false;
    std::string row = request->entryText;
    TrimBlanks(&row[0]);
    row.resize(std::strlen(row.c_str()));
    // without a backslash the whole text shows as the wildcards
    const char* lastBackslash = AnsiLeadBytes().FindLast(row.c_str(), '\\');
    std::size_t folderLength = lastBackslash != nullptr ? static_cast<std::size_t>(lastBackslash - row.c_str()) + 1 : 0;
    shownFolder = row.substr(0, folderLength);
    shownWildcards = row.substr(folderLength);
    SetWindowTextA(wildcardField.Handle(), shownWildcards.c_str());
    SetWindowTextA(folderField.Handle(), shownFolder.c_str());
    // typing stops where the entry would no longer fit; room for "*.*" stays even beside a
    // folder that already fills the entry, for OK to refuse with its reason
    long room = static_cast<long>(kLongestEntryText) - static_cast<long>(shownFolder.size());
    long wildcardLimit = std::clamp(room, 3L, static_cast<long>(WildcardList::kMaxLength));
    SendMessageA(wildcardField.Handle(), EM_LIMITTEXT, static_cast<WPARAM>(wildcardLimit), 0);
    CheckDlgButton(dialog, IDC_INCLUDE_SUBFOLDERS, request->includeSubfolders ? BST_CHECKED : BST_UNCHECKED);
    CenterWindow(dialog);
}

// The field's text whole, whatever its typing limit.
static std::string FieldText(HWND field)
{
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(field)) + 1);
    GetWindowTextA(field, text.data(), static_cast<int>(text.size()));
    return text.data();
}

// Takes the fields into the request; false, after telling the user why, when they do not fit.
static bool OnOk(HWND dialog)
{
    std::string typed = FieldText(wildcardField.Handle());
    bool includeSubfolders = IsDlgButtonChecked(dialog, IDC_INCLUDE_SUBFOLDERS) == BST_CHECKED;
    if (typed == shownWildcards && includeSubfolders == editing->includeSubfolders)
        return true;
    std::size_t first = typed.find_first_not_of(' ');
    std::string list = first == std::string::npos ? "*.*" : typed.substr(first);
    std::string entry = shownFolder + list;
    if (list.size() > WildcardList::kMaxLength || entry.size() > kLongestEntryText) {
        ShowEntryTooLong(dialog, list.size() > WildcardList::kMaxLength);
        return false;
    }
    editing->entryText = entry;
    editing->includeSubfolders = includeSubfolders;
    editing->changed = true;
    return true;
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
            if (OnOk(dialog))
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
