#include "framework/PumpMessages.h"

#include <windows.h>

bool PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT)
            return true;
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        // a sent message handled inside GetMessageA may have posted the quit it then took
        // from the queue; the application's loop must still see it
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return true;
        }
        if (got < 0)
            return true;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return false;
}
