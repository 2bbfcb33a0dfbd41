#include "MainWindowFixture.h"

#include "resource.h"
#include "text/BoundedText.h"
#include "support/MessageRecorder.h"
#include "support/ModalDriver.h"
#include "support/PumpUntilIdle.h"

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

int ImageOf(HWND list, int row)
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

bool ItemEnabled(HMENU menu, UINT command)
{
    return (GetMenuState(menu, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

} // namespace

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, StartShowsTheRememberedListSortedWithMarkersTitleAndDestination)
{
    StartWithDataFile(kExampleList);
    HWND list = folderList.Handle();
    ASSERT_EQ(3, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ("    c:\\archive\\*.zip", RowText(0));
    EXPECT_EQ("    C:\\Data\\Letters\\*.*", RowText(1));
    EXPECT_EQ("    C:\\Projects\\*.cpp, *.h", RowText(2));
    EXPECT_EQ(1, ImageOf(list, 0));
    EXPECT_EQ(0, ImageOf(list, 1));
    EXPECT_EQ(1, ImageOf(list, 2));
    EXPECT_EQ("Trellisvault - last backed up on 03/14/06  09:05 PM", Title());
    EXPECT_EQ("Dest E:\\", StatusText(1));
    EXPECT_FALSE(window.IsModified());
    // the file was moved into the data folder and is the document's file now
    EXPECT_EQ(0u, DataFilePath().find(window.dataFolder()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(DataFilePath().c_str()));
}

TEST_F(MainWindowTest, TheFrameHasItsClassMenuSizeColumnColoursAndStatusParts)
{
    Start();
    HWND frame = window.Handle();
    char className[32] = "";
    GetClassNameA(frame, className, sizeof className);
    EXPECT_STREQ("MainClass", className);
    EXPECT_EQ("Trellisvault", Title());
    RECT bounds;
    GetWindowRect(frame, &bounds);
    EXPECT_EQ(600, bounds.right - bounds.left);
    EXPECT_EQ(442, bounds.bottom - bounds.top);
    EXPECT_EQ(4, GetMenuItemCount(GetMenu(frame)));

    HWND list = folderList.Handle();
    EXPECT_EQ(0x00E0FFFF, SendMessageA(list, LVM_GETBKCOLOR, 0, 0));
    EXPECT_EQ(0x00E0FFFF, SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0));
    EXPECT_EQ(0x000000, SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0));
    EXPECT_EQ(LVS_EX_FULLROWSELECT, SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    EXPECT_EQ(LVS_REPORT | LVS_SINGLESEL | LVS_SORTASCENDING,
              style & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_SORTASCENDING));
    EXPECT_NE(0, GetWindowLongPtrA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    char heading[64] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = heading;
    column.cchTextMax = sizeof heading;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ("Sub |      Folder name", heading);
    EXPECT_EQ(580, column.cx);
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    EXPECT_EQ(1, ImageList_GetImageCount(images));
    IMAGEINFO image = {};
    BITMAP bitmap = {};
    ASSERT_TRUE(ImageList_GetImageInfo(images, 0, &image));
    ASSERT_NE(0, GetObjectA(image.hbmImage, sizeof bitmap, &bitmap));
    EXPECT_EQ(32, bitmap.bmBitsPixel) << "the marker's colours need a 32-bit image list";

    EXPECT_EQ(3, SendMessageA(statusBar.Handle(), SB_GETPARTS, 0, 0));
    EXPECT_EQ("", StatusText(1));
}

TEST_F(MainWindowTest, SevenButtonsSendTheirCommandsAndShowTheirHints)
{
    Start();
    const char* const labels[] = {"&Backup", "&Add", "&Edit", "&Remove", "&View", "Ab&out", "E&xit"};
    const int commands[] = {40004, 40005, 40006, 40007, 40008, 40011, 40012};
    ASSERT_EQ(7, buttonBar.Count());
    for (int index = 0; index < 7; ++index) {
        EXPECT_EQ(labels[index], WindowTextOf(buttonBar.ButtonAt(index)->Handle()));
        EXPECT_EQ(commands[index], buttonBar.CommandIdAt(index));
        EXPECT_TRUE(IsWindowEnabled(buttonBar.ButtonAt(index)->Handle()));
    }
    SendMessageA(window.Handle(), 0xFA7E, 40005, reinterpret_cast<LPARAM>("Add a new folder to the list."));
    EXPECT_EQ("Add a new folder to the list.", StatusText(0));
    // any process can send it: only the buttons' ids count, with the program's own texts
    SendMessageA(window.Handle(), 0xFA7E, 40004, 0x10);
    EXPECT_EQ("Begin the backup process.", StatusText(0));
    SendMessageA(window.Handle(), 0xFA7E, 40001, reinterpret_cast<LPARAM>("Forged"));
    EXPECT_EQ("Begin the backup process.", StatusText(0));
}

struct GreyingCase {
    bool selected;
    bool titled;
    bool dataLocation, edit, remove, viewFiles, viewLog;
};

// The menus grey what needs a selection or a data file; the buttons stay enabled throughout.
TEST_F(MainWindowTest, MenuItemsAreGreyedByTheSelectionAndTheDataFileWhileTheButtonsStayEnabled)
{
    StartWithDataFile(kExampleList);
    const GreyingCase cases[] = {
        {false, false, false, false, false, false, false},
        {true, false, false, true, true, true, false},
        {true, true, true, true, true, true, false},
        {false, true, true, false, false, false, false},
    };
    std::string path = DataFilePath();
    HMENU popupResource = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_POPUP_MENU));
    HMENU popup = GetSubMenu(popupResource, 0);
    for (const GreyingCase& test : cases) {
        SCOPED_TRACE(std::to_string(test.selected) + " " + std::to_string(test.titled));
        folderList.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (test.selected)
            folderList.SelectRow(1);
        CopyText(window.dataFilePath(), test.titled ? path.c_str() : "");
        SendMessageA(window.Handle(), WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(window.Handle())), 0);
        window.UpdateMenuItems(popup);
        for (HMENU menu : {GetMenu(window.Handle()), popup}) {
            EXPECT_EQ(test.edit, ItemEnabled(menu, IDM_EDIT_FOLDER));
            EXPECT_EQ(test.remove, ItemEnabled(menu, IDM_REMOVE_FOLDER));
            EXPECT_EQ(test.viewFiles, ItemEnabled(menu, IDM_VIEW_FILES));
        }
        EXPECT_EQ(test.dataLocation, ItemEnabled(GetMenu(window.Handle()), IDM_SHOW_DATA_LOCATION));
        EXPECT_EQ(test.viewLog, ItemEnabled(GetMenu(window.Handle()), IDM_VIEW_LOG));
        EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(popup, IDM_SHOW_DATA_LOCATION, MF_BYCOMMAND));
        for (int index = 0; index < buttonBar.Count(); ++index)
            EXPECT_TRUE(IsWindowEnabled(buttonBar.ButtonAt(index)->Handle()));
    }
    CopyText(window.dataFilePath(), path.c_str());
    DestroyMenu(popupResource);
}

