#include "runner/ConsoleText.h"
#include "runner/ConsoleUserInterface.h"
#include "runner/HeadlessFolderList.h"
#include "document/DataFileLock.h"
#include "document/DocumentStorage.h"
#include "engine/BackupRun.h"
#include "engine/DryRun.h"
#include "engine/VerifyRun.h"
#include "framework/CriticalErrorMode.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>

// Exit codes: the run completed without errors, completed with errors, or did not complete
// (stopped early, never started, the folder list could not be read, or its new date not saved).
// A dry run and a verify answer the same way, a copy that fails the verify being an error.
constexpr int kCompleted = 0;
constexpr int kCompletedWithErrors = 1;
constexpr int kNotCompleted = 2;

static void PrintUsage(std::FILE* stream)
{
    ConsolePrint(stream,
                 "Usage: tvbackup [/r] [/n | /v] FOLDERLIST.ini\n"
                 "Backs up the folder list with its own options, as the Backup button does.\n"
                 "  /r  Record file names of copied files.\n"
                 "  /n  Dry run: list the files a backup would copy, and copy nothing.\n"
                 "  /v  Verify: compare every copy with its source file, and change nothing.\n"
                 "  /?  Show this text.\n"
                 "Exit codes:\n"
                 "  0  completed without errors (/v: every copy is present and identical)\n"
                 "  1  completed with errors (/v: a copy is missing, older or different)\n"
                 "  2  stopped early or could not start\n");
}

static int Usage()
{
    PrintUsage(stderr);
    return kNotCompleted;
}

// "/x" or "-x", in either letter case; 0 for anything else.
static char SwitchLetter(const char* argument)
{
    if ((argument[0] != '/' && argument[0] != '-') || argument[1] == '\0' || argument[2] != '\0')
        return 0;
    char letter = argument[1];
    return letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter - 'A' + 'a') : letter;
}

// A data file that is missing or cannot be opened would load as an empty list, and an empty list
// backs up nothing successfully; the runner refuses it instead.
static bool CanRead(const char* path)
{
    HANDLE file = OpenDataFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// While it lives, Ctrl+C and Ctrl+Break cancel the run as the progress window's Cancel does: the
// log gets its abort line and summary, and nothing is stamped.
class CancelOnCtrlC {
public:
    explicit CancelOnCtrlC(BackupRun& run)
    {
        runToCancel = &run;
        SetConsoleCtrlHandler(OnControl, TRUE);
    }
    ~CancelOnCtrlC()
    {
        SetConsoleCtrlHandler(OnControl, FALSE);
        runToCancel = nullptr;
    }
    CancelOnCtrlC(const CancelOnCtrlC&) = delete;
    CancelOnCtrlC& operator=(const CancelOnCtrlC&) = delete;

private:
    // The system calls it on a thread of its own, so it only raises the run's flag.
    static BOOL WINAPI OnControl(DWORD event)
    {
        if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
            return FALSE;
        BackupRun* run = runToCancel;
        if (run != nullptr)
            run->RequestAbort();
        return TRUE;
    }

    static std::atomic<BackupRun*> runToCancel;
};

std::atomic<BackupRun*> CancelOnCtrlC::runToCancel{nullptr};

// The console runner's user interface, which also prints the lines of a dry run or a verify.
class ConsoleReport : public ConsoleUserInterface, public RunReport {
public:
    using ConsoleUserInterface::ConsoleUserInterface;
    void ReportLine(const char* line) override { ConsolePrint(stdout, "%s\n", line); }
};

// A dry run or a verify: its lines and summary are printed as they come, and the exit code is
// that of a backup, a problem with a copy counting as an error.
static int Check(CheckingRun& run)
{
    CancelOnCtrlC cancelOnCtrlC(run);
    run.Run();
    if (!run.LogWritten())
        return kNotCompleted;
    ConsolePrint(stdout, "Log: %s\n", run.LogPath());
    std::fflush(stdout);
    if (!run.completed)
        return kNotCompleted;
    return run.errorCount != 0 ? kCompletedWithErrors : kCompleted;
}

int main(int argc, char** argv)
{
    FailCriticalErrorsQuietly();
    bool recordFileNames = false;
    char mode = 0;
    const char* dataFile = nullptr;
    for (int i = 1; i < argc; ++i) {
        char letter = SwitchLetter(argv[i]);
        if (letter == 'r') {
            recordFileNames = true;
        } else if ((letter == 'n' || letter == 'v') && (mode == 0 || mode == letter)) {
            mode = letter;
        } else if (letter == '?') {
            PrintUsage(stdout);
            return kCompleted;
        } else if (dataFile == nullptr && argv[i][0] != '/') {
            dataFile = argv[i];
        } else {
            return Usage();
        }
    }
    if (dataFile == nullptr)
        return Usage();

    HeadlessFolderList folderList;
    folderList.runNewSteps();
    PathBuffer& path = folderList.dataFilePath();
    DWORD length = GetFullPathNameA(dataFile, sizeof path, path, nullptr);
    if (length == 0 || length >= sizeof path || !CanRead(path)) {
        ConsolePrint(stderr, "Can't read folder list: %s\n", dataFile);
        return kNotCompleted;
    }
    // a file that is not a folder list, or one another program holds, has been reported; the
    // first leaves the document untitled
    if (!loadDocument(folderList) || folderList.dataFilePath()[0] == '\0')
        return kNotCompleted;

    ConsoleReport ui(folderList, recordFileNames);
    if (mode == 'n') {
        DryRun dryRun(ui, ui);
        return Check(dryRun);
    }
    if (mode == 'v') {
        VerifyRun verify(ui, ui);
        return Check(verify);
    }
    BackupRun run(ui);
    CancelOnCtrlC cancelOnCtrlC(run);
    run.Run();
    if (!run.LogWritten())
        return kNotCompleted;

    ConsolePrint(stdout, "Log: %s\n%d files checked.\n%d files copied.\n%s\n", run.LogPath(), run.filesChecked, run.filesCopied, ui.Outcome());
    std::fflush(stdout);
    // a date that could not be saved would have the next run think the backup never happened
    if (!folderList.backupDone || !ui.DateSaved())
        return kNotCompleted;
    return run.errorCount != 0 ? kCompletedWithErrors : kCompleted;
}
