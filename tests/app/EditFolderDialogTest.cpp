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
        {"*.*", false, true, "    C:\\Work\\*.*", true},
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

// Typing stops where the entry reaches the longest or the wildcards the 79 characters a run
// reads; OK refuses a longer text put there by other means with its message, and stays open.
TEST(EditFolderDialog, OkRefusesAnEntryOrWildcardsLongerThanTheyMayBe)
{
    const std::size_t longest = kLongestEntryText;
    struct Case {
        std::size_t folderLength;
        std::size_t typed;
        std::size_t limit;
        bool refused;
    };
    for (Case c : {Case{10, 79, 79, false}, Case{10, 80, 79, true}, Case{longest - 40, 40, 40, false},
                   Case{longest - 40, 41, 40, true}, Case{longest - 3, 3, 3, false}, Case{longest - 2, 3, 3, true}}) {
        std::string folder = "C:\\" + std::string(c.folderLength - 4, 'f') + "\\";
        std::string typed(c.typed, 'w');
        EditFolderDialog dialog;
        dialog.entryText = folder + "*.*";
        int refusals = 0;
        // one driver answers the dialog and the refusal's box it opens
        ModalDriver driver(nullptr, [&](HWND window) {
            if (ClassNameOf(window) != "#32770") {
                ++refusals;
                ClickButtonWithText(window, "Ok");
                return;
            }
            HWND field = GetDlgItem(window, IDC_WILDCARDS);
            EXPECT_EQ(SendMessageA(field, EM_GETLIMITTEXT, 0, 0), LRESULT(c.limit));
            SetWindowTextA(field, typed.c_str());
            ClickButton(window, IDOK);
            // EndDialog hides the dialog; a refusal leaves it shown
            if (IsWindowVisible(window))
                ClickButton(window, IDCANCEL);
        });
        bool ok = dialog.Run(nullptr);
        EXPECT_EQ(!c.refused, ok) << c.folderLength << " + " << c.typed;
        EXPECT_EQ(c.refused ? 1 : 0, refusals);
        EXPECT_EQ(c.refused ? folder + "*.*" : folder + typed, dialog.entryText);
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
