#include "framework/Font.h"
#include "framework/InsetFrame.h"
#include "framework/TextArea.h"

#include "support/Pixels.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A 32-bit bitmap in a memory device context, filled with one colour, read back with GetPixel.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        void* bits = nullptr;
        bitmap = CreateTopDownBitmap(dc, width, height, &bits);
        previousBitmap = SelectObject(dc, bitmap);
        RECT all = {0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas()
    {
        SelectObject(dc, previousBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    int Count(const RECT& area, COLORREF colour) const { return CountPixels(*this, area, colour); }

    HDC dc = nullptr;

private:
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
};

// A hidden popup with one static control, standing in for a dialog and its placeholder.
class HostWindow {
public:
    HostWindow(int controlId, int x, int y, int width, int height)
    {
        window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 200, 150, 300, 200, nullptr, nullptr, nullptr, nullptr);
        control = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, x, y, width, height, window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), nullptr, nullptr);
    }
    ~HostWindow() { DestroyWindow(window); }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND window = nullptr;
    HWND control = nullptr;
};

TEXTMETRICA MetricsOf(HFONT font)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    if (previous != nullptr)
        SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return metrics;
}

const COLORREF black = 0x000000;
const COLORREF white = 0xFFFFFF;
const COLORREF grey = 0x808080;
const COLORREF blue = 0xFF0000;

} // namespace

TEST(Font, StartsEmptyAndSetFaceKeepsTheFaceWhenGivenNone)
{
    Font font;
    EXPECT_EQ(nullptr, font.handle);
    EXPECT_EQ(0u, font.textColour);
    LOGFONTA zeros;
    std::memset(&zeros, 0, sizeof zeros);
    EXPECT_EQ(0, std::memcmp(&zeros, &font.description, sizeof zeros));

    HDC dc = GetDC(nullptr);
    ASSERT_NE(nullptr, dc);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    font.SetFace(dc, "MS Sans Serif", 10);
    font.description.lfUnderline = TRUE;
    font.SetFace(dc, "", 12);
    ASSERT_NE(nullptr, font.handle);
    LOGFONTA made;
    ASSERT_EQ(static_cast<int>(sizeof made), GetObjectA(font.handle, sizeof made, &made));
    EXPECT_STREQ("MS Sans Serif", made.lfFaceName);
    EXPECT_TRUE(made.lfUnderline);
    if (dpi == 96)
        EXPECT_EQ(-16, made.lfHeight);
    else
        EXPECT_EQ(-MulDiv(12, dpi, 72), made.lfHeight) << "at " << dpi << " dots per inch";
    ReleaseDC(nullptr, dc);
}

TEST(Font, SetFaceCutsALongFaceNameToThirtyOneCharacters)
{
    Font font;
    HDC dc = GetDC(nullptr);
    font.SetFace(dc, "A face name far longer than thirty-one characters", 9);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(31u, std::strlen(font.description.lfFaceName));
    EXPECT_STREQ("A face name far longer than thi", font.description.lfFaceName);
}

TEST(Font, MeasuresTheFontItMadeAndLeavesTheDeviceContextAlone)
{
    Canvas canvas(10, 10, white);
    HGDIOBJ before = GetCurrentObject(canvas.dc, OBJ_FONT);
    Font font;
    font.description.lfHeight = -40;
    font.Realize(canvas.dc);
    ASSERT_NE(nullptr, font.handle);
    EXPECT_EQ(before, GetCurrentObject(canvas.dc, OBJ_FONT));
    TEXTMETRICA metrics = MetricsOf(font.handle);
    EXPECT_EQ(metrics.tmHeight + metrics.tmExternalLeading, font.lineHeight);
    EXPECT_EQ(metrics.tmAveCharWidth, font.avgCharWidth);
    EXPECT_GE(font.lineHeight, 40);
}

TEST(Font, RealizeReplacesTheFontAndReleaseDeletesItOnce)
{
    Canvas canvas(10, 10, white);
    Font font;
    font.description.lfHeight = -20;
    font.Realize(canvas.dc);
    HFONT first = font.handle;
    ASSERT_NE(nullptr, first);
    font.Realize(canvas.dc);
    EXPECT_NE(nullptr, font.handle);
    EXPECT_EQ(0u, GetObjectType(first)) << "the font made first was not deleted";
    HFONT second = font.handle;
    EXPECT_TRUE(font.Release());
    EXPECT_EQ(nullptr, font.handle);
    EXPECT_EQ(0u, GetObjectType(second));
    EXPECT_FALSE(font.Release());
}

TEST(Font, SelectSetsTheColourAndAnswersThePreviousFont)
{
    Canvas canvas(10, 10, white);
    HGDIOBJ before = GetCurrentObject(canvas.dc, OBJ_FONT);
    Font font;
    font.textColour = 0x800000;
    EXPECT_EQ(nullptr, font.Select(canvas.dc)) << "a font never made selects nothing";
    EXPECT_EQ(before, GetCurrentObject(canvas.dc, OBJ_FONT));
    EXPECT_EQ(0x800000u, GetTextColor(canvas.dc));
    font.description.lfHeight = -12;
    font.Realize(canvas.dc);
    EXPECT_EQ(before, font.Select(canvas.dc));
    EXPECT_EQ(static_cast<HGDIOBJ>(font.handle), GetCurrentObject(canvas.dc, OBJ_FONT));
    SelectObject(canvas.dc, before);
}

