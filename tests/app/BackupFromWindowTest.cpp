#include "MainWindowFixture.h"

#include "resource.h"
#include "support/MessageRecorder.h"
#include "support/Pixels.h"
#include "support/PumpUntilIdle.h"
#include "support/Snapshot.h"

#include <commctrl.h>

#include <fstream>
#include <string>

using BackupFromWindowTest = MainWindowFixture;

// The Backup button's command runs the real engine: the tree is copied, the window is disabled
// and repainted while it runs, and the title, the status bar and the menus show the outcome.
TEST_F(BackupFromWindowTest, TheBackupCommandCopiesTheTreeAndKeepsTheWindowPainted)
{
    temp.WriteFile("source\\a.txt", "first");
    temp.WriteFile("source\\inner\\b.txt", "second");
    temp.MakeFolder("target\\");
    std::string source = temp / "source\\";
    std::string target = temp / "target\\";
    StartWithDataFile("[Program]\r\nTrellisvault\r\n[Date]\r\n\r\n[Dest]\r\n" + target + "\r\n[Folders]\r\n" + source + "*.*   /subfolders\r\n");
    ASSERT_EQ(1, folderList.RowCount());
    MessageRecorder statusPaints(statusBar.Handle(), {WM_PAINT});
    MessageRecorder frameStates(window.Handle(), {WM_ENABLE});

    {
        NoBoxExpected noWarning;
        int confirmed = 0;
        ModalDriver options("#32770", [&](HWND dialog) {
            if (WindowTextOf(dialog) == "Backup") {
                ++confirmed;
                ClickButton(dialog, IDC_START_BACKUP);
            }
        });
        SendMessageA(window.Handle(), WM_COMMAND, IDM_START_BACKUP, 0);
        EXPECT_EQ(1, confirmed) << "the Backup options dialog opens first";
    }

    std::string mirror = target + "C-Backup" + source.substr(2);
    EXPECT_EQ("first", ReadWholeFile(mirror + "a.txt"));
    EXPECT_EQ("second", ReadWholeFile(mirror + "inner\\b.txt"));
    EXPECT_GT(statusPaints.Count(WM_PAINT), 0u) << "the status bar was not repainted during the run";
    // the options dialog disables the frame while it is up, and so does the run
    ASSERT_EQ(4u, frameStates.Count(WM_ENABLE));
    for (std::size_t change = 0; change < 4; ++change)
        EXPECT_EQ(static_cast<WPARAM>(change % 2), frameStates.Entries()[change].wParam) << change;
    EXPECT_EQ(0u, Title().find("Trellisvault - last backed up on "));
    EXPECT_EQ("Dest " + target, StatusText(1));
    EXPECT_EQ("2", StatusText(2));
    EXPECT_TRUE(window.IsBackupDone());
    SendMessageA(window.Handle(), WM_INITMENU, 0, 0);
    EXPECT_EQ(0u, GetMenuState(GetMenu(window.Handle()), IDM_VIEW_LOG, MF_BYCOMMAND) & MF_GRAYED);
}

