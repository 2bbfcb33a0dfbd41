#include "app/EditFolderDialog.h"

#include "support/Snapshot.h"
#include "document/DocumentStorage.h"
#include "document/MemoryDocumentHost.h"
#include "resource.h"
#include "support/ModalDriver.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Opens the dialog on a row and runs step in it; answers Run's result.
bool Edit(EditFolderDialog& dialog, const std::string& row, bool subfolders, std::function<void(HWND)> step)
{
    CopyText(dialog.entryText, row.c_str());
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
        EXPECT_STREQ(dialog.entryText, c.entry) << "[" << c.typed << "]";
        EXPECT_EQ(dialog.includeSubfolders, c.subfolders) << c.typed;
    }
}

TEST(EditFolderDialog, TheWildcardsStopWhereTheSavedLineWouldNoLongerReadBack)
{
    struct Case {
        std::size_t folderLength;
        std::size_t wildcardLimit;
    };
    const std::size_t longest = EditFolderDialog::kMaxEntryText;
    ASSERT_EQ(longest, 245u) << "a data file line holds 259 characters, the marker 14 of them";
    // a short folder leaves the 79 characters a run reads; a long one only what the line has left
    for (Case c : {Case{10, 79}, Case{longest - 40, 40}, Case{longest - 3, 3}}) {
        std::string folder = "C:\\" + std::string(c.folderLength - 4, 'f') + "\\";
        ASSERT_EQ(folder.size(), c.folderLength);
        EditFolderDialog dialog;
        EXPECT_TRUE(Edit(dialog, folder + "*.*", true, [&](HWND window) {
            HWND field = GetDlgItem(window, IDC_WILDCARDS);
            EXPECT_EQ(SendMessageA(field, EM_GETLIMITTEXT, 0, 0), LRESULT(c.wildcardLimit));
            // a longer text put there by other means than typing is cut at the limit
            SetWindowTextA(field, std::string(100, 'w').c_str());
            ClickButton(window, IDOK);
        }));
        std::string entry = dialog.entryText;
        EXPECT_EQ(entry, folder + std::string(c.wildcardLimit, 'w'));
        // the entry at its limit is saved and read back whole, subfolder marker included
        TempFolder files("edit-limit");
        MemoryDocumentHost saved;
        saved.runNewSteps();
        CopyText(saved.path, (files / "list.ini").c_str());
        saved.InsertRow(dialog.entryText, dialog.includeSubfolders);
        ASSERT_TRUE(saveDocument(saved));
        MemoryDocumentHost loaded;
        CopyText(loaded.path, saved.path);
        loadDocument(loaded);
        ASSERT_EQ(loaded.rows.size(), 1u);
        EXPECT_EQ(loaded.EntryTexts()[0], entry);
        EXPECT_TRUE(loaded.rows[0].subfolders) << "length " << entry.size();
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