TEST(TextArea, AttachTakesTheControlRectangleTwoPixelsInAndMeasuresTheFont)
{
    HostWindow host(1010, 20, 30, 100, 40);
    ASSERT_NE(nullptr, host.control);
    TextArea area;
    area.Attach(host.window, 1010, nullptr, DT_WORDBREAK);
    EXPECT_EQ(22, area.rect.left);
    EXPECT_EQ(32, area.rect.top);
    EXPECT_EQ(118, area.rect.right);
    EXPECT_EQ(68, area.rect.bottom);
    EXPECT_EQ(static_cast<UINT>(DT_WORDBREAK), area.format);
    EXPECT_EQ(nullptr, area.font);
    EXPECT_EQ(white, area.backColour);
    TEXTMETRICA system = MetricsOf(nullptr);
    EXPECT_EQ(system.tmHeight + system.tmExternalLeading, area.lineHeight);
    EXPECT_EQ(system.tmAveCharWidth, area.avgCharWidth);

    HFONT big = CreateFontA(-36, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    ASSERT_NE(nullptr, big);
    area.Attach(host.window, 1010, big, DT_CENTER);
    TEXTMETRICA bigMetrics = MetricsOf(big);
    EXPECT_EQ(bigMetrics.tmHeight + bigMetrics.tmExternalLeading, area.lineHeight);
    EXPECT_EQ(bigMetrics.tmAveCharWidth, area.avgCharWidth);
    EXPECT_EQ(big, area.font);
    DeleteObject(big);
}

TEST(TextArea, AttachToAMissingControlGivesAnEmptyRectangle)
{
    HostWindow host(1010, 20, 30, 100, 40);
    TextArea area;
    area.Attach(host.window, 1011, nullptr, 0);
    EXPECT_TRUE(IsRectEmpty(&area.rect));
}

TEST(TextArea, EraseAndDrawStayInsideTheRectangle)
{
    Canvas canvas(200, 100, white);
    TextArea area;
    SetRect(&area.rect, 20, 10, 180, 60);
    area.backColour = blue;
    EXPECT_TRUE(area.Erase(canvas.dc));
    EXPECT_EQ(160 * 50, canvas.Count(area.rect, blue));
    EXPECT_EQ(white, canvas.At(19, 10));
    EXPECT_EQ(white, canvas.At(180, 59));
    EXPECT_EQ(white, canvas.At(20, 60));
    EXPECT_EQ(white, canvas.At(20, 9));

    HFONT big = CreateFontA(-30, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    ASSERT_NE(nullptr, big);
    HGDIOBJ before = GetCurrentObject(canvas.dc, OBJ_FONT);
    area.font = big;
    area.format = DT_SINGLELINE | DT_LEFT | DT_TOP;
    SetTextColor(canvas.dc, black);
    area.Draw(canvas.dc, "WWWWWWWWWWWWWWWWWWWWWWWW");
    EXPECT_EQ(before, GetCurrentObject(canvas.dc, OBJ_FONT));
    EXPECT_GT(canvas.Count(area.rect, black), 100);
    RECT right = {180, 0, 200, 100};
    RECT below = {0, 60, 200, 100};
    EXPECT_EQ(20 * 100, canvas.Count(right, white)) << "text ran past the right edge";
    EXPECT_EQ(200 * 40, canvas.Count(below, white)) << "text ran below the bottom edge";
    DeleteObject(big);
}

TEST(InsetFrame, StartsWithoutARectangleAndDrawsNothing)
{
    Canvas canvas(20, 20, black);
    InsetFrame frame;
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), frame.highlight);
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), frame.shadow);
    EXPECT_EQ(-1, frame.width);
    EXPECT_EQ(-1, frame.Draw(canvas.dc));
    RECT all = {0, 0, 20, 20};
    EXPECT_EQ(400, canvas.Count(all, black));
}

TEST(InsetFrame, DrawsShadowLeftAndTopAndHighlightRightAndBottom)
{
    Canvas canvas(130, 90, black);
    InsetFrame frame;
    frame.shadow = grey;
    frame.highlight = white;
    RECT rectangle = {10, 20, 110, 70};
    frame.SetRect(rectangle);
    EXPECT_EQ(101, frame.width);
    EXPECT_EQ(51, frame.height);
    HGDIOBJ penBefore = GetCurrentObject(canvas.dc, OBJ_PEN);
    EXPECT_EQ(1, frame.Draw(canvas.dc));
    EXPECT_EQ(penBefore, GetCurrentObject(canvas.dc, OBJ_PEN));

    // the corners: the shadow owns top-left and bottom-left, the highlight the two on the right
    EXPECT_EQ(grey, canvas.At(10, 20));
    EXPECT_EQ(grey, canvas.At(10, 70));
    EXPECT_EQ(white, canvas.At(110, 20));
    EXPECT_EQ(white, canvas.At(110, 70));
    RECT left = {10, 20, 11, 71};
    RECT top = {10, 20, 110, 21};
    RECT right = {110, 20, 111, 71};
    RECT bottom = {11, 70, 111, 71};
    EXPECT_EQ(51, canvas.Count(left, grey));
    EXPECT_EQ(100, canvas.Count(top, grey));
    EXPECT_EQ(51, canvas.Count(right, white));
    EXPECT_EQ(100, canvas.Count(bottom, white));
    RECT inside = {11, 21, 110, 70};
    EXPECT_EQ(99 * 49, canvas.Count(inside, black));
    RECT all = {0, 0, 130, 90};
    // the frame is 101 by 51 pixels: 300 pixels round, nothing else touched
    EXPECT_EQ(130 * 90 - 300, canvas.Count(all, black)) << "drew outside the frame";
}
