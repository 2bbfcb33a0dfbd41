#include "framework/Font.h"

#include "text/BoundedText.h"

Font::Font()
{
    ZeroMemory(&description, sizeof description);
}

Font::~Font()
{
    Release();
}

void Font::SetFace(HDC dc, const char* faceName, int points)
{
    if (faceName != nullptr && faceName[0] != '\0')
        CopyText(description.lfFaceName, faceName);
    description.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    Realize(dc);
}

void Font::Realize(HDC dc)
{
    Release();
    handle = CreateFontIndirectA(&description);
    if (handle == nullptr)
        return;
    // measure the font just made, not whatever dc had selected, and leave dc as it was
    HGDIOBJ previous = SelectObject(dc, handle);
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics)) {
        avgCharWidth = metrics.tmAveCharWidth;
        lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    }
    if (previous != nullptr)
        SelectObject(dc, previous);
}

HFONT Font::Select(HDC dc)
{
    SetTextColor(dc, textColour);
    if (handle == nullptr)
        return nullptr;
    return static_cast<HFONT>(SelectObject(dc, handle));
}

bool Font::Release()
{
    if (handle == nullptr)
        return false;
    BOOL deleted = DeleteObject(handle);
    handle = nullptr;
    return deleted != FALSE;
}