// Each Alt key of the table gives its button's command; Alt+V views files, not the log.
TEST_F(MainWindowTest, TheAltKeysGiveTheButtonsCommands)
{
    Start();
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDA_MAIN));
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(7, CopyAcceleratorTableA(table, nullptr, 0));
    const struct {
        char key;
        WORD command;
    } keys[] = {{'B', 40004}, {'A', 40005}, {'E', 40006}, {'R', 40007}, {'V', 40008}, {'O', 40011}, {'X', 40012}};
    // Edit and View files on a row whose folder does not exist do nothing but arrive; a greyed
    // item would swallow its key, so a row is selected
    window.InsertRow("C:\\NoSuchFolderForTheKeys\\*.*", false);
    folderList.SelectRow(0);
    BYTE keyState[256];
    ASSERT_TRUE(GetKeyboardState(keyState));
    BYTE altDown[256];
    std::copy(keyState, keyState + 256, altDown);
    altDown[VK_MENU] = 0x80;
    // the thread's own key state: no input reaches any other window
    SetKeyboardState(altDown);
    MessageRecorder recorder(window.Handle(), {WM_COMMAND});
    ModalDriver editDialog("#32770", [](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    for (char key : {'E', 'V'}) {
        recorder.Clear();
        MSG msg = {window.Handle(), WM_SYSKEYDOWN, static_cast<WPARAM>(key), 1 << 29, 0, {0, 0}};
        EXPECT_NE(0, TranslateAcceleratorA(window.Handle(), table, &msg)) << key;
        ASSERT_EQ(1u, recorder.Count(WM_COMMAND)) << key;
        EXPECT_EQ(key == 'V' ? IDM_VIEW_FILES : IDM_EDIT_FOLDER, LOWORD(recorder.Entries()[0].wParam)) << key;
    }
    SetKeyboardState(keyState);
    EXPECT_EQ(1, editDialog.Count()) << "Alt+E opened the Edit dialog";
    ACCEL entries[7];
    ASSERT_EQ(7, CopyAcceleratorTableA(table, entries, 7));
    for (int index = 0; index < 7; ++index) {
        EXPECT_EQ(FALT | FVIRTKEY, entries[index].fVirt & (FALT | FVIRTKEY | FCONTROL | FSHIFT));
        EXPECT_EQ(keys[index].key, entries[index].key);
        EXPECT_EQ(keys[index].command, entries[index].cmd);
    }
    DestroyAcceleratorTable(table);
}

TEST_F(MainWindowTest, RemoveAsksInTheListWindowsNameAndDeletesOnlyOnYes)
{
    StartWithDataFile(kExampleList);
    struct {
        int button;
        int rowsAfter;
    } answers[] = {{IDNO, 3}, {IDYES, 2}};
    for (const auto& answer : answers) {
        folderList.SelectRow(1);
        window.SetModified(false);
        statusBar.SetText(0, "hint");
        bool frameUsable = true;
        ModalDriver driver(kBoxClass, [&](HWND box) {
            frameUsable = IsWindowEnabled(window.Handle()) != FALSE;
            ClickButtonWithText(box, answer.button == IDYES ? "Yes" : "No");
        });
        SendMessageA(window.Handle(), WM_COMMAND, IDM_REMOVE_FOLDER, 0);
        ASSERT_EQ(1, driver.Count());
        EXPECT_EQ("Trellisvault", driver.Caption());
        EXPECT_FALSE(frameUsable) << "the frame took input while the question was up";
        EXPECT_TRUE(IsWindowEnabled(window.Handle()));
        EXPECT_EQ(answer.rowsAfter, SendMessageA(folderList.Handle(), LVM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ(answer.button == IDYES, window.IsModified());
        EXPECT_EQ(answer.button == IDYES ? "" : "hint", StatusText(0));
    }
    EXPECT_EQ("    C:\\Projects\\*.cpp, *.h", RowText(1));
    EXPECT_EQ(-1, folderList.SelectedRow());
}

TEST_F(MainWindowTest, RemoveWithoutASelectionAsksNothing)
{
    StartWithDataFile(kExampleList);
    MessageRecorder recorder(folderList.Handle(), {WM_ENABLE});
    SendMessageA(window.Handle(), WM_COMMAND, IDM_REMOVE_FOLDER, 0);
    EXPECT_EQ(0u, recorder.Count(WM_ENABLE));
    EXPECT_EQ(3, folderList.RowCount());
}

// Cancel keeps the window; No closes it without saving.
TEST_F(MainWindowTest, ClosingWithChangesAsksSaveFolderList)
{
    Start();
    window.InsertRow("C:\\Work\\*.*", false);
    std::string question;
    ModalDriver cancel(kBoxClass, [&](HWND box) { ClickButtonWithText(box, "Cancel"); });
    SendMessageA(window.Handle(), WM_CLOSE, 0, 0);
    ASSERT_EQ(1, cancel.Count());
    EXPECT_EQ("Trellisvault", cancel.Caption());
    EXPECT_TRUE(IsWindow(window.Handle()));
    EXPECT_EQ(0, SendMessageA(window.Handle(), WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(2, cancel.Count());

    ModalDriver no(kBoxClass, [&](HWND box) { ClickButtonWithText(box, "No"); });
    SendMessageA(window.Handle(), WM_COMMAND, IDM_EXIT, 0);
    ASSERT_EQ(1, no.Count());
    EXPECT_FALSE(IsWindow(window.Handle()));
}

// The window's thread holds an OLE apartment while the window lives, as the shell's folder browser needs.
TEST_F(MainWindowTest, AnUnchangedListClosesWithoutAQuestionStoresItsSettingsAndLeavesItsOleApartment)
{
    // Wine's OleInitialize answers S_FALSE only while the thread holds OLE, not for the COM its IME
    // gives every thread with a window (Windows answers S_FALSE for COM alone too)
    auto oleHeld = [] { bool held = OleInitialize(nullptr) == S_FALSE; OleUninitialize(); return held; };
    ASSERT_FALSE(oleHeld());
    StartWithDataFile(kExampleList);
    EXPECT_TRUE(oleHeld());
    std::string path = DataFilePath();
    ModalDriver none(kBoxClass, [&](HWND box) { ClickButtonWithText(box, "Cancel"); }, 1000);
    SendMessageA(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, none.Count());
    EXPECT_FALSE(IsWindow(window.Handle()));
    EXPECT_FALSE(oleHeld());
    EXPECT_EQ(path, ReadText("Software\\Pennyroyal\\Tvault\\Settings", "DataFile"));
    EXPECT_TRUE(ReadValue("Software\\Pennyroyal\\Tvault\\Settings", "rcNormal").present);
}

namespace {

RECT shownPopup;

// Runs inside the popup menu's own loop: notes where the menu stands, then ends it as Esc would.
void CALLBACK EndShownPopup(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu != nullptr)
        GetWindowRect(menu, &shownPopup);
    EndMenu();
}

} // namespace

// A right click in the list reaches the frame, which shows the popup where the mouse is; one on
// the caption is left to the system, which shows the window menu.
TEST_F(MainWindowTest, TheContextMenuOpensAtTheMousePosition)
{
    Start();
    RECT frame;
    GetWindowRect(window.Handle(), &frame);
    POINT at = {frame.left + 150, frame.top + 200};
    shownPopup = {0, 0, 0, 0};
    UINT_PTR timer = SetTimer(nullptr, 0, 200, EndShownPopup);
    MessageRecorder commands(window.Handle(), {WM_COMMAND, WM_INITMENUPOPUP});
    SendMessageA(folderList.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(folderList.Handle()),
                 MAKELPARAM(at.x, at.y));
    KillTimer(nullptr, timer);
    EXPECT_EQ(at.x, shownPopup.left);
    EXPECT_EQ(at.y, shownPopup.top);
    EXPECT_EQ(0u, commands.Count(WM_COMMAND));
    // Windows sends the frame the caption's click, Wine does not, so it is sent here
    commands.Clear();
    timer = SetTimer(nullptr, 0, 200, EndShownPopup);
    at.y = frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    SendMessageA(window.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.Handle()), MAKELPARAM(at.x, at.y));
    KillTimer(nullptr, timer);
    ASSERT_EQ(1u, commands.Count(WM_INITMENUPOPUP));
    EXPECT_EQ(GetSystemMenu(window.Handle(), FALSE), reinterpret_cast<HMENU>(commands.Entries()[0].wParam));
}

// A real log-off stores the settings although the window stays; a cancelled one stores nothing.
TEST_F(MainWindowTest, EndingTheSessionStoresTheSettingsOnlyWhenItReallyEnds)
{
    StartWithDataFile(kExampleList);
    const char settings[] = "Software\\Pennyroyal\\Tvault\\Settings";
    DeleteValue(settings, "DataFile");
    SendMessageA(window.Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(ReadValue(settings, "DataFile").present);
    SendMessageA(window.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(DataFilePath(), ReadText(settings, "DataFile"));
    EXPECT_TRUE(ReadValue(settings, "rcNormal").present);
    EXPECT_TRUE(IsWindow(window.Handle()));
}

// About and Show location open the program's own boxes, owned by the frame.
TEST_F(MainWindowTest, AboutAndTheDataLocationShowTheirBoxes)
{
    StartWithDataFile(kExampleList);
    for (WPARAM command : {IDM_ABOUT, IDM_SHOW_DATA_LOCATION}) {
        HWND owner = nullptr;
        bool round = false;
        ModalDriver driver(kBoxClass, [&](HWND box) {
            owner = GetWindow(box, GW_OWNER);
            HRGN region = CreateRectRgn(0, 0, 0, 0);
            round = GetWindowRgn(box, region) != ERROR;
            DeleteObject(region);
            ClickButtonWithText(box, "Ok");
        });
        SendMessageA(window.Handle(), WM_COMMAND, command, 0);
        ASSERT_EQ(1, driver.Count()) << command;
        EXPECT_EQ(window.Handle(), owner);
        // the About box is the round one, which shows its caption as a link instead of a title
        EXPECT_EQ(command == IDM_ABOUT, round);
        EXPECT_EQ(command == IDM_ABOUT ? "" : "Trellisvault", driver.Caption());
    }
}

// A stored placement replaces the show command and the default position and size.
TEST_F(MainWindowTest, TheStoredPlacementIsWhereTheWindowOpens)
{
    const char settings[] = "Software\\Pennyroyal\\Tvault\\Settings";
    SetDword(settings, "flags", 0);
    SetDword(settings, "showCmd", SW_SHOWNORMAL);
    SetRectangle(settings, "rcNormal", RECT{30, 40, 530, 440});
    ASSERT_EQ(MainWindow::kStarted, window.Start(SW_HIDE));
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    ASSERT_TRUE(GetWindowPlacement(window.Handle(), &placement));
    EXPECT_EQ(30, placement.rcNormalPosition.left);
    EXPECT_EQ(40, placement.rcNormalPosition.top);
    EXPECT_EQ(530, placement.rcNormalPosition.right);
    EXPECT_EQ(440, placement.rcNormalPosition.bottom);
}
