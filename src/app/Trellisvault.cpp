#include "app/FolderListView.h"
#include "app/MainWindow.h"
#include "app/SubfolderDialog.h"
#include "engine/BackupRun.h"
#include "framework/ButtonBar.h"
#include "framework/MessageWindow.h"
#include "framework/ProgramInstance.h"
#include "framework/RoundMessageWindow.h"
#include "framework/StatusBar.h"
#include "resource.h"

namespace {

// The program's long-lived objects: windows come and go, these stay until the program ends.
// The main window comes first because the run takes it as its user interface, which needs the
// window under construction; the rest are constructed in the order they are listed here and
// torn down in reverse, so the run's buffers outlast everything that could use them.
extern BackupRun backupRun;
extern FolderListView folderList;
extern ButtonBar buttonBar;
extern StatusBar statusBar;
extern MessageWindow messages;
extern RoundMessageWindow about;
extern SubfolderDialog subfolderDialog;

MainWindow mainWindow({backupRun, folderList, buttonBar, statusBar, messages, about, subfolderDialog});
BackupRun backupRun(mainWindow);
ButtonBar buttonBar;
MessageWindow messages;
RoundMessageWindow about;
FolderListView folderList;
StatusBar statusBar;
SubfolderDialog subfolderDialog;

} // namespace

// The command line is ignored: the program opens the folder list it used last.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
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