// Another program adds a row while the window backs up: the run's date joins it in the file and
// the window keeps its own list. A close then asks before replacing the changed file; No, and No to
// closing unsaved, keep the window, and a log-off gets the same answers.
TEST_F(BackupFromWindowTest, AFileChangedDuringARunKeepsTheChangeAndIsReplacedOnlyOnYes)
{
    temp.WriteFile("source\\a.txt", "first");
    temp.MakeFolder("target\\");
    StartWithDataFile("[Program]\r\nTrellisvault\r\n[Date]\r\n\r\n[Dest]\r\n" + temp / "target\\" + "\r\n[Folders]\r\n" + temp / "source\\*.*\r\n");
    std::string path = DataFilePath();
    window.afterShowProgress = [&] { std::ofstream(path, std::ios::binary | std::ios::app) << "D:\\other\\*.txt\r\n"; };
    {
        ModalDriver options("#32770", [&](HWND dialog) {
            if (WindowTextOf(dialog) == "Backup")
                ClickButton(dialog, IDC_START_BACKUP);
        });
        SendMessageA(window.Handle(), WM_COMMAND, IDM_START_BACKUP, 0);
    }
    std::string file = ReadWholeFile(path);
    EXPECT_NE(std::string::npos, file.find("D:\\other\\*.txt")) << file;
    EXPECT_EQ(std::string::npos, file.find("[Date]\r\n\r\n")) << file;
    EXPECT_EQ(1, folderList.RowCount());

    window.InsertRow("C:\\Work\\*.*", false);
    // the questions, each answered: replace the changed file? close without saving?
    const char* answers[] = {"No", "No", "No", "No", "Yes"};
    ModalDriver boxes(kBoxClass, [&](HWND box) { ClickButtonWithText(box, answers[boxes.Count() - 1]); });
    SendMessageA(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, SendMessageA(window.Handle(), WM_QUERYENDSESSION, 0, 0));
    EXPECT_TRUE(IsWindow(window.Handle()));
    SendMessageA(window.Handle(), WM_COMMAND, IDM_EXIT, 0);
    EXPECT_FALSE(IsWindow(window.Handle()));
    EXPECT_EQ(5, boxes.Count());
    file = ReadWholeFile(path);
    EXPECT_NE(std::string::npos, file.find("C:\\Work\\*.*")) << file;
    EXPECT_EQ(std::string::npos, file.find("D:\\other")) << file;
}

namespace {

// A child's client area in the coordinates of a picture of the whole top-level window.
RECT ClientIn(HWND window, HWND child)
{
    RECT frame;
    RECT area;
    GetWindowRect(window, &frame);
    GetClientRect(child, &area);
    MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&area), 2);
    OffsetRect(&area, -frame.left, -frame.top);
    return area;
}

int Area(const RECT& area)
{
    return (area.right - area.left) * (area.bottom - area.top);
}

} // namespace

// Kept in the build folder as a picture of the program; its pixels show the bar, the list's
// colours and the status bar's parts.
TEST_F(BackupFromWindowTest, ScreenshotOfTheMainWindowWithItsList)
{
    StartWithDataFile(kExampleList);
    SetWindowPos(window.Handle(), HWND_TOP, 20, 20, 600, 442, SWP_SHOWWINDOW);
    SetForegroundWindow(window.Handle());
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntilIdle();
    Snapshot picture(window.Handle(), true);
    ASSERT_TRUE(picture.Save("MainWindow.bmp"));

    COLORREF face = GetSysColor(COLOR_BTNFACE);
    // themed buttons have a face of their own; between them the bar shows its grey
    RECT bar = ClientIn(window.Handle(), buttonBar.Handle());
    EXPECT_GT(CountPixels(picture, bar, RGB(128, 128, 128)), Area(bar) / 5) << "the button bar";
    // below the column header, the empty part of the list is all light yellow
    RECT list = ClientIn(window.Handle(), folderList.Handle());
    RECT header;
    GetWindowRect(reinterpret_cast<HWND>(SendMessageA(folderList.Handle(), LVM_GETHEADER, 0, 0)), &header);
    list.top += header.bottom - header.top;
    EXPECT_GT(CountPixels(picture, list, 0x00E0FFFF), Area(list) * 3 / 4) << "the list's background";
    EXPECT_GT(CountPixels(picture, list, 0x000000), 50) << "the rows' black text";

    RECT status = ClientIn(window.Handle(), statusBar.Handle());
    EXPECT_GT(CountPixels(picture, status, face), Area(status) / 3) << "the status bar";
    int edges[3] = {};
    ASSERT_EQ(3, SendMessageA(statusBar.Handle(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
    // part 1 shows the destination, parts 0 and 2 are empty
    for (int part = 0; part < 3; ++part) {
        RECT partArea;
        SendMessageA(statusBar.Handle(), SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&partArea));
        OffsetRect(&partArea, status.left, status.top);
        InflateRect(&partArea, -3, -3);
        int text = CountPixels(picture, partArea, 0x000000);
        if (part == 1)
            EXPECT_GT(text, 10) << "part 1";
        else
            EXPECT_EQ(0, text) << "part " << part;
    }
}
