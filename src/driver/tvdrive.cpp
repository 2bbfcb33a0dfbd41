// Runs Trellisvault on the bundled sample as its own process and uses it through its windows.
//   tvdrive show PROGRAM EXAMPLES             the sample laid out, the program started for a user
//   tvdrive backup PROGRAM EXAMPLES PICTURES  the sample backup done as a user does it, without one
//   tvdrive pictures PROGRAM EXAMPLES PICTURES the pictures of the program's windows; E: must be a
//                                             small drive, which is filled so that the disk is full
// Exits with 0 when what was asked is done: for backup, when the run completed without errors.
#include "driver/ProgramSession.h"
#include "driver/ProgramWindows.h"
#include "driver/SampleBackup.h"
#include "driver/SampleLayout.h"
#include "driver/ScreenPicture.h"
#include "resource.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kDestination[] = "E:\\";
constexpr DWORD kRunTimeoutMs = 60000;
constexpr char kDialogClass[] = "#32770";
constexpr char kBoxClass[] = "CMSGCLASS";
// A drive larger than this is not the small one made for the disk-full picture, and is not filled.
constexpr ULONGLONG kLargestSmallDrive = 16ull << 20;
// The progress bar's position (of 100) in its picture: four steps of its half-second timer.
constexpr LRESULT kProgressShown = 20;

int Fail(const char* what)
{
    std::fprintf(stderr, "tvdrive: %s\n", what);
    return 1;
}

