#include "EngineFixture.h"

#include "engine/FolderPaths.h"
#include "text/BoundedText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

constexpr char kEarlierDate[] = "01/02/03  04:05 AM";

// Whole runs through Run: the folder list's rows and the confirmed options come from the
// recording user interface, whose options stand for the folder list's own.
class RunDriverTest : public EngineTest {
protected:
    RunDriverTest()
    {
        ui.confirmedOptions = run.options;
        CopyText(ui.confirmedOptions.lastBackupDate, kEarlierDate);
    }

    std::string Header() const { return LogHeader().substr(0, LogHeader().size() - 2) + "Last backed up on " + kEarlierDate + "\r\n\r\n"; }

    // What a run that stopped early leaves: no new backup time, title or backupDone, and
    // the frame enabled again, the progress dialog gone and the log opened.
    void ExpectStoppedEarly()
    {
        EXPECT_STREQ(kEarlierDate, ui.confirmedOptions.lastBackupDate);
        EXPECT_EQ(0, ui.stamps);
        EXPECT_EQ(0, ui.titleUpdates);
        EXPECT_FALSE(ui.backupDone);
        EXPECT_EQ((std::vector<bool>{false, true}), ui.frameEnabled);
        EXPECT_EQ(1, ui.progressShown);
        EXPECT_EQ(1, ui.progressDestroyed);
        EXPECT_EQ((std::vector<std::string>{run.LogPath()}), ui.openedLogs);
    }

    void ExpectCompleted()
    {
        EXPECT_STRNE(kEarlierDate, ui.confirmedOptions.lastBackupDate);
        EXPECT_EQ(18u, std::string(ui.confirmedOptions.lastBackupDate).size());
        EXPECT_EQ(1, ui.stamps);
        EXPECT_EQ(1, ui.titleUpdates);
        EXPECT_TRUE(ui.backupDone);
        EXPECT_EQ((std::vector<bool>{false, true}), ui.frameEnabled);
        EXPECT_EQ(1, ui.progressShown);
        EXPECT_EQ(1, ui.progressDestroyed);
    }

    std::string src = source.Path();
};

} // namespace

TEST_F(RunDriverTest, ACompletedRunWalksEveryEntryWithEveryPatternInOrder)
{
    source.WriteFile("A\\a.doc", "doc");
    source.WriteFile("A\\a.txt", "txt");
    source.WriteFile("A\\a.bin", "not listed");
    source.WriteFile("A\\Sub\\s.doc", "below an entry without subfolders");
    source.WriteFile("B\\b1.dat", "b1");
    source.WriteFile("B\\Deeper\\b2.dat", "b2");
    ui.confirmedOptions.recordFileNames = true;
    ui.rows = {Row(src + "A\\", "*.doc,  *.txt", false), Row(src + "B\\", "*.*", true)};

    run.Run();

    std::string a = MirrorOf(src + "A\\");
    std::string b = MirrorOf(src + "B\\");
    EXPECT_EQ((std::vector<std::string>{"a.doc", "a.txt"}), NamesIn(a));
    EXPECT_EQ((std::vector<std::string>{"Deeper", "b1.dat"}), NamesIn(b));
    EXPECT_EQ("b2", ReadWholeFile(b + "Deeper\\b2.dat"));
    // the run's own options are the confirmed ones: the header names the earlier backup
    std::vector<std::string> lines = RunLines(Log(), Header(), LogSummary(4, 4, "Backup completed without errors."));
    EXPECT_EQ((std::vector<std::string>{
                  "  Copied file: " + src + "A\\a.doc",
                  "  Copied file: " + src + "A\\a.txt",
                  "  Copied file: " + src + "B\\Deeper\\b2.dat",
                  "  Copied file: " + src + "B\\b1.dat",
                  "Checking folder: " + src + "A\\*.doc",
                  "Checking folder: " + src + "A\\*.txt",
                  "Checking folder: " + src + "B\\*.*",
              }),
              lines);
    EXPECT_NE(std::string::npos, Log().find("Checking folder: " + src + "A\\*.doc\r\n  Copied file: " + src + "A\\a.doc\r\n"
                                            "Checking folder: " + src + "A\\*.txt\r\n  Copied file: " + src + "A\\a.txt\r\n"
                                            "Checking folder: " + src + "B\\*.*\r\n"));
    EXPECT_EQ((Calls{"ConfirmOptions", "Status 2 0", "ShowProgress", "EnableFrame 0", "UpdateDestinationPane",
                     "NextFolderEntry first", "Status 0 " + src + "A\\", "Status 2 1", "Status 2 2",
                     "NextFolderEntry", "Status 0 " + src + "B\\", "Status 2 3", "Status 2 4",
                     "NextFolderEntry", "StampLastBackup", "UpdateTitle", "MarkBackupDone",
                     "EnableFrame 1", "DestroyProgress", "Status 0 Backup completed without errors.", "OpenLogViewer"}),
              ui.calls);
    ExpectCompleted();
    EXPECT_EQ(4, run.filesChecked);
    EXPECT_EQ(4, run.filesCopied);
}

