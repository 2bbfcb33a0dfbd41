#include "app/DiskFullDialog.h"
#include "app/ProgressDialog.h"

#include "support/Snapshot.h"
#include "app/OwnerWindow.h"
#include "engine/BackupRun.h"
#include "resource.h"
#include "support/ModalDriver.h"
#include "support/PumpUntilIdle.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// What a run asks of the windows; nothing here, the dialogs are tested alone.
class QuietInterface : public BackupUserInterface {
public:
    void ShowWarning(const char*, const char*) override {}
    void SetStatusText(int, const char*) override {}
    bool AskNextDisk(const char*) override { return false; }
    bool ConfirmOptions(BackupOptions&) override { return false; }
    void ShowProgress() override {}
    void DestroyProgress() override {}
    void EnableFrame(bool) override {}
    bool NextFolderEntry(bool, FolderEntryRow&) override { return false; }
    void StampLastBackup() override {}
    void UpdateTitle() override {}
    void UpdateDestinationPane() override {}
    void MarkBackupDone() override {}
    void OpenLogViewer(const char*) override {}
};


const char kLongMessage[] =
    "The destination disk is full while copying C:\\Documents and Settings\\Someone\\My Documents\\"
    "Letters and old correspondence\\A rather long file name for a letter.doc\r\nPut in another disk and "
    "choose Next disk, or choose Cancel to stop the backup.";

TEST(DiskFullDialog, NextDiskGoesOnAndEveryOtherWayOutAbortsWithTheStatusText)
{
    struct Case {
        const char* name;
        int button;
        bool goOn;
        const char* status;
    };
    const Case cases[] = {
        {"Next disk", IDOK, true, "Copying"},
        {"Cancel", IDCANCEL, false, "Abort"},
        {"close box", 0, false, "Abort"},
    };
    for (const Case& c : cases) {
        OwnerWindow owner;
        std::string caption;
        HWND ownerSeen = nullptr;
        ModalDriver driver("#32770", [&](HWND dialog) {
            caption = WindowTextOf(dialog);
            ownerSeen = GetWindow(dialog, GW_OWNER);
            if (c.button != 0)
                ClickButton(dialog, c.button);
            else
                SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        });
        EXPECT_EQ(AskNextDisk(owner.window, "Disk full", &owner.status), c.goOn) << c.name;
        EXPECT_EQ(driver.Count(), 1) << c.name;
        EXPECT_EQ(caption, "Disk full");
        EXPECT_EQ(ownerSeen, owner.window);
        EXPECT_EQ(owner.StatusText(0), c.status) << c.name;
    }
}

TEST(DiskFullDialog, ScreenshotShowsTheMessageWrappedInItsBox)
{
    OwnerWindow owner;
    ModalDriver driver("#32770", [&](HWND dialog) {
        Snapshot picture = PaintedSnapshot(dialog);
        EXPECT_TRUE(picture.Save("DiskFullDialog.bmp"));
        RECT box = picture.ChildRect(GetDlgItem(dialog, IDC_MESSAGE_FRAME));
        InflateRect(&box, -3, -3);
        EXPECT_GE(picture.TextLines(box), 4) << "the long path wraps and the line break starts a new line";
        RECT next = picture.ChildRect(GetDlgItem(dialog, IDOK));
        InflateRect(&next, -3, -3);
        EXPECT_GT(picture.DarkPixels(next), 20) << "\"Next disk\" is drawn";
        ClickButton(dialog, IDOK);
    });
    EXPECT_TRUE(AskNextDisk(owner.window, kLongMessage, &owner.status));
    EXPECT_EQ(driver.Count(), 1);
}

class ProgressDialogTest : public testing::Test {
protected:
    int BarPosition() const
    {
        return static_cast<int>(SendDlgItemMessageA(progress.Handle(), IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
    }

    OwnerWindow owner;
    QuietInterface quiet;
    BackupRun run{quiet};
    ProgressDialog progress;
};

TEST_F(ProgressDialogTest, CancelOnlyRaisesTheAbortFlagAndTheWindowStaysUntilDestroyed)
{
    ASSERT_TRUE(progress.Show(owner.window, run));
    HWND window = progress.Handle();
    PumpUntilIdle();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner.window);
    EXPECT_EQ(run.abortRequested, 0);
    ClickButton(window, IDCANCEL);
    EXPECT_EQ(run.abortRequested, 1);
    ClickButton(window, IDCANCEL);
    EXPECT_EQ(run.abortRequested, 1) << "a second click sets the same flag";
    EXPECT_TRUE(IsWindow(window));
    progress.Destroy();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(progress.Handle(), nullptr);
    progress.Destroy();
}

TEST_F(ProgressDialogTest, TheBarStepsOnItsTimer)
{
    ASSERT_TRUE(progress.Show(owner.window, run));
    EXPECT_EQ(BarPosition(), 0);
    // wait for the dialog's own timer; a fail-safe timer ends the wait after three periods
    UINT_PTR failSafe = SetTimer(nullptr, 0, 1500, nullptr);
    MSG message;
    bool failed = false;
    while (BarPosition() == 0 && !failed && GetMessageA(&message, nullptr, 0, 0) > 0) {
        failed = message.hwnd == nullptr && message.message == WM_TIMER && message.wParam == failSafe;
        DispatchMessageA(&message);
    }
    KillTimer(nullptr, failSafe);
    EXPECT_EQ(BarPosition(), 5) << "one step of 5 in a range of 100";
    progress.Destroy();
}

TEST_F(ProgressDialogTest, ScreenshotShowsTheCrimsonPanelWithItsWhiteTextBox)
{
    ASSERT_TRUE(progress.Show(owner.window, run));
    Snapshot picture = PaintedSnapshot(progress.Handle());
    EXPECT_TRUE(picture.Save("ProgressDialog.bmp"));
    RECT client;
    GetClientRect(progress.Handle(), &client);
    POINT origin = {0, 0};
    ClientToScreen(progress.Handle(), &origin);
    RECT window;
    GetWindowRect(progress.Handle(), &window);
    OffsetRect(&client, origin.x - window.left, origin.y - window.top);
    EXPECT_GT(picture.Count(client, RGB(220, 20, 60)), client.right * client.bottom / 4) << "the crimson panel";
    RECT box = picture.ChildRect(GetDlgItem(progress.Handle(), IDC_TEXT_FRAME));
    InflateRect(&box, -3, -3);
    EXPECT_GT(picture.Count(box, RGB(255, 255, 255)), 100) << "the white text box";
    EXPECT_GT(picture.DarkPixels(box), 50) << "\"Backup in progress.\" is drawn in it";
    EXPECT_EQ(picture.TextLines(box), 1) << "on one line";
    EXPECT_EQ(ParentBackgroundUnder(GetDlgItem(progress.Handle(), IDCANCEL)), RGB(220, 20, 60))
        << "a themed Cancel button's corners";
    progress.Destroy();
}

} // namespace
