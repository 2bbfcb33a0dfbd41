#include "app/BackupOptionsDialog.h"

#include "support/Snapshot.h"
#include "app/ProgramBoxes.h"
#include "support/TestRegistryKey.h"
#include "resource.h"
#include "support/ModalDriver.h"
#include "text/BoundedText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

struct SeenWarning {
    HWND owner;
    std::string text;
    std::string caption;
    bool ownerEnabled;
};
std::vector<SeenWarning> seenWarnings;

// The real warning box, with what it was asked to show and whether its owner was live under it.
void RecordedWarning(HWND owner, const char* text, const char* caption)
{
    bool enabledUnderBox = false;
    ModalDriver box("CMSGCLASS", [&](HWND window) {
        enabledUnderBox = IsWindowEnabled(GetWindow(window, GW_OWNER)) != FALSE;
        ClickButtonWithText(window, "Ok");
    });
    ShowWarningBox(owner, text, caption);
    EXPECT_EQ(box.Count(), 1);
    seenWarnings.push_back(SeenWarning{owner, text, caption, enabledUnderBox});
}

std::string pickedTitle;
bool PickFolder(HWND, const char* title, char* path, std::size_t size)
{
    pickedTitle = title;
    return CopyText(path, size, "Z:\\Backups\\Weekly\\");
}
bool CancelPick(HWND, const char*, char*, std::size_t)
{
    return false;
}

std::string ComboText(HWND combo, int index)
{
    char text[300] = {};
    if (SendMessageA(combo, CB_GETLBTEXTLEN, index, 0) < LRESULT{sizeof text})
        SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

Texts ComboEntries(HWND combo)
{
    Texts entries;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index)
        entries.push_back(ComboText(combo, index));
    return entries;
}

Texts LogicalDrives()
{
    Texts drives;
    DWORD mask = GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit)
        if (mask & (1u << bit))
            drives.push_back(std::string(1, static_cast<char>('A' + bit)) + ":");
    return drives;
}