TEST_F(RunDriverTest, AnEmptyFolderListCompletesAndOpensTheLogOnlyWhenNamesAreRecorded)
{
    run.Run();
    EXPECT_EQ(Header() + LogSummary(0, 0, "Backup completed without errors."), Log());
    ExpectCompleted();
    EXPECT_TRUE(ui.openedLogs.empty());
    EXPECT_EQ("0", ui.status[2]);

    ui = RecordingUserInterface();
    ui.confirmedOptions = run.options;
    ui.confirmedOptions.recordFileNames = true;
    run.Run();
    EXPECT_EQ(Header() + LogSummary(0, 0, "Backup completed without errors."), Log());
    EXPECT_EQ((std::vector<std::string>{run.LogPath()}), ui.openedLogs);
}

TEST_F(RunDriverTest, CountsStartFromZeroInEveryRun)
{
    source.WriteFile("a.txt", "a");
    ui.rows = {Row(src, "*.txt", false)};
    run.Run();
    ui.calls.clear();
    run.Run();
    EXPECT_EQ(1, run.filesChecked);
    EXPECT_EQ(1, run.filesCopied);
    EXPECT_EQ(0, run.errorCount);
    EXPECT_EQ("1", ui.status[2]);
}

TEST_F(RunDriverTest, SpacesBeforeACommaStayInThePatternAndMatchAsWithout)
{
    source.WriteFile("a.doc", "doc");
    source.WriteFile("a.txt", "txt");
    source.WriteFile("a.bin", "bin");
    ui.confirmedOptions.recordFileNames = true;
    ui.rows = {Row(src, "*.doc ,*.txt", false)};

    run.Run();

    EXPECT_NE(std::string::npos, Log().find("\r\nChecking folder: " + src + "*.doc \r\n  Copied file: " + src + "a.doc\r\n"
                                            "Checking folder: " + src + "*.txt\r\n  Copied file: " + src + "a.txt\r\n"))
        << Log();
    EXPECT_EQ((std::vector<std::string>{"a.doc", "a.txt"}), NamesIn(MirrorOf(src)));
    ExpectCompleted();
}

TEST_F(RunDriverTest, EmptyPatternsAreWalkedAndMirrorTheFoldersWithoutFiles)
{
    source.WriteFile("a.doc", "doc");
    source.WriteFile("a.txt", "txt");
    source.WriteFile("Sub\\s.bin", "bin");
    ui.confirmedOptions.recordFileNames = true;
    ui.rows = {Row(src, "*.doc,,*.txt", true)};

    run.Run();

    std::vector<std::string> lines = RunLines(Log(), Header(), LogSummary(2, 2, "Backup completed without errors."));
    EXPECT_EQ((std::vector<std::string>{
                  "  Copied file: " + src + "a.doc",
                  "  Copied file: " + src + "a.txt",
                  "Checking folder: " + src,
                  "Checking folder: " + src + "*.doc",
                  "Checking folder: " + src + "*.txt",
              }),
              lines);
    EXPECT_EQ((std::vector<std::string>{"Sub", "a.doc", "a.txt"}), NamesIn(MirrorOf(src)));
    EXPECT_TRUE(NamesIn(MirrorOf(src) + "Sub\\").empty());
    ExpectCompleted();
}

TEST_F(RunDriverTest, ATrailingCommaAddsAnEmptyPatternThatStillMirrorsEveryFolder)
{
    source.WriteFile("Sub\\Deeper\\s.bin", "bin");
    ui.confirmedOptions.recordFileNames = true;
    ui.rows = {Row(src, "*.doc,", true)};

    run.Run();

    EXPECT_EQ(Header() + "Checking folder: " + src + "*.doc\r\nChecking folder: " + src + "\r\n" +
                  LogSummary(0, 0, "Backup completed without errors."),
              Log());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((MirrorOf(src) + "Sub\\Deeper\\").c_str()));
    EXPECT_TRUE(NamesIn(MirrorOf(src) + "Sub\\Deeper\\").empty());
}

