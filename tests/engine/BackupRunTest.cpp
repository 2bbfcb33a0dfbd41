#include "EngineFixture.h"

#include "engine/CopyProgress.h"
#include "engine/FolderPaths.h"
#include "text/BoundedText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class CopyPolicyTest : public EngineTest {
protected:
    std::string src = source.Path();
    std::string mirror = MirrorOf(source.Path());

    // An earlier copy at the destination, with the given content.
    void PlaceCopy(const std::string& name, const std::string& content)
    {
        ASSERT_TRUE(CreateFolderPath(mirror.c_str()));
        HANDLE file = CreateFileA((mirror + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }
};

// Neither read-only, hidden nor system. Windows reports such a file as FILE_ATTRIBUTE_NORMAL,
// Wine as FILE_ATTRIBUTE_ARCHIVE.
bool IsPlainFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
}

// Files whose paths may exceed what the 8-bit functions accept, made and removed through the
// wide functions' "\\?\" form.
class FilesBeyondMaxPath {
public:
    FilesBeyondMaxPath() = default;
    FilesBeyondMaxPath(const FilesBeyondMaxPath&) = delete;
    FilesBeyondMaxPath& operator=(const FilesBeyondMaxPath&) = delete;
    ~FilesBeyondMaxPath()
    {
        for (const std::wstring& path : paths)
            DeleteFileW(path.c_str());
    }
    void Write(const std::string& path)
    {
        std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
        HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << path << ", error " << GetLastError();
        CloseHandle(file);
        paths.push_back(wide);
    }

private:
    std::vector<std::wstring> paths;
};

bool SameTime(const FILETIME& a, const FILETIME& b)
{
    return CompareFileTime(&a, &b) == 0;
}

} // namespace

