#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Drives the modal windows that the code under test opens on this thread. A thread-local
// WH_CBT hook sees each window of the given class (any class when null) being activated and,
// once the modal loop runs, calls the step with it; the step fills fields and clicks buttons.
// A fail-safe timer fails the test and ends a window that is still open after timeoutMs
// (EndDialog for dialogs and message boxes, DestroyWindow otherwise), or ends the modal loop
// with a quit request when no window appeared, so a fault never hangs the run.
class ModalDriver {
public:
    using Step = std::function<void(HWND window)>;

    ModalDriver(const char* className, Step step, UINT timeoutMs = 5000);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Windows the step was called for, in order.
    const std::vector<HWND>& Handled() const { return handled; }
    int Count() const { return static_cast<int>(handled.size()); }
    // Caption and class of the last window handled, read when it was activated.
    const std::string& Caption() const { return caption; }
    bool TimedOut() const { return timedOut; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK StepTimerProc(HWND, UINT, UINT_PTR id, DWORD);
    static void CALLBACK FailSafeTimerProc(HWND, UINT, UINT_PTR id, DWORD);

    std::string className;
    Step step;
    HHOOK hook = nullptr;
    UINT_PTR failSafeTimer = 0;
    UINT timeoutMs;
    std::vector<HWND> pending;
    std::vector<HWND> handled;
    std::string caption;
    bool timedOut = false;
    ModalDriver* outer = nullptr;
};

// Presses a dialog's button the way a user's click does: BM_CLICK on the child with that id.
// Fails the test when there is no such button.
void ClickButton(HWND dialog, int id);
// Presses the child button whose text (ampersands ignored) is the given text.
void ClickButtonWithText(HWND window, const char* text);
// The first child whose text, ampersands ignored, is the given text; null when there is none.
HWND FindChildWithText(HWND window, const char* text);
std::string WindowTextOf(HWND window);
std::string ClassNameOf(HWND window);
