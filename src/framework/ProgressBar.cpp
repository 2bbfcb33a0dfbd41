#include "framework/ProgressBar.h"

#include <commctrl.h>

bool ProgressBar::Create(HWND parent, int id, const char* text, int x, int y, int width, int height)
{
    if (id == 0)
        AllocateControlId();
    else
        controlId = id;
    return AttachOrCreate(PROGRESS_CLASSA, parent, text, x, y, width, height);
}
