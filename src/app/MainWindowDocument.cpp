#include "app/MainWindow.h"

#include "app/BoxColours.h"
#include "document/DocumentStorage.h"
#include "engine/FolderPaths.h"
#include "engine/PathText.h"
#include "framework/ProgramInstance.h"
#include "text/BoundedText.h"
#include "text/StringHelpers.h"

#include <commdlg.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>

void MainWindow::InsertRow(const char* entryText, bool includeSubfolders)
{
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
    messages.Run(hwnd, text, caption, MB_ICONEXCLAMATION | MB_OK, nullptr, kBoxText, kBoxBack, kBoxFrame);
}

void MainWindow::updateTitle()
{
    char title[64] = "Trellisvault";
    if (documentOptions.lastBackupDate[0] != '\0') {
        AppendText(title, " - last backed up on ");
        AppendText(title, documentOptions.lastBackupDate);
    }
    SetWindowTextA(hwnd, title);
}

void MainWindow::updateDestinationPane()
{
    char pane[300] = "";
    if (documentOptions.destination[0] != '\0') {
        CopyText(pane, "Dest ");
        AppendText(pane, documentOptions.destination);
    }
    status.SetText(1, pane);
}

// After a backup the list is saved without asking; otherwise a modified list asks first.
bool MainWindow::CanClose()
{
    if (backupDone) {
        saveCommand();
        return true;
    }
    if (!folderList.modified)
        return true;
    int answer = messages.Run(hwnd, "Save folder list?", "Trellisvault", MB_YESNOCANCEL | MB_ICONQUESTION, nullptr,
                              kBoxText, kBoxBack, kBoxFrame);
    // a box that could not be shown answers 0, which keeps the window as Cancel does
    if (answer == IDCANCEL || answer == 0)
        return false;
    if (answer == IDYES)
        saveCommand();
    return true;
}

void MainWindow::newDocument()
{
    if (folderList.modified && !CanClose())
        return;
    runNewSteps();
}

void MainWindow::openDocument()
{
    if (!CanClose())
        return;
    runNewSteps();
    if (runFileDialog(true))
        loadDocument(*this);
}

void MainWindow::saveCommand()
{
    if (!backupDone && !folderList.modified)
        return;
    if (dataFile[0] == '\0') {
        CopyText(dataFile, "Trellisvault.ini");
        if (!runFileDialog(false)) {
            dataFile[0] = '\0';
            return;
        }
    }
    saveDocument(*this);
}

// Every name chosen ends in ".ini".
bool MainWindow::runFileDialog(bool openMode)
{
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = folderList.Handle();
    request.hInstance = ProgramInstance();
    request.lpstrFilter = "Folder list(*.ini)\0*.ini\0\0";
    request.nFilterIndex = 1;
    request.lpstrFile = dataFile;
    request.nMaxFile = sizeof dataFile;
    request.lpstrInitialDir = dataFolder;
    request.lpstrDefExt = "ini";
    if (openMode) {
        request.lpstrTitle = "Open Folder List";
        request.Flags = OFN_HIDEREADONLY;
    } else {
        request.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
    }
    if (!(openMode ? GetOpenFileNameA(&request) : GetSaveFileNameA(&request)))
        return false;
    StripExtension(dataFile);
    // a name that leaves no room for its extension is refused rather than saved under another name
    return AppendText(dataFile, ".ini");
}

void MainWindow::locateDataFolder()
{
    dataFolder[0] = '\0';
    LPITEMIDLIST folder = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(hwnd, CSIDL_APPDATA, &folder))) {
        if (!SHGetPathFromIDListA(folder, dataFolder))
            dataFolder[0] = '\0';
        CoTaskMemFree(folder);
    }
    AppendText(dataFolder, "\\Pennyroyal\\Trellisvault\\");
    if (!FolderExists(dataFolder))
        CreateFolderPath(dataFolder);
}

// A data file remembered from elsewhere is moved into the data folder under its own name.
void MainWindow::relocateDataFile()
{
    if (dataFile[0] == '\0' || StrStrIA(dataFile, dataFolder) != nullptr)
        return;
    PathBuffer fileName;
    CopyText(fileName, dataFile);
    PathBuffer folderPart;
    CopyText(folderPart, dataFile);
    CutToFolder(folderPart);
    PathBuffer target;
    CopyText(target, dataFolder);
    // the name is cut short where the target would not fit
    AppendText(target, fileName + std::strlen(folderPart));
    if (!CopyFileA(dataFile, target, FALSE))
        return;
    DeleteFileA(dataFile);
    CopyText(dataFile, target);
}

// Stands in for the Edit folder dialog: the row stays as it was, as after Cancel.
bool MainWindow::runEditDialog()
{
    return false;
}
