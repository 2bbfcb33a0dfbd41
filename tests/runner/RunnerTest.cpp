#include "engine/FolderPaths.h"
#include "runner/ConsoleText.h"
#include "support/BuildPath.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// The runner's path as Windows sees it; a build on Linux names it by its path on drive Z:.
std::string RunnerPath()
{
    return WindowsPath(TV_RUNNER_PATH);
}

std::string LogPath()
{
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temp, temp);
    EXPECT_TRUE(length > 0 && length < sizeof temp);
    return std::string(temp) + "BackupLog.txt";
}

struct RunnerResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
    std::string errors;
};

// The console runner as a user starts it: its own process, its output and errors in files.
class RunnerTest : public ::testing::Test {
protected:
    ~RunnerTest() override { DeleteFileA(LogPath().c_str()); }

    // whileRunning acts on the started runner; without CREATE_NO_WINDOW it shares the test's console.
    RunnerResult Run(const std::string& arguments, std::function<void(HANDLE)> whileRunning = nullptr, DWORD flags = CREATE_NO_WINDOW)
    {
        RunnerResult result;
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        // fresh names each time: Wine's console helper may still hold the last run's files
        ++runs;
        std::string outPath = work / ("out" + std::to_string(runs) + ".txt");
        std::string errPath = work / ("err" + std::to_string(runs) + ".txt");
        HANDLE out = CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        HANDLE err = CreateFileA(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, out);
        EXPECT_NE(INVALID_HANDLE_VALUE, err);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = out;
        startup.hStdError = err;
        std::string commandLine = "\"" + RunnerPath() + "\" " + arguments;
        PROCESS_INFORMATION process = {};
        BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup, &process);
        CloseHandle(out);
        CloseHandle(err);
        if (!started) {
            ADD_FAILURE() << "cannot start " << commandLine << ": error " << GetLastError();
            return result;
        }
        if (whileRunning)
            whileRunning(process.hProcess);
        // a runner that hangs is ended and fails the test
        if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "the runner did not end within a minute";
            TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, 5000);
        }
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        result.output = ReadWholeFile(outPath);
        result.errors = ReadWholeFile(errPath);
        return result;
    }

    void WriteList(const std::string& folders, const char* copyUpdated = "TRUE", const std::string& dest = "")
    {
        work.WriteFile("list.ini", "[Program]\r\nTrellisvault\r\n[Date]\r\n03/14/06  09:05 PM\r\n[Description]\r\n\r\n"
                                   "[CopyUpdated]\r\n" + std::string(copyUpdated) + "\r\n[CopyHidden]\r\nFALSE\r\n[CopySystem]\r\nFALSE\r\n"
                                   "[Dest]\r\n" + (dest.empty() ? destination.Path() : dest) + "\r\n[Folders]\r\n" + folders);
    }

    std::string DateInList() const
    {
        std::string text = ReadWholeFile(work / "list.ini");
        std::string::size_type at = text.find("[Date]\r\n");
        return at == std::string::npos ? "" : text.substr(at + 8, text.find("\r\n", at + 8) - at - 8);
    }

    std::string Mirror(const std::string& relative) const
    {
        return destination.Path() + source.Path().substr(0, 1) + "-Backup" + source.Path().substr(2) + relative;
    }

    TempFolder source{"src"};
    TempFolder destination{"dst"};
    TempFolder work{"runner"};
    int runs = 0;
};

} // namespace

