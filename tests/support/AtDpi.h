#pragma once

#include <windows.h>

// Wine reads the display's DPI (LogPixels below HKCU\Control Panel\Desktop) when a process
// starts; Windows only at sign-in. Runs the tests of this executable that match filter in a
// child process started with LogPixels at dpi, which is put back once the child has ended;
// answers the child's exit code, or -1 when it could not be started or ran past timeoutMs.
int RunTestsAtDpi(int dpi, const char* filter, DWORD timeoutMs = 120000);

// True in the child that RunTestsAtDpi started.
bool InDpiChild();
