#pragma once

#include <windows.h>

// The module whose classes, resources and windows the framework uses; the entry function
// sets it, and until then it is the executable's own module.
HINSTANCE ProgramInstance();
void SetProgramInstance(HINSTANCE instance);