TEST_F(RunnerTest, ACompletedRunExitsWithZeroKeepsItsLogAndSavesTheDate)
{
    source.WriteFile("a.txt", "a");
    source.WriteFile("Sub\\b.txt", "b");
    WriteList(source.Path() + "*.txt   /subfolders\r\n");

    RunnerResult result = Run("\"" + (work / "list.ini") + "\"");

    EXPECT_EQ(0u, result.exitCode) << result.output << result.errors;
    EXPECT_EQ("b", ReadWholeFile(Mirror("Sub\\b.txt")));
    std::string log = ReadWholeFile(LogPath());
    EXPECT_EQ("*** Trellisvault log file ***\r\nLast backed up on 03/14/06  09:05 PM\r\n\r\n"
              "\r\n2 files checked.\r\n2 files copied.\r\nBackup completed without errors.\r\n",
              log);
    EXPECT_NE(std::string::npos, result.output.find("Log: " + LogPath())) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("2 files checked.")) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("2 files copied.")) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("Backup completed without errors.")) << result.output;
    std::string date = DateInList();
    EXPECT_NE("03/14/06  09:05 PM", date);
    EXPECT_EQ(18u, date.size());

    // the up-to-date pass, with names recorded
    result = Run("/r \"" + (work / "list.ini") + "\"");
    EXPECT_EQ(0u, result.exitCode) << result.output << result.errors;
    EXPECT_EQ("*** Trellisvault log file ***\r\nLast backed up on " + date + "\r\n\r\n"
              "Checking folder: " + source.Path() + "*.txt\r\n"
              "\r\n2 files checked.\r\n0 files copied.\r\nBackup completed without errors.\r\n",
              ReadWholeFile(LogPath()));
}

