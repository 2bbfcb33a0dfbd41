#include "runner/ConsoleUserInterface.h"
#include "runner/HeadlessFolderList.h"
#include "document/DocumentStorage.h"
#include "engine/BackupRun.h"
#include "text/BoundedText.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// A folder list in a real data file, loaded and backed up by the run without any window.
class HeadlessBackupTest : public ::testing::Test {
protected:
    HeadlessBackupTest()
    {
        source.WriteFile("Letters\\a.doc", "letter");
        source.WriteFile("Letters\\skip.bin", "not listed");
        source.WriteFile("Letters\\Sub\\b.txt", "below");
        source.WriteFile("Projects\\p.c", "project");
        source.WriteFile("Projects\\Sub\\q.c", "not walked");
        // written in the order of the file, loaded into the list's sorted order
        data.WriteFile("list.ini", "[Program]\r\nTrellisvault\r\n[Date]\r\n03/14/06  09:05 PM\r\n[Description]\r\nLetters\r\n"
                                   "[CopyUpdated]\r\nTRUE\r\n[CopyHidden]\r\nFALSE\r\n[CopySystem]\r\nFALSE\r\n"
                                   "[Dest]\r\n" + destination.Path() + "\r\n[Folders]\r\n" +
                                   source.Path() + "Projects\\*.*\r\n" +
                                   source.Path() + "Letters\\*.doc, *.txt   /subfolders\r\n");
    }
    ~HeadlessBackupTest() override { DeleteFileA(logPath.c_str()); }

    void Load()
    {
        folderList.runNewSteps();
        ASSERT_TRUE(CopyText(folderList.dataFilePath(), (data / "list.ini").c_str()));
        loadDocument(folderList);
        ASSERT_EQ(2, folderList.RowCount());
    }

    std::string Mirror(const std::string& relative) const
    {
        return destination.Path() + source.Path().substr(0, 1) + "-Backup" + source.Path().substr(2) + relative;
    }

    TempFolder source{"src"};
    TempFolder destination{"dst"};
    TempFolder data{"list"};
    HeadlessFolderList folderList;
    std::string logPath;
};

} // namespace

TEST_F(HeadlessBackupTest, AFolderListFromADataFileIsBackedUpEndToEnd)
{
    Load();
    ConsoleUserInterface ui(folderList, true);
    BackupRun run(ui);
    logPath = run.LogPath();

    run.Run();

    EXPECT_EQ((std::vector<std::string>{"Sub", "a.doc"}), NamesIn(Mirror("Letters\\")));
    EXPECT_EQ((std::vector<std::string>{"b.txt"}), NamesIn(Mirror("Letters\\Sub\\")));
    EXPECT_EQ((std::vector<std::string>{"p.c"}), NamesIn(Mirror("Projects\\")));
    std::string src = source.Path();
    EXPECT_EQ("*** Trellisvault log file ***\r\nLast backed up on 03/14/06  09:05 PM\r\n\r\n"
              "Checking folder: " + src + "Letters\\*.doc\r\n"
              "  Copied file: " + src + "Letters\\a.doc\r\n"
              "Checking folder: " + src + "Letters\\*.txt\r\n"
              "  Copied file: " + src + "Letters\\Sub\\b.txt\r\n"
              "Checking folder: " + src + "Projects\\*.*\r\n"
              "  Copied file: " + src + "Projects\\p.c\r\n"
              "\r\n3 files checked.\r\n3 files copied.\r\nBackup completed without errors.\r\n",
              ReadWholeFile(logPath));
    EXPECT_STREQ("Backup completed without errors.", ui.Outcome());
    EXPECT_TRUE(folderList.backupDone);
    EXPECT_STRNE("03/14/06  09:05 PM", folderList.options().lastBackupDate);
    EXPECT_EQ(18u, std::strlen(folderList.options().lastBackupDate));
}

