#include "framework/MainFrame.h"

#include "framework/DpiScale.h"
#include "framework/ProgramInstance.h"

#include <commctrl.h>

bool MainFrame::Create(ListView* list, ButtonBar* bar, StatusBar* status)
{
    listView = list;
    buttonBar = bar;
    statusBar = status;
    RegisterWindowClass();

    CREATESTRUCTA creation = {};
    creation.dwExStyle = 0;
    creation.lpszClass = "MainClass";
    creation.lpszName = "";
    creation.style = WS_OVERLAPPEDWINDOW;
    creation.x = CW_USEDEFAULT;
    creation.y = CW_USEDEFAULT;
    creation.cx = CW_USEDEFAULT;
    creation.cy = CW_USEDEFAULT;
    AdjustCreation(creation);
    // the menu, if any, comes from the class
    hwnd = CreateWindowExA(creation.dwExStyle, creation.lpszClass, creation.lpszName, creation.style, creation.x,
                           creation.y, creation.cx, creation.cy, nullptr, nullptr, ProgramInstance(), this);
    if (hwnd == nullptr)
        return false;

    HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    if (display == nullptr)
        return false;
    TEXTMETRICA metrics = {};
    bool measured = GetTextMetricsA(display, &metrics) != 0;
    DeleteDC(display);
    if (!measured)
        return false;

    RECT client;
    GetClientRect(hwnd, &client);
    barHeight = metrics.tmHeight + DpiScale(hwnd)(12);
    if (!buttonBar->CreateBar(hwnd, 0, 0, client.right - client.left, barHeight))
        return false;
    listView->SetExStyle(WS_EX_CLIENTEDGE);
    return listView->Create(hwnd, 0, "", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
}

void MainFrame::Show(int showCommand)
{
    if (!RestorePlacement())
        ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
}

bool MainFrame::LoadAccelerators(const char* resourceName)
{
    accelerators = ::LoadAcceleratorsA(ProgramInstance(), resourceName);
    return accelerators != nullptr;
}

int MainFrame::Run()
{
    MSG msg;
    // GetMessageA answers -1 on a fault; that ends the loop as a quit would
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (accelerators != nullptr && TranslateAcceleratorA(hwnd, accelerators, &msg) != 0)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void MainFrame::Layout()
{
    int statusPart = statusBar != nullptr ? statusBar->Height() : 0;
    int top = 0;
    if (buttonBar != nullptr && buttonBar->Visible()) {
        top = barHeight;
        statusPart += barHeight;
    }
    struct Placement {
        HWND child;
        int x, y, width, height;
    };
    int statusBarHeight = statusBar != nullptr ? statusBar->Height() : 0;
    const Placement placements[] = {
        {buttonBar != nullptr ? buttonBar->Handle() : nullptr, 0, 0, clientWidth, top},
        {listView != nullptr ? listView->Handle() : nullptr, 0, top, clientWidth, clientHeight - statusPart},
        // the status bar docks itself at its own height; this keeps it where it docked
        {statusBar != nullptr ? statusBar->Handle() : nullptr, 0, clientHeight - statusBarHeight, clientWidth,
         statusBarHeight},
    };
    HDWP positions = BeginDeferWindowPos(3);
    for (const Placement& placement : placements) {
        // during creation the children do not exist yet
        if (positions == nullptr || !IsWindow(placement.child))
            continue;
        positions = DeferWindowPos(positions, placement.child, nullptr, placement.x, placement.y, placement.width,
                                   placement.height, SWP_NOZORDER | SWP_SHOWWINDOW);
    }
    if (positions != nullptr)
        EndDeferWindowPos(positions);
}

void MainFrame::EnableFrame(bool enable)
{
    if (enable)
        buttonBar->EnableAllButtons();
    else
        buttonBar->DisableAllButtons();
    EnableWindow(hwnd, enable ? TRUE : FALSE);
}

void MainFrame::AfterDestroy()
{
    PostQuitMessage(0);
}

bool MainFrame::RegisterWindowClass()
{
    static bool registered;
    WNDCLASSA windowClass =
        FrameworkClass("MainClass", CS_BYTEALIGNCLIENT, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    if (registered)
        return false;
    AdjustClass(windowClass);
    return RegisterClassOnce(registered, windowClass);
}

void MainFrame::OnClose()
{
    if (CanClose())
        Destroy();
}

bool MainFrame::OnCreate()
{
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);
    return statusBar != nullptr && statusBar->CreateStatusBar(hwnd);
}

LRESULT MainFrame::OnQueryEndSession()
{
    return CanClose() ? 1 : 0;
}

void MainFrame::OnSetFocus()
{
    if (listView != nullptr && listView->Handle() != nullptr)
        SetFocus(listView->Handle());
}

void MainFrame::OnSize(WPARAM wParam, LPARAM lParam)
{
    clientWidth = LOWORD(lParam);
    clientHeight = HIWORD(lParam);
    if (statusBar != nullptr && statusBar->Handle() != nullptr)
        statusBar->Resize(wParam, lParam);
    Layout();
}