// Picks a list entry the way the user's click does: the selection, then its notification.
void PickDrive(HWND dialog, int index)
{
    HWND list = GetDlgItem(dialog, IDC_DRIVE_LIST);
    SendMessageA(list, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DRIVE_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Types into an edit field (or a combo box's), as far as its limit lets the user.
void Type(HWND field, const std::string& text)
{
    HWND edit = FindWindowExA(field, nullptr, "Edit", nullptr);
    if (edit == nullptr)
        edit = field;
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

class OptionsDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        seenWarnings.clear();
        pickedTitle.clear();
        dialog.programKey = key.Name();
        dialog.showWarning = RecordedWarning;
        CopyText(options.destination, "C:\\");
        CopyText(options.description, "Weekly");
        options.copyUpdated = true;
        options.copyHidden = true;
    }

    // Opens the dialog on options, runs step in it, and answers Confirm's result.
    bool Confirm(std::function<void(HWND)> step)
    {
        ModalDriver driver("#32770", [&](HWND window) {
            shown = window;
            step(window);
        }, 10000);
        bool go = dialog.Confirm(nullptr, options, modified);
        EXPECT_EQ(driver.Count(), 1);
        EXPECT_FALSE(driver.TimedOut());
        return go;
    }

    TestRegistryKey key;
    BackupOptionsDialog dialog;
    BackupOptions options;
    bool modified = false;
    HWND shown = nullptr;
};

TEST_F(OptionsDialogTest, OpensOnTheOptionsWithTheDriveOfARootSelected)
{
    Texts drives = LogicalDrives();
    ASSERT_FALSE(drives.empty());
    struct Case {
        std::string destination;
        std::string selected;
    };
    // a drive root selects its drive; a folder selects none; a missing drive's root selects the first
    const Case cases[] = {{drives.back() + "\\", drives.back()}, {"C:\\Backups\\", ""}, {"Q:\\", drives[0]}};
    ASSERT_EQ(GetLogicalDrives() & (1u << ('Q' - 'A')), 0u) << "the test needs Q: to be absent";
    for (const Case& c : cases) {
        CopyText(options.destination, c.destination.c_str());
        Confirm([&](HWND window) {
            HWND list = GetDlgItem(window, IDC_DRIVE_LIST);
            EXPECT_EQ(ComboEntries(list), drives) << "every drive the system reports, in order";
            int selected = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
            EXPECT_EQ(selected < 0 ? std::string() : ComboText(list, selected), c.selected) << c.destination;
            EXPECT_EQ(WindowTextOf(GetDlgItem(window, IDC_DESTINATION)), c.destination);
            EXPECT_EQ(WindowTextOf(GetDlgItem(window, IDC_DESCRIPTION)), "Weekly");
            EXPECT_EQ(IsDlgButtonChecked(window, IDC_COPY_UPDATED), UINT{BST_CHECKED});
            EXPECT_EQ(IsDlgButtonChecked(window, IDC_COPY_HIDDEN), UINT{BST_CHECKED});
            EXPECT_EQ(IsDlgButtonChecked(window, IDC_COPY_SYSTEM), UINT{BST_UNCHECKED});
            EXPECT_EQ(IsDlgButtonChecked(window, IDC_RECORD_FILE_NAMES), UINT{BST_UNCHECKED});
            ClickButton(window, IDCANCEL);
        });
    }
}

TEST_F(OptionsDialogTest, BackupUntouchedKeepsEveryOptionAndTheListUnmodified)
{
    BackupOptions before = options;
    EXPECT_TRUE(Confirm([](HWND window) { ClickButton(window, IDC_START_BACKUP); }));
    EXPECT_FALSE(dialog.optionsChanged);
    EXPECT_FALSE(modified);
    EXPECT_STREQ(options.destination, before.destination);
    EXPECT_TRUE(options.copyHidden);
}

TEST_F(OptionsDialogTest, APickedDriveAndTheCheckBoxesAreTakenOverOnBackup)
{
    Texts drives = LogicalDrives();
    EXPECT_TRUE(Confirm([&](HWND window) {
        PickDrive(window, static_cast<int>(drives.size()) - 1);
        EXPECT_EQ(WindowTextOf(GetDlgItem(window, IDC_DESTINATION)), drives.back() + "\\");
        ClickButton(window, IDC_COPY_HIDDEN);
        ClickButton(window, IDC_RECORD_FILE_NAMES);
        ClickButton(window, IDC_START_BACKUP);
    }));
    EXPECT_STREQ(options.destination, (drives.back() + "\\").c_str());
    EXPECT_FALSE(options.copyHidden);
    EXPECT_TRUE(options.recordFileNames);
    EXPECT_TRUE(modified);
    // the confirmed destination heads the history the next opening offers
    Confirm([&](HWND window) {
        EXPECT_EQ(ComboText(GetDlgItem(window, IDC_DESTINATION), 0), drives.back() + "\\");
        ClickButton(window, IDCANCEL);
    });
}

TEST_F(OptionsDialogTest, CancelDropsTheCheckBoxesButTakesTheEditedDescription)
{
    EXPECT_FALSE(Confirm([](HWND window) {
        ClickButton(window, IDC_COPY_HIDDEN);
        ClickButton(window, IDCANCEL);
    }));
    EXPECT_TRUE(options.copyHidden);
    EXPECT_FALSE(modified);
    EXPECT_FALSE(Confirm([](HWND window) {
        Type(GetDlgItem(window, IDC_DESCRIPTION), "Monthly, to the blue disk");
        ClickButton(window, IDCANCEL);
    }));
    EXPECT_STREQ(options.description, "Monthly, to the blue disk");
    EXPECT_TRUE(modified);
}

TEST_F(OptionsDialogTest, ADescriptionHoldsAtMost128Characters)
{
    EXPECT_TRUE(Confirm([](HWND window) {
        Type(GetDlgItem(window, IDC_DESCRIPTION), std::string(200, 'd'));
        ClickButton(window, IDC_START_BACKUP);
    }));
    EXPECT_EQ(std::string(options.description), std::string(128, 'd'));
}

TEST_F(OptionsDialogTest, AnEmptyDestinationIsRefusedByAWarningOwnedByTheDialog)
{
    bool stayedOpen = false;
    EXPECT_FALSE(Confirm([&](HWND window) {
        SetDlgItemTextA(window, IDC_DESTINATION, "");
        ClickButton(window, IDC_START_BACKUP);
        stayedOpen = IsWindow(window) && IsWindowVisible(window);
        ClickButton(window, IDCANCEL);
    }));
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(seenWarnings.size(), 1u);
    EXPECT_EQ(seenWarnings[0].text, "You must choose a destination");
    EXPECT_EQ(seenWarnings[0].caption, "Trellisvault");
    EXPECT_EQ(seenWarnings[0].owner, shown) << "owned by the active window, the dialog itself";
    EXPECT_FALSE(seenWarnings[0].ownerEnabled) << "the dialog is not live under its warning";
    EXPECT_STREQ(options.destination, "C:\\");
}

// A typed destination ends in its separator, in the options and in the history alike.
TEST_F(OptionsDialogTest, ATypedDestinationBecomesTheRunsDestinationUpTo259Characters)
{
    EXPECT_TRUE(Confirm([&](HWND window) {
        Type(GetDlgItem(window, IDC_DESTINATION), "C:\\Typed");
        ClickButton(window, IDC_START_BACKUP);
    }));
    EXPECT_STREQ(options.destination, "C:\\Typed\\");
    EXPECT_EQ("C:\\Typed\\", ReadText(key / "Combo2", "a"));
    EXPECT_TRUE(modified);
    std::string longest = "C:\\" + std::string(255, 'x') + "\\";
    ASSERT_EQ(longest.size(), 259u);
    EXPECT_TRUE(Confirm([&](HWND window) {
        Type(GetDlgItem(window, IDC_DESTINATION), longest + "yz");
        ClickButton(window, IDC_START_BACKUP);
    }));
    EXPECT_EQ(std::string(options.destination), longest) << "typing stops at 259 characters";
    EXPECT_TRUE(seenWarnings.empty());
    EXPECT_FALSE(Confirm([&](HWND window) {
        Type(GetDlgItem(window, IDC_DESTINATION), longest.substr(0, 258) + "y");
        ClickButton(window, IDC_START_BACKUP);
        ClickButton(window, IDCANCEL);
    }));
    ASSERT_EQ(seenWarnings.size(), 1u);
    EXPECT_EQ(seenWarnings[0].text, "The destination is too long: with its closing backslash it holds at most 259 characters.");
}

TEST_F(OptionsDialogTest, BrowsePutsThePickedFolderInAndClearsTheDrive)
{
    dialog.pickFolder = PickFolder;
    EXPECT_TRUE(Confirm([](HWND window) {
        ClickButton(window, IDC_BROWSE);
        EXPECT_EQ(SendDlgItemMessageA(window, IDC_DRIVE_LIST, CB_GETCURSEL, 0, 0), CB_ERR);
        ClickButton(window, IDC_START_BACKUP);
    }));
    EXPECT_EQ(pickedTitle, "Pick the destination folder:");
    EXPECT_STREQ(options.destination, "Z:\\Backups\\Weekly\\");
    dialog.pickFolder = CancelPick;
    modified = false;
    EXPECT_TRUE(Confirm([](HWND window) {
        ClickButton(window, IDC_BROWSE);
        ClickButton(window, IDC_START_BACKUP);
    }));
    EXPECT_STREQ(options.destination, "Z:\\Backups\\Weekly\\");
    EXPECT_FALSE(modified) << "a cancelled browser changes nothing";
}

TEST_F(OptionsDialogTest, ScreenshotShowsTheTemplatesControls)
{
    Confirm([](HWND window) {
        Snapshot picture = PaintedSnapshot(window);
        EXPECT_TRUE(picture.Save("BackupOptionsDialog.bmp"));
        EXPECT_EQ(WindowTextOf(window), "Backup");
        for (int id : {IDC_START_BACKUP, IDC_COPY_UPDATED, IDC_RECORD_FILE_NAMES, IDC_COPY_HIDDEN, IDC_BROWSE}) {
            RECT control = picture.ChildRect(GetDlgItem(window, id));
            EXPECT_GT(picture.DarkPixels(control), 20) << "the label of control " << id << " is drawn";
        }
        EXPECT_GT(picture.Count({0, 0, picture.width, picture.height}, GetSysColor(COLOR_BTNFACE)), picture.width * 50);
        ClickButton(window, IDCANCEL);
    });
}

} // namespace
