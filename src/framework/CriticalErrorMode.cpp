#include "framework/CriticalErrorMode.h"

#include <windows.h>

void FailCriticalErrorsQuietly()
{
    // keeps the modes the starting process handed down
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS);
}
