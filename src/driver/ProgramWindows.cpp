#include "driver/ProgramWindows.h"

#include <cstring>
#include <vector>

// A window that has not answered in this time is taken as hung.
static constexpr UINT kAnswerTimeoutMs = 5000;

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window))
        return TRUE;
    char className[64];
    if (GetClassNameA(window, className, sizeof className) == 0 || std::strcmp(className, search.className) != 0)
        return TRUE;
    // a top-level window's caption is read without a message, so a busy program cannot hold the search up
    char caption[256] = {};
    if (search.caption != nullptr)
        GetWindowTextA(window, caption, sizeof caption);
    if (search.caption != nullptr && std::strcmp(caption, search.caption) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

} // namespace

HWND FindProgramWindow(DWORD processId, const char* className, const char* caption)
{
    WindowSearch search = {processId, className, caption, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChild(HWND parent, const char* className, const char* text)
{
    return FindWindowExA(parent, nullptr, className, text);
}

std::string WindowText(HWND window)
{
    LRESULT length = AskWindow(window, WM_GETTEXTLENGTH, 0, 0, 0);
    if (length <= 0)
        return "";
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kAnswerTimeoutMs, &copied))
        return "";
    return std::string(text.data(), std::strlen(text.data()));
}

LRESULT AskWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT fallback)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer))
        return fallback;
    return static_cast<LRESULT>(answer);
}
