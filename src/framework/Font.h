#pragma once

#include <windows.h>

// A font sized in points for a device, with the colour its text is drawn in.
// The caller fills description (weight, underline, ...) before SetFace.
class Font {
public:
    Font();
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Sets the face (kept when faceName is empty) and the height in points for dc, then makes the font.
    void SetFace(HDC dc, const char* faceName, int points);
    // Makes the font from description, replacing one made before, and measures it on dc.
    void Realize(HDC dc);
    // Sets the text colour and selects the font into dc; answers the font that was selected.
    HFONT Select(HDC dc);
    // Deletes the font; answers false when there was none or it could not be deleted.
    bool Release();

    int avgCharWidth = 0;
    int lineHeight = 0;
    HFONT handle = nullptr;
    COLORREF textColour = 0;
    LOGFONTA description;
};