// Another program adds a row to the data file while the run walks the list: the row stays in the
// file, and the run's date is stamped beside it.
TEST_F(HeadlessBackupTest, ARowAddedToTheFileDuringTheRunStaysAndTheDateIsStamped)
{
    struct EditDuringRun : ConsoleUserInterface {
        using ConsoleUserInterface::ConsoleUserInterface;
        bool NextFolderEntry(bool first, FolderEntryRow& row) override
        {
            if (!first && edit) {
                edit();
                edit = nullptr;
            }
            return ConsoleUserInterface::NextFolderEntry(first, row);
        }
        std::function<void()> edit;
    };
    Load();
    EditDuringRun ui(folderList, false);
    ui.edit = [this] { data.WriteFile("list.ini", ReadWholeFile(data / "list.ini") + "D:\\other\\*.txt\r\n"); };
    BackupRun run(ui);
    logPath = run.LogPath();

    run.Run();

    std::string file = ReadWholeFile(data / "list.ini");
    EXPECT_TRUE(ui.DateSaved());
    EXPECT_NE(std::string::npos, file.find("*.txt   /subfolders\r\nD:\\other\\*.txt\r\n")) << file;
    EXPECT_NE(std::string::npos, file.find(std::string("[Date]\r\n") + folderList.options().lastBackupDate + "\r\n")) << file;
}

TEST_F(HeadlessBackupTest, TheSecondPassCopiesNothingWhenNothingChanged)
{
    Load();
    ConsoleUserInterface ui(folderList, false);
    BackupRun run(ui);
    logPath = run.LogPath();
    run.Run();
    ASSERT_EQ(3, run.filesCopied);

    run.Run();

    EXPECT_EQ(3, run.filesChecked);
    EXPECT_EQ(0, run.filesCopied);
    std::string log = ReadWholeFile(logPath);
    EXPECT_NE(std::string::npos, log.find("\r\n3 files checked.\r\n0 files copied.\r\nBackup completed without errors.\r\n")) << log;
    EXPECT_EQ("project", ReadWholeFile(Mirror("Projects\\p.c")));
}

TEST_F(HeadlessBackupTest, AFolderListWithoutADestinationIsNotRun)
{
    data.WriteFile("list.ini", "[Program]\r\nTrellisvault\r\n[Date]\r\n\r\n[Dest]\r\n\r\n[Folders]\r\n" + source.Path() + "Projects\\*.*\r\n"
                               + source.Path() + "Letters\\*.*\r\n");
    Load();
    ConsoleUserInterface ui(folderList, false);
    BackupRun run(ui);
    logPath = run.LogPath();
    DeleteFileA(logPath.c_str());

    run.Run();

    EXPECT_FALSE(ui.Confirmed());
    EXPECT_FALSE(run.LogWritten());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(logPath.c_str()));
    EXPECT_FALSE(folderList.backupDone);
}

TEST(HeadlessFolderListTest, RowsAreReadInSortedOrderSplitAtTheirLastBackslash)
{
    HeadlessFolderList list;
    list.InsertRow("D:\\b\\*.txt,*.doc", false);
    list.InsertRow("c:\\A\\x\\*.*", true);
    list.InsertRow("E:\\Long\\", false);
    std::string tooLong = "F:\\" + std::string(250, 'n') + "\\*.*";
    list.InsertRow(tooLong.c_str(), false);

    FolderEntryRow row;
    ASSERT_TRUE(list.NextFolderEntry(true, row));
    EXPECT_STREQ("c:\\A\\x\\", row.folder);
    EXPECT_STREQ("*.*", row.wildcards);
    EXPECT_TRUE(row.includeSubfolders);
    EXPECT_FALSE(row.cut);
    list.InsertRow("G:\\added\\*.*", false);
    ASSERT_TRUE(list.NextFolderEntry(false, row));
    EXPECT_STREQ("D:\\b\\", row.folder);
    EXPECT_STREQ("*.txt,*.doc", row.wildcards);
    EXPECT_FALSE(row.includeSubfolders);
    ASSERT_TRUE(list.NextFolderEntry(false, row));
    EXPECT_STREQ("E:\\Long\\", row.folder);
    EXPECT_STREQ("", row.wildcards);
    // four spaces and 255 characters are all a reader gets of a row
    ASSERT_TRUE(list.NextFolderEntry(false, row));
    EXPECT_TRUE(row.cut);
    // the row added after the reading began is not read in it
    EXPECT_FALSE(list.NextFolderEntry(false, row));
    ASSERT_TRUE(list.NextFolderEntry(true, row));
    EXPECT_STREQ("c:\\A\\x\\", row.folder);
}
