#include "app/MainWindow.h"

#include "app/DiskFullDialog.h"
#include "app/FolderBrowser.h"
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
    OpenWithShell(owner, path);
}