TEST_F(RunDriverTest, AnEntryWithSubfoldersIsWalkedSixteenLevelsDownAndOneWithoutItsFolderAlone)
{
    std::string relative;
    for (int level = 0; level <= 17; ++level) {
        source.WriteFile(relative + "f" + std::to_string(level) + ".txt", std::to_string(level));
        relative += "d\\";
    }
    ui.rows = {Row(src, "*.txt", true)};
    run.Run();
    EXPECT_EQ(Header() + LogSummary(17, 17, "Backup completed without errors."), Log());
    std::string deepest = MirrorOf(src);
    for (int level = 0; level < 16; ++level)
        deepest += "d\\";
    EXPECT_EQ("16", ReadWholeFile(deepest + "f16.txt"));
    EXPECT_FALSE(FileExists(deepest + "d\\f17.txt"));

    TempFolder flat("flat");
    flat.WriteFile("top.txt", "top");
    flat.WriteFile("Sub\\below.txt", "below");
    ui = RecordingUserInterface();
    ui.confirmedOptions = run.options;
    ui.rows = {Row(flat.Path(), "*.txt", false)};
    run.Run();
    EXPECT_EQ((std::vector<std::string>{"top.txt"}), NamesIn(MirrorOf(flat.Path())));
}

TEST_F(RunDriverTest, AnErrorInTheSecondOfThreeEntriesLetsTheThirdRunAndTheTimeIsRecorded)
{
    source.WriteFile("One\\1.txt", "1");
    source.WriteFile("Two\\2.txt", "2");
    source.WriteFile("Three\\3.txt", "3");
    std::string refused = MirrorOf(src + "Two\\") + "2.txt";
    ASSERT_TRUE(CreateFolderPath(MirrorOf(src + "Two\\").c_str()));
    destination.WriteFile(refused.substr(destination.Path().size()), "earlier");
    ASSERT_TRUE(SetFileAttributesA(refused.c_str(), FILE_ATTRIBUTE_READONLY));
    ui.rows = {Row(src + "One\\", "*.txt", false), Row(src + "Two\\", "*.txt", false), Row(src + "Three\\", "*.txt", false)};

    run.Run();

    std::vector<std::string> lines = RunLines(Log(), Header(), LogSummary(3, 2, "1 errors occured during the backup."));
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("! Can't copy - ")) << lines[0];
    EXPECT_EQ("3", ReadWholeFile(MirrorOf(src + "Three\\") + "3.txt"));
    EXPECT_EQ("earlier", ReadWholeFile(refused));
    ExpectCompleted();
    EXPECT_EQ((std::vector<std::string>{run.LogPath()}), ui.openedLogs);
    SetFileAttributesA(refused.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// One error line refuses each entry the run cannot walk as written (wildcards too long for their
// buffer, an entry too long, ".." mirroring it outside its drive's folder); the others still run.
TEST_F(RunDriverTest, EntriesThatCannotBeWalkedAsWrittenAreRefusedOneLineEach)
{
    source.WriteFile("One\\1.txt", "1");
    source.WriteFile("Two\\2.txt", "2");
    source.WriteFile("Three\\3.txt", "3");
    std::string tooLong = "*.txt," + std::string(80, 'x');
    // above the drive's root the source stays at the root, while its mirror climbs out of C-Backup
    std::string climb;
    for (char c : src)
        climb += c == '\\' ? "..\\" : "";
    std::string escaping = src + climb + src.substr(3) + "Two\\";
    FolderEntryRow cut = Row(src + "Three\\", "*.txt", false);
    cut.cut = true;
    ui.rows = {Row(src + "One\\", "*.txt", false), Row(src + "Two\\", tooLong, false), Row(escaping, "*.txt", false), cut,
               Row(src + "Three\\", "*.txt", false)};

    run.Run();

    EXPECT_EQ(Header() + "! Wildcard list too long - " + src + "Two\\\r\n! Relative path not backed up - " + escaping
        + "\r\n! Entry too long - " + src + "Three\\\r\n" + LogSummary(2, 2, "3 errors occured during the backup."), Log());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(MirrorOf(src + "Two\\").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((destination.Path() + src.substr(3)).c_str()));
    EXPECT_EQ("3", ReadWholeFile(MirrorOf(src + "Three\\") + "3.txt"));
    ExpectCompleted();
}

TEST_F(RunDriverTest, CancellingTheOptionsEndsTheRunAfterTheEarlierLogIsGone)
{
    run.Run();
    ASSERT_TRUE(FileExists(run.LogPath()));
    ui = RecordingUserInterface();
    ui.confirmedOptions = run.options;
    ui.confirm = false;
    source.WriteFile("a.txt", "a");
    ui.rows = {Row(src, "*.txt", false)};

    run.Run();

    EXPECT_FALSE(FileExists(run.LogPath()));
    EXPECT_EQ((Calls{"ConfirmOptions"}), ui.calls);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(MirrorOf(src).c_str()));
}

