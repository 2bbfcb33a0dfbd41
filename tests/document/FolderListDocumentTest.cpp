#include "document/FolderListDocument.h"

#include "document/FileDialog.h"
#include "document/MemoryDocumentHost.h"
#include "support/ModalDriver.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

const char kSmallList[] =
    "[Program]\r\nTrellisvault\r\n[Date]\r\n\r\n[Description]\r\nLetters\r\n[CopyUpdated]\r\nTRUE\r\n"
    "[CopyHidden]\r\nFALSE\r\n[CopySystem]\r\nFALSE\r\n[Dest]\r\nE:\\\r\n[Folders]\r\nC:\\Letters\\*.doc\r\n";

// A document host whose file dialogs are answered from a script, the way the system's dialog
// answers: the chosen name with the default extension forced on, or a cancel.
class CommandHost : public MemoryDocumentHost {
public:
    struct FileRequest {
        bool openMode;
        std::string title;
        std::string proposedName;
        std::string initialFolder;
    };

    // The names the file dialogs return, in order; an empty name or none left cancels the dialog.
    std::vector<std::string> fileAnswers;
    std::vector<FileRequest> fileRequests;

    explicit CommandHost(const TempFolder& data) { CopyText(folder, data.Path().c_str()); }

    bool chooseFile(FileDialog& request, char* buffer, std::size_t size, const char* initialFolder) override
    {
        fileRequests.push_back(FileRequest{request.openMode, request.title, buffer, initialFolder});
        std::size_t asked = fileRequests.size() - 1;
        std::string answer = asked < fileAnswers.size() ? fileAnswers[asked] : std::string();
        if (answer.empty() || !CopyText(buffer, size, answer.c_str())
            || !ForceExtension(buffer, size, request.defaultExtension)) {
            buffer[0] = '\0';
            return false;
        }
        return true;
    }

    // A modified list with one row and a description, titled path (empty for untitled).
    void Edit(const std::string& titledPath)
    {
        runNewSteps();
        CopyText(path, titledPath.c_str());
        CopyText(opts.description, "Edited");
        InsertRow("C:\\Work\\*.*", true);
    }
};

const char kSaveQuestion[] = "Trellisvault: Save folder list?";

// An unmodified list is emptied without a question, even after a backup; a modified one asks first.
TEST(NewDocument, OnlyAnUnmodifiedListOrNoOrASaveEmptiesIt)
{
    struct Case {
        bool modified;
        int answer;  // -1: no question is asked
        bool emptied;
    };
    // 0 is a box closed without an answer: it keeps the list like Cancel
    for (Case c : {Case{false, -1, true}, Case{true, IDCANCEL, false}, Case{true, 0, false}, Case{true, IDNO, true},
                   Case{true, IDYES, true}}) {
        TempFolder data("cmd-new");
        CommandHost host(data);
        host.Edit(data / "list.ini");
        host.modified = c.modified;
        host.backupDone = !c.modified;
        CopyText(host.opts.lastBackupDate, "03/14/06  09:05 PM");
        if (c.answer >= 0)
            host.questionAnswers = {c.answer};
        newDocument(host);
        EXPECT_EQ(host.questions, c.answer >= 0 ? Texts{kSaveQuestion} : Texts{}) << c.answer;
        EXPECT_EQ(host.rows.empty(), c.emptied) << c.answer;
        EXPECT_EQ(host.modified, c.modified && !c.emptied) << c.answer;
        EXPECT_STREQ(host.opts.description, c.emptied ? "" : "Edited") << c.answer;
        EXPECT_STREQ(host.opts.lastBackupDate, c.emptied ? "" : "03/14/06  09:05 PM") << c.answer;
        EXPECT_TRUE(host.fileRequests.empty()) << c.answer;
        EXPECT_EQ(NamesIn(data.Path()).size(), c.answer == IDYES ? 1u : 0u) << "only Yes writes the file";
    }
}

