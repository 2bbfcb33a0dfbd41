#include "framework/ProgramInstance.h"

static HINSTANCE programInstance;

HINSTANCE ProgramInstance()
{
    if (programInstance == nullptr)
        programInstance = GetModuleHandleA(nullptr);
    return programInstance;
}

void SetProgramInstance(HINSTANCE instance)
{
    programInstance = instance;
}
