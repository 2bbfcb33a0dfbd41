#include "framework/ShutdownBlockReason.h"

// The functions are looked up when needed, so a user32 without them costs only the reason's text.
static FARPROC UserFunction(const char* name)
{
    HMODULE user = GetModuleHandleA("USER32.DLL");
    return user != nullptr ? GetProcAddress(user, name) : nullptr;
}

ShutdownBlockReason::ShutdownBlockReason(HWND reasonWindow, const wchar_t* reason) : window(reasonWindow)
{
    using Create = BOOL(WINAPI*)(HWND, LPCWSTR);
    FARPROC found = UserFunction("ShutdownBlockReasonCreate");
    // through void(*)() so the compiler accepts the cast of a looked-up function
    if (found != nullptr)
        given = reinterpret_cast<Create>(reinterpret_cast<void (*)()>(found))(window, reason) != FALSE;
}

ShutdownBlockReason::~ShutdownBlockReason()
{
    using Destroy = BOOL(WINAPI*)(HWND);
    FARPROC found = given ? UserFunction("ShutdownBlockReasonDestroy") : nullptr;
    if (found != nullptr)
        reinterpret_cast<Destroy>(reinterpret_cast<void (*)()>(found))(window);
}
