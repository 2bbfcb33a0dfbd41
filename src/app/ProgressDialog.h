#pragma once

#include "framework/Dialog.h"
#include "framework/ProgressBar.h"
#include "framework/TextArea.h"

class BackupRun;

// The modeless window shown for the whole of a backup run: a crimson panel saying "Backup in
// progress.", a bar that keeps moving to show the program is alive, and a Cancel button that
// only asks the run to stop.
class ProgressDialog : public Dialog {
public:
    // Creates the window owned by owner; its Cancel asks run to stop. False when it could not be made.
    bool Show(HWND owner, BackupRun& run);
    // Destroys the window; safe after a failed Show and when called twice.
    void Destroy();

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnInit();
    void Paint();

    BackupRun* run = nullptr;
    ProgressBar bar;
    TextArea panel;
    HFONT panelFont = nullptr;
    HBRUSH faceBrush = nullptr;
};
