#include "app/BackupOptionsDialog.h"
#include "app/FolderListView.h"
#include "app/MainWindow.h"
#include "app/ProgressDialog.h"
#include "app/SubfolderDialog.h"
#include "engine/BackupRun.h"
#include "framework/ButtonBar.h"
#include "framework/CriticalErrorMode.h"
#include "framework/ProgramInstance.h"
#include "framework/RoundMessageWindow.h"
#include "framework/StatusBar.h"
#include "resource.h"

namespace {

// The program's long-lived objects: windows come and go, these stay until the program ends.
// The main window comes first because the run takes it as its user interface, which needs the
// window under construction; the rest are constructed in the order they are listed here and
// torn down in reverse, so the run's buffers outlast everything that could use them.
extern ProgressDialog progress;
extern BackupRun backupRun;
extern ButtonBar buttonBar;
extern BackupOptionsDialog optionsDialog;
extern RoundMessageWindow about;
extern FolderListView folderList;
extern StatusBar statusBar;
extern SubfolderDialog subfolderDialog;

MainWindow mainWindow({backupRun, folderList, buttonBar, statusBar, about, subfolderDialog, optionsDialog, progress});
ProgressDialog progress;
BackupRun backupRun(mainWindow);
ButtonBar buttonBar;
BackupOptionsDialog optionsDialog;
RoundMessageWindow about;
FolderListView folderList;
StatusBar statusBar;
SubfolderDialog subfolderDialog;

} // namespace

// The command line is ignored: the program opens the folder list it used last.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    FailCriticalErrorsQuietly();
    SetProgramInstance(instance);
    int started = mainWindow.Start(showCommand);
    if (started != MainWindow::kStarted)
        return started;
    // without the table the loop runs without accelerators
    mainWindow.LoadAccelerators(MAKEINTRESOURCEA(IDA_MAIN));
    int exitCode = mainWindow.Run();
    about.ReleaseLinkFont();
    return exitCode;
}
