#include "document/FolderListDocument.h"

#include "document/DocumentStorage.h"
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
        request.otherName = lstrcmpiA(buffer, answer.c_str()) != 0;
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

// The document prompts by letter: Save, Close unsaved, Replace a changed file, replace an Existing one.
Texts Prompts(const std::string& letters)
{
    const std::string words = "SSave folder list?|CThe folder list was not saved. Close without saving?|RThe folder list "
                              "file was changed by another program. Replace it with this list?|";
    Texts texts;
    for (char letter : letters) {
        std::size_t at = words.find(letter);
        texts.push_back(letter == 'E' ? "Confirm Save As: Work.ini already exists.\nDo you want to replace it?"
                                      : "Trellisvault: " + words.substr(at + 1, words.find('|', at) - at - 1));
    }
    return texts;
}

// Every way a close goes: the prompts it asks, whether the window may close, and what the file
// holds afterwards. A save that does not happen never loses the list unasked nor traps it.
TEST(CanClose, AsksTheDocumentPromptsAndNeverLosesOrTrapsAList)
{
    // the files another program writes come first; the names a close starts from come last
    enum File { Loaded, ChangedOutside, NotAList, TakenName, Untitled, Unwritable };
    enum Holds { Untouched, TheList, TheDate };
    struct Case {
        const char* name;
        bool backupDone;
        bool modified;
        File file;
        std::vector<int> answers;
        const char* asked;
        bool canClose;
        Holds holds;
    };
    const Case cases[] = {
        {"unmodified", false, false, Loaded, {}, "", true, Untouched},
        {"No discards", false, true, Loaded, {IDNO}, "S", true, Untouched},
        {"Cancel keeps the window", false, true, Loaded, {IDCANCEL}, "S", false, Untouched},
        {"a box closed without an answer is Cancel", false, true, Loaded, {0}, "S", false, Untouched},
        {"Yes saves", false, true, Loaded, {IDYES}, "S", true, TheList},
        {"a cancelled save dialog, then Yes closes", false, true, Untitled, {IDYES, IDYES}, "SC", true, Untouched},
        {"a cancelled save dialog, then No stays", true, false, Untitled, {IDNO}, "C", false, Untouched},
        {"a failed save, then No stays", false, true, Unwritable, {IDYES, IDNO}, "SC", false, Untouched},
        {"a failed save, then Yes closes", true, true, Unwritable, {IDYES}, "C", true, Untouched},
        {"a backup writes its date without asking", true, false, Loaded, {}, "", true, TheDate},
        {"a backup's date joins another program's change", true, false, ChangedOutside, {}, "", true, TheDate},
        {"a file no longer a list gets no date", true, false, NotAList, {IDYES}, "C", true, Untouched},
        {"a changed file is replaced on Yes", false, true, ChangedOutside, {IDYES, IDYES}, "SR", true, TheList},
        {"a changed file is kept on No", true, true, ChangedOutside, {IDNO, IDNO}, "RC", false, Untouched},
        {"a name the extension made is asked about", false, true, TakenName, {IDYES, IDYES}, "SE", true, TheList},
        {"No to it goes back to the dialog", false, true, TakenName, {IDYES, IDNO, IDYES}, "SEC", true, Untouched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder data("cmd-close");
        std::string target = data / (c.file == TakenName ? "Work.ini" : "list.ini");
        CommandHost host(data);
        data.WriteFile("list.ini", kSmallList);
        CopyText(host.path, target.c_str());
        loadDocument(host);
        std::string before = c.file == NotAList ? "notes" : kSmallList + std::string(c.file == ChangedOutside ? "D:\\other\\*.txt\r\n" : "");
        if (c.file != Loaded && c.file <= TakenName)
            data.WriteFile(c.file == TakenName ? "Work.ini" : "list.ini", before);
        if (c.file >= TakenName)
            CopyText(host.path, c.file == Unwritable ? (data / "gone\\list.ini").c_str() : "");
        if (c.file == TakenName)
            host.fileAnswers = {data / "Work.2024", ""};
        if (c.modified)
            host.InsertRow("C:\\Work\\*.*", false);
        host.backupDone = c.backupDone;
        CopyText(host.opts.lastBackupDate, "01/02/03  04:05 AM");
        host.questionAnswers = c.answers;
        EXPECT_EQ(CanClose(host), c.canClose);
        EXPECT_EQ(host.questions, Prompts(c.asked));
        std::string after = ReadWholeFile(target);
        bool holdsTheList = after.find("C:\\Work\\*.*") != std::string::npos && after.find("other") == std::string::npos;
        EXPECT_EQ(holdsTheList, c.holds == TheList) << after;
        if (c.holds == TheDate)
            before.insert(before.find("[Date]") + 8, "01/02/03  04:05 AM");
        if (c.holds != TheList) {
            EXPECT_EQ(after, before);
        }
        EXPECT_EQ(host.warnings.size(), c.file == Unwritable || c.file == NotAList ? 1u : 0u) << "a failed save is reported";
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

// A name the dialog checked with its own extension is another file's name once the extension is forced.
class RunFileDialogTyped : public ::testing::TestWithParam<const char*> {};

TEST_P(RunFileDialogTyped, TheSystemDialogReturnsTheTypedNameWithTheExtension)
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
        SetWindowTextA(nameField, (data / GetParam()).c_str());
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
    EXPECT_EQ(request.otherName, GetParam() != std::string("typed"));
}

INSTANTIATE_TEST_SUITE_P(RunFileDialog, RunFileDialogTyped, ::testing::Values("typed", "typed.2024"));

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

// A file outside the data folder moves in under its own name as one writable copy; a name taken
// there is another list, and the file is then used where it is.
TEST(RelocateDataFile, MovesInOnlyUnderAFreeNameLeavingOneWritableCopy)
{
    struct Case {
        const char* name;
        bool readOnly;
        bool taken;
    };
    for (Case c : {Case{"free", false, false}, Case{"read-only", true, false}, Case{"taken", false, true}}) {
        SCOPED_TRACE(c.name);
        TempFolder data("cmd-relocate-data");
        TempFolder old("cmd-relocate-old");
        if (c.taken)
            data.WriteFile("list.ini", "another list");
        old.WriteFile("list.ini", kSmallList);
        ASSERT_TRUE(SetFileAttributesA((old / "list.ini").c_str(), c.readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL));
        CommandHost host(data);
        CopyText(host.path, (old / "list.ini").c_str());
        relocateDataFile(host);
        std::string used = c.taken ? old / "list.ini" : data / "list.ini";
        EXPECT_STREQ(host.path, used.c_str());
        EXPECT_EQ(ReadWholeFile(used), kSmallList);
        EXPECT_EQ(ReadWholeFile(data / "list.ini"), c.taken ? "another list" : kSmallList);
        EXPECT_EQ(NamesIn(old.Path()).size(), c.taken ? 1u : 0u);
        EXPECT_FALSE(GetFileAttributesA(used.c_str()) & FILE_ATTRIBUTE_READONLY);
    }
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
