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

bool MainWindow::AskNextDisk(const char* text)
{
    return ::AskNextDisk(hwnd, text, &status);
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