TEST_F(RunnerTest, ARunWithErrorsExitsWithOne)
{
    source.WriteFile("a.txt", "a");
    source.WriteFile("b.txt", "b");
    std::string refused = Mirror("a.txt");
    destination.WriteFile(refused.substr(destination.Path().size()), "earlier");
    ASSERT_TRUE(SetFileAttributesA(refused.c_str(), FILE_ATTRIBUTE_READONLY));
    // every file is copied, so the read-only copy is met
    WriteList(source.Path() + "*.txt\r\n", "FALSE");

    RunnerResult result = Run("\"" + (work / "list.ini") + "\"");

    EXPECT_EQ(1u, result.exitCode) << result.output << result.errors;
    EXPECT_NE(std::string::npos, result.output.find("1 errors occured during the backup.")) << result.output;
    EXPECT_NE(std::string::npos, ReadWholeFile(LogPath()).find("! Can't copy - "));
    EXPECT_EQ("b", ReadWholeFile(Mirror("b.txt")));
    EXPECT_NE("03/14/06  09:05 PM", DateInList());
    SetFileAttributesA(refused.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(RunnerTest, ARunThatStopsEarlyExitsWithTwoAndKeepsTheDate)
{
    source.WriteFile("a.txt", "a");
    WriteList("Data\\*.*\r\n" + source.Path() + "*.txt\r\n");

    RunnerResult result = Run("\"" + (work / "list.ini") + "\"");

    EXPECT_EQ(2u, result.exitCode) << result.output << result.errors;
    EXPECT_NE(std::string::npos, result.errors.find("Unknown path:")) << result.errors;
    EXPECT_NE(std::string::npos, ReadWholeFile(LogPath()).find("! Unknown path:  Data\\\r\n"));
    EXPECT_NE(std::string::npos, result.output.find("1 errors occured during the backup.")) << result.output;
    EXPECT_EQ("03/14/06  09:05 PM", DateInList());
    // the list's sorted order puts the drive path first
    EXPECT_EQ("a", ReadWholeFile(Mirror("a.txt")));
}

TEST_F(RunnerTest, ANewDateThatCannotBeSavedExitsWithTwoAndSaysSo)
{
    source.WriteFile("a.txt", "a");
    WriteList(source.Path() + "*.txt\r\n");
    std::string list = work / "list.ini";
    ASSERT_TRUE(SetFileAttributesA(list.c_str(), FILE_ATTRIBUTE_READONLY));

    RunnerResult result = Run("\"" + list + "\"");

    SetFileAttributesA(list.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(2u, result.exitCode) << result.output << result.errors;
    EXPECT_NE(std::string::npos, result.errors.find("Can't save folder list: " + list)) << result.errors;
    EXPECT_EQ("a", ReadWholeFile(Mirror("a.txt")));
    EXPECT_EQ("03/14/06  09:05 PM", DateInList());
}

// A list that cannot be read or used, and a wrong or asked-for usage: each its exit code and words.
TEST_F(RunnerTest, RefusalsAndTheUsageGiveTheirExitCodesAndWords)
{
    work.WriteFile("notes.ini", "just some notes\r\n");
    work.WriteFile("nodest.ini", "[Program]\r\nTrellisvault\r\n[Date]\r\n\r\n[Dest]\r\n\r\n[Folders]\r\n" + source.Path() + "*.*\r\n");
    struct Case {
        std::string arguments;
        DWORD exitCode;
        bool onErrors;
        std::string says;
    };
    const Case cases[] = {
        // redirected, the name keeps its ANSI bytes (ü is FC in code page 1252)
        {"\"" + (work / "J\xFCrgen.ini") + "\"", 2, true, "Can't read folder list: " + (work / "J\xFCrgen.ini")},
        {"\"" + (work / "notes.ini") + "\"", 2, true, "Not a Trellisvault data file"},
        {"\"" + (work / "nodest.ini") + "\"", 2, true, "You must choose a destination"},
        {"", 2, true, "Usage: tvbackup"},
        {"/x \"" + (work / "nodest.ini") + "\"", 2, true, "Usage: tvbackup [/r] [/n | /v] FOLDERLIST.ini"},
        {"/?", 0, false, "  2  stopped early or could not start"},
    };
    for (const Case& c : cases) {
        RunnerResult result = Run(c.arguments);
        const std::string& text = c.onErrors ? result.errors : result.output;
        EXPECT_EQ(c.exitCode, result.exitCode) << c.arguments;
        EXPECT_NE(std::string::npos, text.find(c.says)) << c.arguments << ": " << text;
    }
    EXPECT_EQ("just some notes\r\n", ReadWholeFile(work / "notes.ini"));
}

TEST_F(RunnerTest, AFullDiskIsAnsweredWithCancelAndExitsWithTwo)
{
    REQUIRE_SMALL_DISK();
    std::string full = "U:\\tv-runner-full\\";
    RemoveTree(full);
    source.WriteFile("a.bin", std::string(600 * 1024, 'a'));
    source.WriteFile("b.bin", std::string(600 * 1024, 'b'));
    WriteList(source.Path() + "*.bin\r\n", "TRUE", full);

    RunnerResult result = Run("\"" + (work / "list.ini") + "\"");

    EXPECT_EQ(2u, result.exitCode) << result.output << result.errors;
    EXPECT_NE(std::string::npos, result.errors.find("Insert another disk so the backup can continue.")) << result.errors;
    std::string log = ReadWholeFile(LogPath());
    EXPECT_NE(std::string::npos, log.find("! User aborted backup.\r\n\r\n2 files checked.\r\n1 files copied.\r\n")) << log;
    EXPECT_EQ("03/14/06  09:05 PM", DateInList());
    RemoveTree(full);
}

namespace {

// A source file of tens of megabytes, and its mirror folder made beforehand so that it can be watched.
class LongCopyTest : public RunnerTest {
protected:
    LongCopyTest()
    {
        source.WriteFile("big.bin", content);
        WriteList(source.Path() + "*.bin\r\n");
        EXPECT_TRUE(CreateFolderPath(Mirror("").c_str()));
    }

    // The copy is under way once its file appears in the mirror folder. The step acts at once, so it
    // has the whole copy's time; waiting to see a part copy could miss a quick one for good.
    void WaitForTheCopyUnderWay()
    {
        HANDLE change = FindFirstChangeNotificationA(Mirror("").c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(change, 60000)) << "the copy never began";
        FindCloseChangeNotification(change);
    }

    std::string list = "\"" + (work / "list.ini") + "\"";
    std::string content = std::string(48 << 20, 'b');
};

} // namespace

// A run ended in the middle of a copy leaves nothing that looks like a current copy, so the next
// run with "Copy updated files only." makes the copy whole.
TEST_F(LongCopyTest, ACopyCutShortByAKilledRunIsMadeWholeByTheNextRun)
{
    RunnerResult killed = Run(list, [&](HANDLE runner) {
        WaitForTheCopyUnderWay();
        TerminateProcess(runner, 99);
    });
    EXPECT_EQ(99u, killed.exitCode) << "ended during its copy";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(Mirror("big.bin").c_str())) << "no part copy under the file's name";
    EXPECT_EQ(0u, Run(list).exitCode);
    EXPECT_TRUE(ReadWholeFile(Mirror("big.bin")) == content) << "the copy is whole and identical";
}

// Ctrl+C is Cancel: the log gets the abort line and the summary, the date is not stamped, and the
// exit code is 2. The runner shares a console with the test, which ignores the event once the
// runner has started (the runner would inherit the setting).
TEST_F(LongCopyTest, CtrlCCancelsTheRun)
{
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    RunnerResult result = Run(list, [&](HANDLE) {
        WaitForTheCopyUnderWay();
        SetConsoleCtrlHandler(nullptr, TRUE);
        EXPECT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
    }, 0);
    SetConsoleCtrlHandler(nullptr, FALSE);
    FreeConsole();

    EXPECT_EQ(2u, result.exitCode) << result.output << result.errors;
    std::string log = ReadWholeFile(LogPath());
    EXPECT_EQ(log.size() - 39, log.rfind("files copied.\r\n! User aborted backup.\r\n")) << log;
    EXPECT_EQ("03/14/06  09:05 PM", DateInList());
}

// A console shows the text's characters: ü, FC in code page 1252, is not the ³ of the console's 437.
TEST(ConsolePrint, AConsoleShowsTheCharactersOfTheAnsiText)
{
    ASSERT_EQ(1252u, GetACP()) << "the test's bytes are those of code page 1252";
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    ConsolePrint(stdout, "J\xFC%s", "rgen");
    wchar_t cells[6] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadConsoleOutputCharacterW(GetStdHandle(STD_OUTPUT_HANDLE), cells, 6, COORD{0, 0}, &read));
    FreeConsole();
    EXPECT_EQ(std::wstring(L"J\u00FCrgen"), std::wstring(cells, read));
}

namespace {

// Every file and folder below a folder, with each file's bytes and last-write time.
std::string TreeText(const std::string& folder)
{
    std::string text;
    for (const std::string& name : NamesIn(folder)) {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExA((folder + name).c_str(), GetFileExInfoStandard, &data);
        text += name + " " + std::to_string(data.ftLastWriteTime.dwLowDateTime) + "\n";
        text += (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? TreeText(folder + name + "\\") : ReadWholeFile(folder + name) + "\n";
    }
    return text;
}

// The text without the CRs a redirected stream puts before each LF.
std::string WithoutCr(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// The lines of a text that begin with front, with front taken off.
std::vector<std::string> LinesAfter(const std::string& text, const std::string& front)
{
    std::vector<std::string> lines;
    for (std::string::size_type at = text.find(front); at != std::string::npos; at = text.find(front, at + 1)) {
        if (at == 0 || text[at - 1] == '\n')
            lines.push_back(text.substr(at + front.size(), text.find_first_of("\r\n", at) - at - front.size()));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// A backup made, then sources changed since: the dry run's and the verify's ground.
class CheckTest : public RunnerTest {
protected:
    CheckTest()
    {
        for (const char* name : {"same.txt", "changed.txt", "Sub\\old.txt", "Sub\\size.txt", "Sub\\content.txt", "gone.txt"})
            source.WriteFile(name, name);
        WriteList(source.Path() + "*.txt   /subfolders\r\n");
        EXPECT_EQ(0u, Run(list).exitCode);
    }

    std::string list = "\"" + (work / "list.ini") + "\"";
};

} // namespace

// A dry run writes nothing, not even the date, names the refusals a run meets, and lists exactly
// the files the next run copies.
TEST_F(CheckTest, ADryRunWritesNothingAndListsWhatTheNextRunCopies)
{
    source.WriteFile("changed.txt", "changed since");
    source.WriteFile("New\\new.txt", "new");
    source.WriteFile("hidden.txt", "hidden");
    SetFileAttributesA((source / "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteList(source.Path() + "*.txt   /subfolders\r\n" + source.Path() + "..\\*.*\r\n");
    std::string treeBefore = TreeText(destination.Path());
    std::string listBefore = ReadWholeFile(work / "list.ini");

    RunnerResult dry = Run("/n " + list);

    EXPECT_EQ(1u, dry.exitCode) << dry.output << dry.errors;
    EXPECT_EQ(treeBefore, TreeText(destination.Path()));
    EXPECT_EQ(listBefore, ReadWholeFile(work / "list.ini"));
    std::string dryLog = ReadWholeFile(LogPath());
    EXPECT_NE(std::string::npos, dryLog.find("\r\nDry run: ")) << dryLog;
    EXPECT_EQ((std::vector<std::string>{source / "New\\new.txt, 3 bytes, new", source / "changed.txt, 13 bytes, newer"}),
              LinesAfter(dry.output, "Would copy: "));
    EXPECT_NE(std::string::npos, WithoutCr(dry.output).find("2 files would be copied.\n16 bytes would be copied.\n")) << dry.output;

    RunnerResult real = Run("/r " + list);
    EXPECT_EQ(1u, real.exitCode) << real.output << real.errors;
    std::string realLog = ReadWholeFile(LogPath());
    EXPECT_EQ((std::vector<std::string>{source / "New\\new.txt", source / "changed.txt"}), LinesAfter(realLog, "  Copied file: "));
    EXPECT_EQ(LinesAfter(realLog, "! "), LinesAfter(dryLog, "! "));
    EXPECT_EQ(1u, LinesAfter(dry.output, "! Relative path not backed up - ").size()) << dry.output;
}

// A good backup answers 0, a copy whose source is gone included; each fault of a copy is one line.
TEST_F(CheckTest, AVerifyNamesEveryFaultyCopyAndAnswersZeroForAGoodBackup)
{
    DeleteFileA((source / "gone.txt").c_str());
    RunnerResult good = Run("/v " + list);
    EXPECT_EQ(0u, good.exitCode) << good.output << good.errors;
    EXPECT_EQ((std::vector<std::string>{Mirror("gone.txt")}), LinesAfter(good.output, "Orphaned copy: "));

    DeleteFileA(Mirror("changed.txt").c_str());
    HANDLE old = CreateFileA(Mirror("Sub\\old.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME longAgo = {0, 0x01C00000};
    EXPECT_TRUE(SetFileTime(old, nullptr, nullptr, &longAgo));
    CloseHandle(old);
    destination.WriteFile(Mirror("Sub\\size.txt").substr(destination.Path().size()), "size");
    destination.WriteFile(Mirror("Sub\\content.txt").substr(destination.Path().size()), "SUB\\CONTENT.TXT");
    RunnerResult bad = Run("/v " + list);

    EXPECT_EQ(1u, bad.exitCode) << bad.output << bad.errors;
    EXPECT_EQ((std::vector<std::string>{"Copy differs in content - " + Mirror("Sub\\content.txt"),
                                        "Copy differs in size - " + Mirror("Sub\\size.txt"),
                                        "Copy missing - " + Mirror("changed.txt"),
                                        "Copy older than its source - " + Mirror("Sub\\old.txt")}),
              LinesAfter(ReadWholeFile(LogPath()), "! "));
    EXPECT_NE(std::string::npos, WithoutCr(bad.output).find("5 files verified.\n1 missing.\n1 older.\n2 different.\n1 orphaned.\n4 problems found.\n"))
        << bad.output;
    EXPECT_EQ("gone.txt", ReadWholeFile(Mirror("gone.txt")));
}