TEST_F(CopyPolicyTest, MirrorsTheTreeWithPlainCopiesThatKeepTheSourceTimes)
{
    source.WriteFile("plain.txt", "plain");
    source.WriteFile("readonly.txt", "readonly");
    source.WriteFile("hidden.txt", "hidden");
    source.WriteFile("system.txt", "system");
    source.WriteFile("both.txt", "both");
    source.WriteFile("Sub\\inner.txt", "inner");
    source.WriteFile("HiddenFolder\\h.txt", "h");
    source.WriteFile(".git\\config", "dot");
    source.MakeFolder("Empty\\Deeper");
    ASSERT_TRUE(SetFileAttributesA((src + "readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesA((src + "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((src + "system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesA((src + "both.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesA((src + "HiddenFolder").c_str(), FILE_ATTRIBUTE_HIDDEN));
    SetWriteTime(src + "plain.txt", 2005, 6, 7, 8, 9, 10);
    run.options.copyHidden = true;
    run.options.copySystem = true;
    run.options.recordFileNames = true;

    EXPECT_EQ(0, RunWalk(src, "*", 16));

    EXPECT_EQ((std::vector<std::string>{"  Copied file: " + src + "HiddenFolder\\h.txt", "  Copied file: " + src + "Sub\\inner.txt",
                                        "  Copied file: " + src + "plain.txt", "  Copied file: " + src + "readonly.txt",
                                        "  Copied hidden file: " + src + "hidden.txt", "  Copied hidden system file: " + src + "both.txt",
                                        "  Copied system file: " + src + "system.txt"}),
              RunLines(Log(), LogHeader(), LogSummary(7, 7, "Backup completed without errors.")));
    EXPECT_EQ(7, run.filesChecked);
    EXPECT_EQ(7, run.filesCopied);
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7"}), ui.statusHistory[2]);

    EXPECT_EQ((std::vector<std::string>{"Empty", "HiddenFolder", "Sub", "both.txt", "hidden.txt", "plain.txt", "readonly.txt", "system.txt"}),
              NamesIn(mirror));
    EXPECT_EQ((std::vector<std::string>{"Deeper"}), NamesIn(mirror + "Empty\\"));
    for (const char* name : {"plain.txt", "readonly.txt", "hidden.txt", "system.txt", "both.txt", "Sub\\inner.txt", "HiddenFolder\\h.txt"}) {
        EXPECT_TRUE(IsPlainFile(mirror + name)) << name;
        EXPECT_TRUE(SameTime(WriteTimeOf(src + name), WriteTimeOf(mirror + name))) << name;
        EXPECT_EQ(ReadWholeFile(src + name), ReadWholeFile(mirror + name)) << name;
    }
}

TEST_F(CopyPolicyTest, HiddenAndSystemFilesArePassedOverSilentlyUnlessAsked)
{
    source.WriteFile("plain.txt", "plain");
    source.WriteFile("hidden.txt", "hidden");
    source.WriteFile("system.txt", "system");
    ASSERT_TRUE(SetFileAttributesA((src + "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((src + "system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM));
    run.options.recordFileNames = true;

    EXPECT_EQ(0, RunWalk(src, "*.txt", 0));
    EXPECT_EQ(LogHeader() + "  Copied file: " + src + "plain.txt\r\n" + LogSummary(1, 1, "Backup completed without errors."), Log());
    EXPECT_EQ((std::vector<std::string>{"plain.txt"}), NamesIn(mirror));

    run.options.copyHidden = true;
    EXPECT_EQ(0, RunWalk(src, "*.txt", 0));
    EXPECT_EQ((std::vector<std::string>{"  Copied file: " + src + "plain.txt", "  Copied hidden file: " + src + "hidden.txt"}),
              RunLines(Log(), LogHeader(), LogSummary(2, 2, "Backup completed without errors.")));
    EXPECT_EQ((std::vector<std::string>{"hidden.txt", "plain.txt"}), NamesIn(mirror));
}

TEST_F(CopyPolicyTest, CopyUpdatedComparesTheTimesToTheMinute)
{
    source.WriteFile("same-minute.txt", "new");
    source.WriteFile("a-minute-later.txt", "new");
    source.WriteFile("month-end.txt", "new");
    source.WriteFile("no-copy-yet.txt", "new");
    source.WriteFile("copy-newer.txt", "new");
    source.WriteFile("cut-short.txt", "whole");
    SetWriteTime(src + "same-minute.txt", 2026, 3, 1, 10, 30, 59);
    SetWriteTime(src + "a-minute-later.txt", 2026, 3, 1, 10, 31, 0);
    SetWriteTime(src + "month-end.txt", 2026, 1, 31, 23, 59, 30);
    SetWriteTime(src + "copy-newer.txt", 2026, 12, 31, 23, 59, 0);
    for (const char* name : {"same-minute.txt", "a-minute-later.txt", "month-end.txt", "copy-newer.txt"})
        PlaceCopy(name, "old");
    // a copy of another size is never current, however new its time
    PlaceCopy("cut-short.txt", "cut");
    SetWriteTime(mirror + "cut-short.txt", 2027, 1, 1, 0, 0, 0);
    SetWriteTime(mirror + "same-minute.txt", 2026, 3, 1, 10, 30, 0);
    SetWriteTime(mirror + "a-minute-later.txt", 2026, 3, 1, 10, 30, 59);
    SetWriteTime(mirror + "month-end.txt", 2026, 2, 1, 0, 0, 0);
    SetWriteTime(mirror + "copy-newer.txt", 2027, 1, 1, 0, 0, 0);
    run.options.copyUpdated = true;
    run.options.recordFileNames = true;

    EXPECT_EQ(0, RunWalk(src, "*.txt", 0));
    EXPECT_EQ((std::vector<std::string>{"  Copied file: " + src + "a-minute-later.txt", "  Copied file: " + src + "cut-short.txt",
                                        "  Copied file: " + src + "no-copy-yet.txt"}),
              RunLines(Log(), LogHeader(), LogSummary(6, 3, "Backup completed without errors.")));
    EXPECT_EQ("old", ReadWholeFile(mirror + "same-minute.txt"));
    EXPECT_EQ("old", ReadWholeFile(mirror + "month-end.txt"));
    EXPECT_EQ("old", ReadWholeFile(mirror + "copy-newer.txt"));
    EXPECT_EQ("new", ReadWholeFile(mirror + "a-minute-later.txt"));
    EXPECT_EQ("new", ReadWholeFile(mirror + "no-copy-yet.txt"));

    // a second pass finds every copy up to date
    EXPECT_EQ(0, RunWalk(src, "*.txt", 0));
    EXPECT_EQ(LogHeader() + LogSummary(6, 0, "Backup completed without errors."), Log());

    // without the option every file is copied again
    run.options.copyUpdated = false;
    EXPECT_EQ(0, RunWalk(src, "*.txt", 0));
    EXPECT_EQ(6, run.filesCopied);
    EXPECT_EQ("new", ReadWholeFile(mirror + "copy-newer.txt"));
}

TEST_F(CopyPolicyTest, AReadOnlyCopyIsRefusedAndKeptAsItWas)
{
    source.WriteFile("a.txt", "new");
    PlaceCopy("a.txt", "old");
    ASSERT_TRUE(SetFileAttributesA((mirror + "a.txt").c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_EQ(0, RunWalk(src, "*.txt", 0));
    EXPECT_EQ(LogHeader() + "! Can't copy - access denied: " + src + "a.txt\r\n" + LogSummary(1, 0, "1 errors occured during the backup."), Log());
    EXPECT_EQ("old", ReadWholeFile(mirror + "a.txt"));
    EXPECT_TRUE(GetFileAttributesA((mirror + "a.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ((std::vector<std::string>{"a.txt"}), NamesIn(mirror));
    EXPECT_EQ("1 errors occured during the backup.", ui.status[0]);
}

// A folder where the copy belongs is no copy of the file, however recent its time: the file is
// reported as not copied instead of passing as up to date.
TEST_F(CopyPolicyTest, AFolderInThePlaceOfTheCopyIsRefusedEvenWhenNewer)
{
    source.WriteFile("a.txt", "new");
    SetWriteTime(src + "a.txt", 2020, 1, 1, 0, 0, 0);
    ASSERT_TRUE(CreateFolderPath((mirror + "a.txt\\").c_str()));
    run.options.copyUpdated = true;

    EXPECT_EQ(0, RunWalk(src, "*.txt", 0));
    EXPECT_EQ(LogHeader() + "! Can't copy - access denied: " + src + "a.txt\r\n" + LogSummary(1, 0, "1 errors occured during the backup."), Log());
    EXPECT_TRUE(GetFileAttributesA((mirror + "a.txt").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ((std::vector<std::string>{"a.txt"}), NamesIn(mirror));
}

TEST_F(CopyPolicyTest, ACopyHeldOpenElsewhereIsRefusedWithASharingViolation)
{
    source.WriteFile("a.txt", "new");
    PlaceCopy("a.txt", "old");
    HANDLE held = CreateFileA((mirror + "a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    EXPECT_EQ(0, RunWalk(src, "*.txt", 0));
    CloseHandle(held);
    EXPECT_EQ(LogHeader() + "! Can't copy - sharing violation: " + src + "a.txt\r\n" + LogSummary(1, 0, "1 errors occured during the backup."),
              Log());
    EXPECT_EQ("old", ReadWholeFile(mirror + "a.txt"));
    EXPECT_EQ((std::vector<std::string>{"a.txt"}), NamesIn(mirror));
}

// A copy that fails before it wrote anything must not take the earlier good copy with it.
TEST_F(CopyPolicyTest, ALockedSourceKeepsThePreviousCopyUntouched)
{
    source.WriteFile("a.txt", "new");
    PlaceCopy("a.txt", "good");
    SetWriteTime(mirror + "a.txt", 2020, 1, 2, 3, 4, 5);
    FILETIME before = WriteTimeOf(mirror + "a.txt");
    HANDLE held = CreateFileA((src + "a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    EXPECT_EQ(0, RunWalk(src, "*.txt", 0));
    CloseHandle(held);
    EXPECT_EQ(LogHeader() + "! Can't copy - sharing violation: " + src + "a.txt\r\n" + LogSummary(1, 0, "1 errors occured during the backup."),
              Log());
    EXPECT_EQ("good", ReadWholeFile(mirror + "a.txt"));
    EXPECT_TRUE(SameTime(before, WriteTimeOf(mirror + "a.txt")));
    EXPECT_EQ((std::vector<std::string>{"a.txt"}), NamesIn(mirror));
}

// A backed-up file may carry a name of the form the replacing copy uses for its temporary file;
// a copy whose source cannot be opened must leave such a file alone. The names the copy would
// pick are taken from a second ahead of the clock until the clock catches up with them, however
// long each one takes, so the copy meets one of them at its first try.
TEST_F(CopyPolicyTest, ALockedSourceLeavesFilesNamedLikeTheTemporaryCopyAlone)
{
    source.WriteFile("a.txt", "new");
    PlaceCopy("a.txt", "good");
    const DWORD firstTick = GetTickCount() + 1000;
    DWORD nextTick = firstTick;
    while (static_cast<LONG>(GetTickCount() - firstTick) < 0) {
        char name[32];
        ASSERT_TRUE(FormatText(name, sizeof name, "~tv%04lx.tmp", static_cast<unsigned long>((nextTick++ ^ GetCurrentProcessId()) & 0xFFFF)));
        HANDLE file = CreateFileA((mirror + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << name;
        CloseHandle(file);
    }
    HANDLE held = CreateFileA((src + "a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    DWORD runStart = GetTickCount();
    EXPECT_EQ(0, RunWalk(src, "*.txt", 0));
    DWORD runEnd = GetTickCount();
    CloseHandle(held);
    DWORD namesTaken = nextTick - firstTick;
    ASSERT_TRUE(runStart - firstTick < namesTaken && runEnd - firstTick < namesTaken)
        << "the copy ran outside the " << namesTaken << " names taken: " << runStart - firstTick << " to " << runEnd - firstTick << " ms";
    EXPECT_EQ(LogHeader() + "! Can't copy - sharing violation: " + src + "a.txt\r\n" + LogSummary(1, 0, "1 errors occured during the backup."),
              Log());
    EXPECT_EQ("good", ReadWholeFile(mirror + "a.txt"));
    EXPECT_EQ(namesTaken + 1, NamesIn(mirror).size());
}

// The destination folder goes away after the first copy, so the second file finds no path.
TEST_F(CopyPolicyTest, AVanishedDestinationFolderGivesPathNotFoundAndTheWalkGoesOn)
{
    source.WriteFile("a.txt", "a");
    source.WriteFile("b.txt", "b");
    run.options.recordFileNames = true;
    ui.whenStatusSet = [&](int part, const std::string&) {
        if (part == 2)
            RemoveTree(mirror);
    };

    EXPECT_EQ(0, RunWalk(src, "*.txt", 0));
    std::string log = Log();
    std::string first = log.find("Copied file: " + src + "a.txt") != std::string::npos ? "a.txt" : "b.txt";
    std::string second = first == "a.txt" ? "b.txt" : "a.txt";
    EXPECT_EQ(LogHeader() + "  Copied file: " + src + first + "\r\n! Can't copy - path not found: " + src + second + "\r\n" +
                  LogSummary(2, 1, "1 errors occured during the backup."),
              log);
}

TEST_F(CopyPolicyTest, AFileGoneBeforeItsAttributesAreReadIsAnErrorAndTheWalkGoesOn)
{
    source.WriteFile("a.txt", "a");
    source.WriteFile("Sub\\b.txt", "b");
    // lost just before it is handled, as when another program deletes it mid-run
    run.beforeFile = [](const std::string& path) { DeleteFileA(path.c_str()); };
    EXPECT_EQ(0, RunWalk(src, "*.txt", 16));
    EXPECT_EQ((std::vector<std::string>{"! Unable to get source attributes - " + src + "Sub\\b.txt", "! Unable to get source attributes - " + src + "a.txt"}),
              RunLines(Log(), LogHeader(), LogSummary(0, 0, "2 errors occured during the backup.")));
    EXPECT_EQ(0, run.filesChecked);
    EXPECT_EQ((std::vector<std::string>{"Sub"}), NamesIn(mirror));
}

TEST_F(CopyPolicyTest, AnUnknownPathIsShownAndLoggedAndEndsTheRun)
{
    for (const char* unknown : {"\\Data\\", "Data\\"}) {
        ui.warnings.clear();
        EXPECT_EQ(1, RunWalk(unknown, "*.*", 16));
        ASSERT_EQ(1u, ui.warnings.size());
        EXPECT_EQ(std::string("Unknown path:\n\n") + unknown, ui.warnings[0].text);
        EXPECT_EQ("Trellisvault", ui.warnings[0].caption);
        EXPECT_EQ(LogHeader() + "! Unknown path:  " + unknown + "\r\n" + LogSummary(0, 0, "1 errors occured during the backup."), Log());
    }
}

TEST_F(CopyPolicyTest, AFolderThatCannotBeCreatedAsksForAnotherDiskUntilCancelled)
{
    source.WriteFile("a.txt", "a");
    CopyText(run.options.destination, "Q:\\Backups\\");
    ui.nextDiskAnswers = {true, false};

    EXPECT_EQ(1, RunWalk(src, "*.txt", 0));
    std::string expected = "Q:\\Backups\\" + src.substr(0, 1) + "-Backup" + src.substr(2) + "\nCan't create folder.";
    EXPECT_EQ((std::vector<std::string>{expected, expected}), ui.diskFullTexts);
    EXPECT_EQ(LogHeader() + "! Can't create folder.\r\n" + LogSummary(0, 0, "1 errors occured during the backup."), Log());
}

// The disk is neither full nor gone, so the question would not help: one line names the folder,
// and neither its files nor its subfolders are tried.
TEST_F(CopyPolicyTest, AFolderThatCannotBeMadeOnADiskThatIsThereIsOneLineAndTheWalkGoesOn)
{
    source.WriteFile("a.txt", "a");
    source.WriteFile("Sub\\Deeper\\b.txt", "b");
    destination.WriteFile("Blocker", "file in the way");
    CopyText(run.options.destination, (destination.Path() + "Blocker\\").c_str());

    EXPECT_EQ(0, RunWalk(src, "*.txt", 16));
    EXPECT_EQ(LogHeader() + "! Can't create folder - error #183 " + MirrorOf(src) + "\r\n" + LogSummary(0, 0, "1 errors occured during the backup."),
              Log());
}

TEST_F(CopyPolicyTest, CopiesToASecondDriveAndFromIt)
{
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("T:\\")) << "the test drive T: is missing";
    std::string onT = "T:\\tv-engine-" + std::to_string(GetCurrentProcessId()) + "\\";
    RemoveTree(onT);
    source.WriteFile("a.txt", "from C");
    CopyText(run.options.destination, onT.c_str());
    EXPECT_EQ(0, RunWalk(src, "*.txt", 0));
    std::string onTCopy = onT + src.substr(0, 1) + "-Backup" + src.substr(2) + "a.txt";
    EXPECT_EQ("from C", ReadWholeFile(onTCopy));

    // and back, with T: as the source drive
    CopyText(run.options.destination, destination.Path().c_str());
    std::string tFolder = onT + src.substr(0, 1) + "-Backup" + src.substr(2);
    EXPECT_EQ(0, RunWalk(tFolder, "*.txt", 0));
    EXPECT_EQ("from C", ReadWholeFile(destination.Path() + "T-Backup" + tFolder.substr(2) + "a.txt"));
    EXPECT_EQ(LogHeader() + LogSummary(1, 1, "Backup completed without errors."), Log());
    RemoveTree(onT);
}

TEST_F(CopyPolicyTest, CopiesFromAndToANetworkShare)
{
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("\\\\tvserver\\share\\")) << "the test share is missing";
    std::string shareFolder = "\\\\tvserver\\share\\tv-engine-" + std::to_string(GetCurrentProcessId()) + "\\";
    RemoveTree(shareFolder);
    ASSERT_TRUE(CreateFolderPath((shareFolder + "Sub\\").c_str()));
    HANDLE file = CreateFileA((shareFolder + "Sub\\n.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, "net", 3, &written, nullptr);
    CloseHandle(file);

    EXPECT_EQ(0, RunWalk(shareFolder, "*.txt", 16));
    EXPECT_EQ("net", ReadWholeFile(destination.Path() + shareFolder.substr(2) + "Sub\\n.txt"));
    EXPECT_EQ(LogHeader() + LogSummary(1, 1, "Backup completed without errors."), Log());

    // a share as the destination root
    std::string shareDestination = shareFolder + "Dest\\";
    source.WriteFile("a.txt", "to the share");
    CopyText(run.options.destination, shareDestination.c_str());
    EXPECT_EQ(0, RunWalk(src, "*.txt", 0));
    EXPECT_EQ("to the share", ReadWholeFile(shareDestination + src.substr(0, 1) + "-Backup" + src.substr(2) + "a.txt"));
    RemoveTree(shareFolder);
}

TEST_F(CopyPolicyTest, AWaitingQuitEndsTheRunAndStaysQueued)
{
    source.WriteFile("a.txt", "a");
    PostQuitMessage(7);
    EXPECT_EQ(1, RunWalk(src, "*.txt", 0));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);
    EXPECT_EQ(LogHeader() + "! User aborted backup.\r\n" + LogSummary(0, 0, "1 errors occured during the backup."), Log());
    // the folder was mirrored before the first file
    EXPECT_TRUE(NamesIn(mirror).empty());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(mirror.c_str()));
}

// A Cancel click waits in the queue until the next drain, early in the next file, which is still
// handled in full.
TEST_F(CopyPolicyTest, ACancelClickEndsTheRunAfterTheFileInHand)
{
    source.WriteFile("a.txt", "a");
    source.WriteFile("b.txt", "b");
    source.WriteFile("c.txt", "c");
    run.options.recordFileNames = true;
    ui.whenStatusSet = [&](int part, const std::string& text) {
        if (part == 2 && text == "1")
            PostCancelClick();
    };

    EXPECT_EQ(1, RunWalk(src, "*.txt", 0));
    std::vector<std::string> lines = RunLines(Log(), LogHeader(), LogSummary(2, 2, "! User aborted backup."));
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(0u, lines[1].find("  Copied file: " + src));
    EXPECT_EQ(2u, NamesIn(mirror).size());
    EXPECT_EQ("User aborted backup.", ui.status[0]);
    EXPECT_EQ(1, run.errorCount);
}

// Wine's CopyFileExA never calls the progress routine, so its answers are checked here, on the tick
// counts they are given.
TEST_F(CopyPolicyTest, ALongCopyDrainsTheQueueEveryFiftyMillisecondsAndStopsOnceCancelled)
{
    CopyProgress progress(run.abortRequested, 0xFFFFFFF0);
    PostCancelClick();
    EXPECT_EQ(static_cast<DWORD>(PROGRESS_CONTINUE), progress.Answer(0x21)) << "no drain within 50 ms of the last";
    EXPECT_EQ(static_cast<DWORD>(PROGRESS_CANCEL), progress.Answer(0x22)) << "50 ms on, across the tick count's wrap";
}

TEST_F(CopyPolicyTest, CountsCoverTheWholeRunOverEveryWalk)
{
    source.WriteFile("a.txt", "a");
    source.WriteFile("b.doc", "b");
    source.WriteFile("Sub\\c.doc", "c");
    run.options.copyUpdated = true;
    ASSERT_TRUE(run.CreateLog());
    EXPECT_EQ(0, run.Walk(src.c_str(), "*.txt", 16, 0));
    EXPECT_EQ(0, run.Walk(src.c_str(), "*.doc", 16, 0));
    EXPECT_EQ(0, run.Walk(src.c_str(), "*.doc", 0, 0));
    run.WriteSummary();
    EXPECT_EQ(LogHeader() + LogSummary(4, 3, "Backup completed without errors."), Log());
}

// Paths the 8-bit file functions cannot take are refused one by one; the walk goes on.
TEST_F(CopyPolicyTest, PathsTooLongAreRefusedWithAnErrorLineAndTheWalkGoesOn)
{
    std::string longFolder = std::string(149 - src.size(), 'f') + "\\";
    std::string folder = src + longFolder;
    ASSERT_EQ(150u, folder.size());
    auto nameFor = [&](std::size_t total) { return std::string(total - folder.size() - 4, 'n') + ".txt"; };
    std::vector<std::string> refused;
    source.MakeFolder(longFolder);
    FilesBeyondMaxPath longFiles;
    for (std::size_t total : {259u, 260u, 300u}) {
        longFiles.Write(folder + nameFor(total));
        ASSERT_EQ(total, (folder + nameFor(total)).size());
        refused.push_back("! Path too long - " + folder + nameFor(total));
    }
    source.WriteFile(longFolder + "ok.txt", "ok");
    source.WriteFile("zz.txt", "zz");
    // the destination of this folder would be too long to create and fill
    std::string deepFolder = src + std::string(240 - src.size(), 'd') + "\\";
    ASSERT_TRUE(CreateDirectoryA(deepFolder.c_str(), nullptr));
    HANDLE file = CreateFileA((deepFolder + "x.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    refused.push_back("! Path too long - " + deepFolder);
    std::sort(refused.begin(), refused.end());

    EXPECT_EQ(0, RunWalk(src, "*.txt", 16));
    EXPECT_EQ(refused, RunLines(Log(), LogHeader(), LogSummary(2, 2, "4 errors occured during the backup.")));
    EXPECT_EQ("ok", ReadWholeFile(MirrorOf(folder) + "ok.txt"));
    EXPECT_EQ("zz", ReadWholeFile(mirror + "zz.txt"));

    // a root that does not fit the walker's folder buffer
    std::string longRoot = src + std::string(340 - src.size() - 1, 'r') + "\\";
    EXPECT_EQ(0, RunWalk(longRoot, "*.txt", 16));
    EXPECT_EQ(LogHeader() + "! Path too long - " + longRoot + "\r\n" + LogSummary(0, 0, "1 errors occured during the backup."), Log());
}

TEST_F(CopyPolicyTest, FormatFreeSpaceReportsTheBytesAvailable)
{
    for (const std::string& path : {src, src + "some-file.txt", std::string("T:\\")}) {
        ULARGE_INTEGER available, total, totalFree;
        std::string folder = path.substr(0, path.rfind('\\') + 1);
        ASSERT_TRUE(GetDiskFreeSpaceExA(folder.c_str(), &available, &total, &totalFree));
        char text[32];
        BackupRun::FormatFreeSpace(path.c_str(), text, sizeof text);
        // free space moves a little while other programs run; the digits must name the same size
        unsigned long long reported = std::stoull(text);
        unsigned long long expected = available.QuadPart;
        EXPECT_LT(reported > expected ? reported - expected : expected - reported, 64ull * 1024 * 1024) << path << ": " << text;
        EXPECT_EQ(std::to_string(reported), text);
    }
    char text[32];
    BackupRun::FormatFreeSpace("Q:\\nothing\\", text, sizeof text);
    EXPECT_STREQ("0", text);
}
