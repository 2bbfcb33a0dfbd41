#include "driver/ProgramSession.h"

#include "driver/ProgramWindows.h"
#include "resource.h"

#include <commctrl.h>

namespace {

constexpr char kMainClass[] = "MainClass";
constexpr char kButtonBarClass[] = "BtnBarClass";

bool PostClick(HWND button)
{
    return button != nullptr && IsWindowEnabled(button) && PostMessageA(button, BM_CLICK, 0, 0);
}

} // namespace

bool ProgramSession::Start(const char* programPath)
{
    wait.reset();
    mainWindow = nullptr;
    if (!program.Start(programPath))
        return false;
    wait = std::make_unique<WindowWait>(program);
    mainWindow = WaitForWindow(kMainClass, nullptr);
    return mainWindow != nullptr;
}

bool ProgramSession::Exit(DWORD& exitCode)
{
    return Press(IDM_EXIT) && program.WaitForExit(kWindowTimeoutMs, exitCode);
}

bool ProgramSession::WaitForExit(DWORD timeoutMs, DWORD& exitCode)
{
    // a user may take hours; the events of the windows would only pile up unread meanwhile
    wait.reset();
    return program.WaitForExit(timeoutMs, exitCode);
}

HWND ProgramSession::FolderList() const
{
    return FindChild(mainWindow, WC_LISTVIEWA, nullptr);
}

int ProgramSession::RowCount() const
{
    return static_cast<int>(AskWindow(FolderList(), LVM_GETITEMCOUNT, 0, 0, -1));
}

int ProgramSession::SelectedRow() const
{
    return static_cast<int>(AskWindow(FolderList(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED, -1));
}

std::string ProgramSession::StatusText() const
{
    return WindowText(FindChild(mainWindow, STATUSCLASSNAMEA, nullptr));
}

bool ProgramSession::Press(int commandId)
{
    return PostClick(GetDlgItem(FindChild(mainWindow, kButtonBarClass, nullptr), commandId));
}

bool ProgramSession::SelectFirstRow()
{
    HWND list = FolderList();
    RECT header = {};
    if (list == nullptr || !GetWindowRect(FindChild(list, WC_HEADERA, nullptr), &header))
        return false;
    // a point inside the first row: just below the column header, over its text
    LPARAM point = MAKELPARAM(40, header.bottom - header.top + 4);
    if (!PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point) || !PostMessageA(list, WM_LBUTTONUP, 0, point))
        return false;
    return WaitUntil([this] { return SelectedRow() == 0; }, kWindowTimeoutMs);
}

HWND ProgramSession::WaitForWindow(const char* className, const char* caption, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindProgramWindow(program.Id(), className, caption)) != nullptr; }, timeoutMs);
    return found;
}

bool ProgramSession::WaitUntilGone(HWND window, DWORD timeoutMs)
{
    return WaitUntil([window] { return !IsWindow(window); }, timeoutMs);
}

bool ProgramSession::WaitUntil(const std::function<bool()>& state, DWORD timeoutMs)
{
    return wait != nullptr && wait->Until(state, timeoutMs);
}

bool Click(HWND window, int controlId)
{
    return PostClick(GetDlgItem(window, controlId));
}

bool ClickText(HWND window, const char* text)
{
    return PostClick(FindChild(window, WC_BUTTONA, text));
}

bool IsChecked(HWND dialog, int controlId)
{
    return AskWindow(GetDlgItem(dialog, controlId), BM_GETCHECK, 0, 0, BST_UNCHECKED) == BST_CHECKED;
}
