#pragma once

#include "driver/ProgramSession.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// How the user answers the Backup options dialog: the check boxes to set, and what is done with
// the dialog (its picture taken) before its Backup button is pressed.
struct BackupChoices {
    struct Box {
        int controlId;
        bool checked;
    };
    std::vector<Box> boxes;
    std::function<void(HWND dialog)> beforeConfirming;
};

// The last three lines of a run's log: the files checked, the files copied and the outcome.
struct BackupSummary {
    std::vector<std::string> lines;
    bool Completed() const;
};

// Presses Backup and answers the Backup options dialog as the choices say.
bool ConfirmBackup(ProgramSession& session, const BackupChoices& choices);
// Waits until the run has closed its log and shown its outcome in the status bar, and reads the
// log's summary. The program deletes the previous log before its options dialog opens and holds
// the new one unshared until the summary is in it, so the log can be read only once it is whole.
bool WaitForRunEnd(ProgramSession& session, BackupSummary& summary, DWORD timeoutMs);
