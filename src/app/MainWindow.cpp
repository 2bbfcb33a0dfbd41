#include "app/MainWindow.h"

#include "app/BoxColours.h"
#include "app/EditFolderDialog.h"
#include "app/FolderBrowser.h"
#include "app/ProgramBoxes.h"
#include "document/DocumentStorage.h"
#include "document/FolderListDocument.h"
#include "document/FolderLine.h"
#include "document/RegistrySettings.h"
#include "framework/DpiScale.h"
#include "framework/HoverButton.h"
#include "framework/ProgramInstance.h"
#include "resource.h"
#include "text/BoundedText.h"

#include <commctrl.h>
#include <ole2.h>
#include <windowsx.h>

namespace {

struct ButtonRow {
    const char* label;
    int width;
    int command;
    const char* hint;
};

const ButtonRow buttonRows[] = {
    {"&Backup", 70, IDM_START_BACKUP, "Begin the backup process."},
    {"&Add", 68, IDM_ADD_FOLDER, "Add a new folder to the list."},
    {"&Edit", 68, IDM_EDIT_FOLDER, "Edit the selected folder."},
    {"&Remove", 72, IDM_REMOVE_FOLDER, "Remove the selected folder from the list."},
    {"&View", 68, IDM_VIEW_FILES, "View the contents of the selected folder."},
    {"Ab&out", 70, IDM_ABOUT, "Information about this program."},
    {"E&xit", 70, IDM_EXIT, "Exit this program."},
};

// red 255, green 255, blue 224
const COLORREF lightYellow = 0x00E0FFFF;

} // namespace

MainWindow::MainWindow(const Parts& parts)
    : backupRun(parts.backupRun), folderList(parts.folderList), bar(parts.buttonBar), status(parts.statusBar),
      about(parts.about), subfolderDialog(parts.subfolderDialog), optionsDialog(parts.optionsDialog),
      progress(parts.progress)
{
}

int MainWindow::Start(int showCommand)
{
    SetButtonCursor(LoadCursorA(ProgramInstance(), MAKEINTRESOURCEA(IDC_BUTTON_HAND)));
    status.SetPartCount(3);
    status.AddPart(80, 0);
    status.AddPart(40, 0);
    status.AddPart(12, 0);
    bar.SetButtonCount(7);
    folderList.SetStyle(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SORTASCENDING);
    if (!Create(&folderList, &bar, &status))
        return 0;
    SetListColours();
    if (!AddButtons())
        return -1;
    folderList.InsertColumn();
    // the small icon's size grows with the DPI
    int iconSize = GetSystemMetrics(SM_CXSMICON);
    // 32-bit colour: with ILC_MASK alone the list takes the default depth, 4 bits, and loses the icon's colours
    HIMAGELIST images = ImageList_Create(iconSize, iconSize, ILC_COLOR32 | ILC_MASK, 3, 0);
    HANDLE marker = LoadImageA(ProgramInstance(), MAKEINTRESOURCEA(IDI_SUBFOLDERS), IMAGE_ICON, iconSize, iconSize, 0);
    ImageList_ReplaceIcon(images, -1, static_cast<HICON>(marker));
    // the image list keeps a copy; an icon loaded at a chosen size is not shared, so it is ours
    if (marker != nullptr)
        DestroyIcon(static_cast<HICON>(marker));
    // the list view owns its image list and destroys it with itself
    SendMessageA(folderList.Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    Show(showCommand);

    locateDataFolder(*this, hwnd);
    runNewSteps();
    RegistrySettings().readDataFilePath(dataFile, sizeof dataFile);
    relocateDataFile(*this);
    loadDocument(*this);
    return kStarted;
}

void MainWindow::SetListColours()
{
    HWND list = folderList.Handle();
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, kBoxText);
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, lightYellow);
    SendMessageA(list, LVM_SETBKCOLOR, 0, lightYellow);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
}

