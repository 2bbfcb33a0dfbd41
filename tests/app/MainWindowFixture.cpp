#include "MainWindowFixture.h"

#include "support/PumpUntilIdle.h"

#include <commctrl.h>

const char kExampleList[] =
    "[Program]\r\nTrellisvault\r\n[Date]\r\n03/14/06  09:05 PM\r\n[Description]\r\n\r\n"
    "[CopyUpdated]\r\nTRUE\r\n[CopyHidden]\r\nFALSE\r\n[CopySystem]\r\nFALSE\r\n[Dest]\r\nE:\\\r\n"
    "[Folders]\r\nC:\\Projects\\*.cpp, *.h\r\nC:\\Data\\Letters\\*.*   /subfolders\r\nc:\\archive\\*.zip\r\n";

void MainWindowFixture::SetUp()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pennyroyal\\Tvault");
}

void MainWindowFixture::TearDown()
{
    std::string moved = window.dataFilePath();
    if (IsWindow(window.Handle()))
        window.Destroy();
    // the window's destruction posts the quit for the program's loop; no other test may see it
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    if (!moved.empty())
        DeleteFileA(moved.c_str());
}

void MainWindowFixture::StartWithDataFile(const std::string& content)
{
    std::string name = "AppWindowTest-" + std::to_string(GetCurrentProcessId()) + ".ini";
    temp.WriteFile(name, content);
    SetText("Software\\Pennyroyal\\Tvault\\Settings", "DataFile", temp / name);
    Start();
}

NoBoxExpected::NoBoxExpected()
    : driver(kBoxClass, [](HWND box) {
          ADD_FAILURE() << "a message box appeared: " << WindowTextOf(box);
          PostMessageA(box, WM_CLOSE, 0, 0);
      })
{
}

void MainWindowFixture::Start()
{
    NoBoxExpected noWarning;
    ASSERT_EQ(MainWindow::kStarted, window.Start(SW_SHOWNORMAL));
    PumpUntilIdle();
}

std::string MainWindowFixture::StatusText(int part) const
{
    char text[300] = "";
    SendMessageA(statusBar.Handle(), SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string MainWindowFixture::Title() const
{
    char text[300] = "";
    GetWindowTextA(window.Handle(), text, sizeof text);
    return text;
}

std::string MainWindowFixture::RowText(int row) const
{
    char text[300] = "";
    LVITEMA item = {};
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(folderList.Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}
