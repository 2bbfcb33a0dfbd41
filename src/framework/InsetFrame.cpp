#include "framework/InsetFrame.h"

InsetFrame::InsetFrame()
    : highlight(GetSysColor(COLOR_BTNHIGHLIGHT)), shadow(GetSysColor(COLOR_BTNSHADOW))
{
}

void InsetFrame::SetRect(const RECT& rectangle)
{
    x = rectangle.left;
    y = rectangle.top;
    width = rectangle.right - rectangle.left + 1;
    height = rectangle.bottom - rectangle.top + 1;
}

int InsetFrame::Draw(HDC dc) const
{
    if (width == -1)
        return -1;
    int right = x + width - 1;
    int bottom = y + height - 1;
    HPEN shadowPen = CreatePen(PS_SOLID, 1, shadow);
    if (shadowPen == nullptr)
        return 0;
    HPEN highlightPen = CreatePen(PS_SOLID, 1, highlight);
    if (highlightPen == nullptr) {
        DeleteObject(shadowPen);
        return 0;
    }
    HGDIOBJ previous = SelectObject(dc, shadowPen);
    MoveToEx(dc, x, bottom, nullptr);
    LineTo(dc, x, y);
    LineTo(dc, right, y);
    SelectObject(dc, highlightPen);
    LineTo(dc, right, bottom);
    LineTo(dc, x, bottom);
    SelectObject(dc, previous);
    DeleteObject(highlightPen);
    DeleteObject(shadowPen);
    return 1;
}
