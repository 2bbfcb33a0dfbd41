#include "framework/ProgressBar.h"

#include <commctrl.h>

bool ProgressBar::Create(HWND parent, int id, const char* text, int x, int y, int width, int height)
{
    TakeControlId(id);
    return AttachOrCreate(PROGRESS_CLASSA, parent, text, x, y, width, height);
}