// Open asks about a modified list once, then loads the file chosen in the data folder; a name typed
// without an extension opens that name with ".ini". Cancel in the question keeps everything and shows
// no dialog; Cancel in the file dialog leaves an empty untitled list.
TEST(OpenDocument, AsksOnceThenLoadsTheChosenFileFromTheDataFolder)
{
    struct Case {
        bool modified;
        int answer;  // -1: no question is asked
        const char* chosen;
        std::size_t requests;
        Texts entries;
        const char* path;
    };
    const Case cases[] = {
        {true, IDNO, "other", 1, {"C:\\Letters\\*.doc"}, "other.ini"},
        {true, IDCANCEL, "", 0, {"C:\\Work\\*.*"}, "list.ini"},
        {false, -1, "", 1, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        TempFolder data("cmd-open");
        data.WriteFile("other.ini", kSmallList);
        CommandHost host(data);
        host.Edit(data / "list.ini");
        host.modified = c.modified;
        if (c.answer >= 0)
            host.questionAnswers = {c.answer};
        if (c.chosen[0] != '\0')
            host.fileAnswers = {data / c.chosen};
        openDocument(host);
        EXPECT_EQ(host.questions, c.answer >= 0 ? Texts{kSaveQuestion} : Texts{});
        ASSERT_EQ(host.fileRequests.size(), c.requests);
        for (const CommandHost::FileRequest& request : host.fileRequests) {
            EXPECT_TRUE(request.openMode);
            EXPECT_EQ(request.title, "Open Folder List");
            EXPECT_EQ(request.proposedName, "");
            EXPECT_EQ(request.initialFolder, data.Path());
        }
        EXPECT_EQ(host.EntryTexts(), c.entries);
        EXPECT_STREQ(host.path, c.path[0] != '\0' ? (data / c.path).c_str() : "");
        EXPECT_EQ(host.modified, c.modified && c.answer == IDCANCEL);
    }
}

TEST(SaveCommand, AnUnmodifiedListIsNotSavedAndShowsNoDialog)
{
    TempFolder data("cmd-save-clean");
    CommandHost host(data);
    host.runNewSteps();
    EXPECT_EQ(saveCommand(host), SaveOutcome::NothingToSave);
    EXPECT_TRUE(host.fileRequests.empty());
}

TEST(SaveCommand, AnUntitledListProposesTheDefaultNameAndACancelKeepsItUntitled)
{
    TempFolder data("cmd-save-untitled");
    CommandHost host(data);
    host.Edit("");
    EXPECT_EQ(saveCommand(host), SaveOutcome::Cancelled);
    EXPECT_EQ(saveCommand(host), SaveOutcome::Cancelled) << "the next Save asks again";
    ASSERT_EQ(host.fileRequests.size(), 2u);
    EXPECT_FALSE(host.fileRequests[1].openMode);
    EXPECT_EQ(host.fileRequests[1].title, "");
    EXPECT_EQ(host.fileRequests[1].proposedName, "Trellisvault.ini");
    EXPECT_EQ(host.fileRequests[1].initialFolder, data.Path());
    EXPECT_STREQ(host.path, "");
    EXPECT_TRUE(host.modified);
    EXPECT_TRUE(NamesIn(data.Path()).empty());
}

TEST(SaveCommand, TheChosenNameGetsTheExtensionAndTheListIsWritten)
{
    TempFolder data("cmd-save-named");
    CommandHost host(data);
    host.Edit("");
    host.fileAnswers = {data / "mine.txt"};
    EXPECT_EQ(saveCommand(host), SaveOutcome::Saved);
    EXPECT_STREQ(host.path, (data / "mine.ini").c_str());
    EXPECT_EQ(NamesIn(data.Path()), (Texts{"mine.ini"}));
    EXPECT_FALSE(host.modified);
}

TEST(CanClose, AnswersAfterTheQuestionAndTheSave)
{
    struct Case {
        const char* name;
        bool backupDone;
        bool modified;
        bool titled;
        bool writable;
        std::vector<int> answers;
        bool canClose;
        std::size_t questions;
        std::size_t filesAfter;
    };
    const Case cases[] = {
        {"unmodified", false, false, true, true, {}, true, 0, 0},
        {"No discards", false, true, true, true, {IDNO}, true, 1, 0},
        {"Cancel keeps the window", false, true, true, true, {IDCANCEL}, false, 1, 0},
        {"a box closed without an answer is Cancel", false, true, true, true, {0}, false, 1, 0},
        {"Yes saves", false, true, true, true, {IDYES}, true, 1, 1},
        {"Yes and a cancelled save dialog still close", false, true, false, true, {IDYES}, true, 1, 0},
        {"Yes and a failed save keep the window", false, true, true, false, {IDYES}, false, 1, 0},
        {"a backup saves without asking", true, false, true, true, {}, true, 0, 1},
        {"a backup and a cancelled save dialog still close", true, false, false, true, {}, true, 0, 0},
        {"a backup and a failed save keep the window", true, true, true, false, {}, false, 0, 0},
    };
    for (const Case& c : cases) {
        TempFolder data("cmd-close");
        CommandHost host(data);
        // an unwritable data file: its folder does not exist
        host.Edit(c.titled ? (c.writable ? data / "list.ini" : data / "gone\\list.ini") : std::string());
        host.modified = c.modified;
        host.backupDone = c.backupDone;
        host.questionAnswers = c.answers;
        EXPECT_EQ(CanClose(host), c.canClose) << c.name;
        EXPECT_EQ(host.questions.size(), c.questions) << c.name;
        EXPECT_EQ(NamesIn(data.Path()).size(), c.filesAfter) << c.name;
        EXPECT_EQ(host.warnings.size(), c.writable ? 0u : 1u) << c.name << ": a failed save is reported";
    }
}

TEST(DocumentTexts, TheTitleShowsTheLastBackupDateWhenThereIsOne)
{
    char title[kTitleSize];
    composeTitle("", title, sizeof title);
    EXPECT_STREQ(title, "Trellisvault");
    composeTitle("03/14/06  09:05 PM", title, sizeof title);
    EXPECT_STREQ(title, "Trellisvault - last backed up on 03/14/06  09:05 PM");
    BackupOptions longest;
    CopyText(longest.lastBackupDate, std::string(sizeof longest.lastBackupDate - 1, '9').c_str());
    composeTitle(longest.lastBackupDate, title, sizeof title);
    EXPECT_EQ(std::string(title).size(), 33u + 21u) << "the longest date fits whole";
}

TEST(DocumentTexts, TheDestinationPaneIsEmptyWithoutADestination)
{
    char pane[kDestinationPaneSize];
    composeDestinationPane("E:\\", pane, sizeof pane);
    EXPECT_STREQ(pane, "Dest E:\\");
    composeDestinationPane("", pane, sizeof pane);
    EXPECT_STREQ(pane, "");
    std::string longest(259, 'd');
    composeDestinationPane(longest.c_str(), pane, sizeof pane);
    EXPECT_EQ(std::string(pane), "Dest " + longest);
}

// Every chosen name ends in the extension; a name that would not fit is refused unchanged.
TEST(ForceExtension, EveryChosenNameEndsInTheExtensionWhenItFits)
{
    struct Case {
        const char* chosen;
        const char* extension;
        std::size_t size;
        bool forced;
        const char* result;
    };
    const Case cases[] = {
        {"C:\\Lists\\notes.txt", ".ini", kPathSize, true, "C:\\Lists\\notes.ini"},
        {"C:\\Lists\\notes", "ini", kPathSize, true, "C:\\Lists\\notes.ini"},
        {"C:\\Lists\\notes.ini", "ini", kPathSize, true, "C:\\Lists\\notes.ini"},
        {"C:\\My.Lists\\notes", ".ini", kPathSize, true, "C:\\My.Lists\\notes.ini"},
        {"C:notes.a.b", ".ini", kPathSize, true, "C:notes.a.ini"},
        {"C:\\abcdefg", ".ini", 12, false, "C:\\abcdefg"},
        // exactly 11 characters fit
        {"C:\\abcd.x", ".ini", 12, true, "C:\\abcd.ini"},
    };
    for (const Case& c : cases) {
        // a buffer of exactly the given size, so that a write past it shows
        std::vector<char> path(c.size);
        CopyText(path.data(), path.size(), c.chosen);
        EXPECT_EQ(c.forced, ForceExtension(path.data(), path.size(), c.extension)) << c.chosen;
        EXPECT_STREQ(path.data(), c.result) << c.chosen;
    }
}

TEST(RunFileDialog, TheSystemDialogReturnsTheTypedNameWithTheExtension)
{
    TempFolder data("cmd-dialog");
    data.WriteFile("typed.ini", kSmallList);
    FileDialog request(true);
    request.title = "Open Folder List";
    char path[kPathSize] = {};
    std::string title;
    ModalDriver driver("#32770", [&](HWND dialog) {
        title = WindowTextOf(dialog);
        // the file name field of the system's dialog is its combo box cmb13 or edit edt1
        HWND nameField = GetDlgItem(dialog, cmb13) != nullptr ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
        ASSERT_NE(nameField, nullptr);
        SetWindowTextA(nameField, (data / "typed").c_str());
        ClickButton(dialog, IDOK);
    }, 15000);
    char before[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryA(sizeof before, before));
    EXPECT_TRUE(runFileDialog(request, nullptr, path, sizeof path, data.Path().c_str()));
    EXPECT_EQ(driver.Count(), 1);
    EXPECT_EQ(title, "Open Folder List");
    // the folder browsed (a removable drive, say) is not left current
    char after[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryA(sizeof after, after));
    EXPECT_STREQ(before, after);
    EXPECT_STREQ(path, (data / "typed.ini").c_str());
    EXPECT_FALSE(request.changed);
}

TEST(RunFileDialog, ACancelledDialogAnswersFalseWithAnEmptyPath)
{
    TempFolder data("cmd-dialog-cancel");
    FileDialog request(false);
    char path[kPathSize] = "Trellisvault.ini";
    ModalDriver driver("#32770", [&](HWND dialog) { ClickButton(dialog, IDCANCEL); }, 15000);
    EXPECT_FALSE(runFileDialog(request, nullptr, path, sizeof path, data.Path().c_str()));
    EXPECT_EQ(driver.Count(), 1);
    EXPECT_STREQ(path, "");
}

TEST(LocateDataFolder, IsTheApplicationDataFolderWithTheProgramsFolderCreated)
{
    char appData[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE));
    std::string expected = std::string(appData) + "\\Pennyroyal\\Trellisvault\\";
    RemoveTree(std::string(appData) + "\\Pennyroyal\\");
    TempFolder unused("cmd-locate");
    CommandHost host(unused);
    locateDataFolder(host, nullptr);
    EXPECT_STREQ(host.folder, expected.c_str());
    DWORD attributes = GetFileAttributesA(expected.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) << expected;
}

