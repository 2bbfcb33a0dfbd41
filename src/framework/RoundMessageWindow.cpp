#include "framework/RoundMessageWindow.h"

#include "framework/ShellOpen.h"

#include <cstring>

RoundMessageWindow::RoundMessageWindow() : link(false)
{
}

bool RoundMessageWindow::ReleaseLinkFont()
{
    return linkFont.Release();
}

void RoundMessageWindow::CreateMessageWindow()
{
    style = WS_POPUP | WS_VISIBLE;
    int width = textWidth + 4 * maxCharWidth;
    int height = lineHeight * (lineCount + (caption[0] != '\0' ? 10 : 8));
    POINT position = {0, 0};
    RECT ownerClient;
    if (owner != nullptr && GetClientRect(owner, &ownerClient)) {
        position.x = ownerClient.right / 2;
        position.y = ownerClient.bottom / 2;
        ClientToScreen(owner, &position);
    }
    CreateHandle("CMSGCLASS", owner, nullptr, "", position.x, position.y, width, height);
    linkCreated = false;
    linkFailure = 0;
}

bool RoundMessageWindow::CreateButtons()
{
    RECT client;
    GetClientRect(hwnd, &client);
    windowWidth = client.right - client.left + 1;
    windowHeight = client.bottom - client.top + 1;
    HRGN ellipse = CreateEllipticRgn(0, 0, windowWidth, windowHeight);
    // the system owns the region once it is the window's; otherwise it is ours to delete
    if (ellipse != nullptr && !SetWindowRgn(hwnd, ellipse, TRUE))
        DeleteObject(ellipse);
    SetWindowPos(hwnd, nullptr, 0, 0, windowWidth, windowHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetButtonsInUse(1);
    return PlaceButton(0, "&Ok", client.right / 2 - scale(30), client.bottom - 3 * lineHeight, IDOK);
}

void RoundMessageWindow::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc == nullptr)
        return;
    HBRUSH brush = CreateSolidBrush(backColour);
    HPEN outline = CreatePen(PS_SOLID, scale(3), 0x0000FF);
    if (brush != nullptr && outline != nullptr) {
        HGDIOBJ previousBrush = SelectObject(dc, brush);
        HGDIOBJ previousPen = SelectObject(dc, outline);
        Ellipse(dc, scale(1), scale(1), windowWidth - scale(2), windowHeight - scale(2));
        SelectObject(dc, previousPen);
        SelectObject(dc, previousBrush);
    }
    if (outline != nullptr)
        DeleteObject(outline);
    if (brush != nullptr)
        DeleteObject(brush);
    if (icon != nullptr)
        DrawIcon(dc, windowWidth / 2 - scale(16), scale(18), icon);
    SetTextColor(dc, textColour);
    SetBkColor(dc, backColour);
    int y = DrawLines(dc, 0, windowWidth, 2 * lineHeight + scale(32));
    if (caption[0] != '\0' && !linkCreated)
        CreateLink(dc, y + lineHeight);
    EndPaint(hwnd, &paint);
}

void RoundMessageWindow::CreateLink(HDC dc, int top)
{
    linkFont.description.lfUnderline = TRUE;
    linkFont.textColour = 0x800000;
    linkFont.SetFace(dc, "MS Sans Serif", 12);
    HFONT previous = linkFont.Select(dc);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, caption, static_cast<int>(std::strlen(caption)), &extent);
    if (previous != nullptr)
        SelectObject(dc, previous);
    linkRect.left = (windowWidth - extent.cx) / 2;
    linkRect.right = linkRect.left + extent.cx;
    linkRect.top = top;
    linkRect.bottom = top + extent.cy;
    link.SetStyle(WS_CHILD | WS_VISIBLE | BS_OWNERDRAW);
    link.Create(hwnd, 0, "", linkRect.left, linkRect.top, extent.cx, extent.cy);
    linkCreated = true;
}

void RoundMessageWindow::OnDrawItem(WPARAM, LPARAM lParam)
{
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!linkCreated || item == nullptr || item->hwndItem != link.Handle())
        return;
    HFONT previous = linkFont.Select(item->hDC);
    SetBkColor(item->hDC, backColour);
    TextOutA(item->hDC, 0, 0, caption, static_cast<int>(std::strlen(caption)));
    if (previous != nullptr)
        SelectObject(item->hDC, previous);
}

void RoundMessageWindow::OnOtherCommand(int, HWND control)
{
    if (!linkCreated || control == nullptr || control != link.Handle())
        return;
    linkFailure = ShellOpen(GetParent(hwnd), caption);
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(SharedButtonId(0), 0), 0);
}
