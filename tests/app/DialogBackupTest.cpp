#include "MainWindowFixture.h"

#include "resource.h"
#include "support/ModalDriver.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Whole runs started from the main window's Backup command, through the program's own options,
// progress and disk-full dialogs.
class DialogBackupTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        StartWithDataFile("[Program]\r\nTrellisvault\r\n[Date]\r\n\r\n[Dest]\r\n\r\n[Folders]\r\n" + source.Path() + "*.*\r\n");
    }

    // A whole run whose options dialog is confirmed with Backup on a typed destination; the
    // disk-full questions it asks are answered by answerDiskFull.
    void RunConfirmedTo(const std::string& destination, std::function<void(HWND)> answerDiskFull = nullptr)
    {
        int confirmed = 0;
        ModalDriver dialogs("#32770", [&](HWND dialog) {
            std::string caption = WindowTextOf(dialog);
            if (caption == "Backup") {
                ++confirmed;
                SetDlgItemTextA(dialog, IDC_DESTINATION, destination.c_str());
                ClickButton(dialog, IDC_START_BACKUP);
            } else if (caption == "Disk full") {
                ASSERT_TRUE(answerDiskFull) << "an unexpected disk-full question";
                answerDiskFull(dialog);
            }
        }, 20000);
        SendMessageA(window.Handle(), WM_COMMAND, IDM_START_BACKUP, 0);
        EXPECT_EQ(1, confirmed);
    }

    std::string Log() const { return ReadWholeFile(backupRun.LogPath()); }
    std::string MirrorOf(const std::string& root) const { return root + source.Path()[0] + "-Backup" + source.Path().substr(2); }

    TempFolder source{"dialog-run-source"};
};

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(DialogBackupTest, CancelInTheProgressDialogStopsTheRunAndOpensTheLog)
{
    TempFolder destination("dialog-run-dest");
    source.WriteFile("a.txt", "a");
    source.WriteFile("b.txt", "b");
    window.afterShowProgress = [&] { PostMessageA(GetDlgItem(progress.Handle(), IDCANCEL), BM_CLICK, 0, 0); };
    RunConfirmedTo(destination.Path());
    EXPECT_EQ(backupRun.abortRequested, 1);
    EXPECT_TRUE(EndsWith(Log(), "! User aborted backup.\r\n")) << Log();
    EXPECT_EQ(window.openedLogs, (std::vector<std::string>{backupRun.LogPath()}));
    EXPECT_EQ(window.logOwner, folderList.Handle()) << "the list window owns the log's viewer";
    EXPECT_STREQ(window.options().destination, destination.Path().c_str()) << "the typed destination was taken";
    EXPECT_EQ("Dest " + destination.Path(), StatusText(1));
    EXPECT_TRUE(window.IsModified());
    EXPECT_FALSE(window.IsBackupDone()) << "a run that stopped early stamps nothing";
    EXPECT_EQ("Trellisvault", Title());
    EXPECT_EQ(progress.Handle(), nullptr) << "the progress window is gone";
    EXPECT_TRUE(IsWindowEnabled(window.Handle()));
}

// Windows may end the process once WM_ENDSESSION is answered: by then the run has stopped as Cancel stops it.
TEST_F(DialogBackupTest, EndingTheSessionStopsTheRunBeforeTheMessageIsAnswered)
{
    std::string logWhenAnswered;
    window.afterShowProgress = [&] {
        SendMessageA(window.Handle(), WM_ENDSESSION, TRUE, 0);
        logWhenAnswered = Log();
    };
    RunConfirmedTo(temp / "dest\\");
    EXPECT_TRUE(EndsWith(logWhenAnswered, "\r\n0 files checked.\r\n0 files copied.\r\n! User aborted backup.\r\n")) << logWhenAnswered;
    EXPECT_EQ(logWhenAnswered, Log()) << "one summary";
    EXPECT_FALSE(window.IsBackupDone());
}

class FullDiskDialogTest : public DialogBackupTest {
protected:
    void SetUp() override
    {
        REQUIRE_SMALL_DISK();
        DialogBackupTest::SetUp();
        RemoveTree(root);
        source.WriteFile("big.bin", std::string(700 * 1024, 'b'));
        HANDLE file = CreateFileA(filler, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        std::string block(500 * 1024, 'f');
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr));
        CloseHandle(file);
    }
    void TearDown() override
    {
        RemoveTree(root);
        DeleteFileA(filler);
        DialogBackupTest::TearDown();
    }

    std::string root = "U:\\tv-dialog-full\\";
    const char* filler = "U:\\tv-dialog-filler.bin";
};

TEST_F(FullDiskDialogTest, NextDiskAfterMakingRoomCopiesTheFile)
{
    int asked = 0;
    BOOL progressEnabled = TRUE;
    RunConfirmedTo(root, [&](HWND dialog) {
        ++asked;
        progressEnabled = IsWindowEnabled(progress.Handle());
        // the user puts in an emptier disk
        DeleteFileA(filler);
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(progressEnabled) << "the question is modal to the whole program";
    EXPECT_EQ(ReadWholeFile(MirrorOf(root) + "big.bin").size(), 700u * 1024);
    EXPECT_TRUE(window.IsBackupDone());
}

TEST_F(FullDiskDialogTest, CancelStopsTheRunWithTheAbortLine)
{
    int asked = 0;
    RunConfirmedTo(root, [&](HWND dialog) {
        ++asked;
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(asked, 1);
    EXPECT_NE(Log().find("! User aborted backup.\r\n"), std::string::npos) << Log();
    EXPECT_TRUE(NamesIn(MirrorOf(root)).empty()) << "no partial copy is left";
    EXPECT_FALSE(window.IsBackupDone());
}

} // namespace
