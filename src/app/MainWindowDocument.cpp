#include "app/MainWindow.h"

#include "app/ProgramBoxes.h"
#include "document/FileDialog.h"
#include "document/FolderListDocument.h"
#include "framework/ShutdownBlockReason.h"

// A visible list view paints after every row it is given, which makes reading a long list slow:
// painting waits until the program next reads its queue, when the whole list is in (or a box
// about the list runs its own loop).
void MainWindow::InsertRow(const char* entryText, bool includeSubfolders)
{
    if (!rowPaintingHeld && PostMessageA(hwnd, kResumeRowPainting, 0, 0)) {
        SendMessageA(folderList.Handle(), WM_SETREDRAW, FALSE, 0);
        rowPaintingHeld = true;
    }
    folderList.InsertRow(entryText, includeSubfolders);
}

void MainWindow::GetRowText(int row, char* buffer, std::size_t size)
{
    if (size == 0)
        return;
    buffer[0] = '\0';
    if (row >= 0 && row < RowCount())
        folderList.RowText(row, buffer, static_cast<int>(size));
}

void MainWindow::resetOptions()
{
    ResetToDefaults(documentOptions);
    backupDone = false;
}

void MainWindow::runNewSteps()
{
    folderList.modified = false;
    folderList.DeleteAllRows();
    dataFile[0] = '\0';
    documentOptions.destination[0] = '\0';
    documentOptions.lastBackupDate[0] = '\0';
    SetWindowTextA(hwnd, "Trellisvault");
    resetOptions();
    updateDestinationPane();
}

void MainWindow::showWarning(const char* text, const char* caption)
{
    ShowWarningBox(hwnd, text, caption);
}

void MainWindow::updateTitle()
{
    char title[kTitleSize];
    composeTitle(documentOptions.lastBackupDate, title, sizeof title);
    SetWindowTextA(hwnd, title);
}

void MainWindow::updateDestinationPane()
{
    char pane[kDestinationPaneSize];
    composeDestinationPane(documentOptions.destination, pane, sizeof pane);
    status.SetText(1, pane);
}

bool MainWindow::CanClose()
{
    return ::CanClose(*this);
}

// The save question may wait for the user while Windows ends the session; the shutdown screen
// then says why the program holds it up.
LRESULT MainWindow::OnQueryEndSession()
{
    ShutdownBlockReason reason(hwnd, L"Asking whether to save the folder list.");
    return MainFrame::OnQueryEndSession();
}

int MainWindow::askYesNoCancel(const char* text, const char* caption)
{
    return AskYesNoCancel(hwnd, text, caption);
}

int MainWindow::askYesNo(const char* text, const char* caption)
{
    return AskYesNo(hwnd, text, caption);
}

// The file dialogs are owned by the list, as the folder browser is.
bool MainWindow::chooseFile(FileDialog& request, char* path, std::size_t size, const char* initialFolder)
{
    return runFileDialog(request, folderList.Handle(), path, size, initialFolder);
}
