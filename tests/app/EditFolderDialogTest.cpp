#include "app/EditFolderDialog.h"

#include "engine/BackupUserInterface.h"
#include "support/Snapshot.h"
#include "resource.h"
#include "support/ModalDriver.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Opens the dialog on a row and runs step in it; answers Run's result.
bool Edit(EditFolderDialog& dialog, const std::string& row, bool subfolders, std::function<void(HWND)> step)
{
    dialog.entryText = row;
    dialog.includeSubfolders = subfolders;
    ModalDriver driver("#32770", step);
    bool ok = dialog.Run(nullptr);
    EXPECT_EQ(driver.Count(), 1);
    return ok;
}

TEST(EditFolderDialog, ShowsTheRowsFolderWildcardsAndSubfolderFlag)
{
    EditFolderDialog dialog;
    for (bool subfolders : {true, false}) {
        Edit(dialog, "    C:\\Work\\*.cpp, *.h  ", subfolders, [&](HWND window) {
            EXPECT_EQ(WindowTextOf(window), "Edit");
            EXPECT_EQ(WindowTextOf(GetDlgItem(window, IDC_FOLDER_PATH)), "C:\\Work\\");
            EXPECT_EQ(WindowTextOf(GetDlgItem(window, IDC_WILDCARDS)), "*.cpp, *.h");
            EXPECT_EQ(IsDlgButtonChecked(window, IDC_INCLUDE_SUBFOLDERS) == BST_CHECKED, subfolders);
            EXPECT_TRUE(GetWindowLongA(GetDlgItem(window, IDC_FOLDER_PATH), GWL_STYLE) & ES_READONLY);
            ClickButton(window, IDCANCEL);
        });
    }
}

TEST(EditFolderDialog, OkBuildsTheNewEntryAndCancelKeepsTheOldOne)
{
    struct Case {
        const char* typed;
        bool uncheck;
        bool ok;
        const char* entry;
        bool subfolders;
    };
    const Case cases[] = {
        {"*.doc, *.txt", false, true, "C:\\Work\\*.doc, *.txt", true},
        {"   *.doc ", false, true, "C:\\Work\\*.doc ", true},
        {"", false, true, "C:\\Work\\*.*", true},
        {"   ", true, true, "C:\\Work\\*.*", false},
        {"*.doc", true, false, "    C:\\Work\\*.*", true},
    };
    for (const Case& c : cases) {
        EditFolderDialog dialog;
        bool ok = Edit(dialog, "    C:\\Work\\*.*", true, [&](HWND window) {
            SetDlgItemTextA(window, IDC_WILDCARDS, c.typed);
            if (c.uncheck)
                ClickButton(window, IDC_INCLUDE_SUBFOLDERS);
            ClickButton(window, c.ok ? IDOK : IDCANCEL);
        });
        EXPECT_EQ(ok, c.ok) << c.typed;
        EXPECT_EQ(dialog.entryText, c.entry) << "[" << c.typed << "]";
        EXPECT_EQ(dialog.includeSubfolders, c.subfolders) << c.typed;
    }
}

// Typing stops at the longest entry or 79 wildcards; OK refuses more, set by other means, with its message.
TEST(EditFolderDialog, TheWildcardsStopWhereTheEntryNoLongerFitsAndOkRefusesMore)
{
    const std::size_t longest = kLongestEntryText;
    // the folder's length, the wildcards' typing limit, and the length of a text put in the field
    const std::size_t cases[][3] = {{10, 79, 79}, {10, 79, 80}, {longest - 40, 40, 40}, {longest - 40, 40, 41}};
    for (const auto& c : cases) {
        std::string folder = "C:\\" + std::string(c[0] - 4, 'f') + "\\";
        std::string typed(c[2], 'w');
        bool refused = c[2] > c[1];
        EditFolderDialog dialog;
        EXPECT_EQ(!refused, Edit(dialog, folder + "*.*", true, [&](HWND window) {
            HWND field = GetDlgItem(window, IDC_WILDCARDS);
            EXPECT_EQ(SendMessageA(field, EM_GETLIMITTEXT, 0, 0), LRESULT(c[1]));
            SetWindowTextA(field, typed.c_str());
            ModalDriver refusal("CMSGCLASS", [](HWND box) { ClickButtonWithText(box, "Ok"); }, refused ? 5000 : 1000);
            ClickButton(window, IDOK);
            EXPECT_EQ(refused ? 1 : 0, refusal.Count());
            // EndDialog hides the dialog; a refusal leaves it shown
            if (IsWindowVisible(window))
                ClickButton(window, IDCANCEL);
        }));
        EXPECT_EQ(folder + (refused ? "*.*" : typed), dialog.entryText);
    }
}

TEST(EditFolderDialog, ScreenshotShowsTheHelpTextInItsFrame)
{
    EditFolderDialog dialog;
    Edit(dialog, "    C:\\Work\\*.doc", true, [](HWND window) {
        Snapshot picture = PaintedSnapshot(window);
        EXPECT_TRUE(picture.Save("EditFolderDialog.bmp"));
        RECT help = picture.ChildRect(GetDlgItem(window, IDC_TEXT_FRAME));
        InflateRect(&help, -3, -3);
        EXPECT_GE(picture.TextLines(help), 2) << "the help text wraps inside its frame";
        EXPECT_GT(picture.Count(help, GetSysColor(COLOR_BTNFACE)), 1000) << "on the face colour";
        RECT path = picture.ChildRect(GetDlgItem(window, IDC_FOLDER_PATH));
        InflateRect(&path, -3, -3);
        EXPECT_GT(picture.DarkPixels(path), 20) << "the folder is shown";
        ClickButton(window, IDCANCEL);
    });
}

} // namespace
