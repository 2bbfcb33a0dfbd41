#include "MainWindowFixture.h"

#include "framework/Pixels.h"
#include "resource.h"
#include "support/MessageRecorder.h"
#include "support/PumpUntilIdle.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

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
        SendMessageA(window.Handle(), WM_COMMAND, IDM_START_BACKUP, 0);
    }

    std::string mirror = target + "C-Backup" + source.substr(2);
    EXPECT_EQ("first", ReadWholeFile(mirror + "a.txt"));
    EXPECT_EQ("second", ReadWholeFile(mirror + "inner\\b.txt"));
    EXPECT_GT(statusPaints.Count(WM_PAINT), 0u) << "the status bar was not repainted during the run";
    ASSERT_EQ(2u, frameStates.Count(WM_ENABLE));
    EXPECT_EQ(static_cast<WPARAM>(FALSE), frameStates.Entries()[0].wParam);
    EXPECT_EQ(static_cast<WPARAM>(TRUE), frameStates.Entries()[1].wParam);
    EXPECT_EQ(0u, Title().find("Trellisvault - last backed up on "));
    EXPECT_EQ("Dest " + target, StatusText(1));
    EXPECT_EQ("2", StatusText(2));
    EXPECT_TRUE(window.BackupDone());
    SendMessageA(window.Handle(), WM_INITMENU, 0, 0);
    EXPECT_EQ(0u, GetMenuState(GetMenu(window.Handle()), IDM_VIEW_LOG, MF_BYCOMMAND) & MF_GRAYED);
}

namespace {

// The screen under a window, as 0x00RRGGBB pixels read from the top.
class WindowPicture {
public:
    explicit WindowPicture(HWND window)
    {
        GetWindowRect(window, &bounds);
        width = bounds.right - bounds.left;
        height = bounds.bottom - bounds.top;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        void* bits = nullptr;
        HBITMAP picture = CreateTopDownBitmap(screen, width, height, &bits);
        HGDIOBJ previous = SelectObject(memory, picture);
        BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
        GdiFlush();
        const DWORD* first = static_cast<const DWORD*>(bits);
        pixels.assign(first, first + width * height);
        SelectObject(memory, previous);
        DeleteObject(picture);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)] & 0xFFFFFF; }

    // A child's client area in the picture's coordinates.
    RECT ClientOf(HWND child) const
    {
        RECT area;
        GetClientRect(child, &area);
        MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&area), 2);
        OffsetRect(&area, -bounds.left, -bounds.top);
        return area;
    }

    bool SaveBitmap(const std::string& path) const
    {
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof header;
        header.biWidth = width;
        header.biHeight = -height;
        header.biPlanes = 1;
        header.biBitCount = 32;
        header.biCompression = BI_RGB;
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof header;
        file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size() * 4);
        FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr)
            return false;
        bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
                       std::fwrite(pixels.data(), 4, pixels.size(), out) == pixels.size();
        return std::fclose(out) == 0 && written;
    }

private:
    RECT bounds = {};
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
};

// A COLORREF as the picture holds it.
COLORREF PixelOf(COLORREF colour)
{
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
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
    WindowPicture picture(window.Handle());

    char where[MAX_PATH] = "";
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, where, sizeof where));
    std::string folder(where);
    folder = folder.substr(0, folder.find_last_of('\\') + 1) + "screenshots\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(picture.SaveBitmap(folder + "MainWindow.bmp"));
    std::printf("screenshot: %sMainWindow.bmp\n", folder.c_str());

    COLORREF face = PixelOf(GetSysColor(COLOR_BTNFACE));
    RECT bar = picture.ClientOf(buttonBar.Handle());
    EXPECT_GT(CountPixels(picture, bar, face), Area(bar) / 3) << "the button bar";
    // below the column header, the empty part of the list is all light yellow
    RECT list = picture.ClientOf(folderList.Handle());
    RECT header;
    GetWindowRect(reinterpret_cast<HWND>(SendMessageA(folderList.Handle(), LVM_GETHEADER, 0, 0)), &header);
    list.top += header.bottom - header.top;
    EXPECT_GT(CountPixels(picture, list, PixelOf(0x00E0FFFF)), Area(list) * 3 / 4) << "the list's background";
    EXPECT_GT(CountPixels(picture, list, 0x000000), 50) << "the rows' black text";

    RECT status = picture.ClientOf(statusBar.Handle());
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