// Only the last button's failure stops the start; the others are missed without harm.
bool MainWindow::AddButtons()
{
    bool added = false;
    for (const ButtonRow& row : buttonRows)
        added = bar.AddButton(row.label, row.width, row.command, false, row.hint);
    return added;
}

LRESULT MainWindow::OnUnhandledMessage(UINT message, WPARAM wParam, LPARAM)
{
    // any process may send the hint message: only a button's id counts, and the text is the
    // program's own, never read through the pointer that came with it
    if (message == kResumeRowPainting && rowPaintingHeld) {
        rowPaintingHeld = false;
        SendMessageA(folderList.Handle(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(folderList.Handle(), nullptr, TRUE);
    }
    if (message == WM_BUTTON_HINT) {
        for (const ButtonRow& row : buttonRows) {
            if (wParam == static_cast<WPARAM>(row.command))
                status.SetText(0, row.hint);
        }
    }
    return 0;  // default processing follows for every message
}

bool MainWindow::SaveState()
{
    return RegistrySettings().SaveState(hwnd, dataFile);
}

bool MainWindow::RestorePlacement()
{
    return RegistrySettings().RestorePlacement(hwnd);
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case IDM_VIEW_LOG:           backupRun.OpenLog(); break;
    case IDM_NEW_LIST:           newDocument(*this); break;
    case IDM_OPEN_LIST:          openDocument(*this); break;
    case IDM_START_BACKUP:       backupRun.Run(); break;
    case IDM_ADD_FOLDER:         AddFolder(); break;
    case IDM_EDIT_FOLDER:        EditFolder(); break;
    case IDM_REMOVE_FOLDER:      RemoveFolder(); break;
    case IDM_VIEW_FILES:         folderList.ViewSelectedFolder(); break;
    case IDM_CANCEL_POPUP:       break;
    case IDM_SAVE_LIST:          saveCommand(*this); break;
    case IDM_ABOUT:              ShowAbout(); break;
    case IDM_EXIT:               if (CanClose()) Destroy(); break;
    case IDM_SHOW_DATA_LOCATION: ShowDataLocation(); break;
    default:                     break;  // no other id is the program's
    }
}

void MainWindow::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    // signed, since a screen left of or above the primary one has negative coordinates
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    bool fromKeyboard = at.x == -1 && at.y == -1;
    // a right click on the caption or the frame's edge asks for the window menu, which the
    // system shows; Windows sends that click here, Wine sends none for it
    if (!fromKeyboard && SendMessageA(hwnd, WM_NCHITTEST, 0, lParam) != HTCLIENT) {
        DefWindowProcA(hwnd, WM_CONTEXTMENU, wParam, lParam);
        return;
    }
    HMENU popup = GetSubMenu(popupMenu, 0);
    if (popup == nullptr)
        return;
    UpdateMenuItems(popup);
    // from the keyboard (Shift+F10 or the menu key) there is no mouse position
    if (fromKeyboard) {
        at = {0, 0};
        ClientToScreen(folderList.Handle(), &at);
    }
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr);
}

bool MainWindow::OnCreate()
{
    // the shell's folder browser needs an OLE apartment on the thread that shows it
    oleInitialized = SUCCEEDED(OleInitialize(nullptr));
    if (!MainFrame::OnCreate())
        return false;
    popupMenu = LoadMenuA(ProgramInstance(), MAKEINTRESOURCEA(IDM_POPUP_MENU));
    return true;
}

void MainWindow::OnDestroy()
{
    backupRun.DeleteLog();
    // the menu bar goes with the window; the popup menu is not attached to it
    if (popupMenu != nullptr && DestroyMenu(popupMenu))
        popupMenu = nullptr;
    if (oleInitialized)
        OleUninitialize();
    oleInitialized = false;
}

void MainWindow::OnInitMenu()
{
    UpdateMenuItems(GetMenu(hwnd));
}

