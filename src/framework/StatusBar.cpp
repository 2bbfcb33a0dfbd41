#include "framework/StatusBar.h"

#include <commctrl.h>

#include <new>

bool StatusBar::SetPartCount(int n)
{
    partCount = 0;
    partsAdded = 0;
    if (n < 0)
        return false;
    partStyles.reset(new (std::nothrow) int[n]());
    partWidths.reset(new (std::nothrow) int[n]());
    partEdges.reset(new (std::nothrow) int[n]());
    if (!partStyles || !partWidths || !partEdges)
        return false;
    partCount = n;
    return true;
}

void StatusBar::AddPart(int widthInCharacters, int styleBits)
{
    if (partsAdded >= partCount)
        return;
    partWidths[partsAdded] = widthInCharacters;
    partStyles[partsAdded] = styleBits;
    ++partsAdded;
}

bool StatusBar::CreateStatusBar(HWND parentWindow)
{
    parent = parentWindow;
    AllocateControlId();
    hwnd = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, nullptr, parent, static_cast<UINT>(controlId));
    if (hwnd == nullptr)
        return false;
    SendMessageA(hwnd, SB_SETPARTS, static_cast<WPARAM>(partCount), reinterpret_cast<LPARAM>(partEdges.get()));
    for (int part = 0; part < partCount; ++part)
        SendMessageA(hwnd, SB_SETTEXTA, static_cast<WPARAM>(part | partStyles[part]), 0);
    return true;
}

int StatusBar::Height() const
{
    if (!IsWindowVisible(hwnd))
        return 0;
    RECT bounds;
    GetWindowRect(hwnd, &bounds);
    return bounds.bottom - bounds.top;
}

void StatusBar::Resize(WPARAM wParam, LPARAM lParam)
{
    SendMessageA(hwnd, WM_SIZE, wParam, lParam);
    if (partCount == 0)
        return;
    RECT bounds;
    GetWindowRect(hwnd, &bounds);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    if (font == nullptr)
        font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    HDC context = GetDC(parent);
    HGDIOBJ previousFont = SelectObject(context, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(context, &metrics);
    SelectObject(context, previousFont);
    ReleaseDC(parent, context);
    int averageWidth = metrics.tmAveCharWidth;
    partEdges[partCount - 1] = (bounds.right - bounds.left) - partCount * averageWidth;
    for (int part = partCount - 1; part >= 1; --part)
        partEdges[part - 1] = partEdges[part] - partWidths[part] * averageWidth;
    SendMessageA(hwnd, SB_SETPARTS, static_cast<WPARAM>(partCount), reinterpret_cast<LPARAM>(partEdges.get()));
}

LRESULT StatusBar::SetText(int part, const char* text) const
{
    // a part the bar was never told of gets no style bits, and the control refuses it itself
    int styleBits = part >= 0 && part < partCount ? partStyles[part] : 0;
    return SendMessageA(hwnd, SB_SETTEXTA, static_cast<WPARAM>(part | styleBits), reinterpret_cast<LPARAM>(text));
}
