#include "driver/WindowWait.h"

// How often the state is asked again when no event of the program's woke the wait.
static constexpr DWORD kTickMs = 20;

WindowWait::WindowWait(const ProgramProcess& watched) : program(watched)
{
    // out of context, the events arrive as messages of this thread's queue, which Until drains
    hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_NAMECHANGE, nullptr, OnProgramEvent, program.Id(), 0,
                           WINEVENT_OUTOFCONTEXT);
}

WindowWait::~WindowWait()
{
    if (hook != nullptr)
        UnhookWinEvent(hook);
}

bool WindowWait::Until(const std::function<bool()>& state, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (state())
            return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs || !program.Running())
            return false;
        HANDLE process = program.Handle();
        DWORD left = timeoutMs - elapsed;
        MsgWaitForMultipleObjects(1, &process, FALSE, left < kTickMs ? left : kTickMs, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
}
