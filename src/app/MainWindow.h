#pragma once

#include "app/BackupOptionsDialog.h"
#include "app/FolderListView.h"
#include "app/ProgressDialog.h"
#include "app/SubfolderDialog.h"
#include "document/DocumentHost.h"
#include "engine/BackupRun.h"
#include "engine/BackupUserInterface.h"
#include "framework/ButtonBar.h"
#include "framework/MainFrame.h"
#include "framework/RoundMessageWindow.h"
#include "framework/StatusBar.h"

// The program's one top-level window: the button bar, the folder list and the status bar, the
// menus and the commands. It holds the document's options and data file, shows what a backup run
// reports, and answers the document's questions about the list. The objects it is given are the
// program's long-lived ones and stay the caller's.
class MainWindow : public MainFrame, public BackupUserInterface, public DocumentHost {
public:
    struct Parts {
        BackupRun& backupRun;
        FolderListView& folderList;
        ButtonBar& buttonBar;
        StatusBar& statusBar;
        RoundMessageWindow& about;
        SubfolderDialog& subfolderDialog;
        BackupOptionsDialog& optionsDialog;
        ProgressDialog& progress;
    };
    // What Start answers when the window is up and the last folder list loaded.
    static constexpr int kStarted = 1;

    explicit MainWindow(const Parts& parts);

    // Everything from the window's creation to the loaded folder list, before the message loop.
    // Answers kStarted, or the exit code: 0 when the frame cannot be made, -1 when the last
    // button cannot be added.
    int Start(int showCommand);

    // The folder list commands.
    void AddFolder();
    // Add after the browser: asks about the subfolders, then inserts and selects the entry.
    void AddPickedFolder(const char* folder);
    void EditFolder();
    void RemoveFolder();
    void ShowAbout();
    void ShowDataLocation();
    // Greys the items that need a selection, a data file or a log; items a menu lacks are left alone.
    void UpdateMenuItems(HMENU menu) const;

    // MainFrame
    LRESULT OnUnhandledMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool SaveState() override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnContextMenu(WPARAM wParam, LPARAM lParam) override;
    bool OnCreate() override;
    void OnDestroy() override;
    void OnEndSession(WPARAM wParam, LPARAM lParam) override;
    void OnInitMenu() override;
    bool CanClose() override;
    LRESULT OnQueryEndSession() override;
    void AdjustClass(WNDCLASSA& windowClass) override;
    void AdjustCreation(CREATESTRUCTA& creation) override;
    bool RestorePlacement() override;

    // BackupUserInterface
    void ShowWarning(const char* text, const char* caption) override { showWarning(text, caption); }
    void SetStatusText(int part, const char* text) override;
    bool AskNextDisk(const char* text) override;
    bool ConfirmOptions(BackupOptions& runOptions) override;
    void ShowProgress() override;
    void DestroyProgress() override;
    void EnableFrame(bool enable) override { MainFrame::EnableFrame(enable); }
    bool NextFolderEntry(bool first, FolderEntryRow& row) override { return folderList.NextFolderEntry(first, row); }
    void StampLastBackup() override;
    void UpdateTitle() override { updateTitle(); }
    void UpdateDestinationPane() override { updateDestinationPane(); }
    void MarkBackupDone() override;
    void OpenLogViewer(const char* path) override { ShowWithShell(folderList.Handle(), path); }

    // DocumentHost
    void InsertRow(const char* entryText, bool includeSubfolders) override;
    int RowCount() override { return folderList.RowCount(); }
    void GetRowText(int row, char* buffer, std::size_t size) override;
    bool RowHasSubfolders(int row) override { return folderList.HasSubfolders(row); }
    bool IsModified() override { return folderList.modified; }
    void SetModified(bool modified) override { folderList.modified = modified; }
    BackupOptions& options() override { return documentOptions; }
    PathBuffer& dataFilePath() override { return dataFile; }
    DataFileStamp& dataFileStamp() override { return dataFileRead; }
    void resetOptions() override;
    void runNewSteps() override;
    void showWarning(const char* text, const char* caption) override;
    void updateTitle() override;
    void updateDestinationPane() override;
    PathBuffer& dataFolder() override { return dataFolderPath; }
    bool IsBackupDone() override { return backupDone; }
    int askYesNoCancel(const char* text, const char* caption) override;
    int askYesNo(const char* text, const char* caption) override;
    bool chooseFile(FileDialog& request, char* path, std::size_t size, const char* initialFolder) override;

protected:
    // Hands a file to the system's viewer for it, owned by owner.
    virtual void ShowWithShell(HWND owner, const char* path);

private:
    bool AddButtons();
    void SetListColours();

    BackupRun& backupRun;
    FolderListView& folderList;
    ButtonBar& bar;
    StatusBar& status;
    RoundMessageWindow& about;
    SubfolderDialog& subfolderDialog;
    BackupOptionsDialog& optionsDialog;
    ProgressDialog& progress;

    // the document's options; the list view keeps the rows and the modified flag
    BackupOptions documentOptions;
    bool backupDone = false;
    HMENU popupMenu = nullptr;
    // set while this window's thread holds the OLE apartment it opened for the folder browser
    bool oleInitialized = false;
    PathBuffer dataFile = {};
    DataFileStamp dataFileRead;
    PathBuffer dataFolderPath = {};
    // Rows read from a file arrive one by one; the list paints once they are all in.
    static constexpr UINT kResumeRowPainting = WM_APP + 1;
    bool rowPaintingHeld = false;
};