std::string WithBackslash(std::string folder)
{
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

class Pictures {
public:
    explicit Pictures(const char* into) : folder(WithBackslash(into)) {}

    bool Take(HWND window, const char* name)
    {
        std::string path = folder + name + ".bmp";
        if (!SaveWindowPicture(window, path.c_str())) {
            std::fprintf(stderr, "tvdrive: cannot take the picture %s\n", path.c_str());
            return false;
        }
        return true;
    }

private:
    std::string folder;
};

// Fills the small destination drive to its last byte, so that the first copy finds it full.
bool FillDrive(const char* root)
{
    ULARGE_INTEGER available;
    ULARGE_INTEGER total;
    ULARGE_INTEGER free;
    if (!GetDiskFreeSpaceExA(root, &available, &total, &free) || total.QuadPart > kLargestSmallDrive)
        return false;
    HANDLE filler = CreateFileA((std::string(root) + "Filler.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (filler == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> block(1 << 16, '.');
    for (DWORD size = static_cast<DWORD>(block.size()); size > 0; size /= 16) {
        DWORD written = 0;
        while (WriteFile(filler, block.data(), size, &written, nullptr) && written == size)
            written = 0;
    }
    CloseHandle(filler);
    return true;
}

bool ShowsSample(ProgramSession& session)
{
    return session.WaitUntil([&] { return session.RowCount() > 0; }, ProgramSession::kWindowTimeoutMs);
}

int Show(const char* program)
{
    ProgramSession session;
    if (!session.Start(program))
        return Fail("Trellisvault's main window did not show");
    std::printf("Trellisvault shows the sample's folder list. Press Backup, then Backup again; the copies go to %s.\n",
                kDestination);
    std::fflush(stdout);
    DWORD exitCode = 1;
    session.WaitForExit(INFINITE, exitCode);
    return static_cast<int>(exitCode);
}

int Backup(const char* program, Pictures& pictures)
{
    ProgramSession session;
    if (!session.Start(program) || !ShowsSample(session))
        return Fail("Trellisvault did not show the sample's folder list");
    pictures.Take(session.MainWindow(), "main-window");
    BackupChoices choices;
    choices.beforeConfirming = [&](HWND dialog) { pictures.Take(dialog, "backup-options"); };
    if (!ConfirmBackup(session, choices))
        return Fail("the Backup options dialog could not be confirmed");
    BackupSummary summary;
    if (!WaitForRunEnd(session, summary, kRunTimeoutMs))
        return Fail("the backup run did not end");
    pictures.Take(session.MainWindow(), "after-backup");
    std::printf("The log's summary:\n");
    for (const std::string& line : summary.lines)
        std::printf("    %s\n", line.c_str());
    std::printf("The copies are in %sC-Backup\\Sample\\.\n", kDestination);
    std::fflush(stdout);
    DWORD exitCode = 1;
    if (!session.Exit(exitCode))
        return Fail("Trellisvault did not end after Exit");
    return summary.Completed() && exitCode == 0 ? 0 : 1;
}

// Presses a command's button, takes the picture of the box it opens, and answers it.
bool PictureOfBox(ProgramSession& session, Pictures& pictures, int command, const char* caption, const char* answer,
                  const char* name)
{
    HWND box = nullptr;
    return session.Press(command) && (box = session.WaitForWindow(kBoxClass, caption)) != nullptr &&
           pictures.Take(box, name) && ClickText(box, answer) && session.WaitUntilGone(box);
}

int TakePictures(const char* program, Pictures& pictures)
{
    if (!FillDrive(kDestination))
        return Fail("E: is not a small drive that can be filled; the disk-full picture needs one");
    ProgramSession session;
    if (!session.Start(program) || !ShowsSample(session))
        return Fail("Trellisvault did not show the sample's folder list");
    if (!pictures.Take(session.MainWindow(), "main-window"))
        return 1;
    if (!PictureOfBox(session, pictures, IDM_ABOUT, "", "&Ok", "about"))
        return Fail("the About window did not show and close");
    if (!session.SelectFirstRow() ||
        !PictureOfBox(session, pictures, IDM_REMOVE_FOLDER, "Trellisvault", "&No", "remove-question"))
        return Fail("the Remove question did not show and close");
    BackupChoices choices;
    choices.beforeConfirming = [&](HWND dialog) { pictures.Take(dialog, "backup-options"); };
    if (!ConfirmBackup(session, choices))
        return Fail("the Backup options dialog could not be confirmed");
    HWND diskFull = session.WaitForWindow(kDialogClass, "Disk full");
    HWND progress = session.WaitForWindow(kDialogClass, "");
    RECT below;
    if (diskFull == nullptr || progress == nullptr || !GetWindowRect(progress, &below))
        return Fail("the disk-full question did not come up during the run");
    // moved below the progress dialog, which it covers, as a user drags it aside
    SetWindowPos(diskFull, nullptr, below.left, below.bottom + 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // the bar's timer has moved it a few steps, so the picture shows it moving
    HWND bar = GetDlgItem(progress, IDC_PROGRESS_BAR);
    auto barMoved = [bar] { return AskWindow(bar, PBM_GETPOS, 0, 0, 0) >= kProgressShown; };
    session.WaitUntil(barMoved, ProgramSession::kWindowTimeoutMs);
    if (!pictures.Take(progress, "progress") || !pictures.Take(diskFull, "disk-full"))
        return 1;
    BackupSummary summary;
    if (!Click(diskFull, IDCANCEL) || !WaitForRunEnd(session, summary, kRunTimeoutMs))
        return Fail("the run did not end after Cancel");
    DWORD exitCode = 1;
    if (!session.Exit(exitCode))
        return Fail("Trellisvault did not end after Exit");
    return exitCode == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const char* mode = argc > 1 ? argv[1] : "";
    bool show = std::strcmp(mode, "show") == 0;
    if (!(show && argc == 4) && argc != 5) {
        std::fprintf(stderr, "usage: tvdrive show|backup|pictures PROGRAM EXAMPLES [PICTURES]\n");
        return 2;
    }
    std::string failure;
    if (!LayOutSample(WithBackslash(argv[3]), failure))
        return Fail(failure.c_str());
    if (show)
        return Show(argv[2]);
    Pictures pictures(argv[4]);
    if (std::strcmp(mode, "backup") == 0)
        return Backup(argv[2], pictures);
    if (std::strcmp(mode, "pictures") == 0)
        return TakePictures(argv[2], pictures);
    return Fail("the mode is show, backup or pictures");
}
