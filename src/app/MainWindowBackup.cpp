#include "app/MainWindow.h"

#include "app/DiskFullDialog.h"
#include "app/FolderBrowser.h"
#include "app/ProgramBoxes.h"
#include "document/DocumentStorage.h"
#include "engine/LastBackupStamp.h"

void MainWindow::SetStatusText(int part, const char* text)
{
    status.SetText(part, text);
}

void MainWindow::StampLastBackup()
{
    ::StampLastBackup(documentOptions);
}

// The date goes into the list's file at once and alone: the file keeps whatever another program
// wrote, and the next run, in here or scheduled, finds this one's date. An untitled list keeps it
// for its first save.
void MainWindow::MarkBackupDone()
{
    backupDone = true;
    if (dataFile[0] != '\0')
        writeBackupDate(*this);
}

// The question is modal to the whole program: the progress window, which the dialog does not own,
// can neither be clicked nor raised over it while it waits.
bool MainWindow::AskNextDisk(const char* text)
{
    HWND progressWindow = progress.Handle();
    if (progressWindow != nullptr)
        EnableWindow(progressWindow, FALSE);
    bool goOn = ::AskNextDisk(hwnd, text, &status);
    if (progressWindow != nullptr)
        EnableWindow(progressWindow, TRUE);
    return goOn;
}

// The dialog edits the folder list's own options; the run takes them as confirmed.
bool MainWindow::ConfirmOptions(BackupOptions& runOptions)
{
    optionsDialog.pickFolder = PickFolder;
    bool go = optionsDialog.Confirm(folderList.Handle(), documentOptions, folderList.modified);
    updateDestinationPane();
    runOptions = documentOptions;
    return go;
}

// Windows may end the process once this returns, so a run under way is stopped first, as Cancel
// would stop it; the settings are stored after it.
void MainWindow::OnEndSession(WPARAM wParam, LPARAM)
{
    if (wParam)
        backupRun.StopForSessionEnd();
}

void MainWindow::ShowProgress()
{
    progress.Show(hwnd, backupRun);
}

void MainWindow::DestroyProgress()
{
    progress.Destroy();
}

void MainWindow::ShowWithShell(HWND owner, const char* path)
{
    OpenOrSayWhy(owner, path, "Can't open the log file. It is here:");
}
