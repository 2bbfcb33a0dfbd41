#pragma once

#include "framework/ButtonBar.h"
#include "framework/ListView.h"
#include "framework/StatusBar.h"
#include "framework/Window.h"

// The application's top-level window: a button bar along the top, a list view filling the
// middle and a status bar along the bottom. It owns the program's message loop.
class MainFrame : public Window {
public:
    MainFrame() = default;

    // Builds the frame and its three children; the objects stay the caller's.
    bool Create(ListView* list, ButtonBar* bar, StatusBar* status);
    using Window::Create;
    // Shows the frame at its stored placement, or with the show command when there is none.
    void Show(int showCommand);
    // windows.h renames this LoadAcceleratorsA wherever it is included, consistently
    bool LoadAccelerators(const char* resourceName);
    // The message loop; answers the exit code carried by WM_QUIT.
    int Run();
    void Layout();
    // Enables or disables every button of the bar, then the frame itself.
    void EnableFrame(bool enable);

    int BarHeight() const { return barHeight; }
    int ClientWidth() const { return clientWidth; }
    int ClientHeight() const { return clientHeight; }

    void AfterDestroy() override;
    bool RegisterWindowClass() override;
    void OnClose() override;
    bool OnCreate() override;
    LRESULT OnQueryEndSession() override;
    void OnSetFocus() override;
    void OnSize(WPARAM wParam, LPARAM lParam) override;

    virtual bool CanClose() { return true; }
    // Lets a derived class set its icon and menu on the class record before registration.
    virtual void AdjustClass(WNDCLASSA&) {}
    // Lets a derived class change the title, styles, position and size before creation.
    virtual void AdjustCreation(CREATESTRUCTA&) {}
    // True when the stored placement was applied, which then replaces the show command.
    virtual bool RestorePlacement() { return false; }

protected:
    HACCEL accelerators = nullptr;
    int clientWidth = 0;
    int clientHeight = 0;
    int barHeight = 0;
    int statusHeight = 0;
    ButtonBar* buttonBar = nullptr;
    StatusBar* statusBar = nullptr;
    ListView* listView = nullptr;
};
