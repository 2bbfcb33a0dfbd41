#include "MainWindowFixture.h"

#include "document/DocumentStorage.h"
#include "resource.h"
#include "runner/HeadlessFolderList.h"
#include "support/ModalDriver.h"
#include "text/BoundedText.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> ListBoxItems(HWND list)
{
    std::vector<std::string> items;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        char text[MAX_PATH] = "";
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

} // namespace

using FolderListTest = MainWindowFixture;

// The dialog lists the subfolders sorted, hidden ones too, without dot and system folders;
// its answer becomes the new row's marker.
TEST_F(FolderListTest, AddAsksAboutTheSubfoldersAndInsertsTheEntrySelected)
{
    Start();
    for (const char* name : {"Beta", "Alpha", ".cache", "Hidden", "System"})
        temp.MakeFolder(std::string(name) + "\\");
    temp.WriteFile("notes.txt", "not a folder");
    ASSERT_TRUE(SetFileAttributesA((temp / "Hidden").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((temp / "System").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_NE(0u, GetFileAttributesA((temp / "System").c_str()) & FILE_ATTRIBUTE_SYSTEM);
    std::string pattern = temp.Path() + "*.*";

    const struct {
        int button;
        int image;
    } answers[] = {{IDOK, 0}, {IDCANCEL, 1}};
    for (const auto& answer : answers) {
        std::vector<std::string> listed;
        HWND owner = nullptr;
        ModalDriver driver("#32770", [&](HWND dialog) {
            listed = ListBoxItems(GetDlgItem(dialog, IDC_SUBFOLDER_LIST));
            owner = GetWindow(dialog, GW_OWNER);
            ClickButton(dialog, answer.button);
        });
        window.AddPickedFolder(temp.Path().c_str());
        ASSERT_EQ(1, driver.Count());
        EXPECT_EQ(pattern, driver.Caption());
        EXPECT_EQ((std::vector<std::string>{"Alpha", "Beta", "Hidden"}), listed);
        EXPECT_EQ(window.Handle(), owner) << "the list window owns the dialog; its owner is the frame";
        int row = folderList.SelectedRow();
        ASSERT_GE(row, 0);
        EXPECT_EQ("    " + pattern, RowText(row));
        EXPECT_EQ(answer.image == 0, folderList.HasSubfolders(row));
        EXPECT_TRUE(window.IsModified());
    }
    EXPECT_EQ(2, folderList.RowCount());
}

// OK in the Edit dialog replaces the selected row, which stays selected at its sorted place,
// past a row of the same folder; Cancel leaves it as it was.
TEST_F(FolderListTest, EditReplacesTheSelectedRowOnOkOnly)
{
    StartWithDataFile(kExampleList);
    window.InsertRow("C:\\Data\\Letters\\*.doc", false);
    window.SetModified(false);
    auto rowOf = [&](const std::string& text) {
        for (int row = 0; row < folderList.RowCount(); ++row)
            if (RowText(row) == "    " + text)
                return row;
        return -1;
    };
    const struct {
        int button;
        const char* text;
        bool subfolders;
        bool modified;
    } answers[] = {{IDCANCEL, "C:\\Data\\Letters\\*.*", true, false}, {IDOK, "C:\\Data\\Letters\\*.txt", false, true}};
    for (const auto& answer : answers) {
        folderList.SelectRow(rowOf("C:\\Data\\Letters\\*.*"));
        ModalDriver driver("#32770", [&](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_WILDCARDS, "*.txt");
            CheckDlgButton(dialog, IDC_INCLUDE_SUBFOLDERS, BST_UNCHECKED);
            ClickButton(dialog, answer.button);
        });
        SendMessageA(window.Handle(), WM_COMMAND, IDM_EDIT_FOLDER, 0);
        ASSERT_EQ(1, driver.Count());
        EXPECT_EQ("Edit", driver.Caption());
        EXPECT_EQ(4, folderList.RowCount());
        int row = rowOf(answer.text);
        ASSERT_GE(row, 0) << answer.text;
        EXPECT_EQ(answer.subfolders, folderList.HasSubfolders(row));
        EXPECT_EQ(row, folderList.SelectedRow());
        EXPECT_EQ(answer.modified, window.IsModified());
    }
    EXPECT_EQ(rowOf("C:\\Data\\Letters\\*.doc") + 1, rowOf("C:\\Data\\Letters\\*.txt")) << "the edited row moved past its neighbour";
}

TEST_F(FolderListTest, NextFolderEntryReadsTheRowsInTheirSortedOrder)
{
    Start();
    window.InsertRow("C:\\Work\\*.cpp, *.h", true);
    window.InsertRow("C:\\Archive\\*.*", false);
    FolderEntryRow row;
    ASSERT_TRUE(folderList.NextFolderEntry(true, row));
    EXPECT_STREQ("C:\\Archive\\", row.folder);
    EXPECT_STREQ("*.*", row.wildcards);
    EXPECT_FALSE(row.includeSubfolders);
    // a row added after the reading began lies beyond the count taken then
    window.InsertRow("C:\\Zeta\\*.*", false);
    ASSERT_TRUE(folderList.NextFolderEntry(false, row));
    EXPECT_STREQ("C:\\Work\\", row.folder);
    EXPECT_STREQ("*.cpp, *.h", row.wildcards);
    EXPECT_TRUE(row.includeSubfolders);
    EXPECT_FALSE(folderList.NextFolderEntry(false, row));
    EXPECT_FALSE(row.includeSubfolders);
}

// Entry lengths around the longest through Add (refusing, unmodified, what does not fit), an open
// (as written; telling), an unchanged Edit, a save, and both run readers (marking it cut).
TEST_F(FolderListTest, EntriesAroundTheLongestThroughAddEditSaveReloadAndBothReaders)
{
    ASSERT_EQ(243u, kLongestEntryText) << "with its marker and CR LF, a data file line of 259 characters";
    Start();
    std::string path = temp / "lengths.ini";
    // runs action while the program's boxes or its dialogs are answered; answers how many came
    auto answered = [](const char* windowClass, const std::function<void()>& action) {
        ModalDriver driver(windowClass, [](HWND shown) {
            ClassNameOf(shown) == kBoxClass ? ClickButtonWithText(shown, "Ok") : ClickButton(shown, IDOK);
        }, 2000);
        action();
        return driver.Count();
    };
    for (std::size_t length : {kLongestEntryText, kLongestEntryText + 1, std::size_t{300}}) {
        SCOPED_TRACE(length);
        bool fits = length <= kLongestEntryText;
        std::string folder = "C:\\" + std::string(length - 7, 'f') + "\\";
        std::string line = folder + "*.*   /subfolders\r\n";
        window.runNewSteps();
        EXPECT_EQ(1, answered(fits ? "#32770" : kBoxClass, [&] { window.AddPickedFolder(folder.c_str()); }));
        EXPECT_EQ(fits ? 1 : 0, folderList.RowCount());
        EXPECT_EQ(fits, window.IsModified());

        temp.WriteFile("lengths.ini", "[Date]\r\n\r\n[Dest]\r\nE:\\\r\n[Folders]\r\n  " + line);
        window.runNewSteps();
        CopyText(window.dataFilePath(), path.c_str());
        EXPECT_EQ(fits ? 0 : 1, answered(kBoxClass, [&] { loadDocument(window); })) << "the open tells";
        folderList.SelectRow(0);
        EXPECT_EQ(1, answered("#32770", [&] { SendMessageA(window.Handle(), WM_COMMAND, IDM_EDIT_FOLDER, 0); }));
        EXPECT_EQ("      " + folder + "*.*", folderList.RowText(0)) << "blanks and all";
        ASSERT_TRUE(saveDocument(window));
        EXPECT_NE(std::string::npos, ReadWholeFile(path).find("[Folders]\r\n" + line));

        HeadlessFolderList headless;
        CopyText(headless.dataFilePath(), path.c_str());
        loadDocument(headless);
        FolderEntryRow rows[2];
        ASSERT_TRUE(folderList.NextFolderEntry(true, rows[0]) && headless.NextFolderEntry(true, rows[1]));
        for (const FolderEntryRow& row : rows) {
            EXPECT_EQ(!fits, row.cut);
            EXPECT_EQ(fits ? folder : folder + "*.*", row.folder);
            EXPECT_TRUE(row.includeSubfolders);
        }
    }
}

// Only an existing folder reaches the shell: a web address or a missing folder gives nothing.
TEST(FolderToView, AnswersOnlyAnExistingFolder)
{
    TempFolder temp("ViewFiles");
    const struct {
        std::string row;
        bool viewed;
        std::string folder;
    } cases[] = {
        {"    " + temp.Path() + "*.cpp, *.h", true, temp.Path()},
        {"    " + temp.Path() + "Missing\\*.*", false, ""},
        {"    http://tvserver/page", false, ""},
        {"    https://tvserver/", false, ""},
        {"    *.*", false, ""},
        {"    " + temp.Path() + std::string(350, 'x') + "\\*.*", false, ""},
    };
    for (const auto& test : cases) {
        char folder[340];
        EXPECT_EQ(test.viewed, FolderToView(test.row.c_str(), folder, sizeof folder)) << test.row;
        if (test.viewed) {
            EXPECT_EQ(test.folder, folder);
        }
    }
}