TEST(RelocateDataFile, AFileOutsideTheDataFolderMovesInReplacingOneOfItsName)
{
    TempFolder data("cmd-relocate-data");
    TempFolder old("cmd-relocate-old");
    data.WriteFile("list.ini", "stale");
    old.WriteFile("list.ini", kSmallList);
    CommandHost host(data);
    CopyText(host.path, (old / "list.ini").c_str());
    relocateDataFile(host);
    EXPECT_STREQ(host.path, (data / "list.ini").c_str());
    EXPECT_EQ(ReadWholeFile(data / "list.ini"), kSmallList);
    EXPECT_TRUE(NamesIn(old.Path()).empty()) << "the old file is deleted";
}

TEST(RelocateDataFile, AFileInsideInAnyCaseOrAMissingOneStaysWhereItIs)
{
    TempFolder data("cmd-relocate-inside");
    data.WriteFile("sub\\list.ini", kSmallList);
    CommandHost host(data);
    std::string inside = data / "sub\\list.ini";
    for (char& c : inside)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    for (const std::string& path : {inside, std::string("C:\\nowhere\\list.ini"), std::string()}) {
        CopyText(host.path, path.c_str());
        relocateDataFile(host);
        EXPECT_STREQ(host.path, path.c_str());
    }
    EXPECT_EQ(NamesIn(data.Path()), (Texts{"sub"}));
    EXPECT_EQ(ReadWholeFile(data / "sub\\list.ini"), kSmallList);
}

} // namespace
