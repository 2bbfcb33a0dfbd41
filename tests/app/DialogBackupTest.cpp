#include "app/BackupOptionsDialog.h"
#include "app/DiskFullDialog.h"
#include "app/OwnerWindow.h"
#include "app/ProgressDialog.h"
#include "document/TestRegistryKey.h"
#include "engine/BackupRun.h"
#include "resources/resource.h"
#include "support/ModalDriver.h"
#include "support/TempFolder.h"
#include "text/BoundedText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// The run's user interface made of the program's own dialogs, the way the main window joins them.
class DialogUserInterface : public BackupUserInterface {
public:
    DialogUserInterface()
    {
        optionsDialog.programKey = key.Name();
        listOptions.copyUpdated = false;
    }

    void ShowWarning(const char* text, const char*) override { warnings.push_back(text); }
    void SetStatusText(int part, const char* text) override { owner.status.SetText(part, text); }
    bool AskNextDisk(const char* text) override { return ::AskNextDisk(owner.window, text, &owner.status); }
    bool ConfirmOptions(BackupOptions& options) override
    {
        bool go = optionsDialog.Confirm(owner.window, listOptions, modified);
        options = listOptions;
        return go;
    }
    void ShowProgress() override
    {
        progress.Show(owner.window, *run);
        if (cancelInProgress)
            PostMessageA(GetDlgItem(progress.Handle(), IDCANCEL), BM_CLICK, 0, 0);
    }
    void DestroyProgress() override { progress.Destroy(); }
    void EnableFrame(bool enable) override { EnableWindow(owner.window, enable); }
    bool NextFolderEntry(bool first, FolderEntryRow& row) override
    {
        if (first)
            nextRow = 0;
        if (nextRow >= folders.size())
            return false;
        CopyText(row.folder, folders[nextRow++].c_str());
        CopyText(row.wildcards, "*.*");
        row.includeSubfolders = false;
        return true;
    }
    void StampLastBackup() override { CopyText(listOptions.lastBackupDate, "stamped"); }
    void UpdateTitle() override {}
    void UpdateDestinationPane() override {}
    void MarkBackupDone() override { backupDone = true; }
    void OpenLogViewer(const char* path) override { openedLogs.push_back(path); }

    TestRegistryKey key;
    OwnerWindow owner;
    BackupOptionsDialog optionsDialog;
    ProgressDialog progress;
    BackupRun* run = nullptr;
    BackupOptions listOptions;
    bool modified = false;
    bool backupDone = false;
    bool cancelInProgress = false;
    std::vector<std::string> folders;
    std::size_t nextRow = 0;
    std::vector<std::string> warnings;
    std::vector<std::string> openedLogs;
};

class DialogBackupTest : public testing::Test {
protected:
    DialogBackupTest() { ui.run = &run; }

    // A whole run whose options dialog is confirmed with Backup on destination; the disk-full
    // questions it asks are answered by answerDiskFull.
    void RunConfirmedTo(const std::string& destination, std::function<void(HWND)> answerDiskFull = nullptr)
    {
        ModalDriver dialogs("#32770", [&](HWND dialog) {
            std::string caption = WindowTextOf(dialog);
            if (caption == "Backup") {
                SetDlgItemTextA(dialog, IDC_DESTINATION, destination.c_str());
                ClickButton(dialog, IDC_START_BACKUP);
            } else if (caption == "Disk full") {
                ASSERT_TRUE(answerDiskFull) << "an unexpected disk-full question";
                answerDiskFull(dialog);
            }
        }, 20000);
        run.Run();
        EXPECT_GE(dialogs.Count(), 1);
    }

    std::string Log() const { return ReadWholeFile(run.LogPath()); }
    std::string MirrorOf(const std::string& root) const { return root + source.Path()[0] + "-Backup" + source.Path().substr(2); }

    DialogUserInterface ui;
    BackupRun run{ui};
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
    ui.folders = {source.Path()};
    ui.cancelInProgress = true;
    RunConfirmedTo(destination.Path());
    EXPECT_EQ(run.abortRequested, 1);
    EXPECT_TRUE(EndsWith(Log(), "! User aborted backup.\r\n")) << Log();
    EXPECT_EQ(ui.openedLogs, (std::vector<std::string>{run.LogPath()}));
    EXPECT_STREQ(ui.listOptions.destination, destination.Path().c_str()) << "the typed destination was taken";
    EXPECT_TRUE(ui.modified);
    EXPECT_FALSE(ui.backupDone) << "a run that stopped early stamps nothing";
    EXPECT_EQ(ui.progress.Handle(), nullptr) << "the progress window is gone";
    EXPECT_TRUE(IsWindowEnabled(ui.owner.window));
}

class FullDiskDialogTest : public DialogBackupTest {
protected:
    void SetUp() override
    {
        if (!SmallDiskMounted())
            GTEST_SKIP() << kNoSmallDisk;
        RemoveTree(root);
        source.WriteFile("big.bin", std::string(700 * 1024, 'b'));
        HANDLE file = CreateFileA(filler, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        std::string block(500 * 1024, 'f');
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr));
        CloseHandle(file);
        ui.folders = {source.Path()};
    }
    void TearDown() override
    {
        RemoveTree(root);
        DeleteFileA(filler);
    }

    std::string root = "U:\\tv-dialog-full\\";
    const char* filler = "U:\\tv-dialog-filler.bin";
};

TEST_F(FullDiskDialogTest, NextDiskAfterMakingRoomCopiesTheFile)
{
    int asked = 0;
    RunConfirmedTo(root, [&](HWND dialog) {
        ++asked;
        // the user puts in an emptier disk
        DeleteFileA(filler);
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ReadWholeFile(MirrorOf(root) + "big.bin").size(), 700u * 1024);
    EXPECT_TRUE(ui.backupDone);
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
    EXPECT_FALSE(ui.backupDone);
}

} // namespace
