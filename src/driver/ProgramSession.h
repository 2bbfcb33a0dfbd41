#pragma once

#include "driver/ProgramProcess.h"
#include "driver/WindowWait.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

// Trellisvault used through its own windows, as a user uses it: its windows found by class and
// caption, its buttons pressed and its dialogs answered with window messages. Nothing in the
// program is there for the driver; the ids are those of resources/resource.h.
class ProgramSession {
public:
    static constexpr DWORD kWindowTimeoutMs = 20000;

    // Starts the program and waits until its main window shows.
    bool Start(const char* programPath);
    // Presses the program's Exit button and waits for the program to end with its exit code.
    bool Exit(DWORD& exitCode);
    bool Running() const { return program.Running(); }
    // Leaves the program to its user and waits for it to end; its windows are watched no more.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode);

    HWND MainWindow() const { return mainWindow; }
    HWND FolderList() const;
    int RowCount() const;
    // The index of the selected row, -1 when none is selected.
    int SelectedRow() const;
    // The text of the status bar's first part: hints, the folder being checked, a run's outcome.
    std::string StatusText() const;

    // Presses the button bar's button of this command.
    bool Press(int commandId);
    // Clicks the folder list's first row, as a user selects it.
    bool SelectFirstRow();
    // A visible top-level window of the program with this class and caption, waited for.
    HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs = kWindowTimeoutMs);
    bool WaitUntilGone(HWND window, DWORD timeoutMs = kWindowTimeoutMs);
    bool WaitUntil(const std::function<bool()>& state, DWORD timeoutMs);

private:
    ProgramProcess program;
    std::unique_ptr<WindowWait> wait;
    HWND mainWindow = nullptr;
};

// Presses a dialog's button or check box the way a click does: BM_CLICK, posted, so that a
// button whose command opens a modal window does not hold the driver up.
bool Click(HWND window, int controlId);
// The same for the child button with this text (as the button shows it, "&" included).
bool ClickText(HWND window, const char* text);
// Whether the dialog's check box is checked.
bool IsChecked(HWND dialog, int controlId);
