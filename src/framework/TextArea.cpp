#include "framework/TextArea.h"

#include "framework/DpiScale.h"

void TextArea::Attach(HWND dialog, int controlId, HFONT textFont, UINT drawFormat)
{
    font = textFont;
    format = drawFormat;
    SetRectEmpty(&rect);
    HWND control = GetDlgItem(dialog, controlId);
    if (control != nullptr && GetWindowRect(control, &rect)) {
        POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
        ScreenToClient(dialog, &corners[0]);
        ScreenToClient(dialog, &corners[1]);
        int inset = DpiScale(dialog)(2);
        ::SetRect(&rect, corners[0].x + inset, corners[0].y + inset, corners[1].x - inset, corners[1].y - inset);
    }
    HDC dc = GetDC(dialog);
    if (dc == nullptr)
        return;
    HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics)) {
        avgCharWidth = metrics.tmAveCharWidth;
        lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    }
    backColour = GetBkColor(dc);
    if (previous != nullptr)
        SelectObject(dc, previous);
    ReleaseDC(dialog, dc);
}

bool TextArea::Erase(HDC dc)
{
    HBRUSH brush = CreateSolidBrush(backColour);
    if (brush == nullptr)
        return false;
    HGDIOBJ previous = SelectObject(dc, brush);
    FillRect(dc, &rect, brush);
    if (previous != nullptr)
        SelectObject(dc, previous);
    return DeleteObject(brush) != FALSE;
}

void TextArea::Draw(HDC dc, const char* text)
{
    if (font != nullptr)
        savedFont = static_cast<HFONT>(SelectObject(dc, font));
    SetBkColor(dc, backColour);
    DrawTextA(dc, text, -1, &rect, format);
    if (font != nullptr && savedFont != nullptr)
        SelectObject(dc, savedFont);
}