TEST_F(RunDriverTest, ALogThatCannotBeCreatedIsReportedAndNothingElseHappens)
{
    source.WriteFile("a.txt", "a");
    ui.rows = {Row(src, "*.txt", false)};
    // held open without sharing, the log cannot be created again
    HANDLE holder = CreateFileA(run.LogPath(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);

    run.Run();
    CloseHandle(holder);

    EXPECT_EQ((Calls{"ConfirmOptions", "Status 2 0", "ShowWarning"}), ui.calls);
    ASSERT_EQ(1u, ui.warnings.size());
    EXPECT_EQ("Can't create log file", ui.warnings[0].text);
    EXPECT_EQ(run.LogPath(), ui.warnings[0].caption);
    EXPECT_EQ("", ReadWholeFile(run.LogPath()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(MirrorOf(src).c_str()));
    EXPECT_STREQ(kEarlierDate, ui.confirmedOptions.lastBackupDate);
    EXPECT_FALSE(ui.backupDone);
}

TEST_F(RunDriverTest, CancelInTheProgressDialogStopsTheRunAfterTheFileInHand)
{
    source.WriteFile("a.txt", "a");
    source.WriteFile("b.txt", "b");
    source.WriteFile("c.txt", "c");
    ui.rows = {Row(src, "*.txt", false), Row(src, "*.txt", false)};
    // the click is dispatched while the first copy's count is shown
    ui.whenStatusSet = [&](int part, const std::string& text) {
        if (part == 2 && text == "1")
            run.RequestAbort();
    };

    run.Run();

    EXPECT_EQ(Header() + LogSummary(1, 1, "! User aborted backup."), Log());
    EXPECT_EQ(1u, NamesIn(MirrorOf(src)).size());
    EXPECT_EQ("User aborted backup.", ui.status[0]);
    ExpectStoppedEarly();
}

// However late the Cancel (as a walk where nothing matches begins, during the last file, queued when
// the walk ends), the run is not recorded as a backup and its log and status bar say so.
TEST_F(RunDriverTest, ACancelTakenAtAnyMomentRecordsNoBackup)
{
    source.WriteFile("a.txt", "a");
    for (int folder = 0; folder < 30; ++folder)
        source.WriteFile("A\\d" + std::to_string(folder) + "\\mail.txt", "no match");
    const struct { int part; std::string text; bool queued; int files; } cases[] = {{0, src + "A\\", true, 0}, {2, "1", false, 1}, {2, "1", true, 1}};
    for (const auto& c : cases) {
        ui = RecordingUserInterface();
        ui.confirmedOptions = run.options;
        CopyText(ui.confirmedOptions.lastBackupDate, kEarlierDate);
        ui.rows = {Row(src + "A\\", "*.pst", true), Row(src, "*.txt", false)};
        ui.whenStatusSet = [&](int part, const std::string& text) {
            if (part == c.part && text == c.text && c.queued)
                PostCancelClick();
            else if (part == c.part && text == c.text)
                run.RequestAbort();
        };

        run.Run();

        EXPECT_EQ(Header() + LogSummary(c.files, c.files, "! User aborted backup."), Log()) << c.part << c.queued;
        EXPECT_EQ("User aborted backup.", ui.status[0]);
        EXPECT_EQ(c.files == 0, NamesIn(MirrorOf(src + "A\\")).empty());
        ExpectStoppedEarly();
    }
}

// A name the code page cannot hold arrives with "?" in it. Such a folder cannot be made: one line,
// and the run goes on with its next entry. Such a file is copied under its short name.
TEST_F(RunDriverTest, NamesOutsideTheCodePageStopNothing)
{
    std::wstring oddFolder = std::wstring(src.begin(), src.end()) + L"\x041a\x043e\x0432\x0451\x0440";
    std::wstring oddFile = oddFolder + L" note.txt";
    ASSERT_TRUE(CreateDirectoryW(oddFolder.c_str(), nullptr));
    CloseHandle(CreateFileW(oddFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    WIN32_FIND_DATAA found = {};
    FindClose(FindFirstFileA((src + "* note.txt").c_str(), &found));
    TempFolder next("next");
    next.WriteFile("n.txt", "n");
    ui.rows = {Row(src, "*.*", true), Row(next.Path(), "*.txt", false)};
    EXECUTION_STATE whileCopying = 0;
    ui.whenStatusSet = [&](int part, const std::string& text) {
        if (part == 2 && text == "1")
            whileCopying = SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
    };

    run.Run();
    RemoveDirectoryW(oddFolder.c_str());
    DeleteFileW(oddFile.c_str());

    EXPECT_EQ(Header() + "! Can't create folder - error #123 " + MirrorOf(src) + "?????\\\r\n" + LogSummary(2, 2, "1 errors occured during the backup."),
              Log());
    EXPECT_EQ((std::vector<std::string>{found.cAlternateFileName}), NamesIn(MirrorOf(src)));
    EXPECT_EQ("n", ReadWholeFile(MirrorOf(next.Path()) + "n.txt"));
    ExpectCompleted();
    // the system is kept from sleeping during the run, and let go after it
    EXPECT_EQ(static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED), whileCopying);
    EXPECT_EQ(static_cast<EXECUTION_STATE>(ES_CONTINUOUS), SetThreadExecutionState(ES_CONTINUOUS));
}

TEST_F(RunDriverTest, ADestinationFolderThatCannotBeCreatedStopsTheRun)
{
    source.WriteFile("a.txt", "a");
    TempFolder other("other");
    other.WriteFile("b.txt", "b");
    CopyText(ui.confirmedOptions.destination, "Q:\\Backups\\");
    ui.nextDiskAnswers = {false};
    ui.rows = {Row(src, "*.txt", false), Row(other.Path(), "*.txt", false)};

    run.Run();

    EXPECT_EQ(Header() + "! Can't create folder.\r\n" + LogSummary(0, 0, "1 errors occured during the backup."), Log());
    EXPECT_EQ(1u, ui.diskFullTexts.size());
    // the second entry was never read
    EXPECT_EQ(1, std::count(ui.calls.begin(), ui.calls.end(), "NextFolderEntry first"));
    EXPECT_EQ(0, std::count(ui.calls.begin(), ui.calls.end(), "NextFolderEntry"));
    ExpectStoppedEarly();
}

TEST_F(RunDriverTest, AnUnknownPathIsShownAndStopsTheRun)
{
    source.WriteFile("a.txt", "a");
    ui.rows = {Row("Data\\", "*.txt", false), Row(src, "*.txt", false)};

    run.Run();

    ASSERT_EQ(1u, ui.warnings.size());
    EXPECT_EQ("Unknown path:\n\nData\\", ui.warnings[0].text);
    EXPECT_EQ("Trellisvault", ui.warnings[0].caption);
    EXPECT_EQ(Header() + "! Unknown path:  Data\\\r\n" + LogSummary(0, 0, "1 errors occured during the backup."), Log());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(MirrorOf(src).c_str()));
    ExpectStoppedEarly();
}

TEST_F(RunDriverTest, AQuitRequestStopsTheRunAndStaysQueuedForTheMainLoop)
{
    source.WriteFile("a.txt", "a");
    source.WriteFile("b.txt", "b");
    source.WriteFile("c.txt", "c");
    ui.rows = {Row(src, "*.txt", false)};
    ui.whenStatusSet = [&](int part, const std::string& text) {
        if (part == 2 && text == "1")
            PostQuitMessage(3);
    };

    run.Run();

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);
    EXPECT_EQ(3u, msg.wParam);
    EXPECT_EQ(Header() + "! User aborted backup.\r\n" + LogSummary(1, 1, "1 errors occured during the backup."), Log());
    EXPECT_EQ(1u, NamesIn(MirrorOf(src)).size());
    ExpectStoppedEarly();
}

namespace {

// U: is a 1 MiB file system where the machine lets the tests mount one.
class RunAtAFullDiskTest : public RunDriverTest {
protected:
    void SetUp() override
    {
        REQUIRE_SMALL_DISK();
        RemoveTree(root);
        CopyText(ui.confirmedOptions.destination, root.c_str());
    }
    void TearDown() override { RemoveTree(root); }

    std::string root = "U:\\tv-run-full\\";
};

} // namespace

TEST_F(RunAtAFullDiskTest, CancelAtTheDiskFullQuestionStopsTheRun)
{
    source.WriteFile("a.bin", std::string(600 * 1024, 'a'));
    source.WriteFile("b.bin", std::string(600 * 1024, 'b'));
    ui.nextDiskAnswers = {false};
    ui.rows = {Row(src, "*.bin", false)};

    run.Run();

    EXPECT_EQ(1u, ui.diskFullTexts.size());
    EXPECT_EQ(Header() + "! User aborted backup.\r\n" + LogSummary(2, 1, "1 errors occured during the backup."), Log());
    EXPECT_EQ(1u, NamesIn(MirrorOf(src)).size());
    ExpectStoppedEarly();
}