void MainWindow::UpdateMenuItems(HMENU menu) const
{
    bool selected = folderList.SelectedRow() >= 0;
    struct ItemState {
        UINT command;
        bool enabled;
    };
    const ItemState states[] = {
        {IDM_SHOW_DATA_LOCATION, dataFile[0] != '\0'},
        {IDM_EDIT_FOLDER, selected},
        {IDM_REMOVE_FOLDER, selected},
        {IDM_VIEW_FILES, selected},
        {IDM_VIEW_LOG, backupRun.LogWritten()},
    };
    for (const ItemState& state : states)
        EnableMenuItem(menu, state.command, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::AdjustClass(WNDCLASSA& windowClass)
{
    windowClass.hIcon = LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(IDI_PROGRAM));
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN_MENU);
}

void MainWindow::AdjustCreation(CREATESTRUCTA& creation)
{
    creation.lpszName = "Trellisvault";
    DpiScale scale;
    creation.cx = scale(600);
    creation.cy = scale(442);
}

void MainWindow::AddFolder()
{
    FolderBrowser browser(folderList.Handle());
    LoadStringA(ProgramInstance(), IDS_CHOOSE_FOLDER, browser.title, sizeof browser.title);
    if (browser.Browse())
        AddPickedFolder(browser.result);
}

void MainWindow::AddPickedFolder(const char* folder)
{
    char entryText[kLongestEntryText + 1];
    // refused before anything is asked: the list could not keep the entry whole
    if (!CopyText(entryText, folder) || !AppendText(entryText, "*.*")) {
        ShowEntryTooLong(folderList.Handle(), false);
        return;
    }
    subfolderDialog.searchPattern = entryText;
    INT_PTR answer = DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_SUBFOLDERS), folderList.Handle(),
                                     StaticDialogProc, reinterpret_cast<LPARAM>(&subfolderDialog));
    bool includeSubfolders = answer != 0 && answer != -1;
    folderList.SelectRow(folderList.InsertRow(entryText, includeSubfolders));
}

void MainWindow::EditFolder()
{
    int row = folderList.SelectedRow();
    if (row < 0)
        return;
    folderList.editIndex = row;
    EditFolderDialog edit;
    edit.entryText = folderList.RowText(row);
    edit.includeSubfolders = folderList.HasSubfolders(row);
    if (edit.Run(folderList.Handle())) {
        // the new row goes in before the old one goes, so a row the list refuses loses nothing;
        // without a change the row stays byte for byte as it was, though OK still counts as an edit
        int added = edit.changed ? folderList.InsertRow(edit.entryText.c_str(), edit.includeSubfolders) : -1;
        if (added >= 0) {
            folderList.DeleteRow(added <= row ? row + 1 : row);
            folderList.editIndex = added > row ? added - 1 : added;
        } else if (!edit.changed) {
            folderList.modified = true;
        }
    }
    // the list is sorted, so the edited row may have moved
    folderList.SelectRow(folderList.editIndex);
}

void MainWindow::RemoveFolder()
{
    int row = folderList.SelectedRow();
    if (row < 0)
        return;
    char rowText[260];
    folderList.RowText(row, rowText, sizeof rowText);
    TrimBlanks(rowText);
    char question[300] = "Remove this item?\n\n";
    AppendText(question, rowText);
    if (AskToRemove(folderList.Handle(), question) != IDYES)
        return;
    if (folderList.DeleteRow(row))
        status.SetText(0, "");
}

void MainWindow::ShowAbout()
{
    static const char address[] = "https://www.pennyroyal.example/trellisvault/";
    about.Run(hwnd, "Trellisvault - Version 2.02\nWritten by the Pennyroyal developers", address, 0,
              MAKEINTRESOURCEA(IDI_PROGRAM), kBoxText, kBoxBack, kBoxFrame);
    // told once the About box has gone, as one message box is shown at a time
    if (about.LinkFailure() != 0)
        ShowOpenFailure(hwnd, address, "Can't open the web address:", about.LinkFailure());
}

void MainWindow::ShowDataLocation()
{
    if (dataFile[0] != '\0')
        ShowDataFileLocation(hwnd, dataFile);
}
