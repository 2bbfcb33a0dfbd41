#pragma once

#include "driver/ProgramProcess.h"

#include <windows.h>

#include <functional>

// Waits until the program's windows reach a state. Where the system reports the program's window
// events (windows made, shown, hidden, destroyed, renamed), each wakes the wait at once; Wine 8
// reports only windows made and the focus moved, so a short timer wakes it as well. The wait
// gives up at its deadline, and when the program has ended.
class WindowWait {
public:
    explicit WindowWait(const ProgramProcess& program);
    ~WindowWait();
    WindowWait(const WindowWait&) = delete;
    WindowWait& operator=(const WindowWait&) = delete;

    // True as soon as state() answers true; false at the deadline or once the program has ended.
    bool Until(const std::function<bool()>& state, DWORD timeoutMs);

private:
    static void CALLBACK OnProgramEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {}

    const ProgramProcess& program;
    HWINEVENTHOOK hook = nullptr;
};
