#include "app/MainWindow.h"

#include "app/BoxColours.h"
#include "engine/LastBackupStamp.h"
#include "engine/LogViewer.h"

void MainWindow::SetStatusText(int part, const char* text)
{
    status.SetText(part, text);
}

void MainWindow::StampLastBackup()
{
    ::StampLastBackup(documentOptions);
}

// Stands in for the disk-full dialog: "&Next disk" is Yes, "&Cancel" is No.
bool MainWindow::AskNextDisk(const char* text)
{
    if (messages.Run(hwnd, text, "Disk full", MB_YESNO | MB_ICONEXCLAMATION, nullptr, kBoxText, kBoxBack,
                     kBoxFrame) == IDYES)
        return true;
    status.SetText(0, "Abort");
    return false;
}

// Stands in for the Backup options dialog: the run takes the folder list's options as they are,
// and only a list with a destination can be backed up.
bool MainWindow::ConfirmOptions(BackupOptions& runOptions)
{
    if (documentOptions.destination[0] == '\0') {
        showWarning("You must choose a destination", "Trellisvault");
        return false;
    }
    runOptions = documentOptions;
    return true;
}

// The progress dialog comes with its own class; until then the status bar shows the progress.
void MainWindow::ShowProgress()
{
}

void MainWindow::DestroyProgress()
{
}

void MainWindow::OpenLogViewer(const char* path)
{
    OpenWithShell(hwnd, path);
}
