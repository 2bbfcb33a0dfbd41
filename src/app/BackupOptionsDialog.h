#pragma once

#include "document/DestinationHistory.h"
#include "engine/BackupOptions.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"

#include <cstddef>

// The Backup dialog that opens every run: the destination with its history and the drive list,
// the copy options and the description. Its data are plain fields: options is set before Run
// and read after it, together with what the user changed.
class BackupOptionsDialog : public Dialog {
public:
    // Lets the user pick a folder; true with its path (ending in "\") in path (size bytes).
    using FolderPicker = bool (*)(HWND owner, const char* title, char* path, std::size_t size);
    using WarningShower = void (*)(HWND owner, const char* text, const char* caption);

    // The options shown, and after Run the options the user confirmed.
    BackupOptions options;
    // Backup was pressed after a control changed the options: all of them were taken over.
    bool optionsChanged = false;
    // The description was edited, on either button.
    bool descriptionChanged = false;
    // "Browse..."; nothing happens without one.
    FolderPicker pickFolder = nullptr;
    WarningShower showWarning;
    // Below HKEY_CURRENT_USER: where the recent destinations live, in the subkey "Combo2".
    const char* programKey = "Software\\Pennyroyal\\Tvault";

    BackupOptionsDialog();

    // Shows the dialog modally, owned by owner, on options. Answers 1 for Backup with a
    // destination, 0 for Cancel, Esc and the close box, -1 when the dialog could not be made.
    INT_PTR Run(HWND owner);
    // What a run asks: shows the dialog on the folder list's options and takes over the edited
    // description on any answer and the rest when it changed, setting modified then. True to start.
    bool Confirm(HWND owner, BackupOptions& folderListOptions, bool& modified);

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnInit();
    void OnBrowse();
    void OnDrivePicked();
    void OnBackup();
    void Close(INT_PTR result);
    void SelectDriveOf(const char* destination);

    // the destination field holds no more than options.destination can
    static constexpr int kDestinationLength = sizeof BackupOptions::destination - 1;

    bool changed = false;
    char destination[sizeof BackupOptions::destination] = {};
    ComboBox driveList;
    DestinationHistory history;
};
