#include "support/MessageRecorder.h"

#include <algorithm>
#include <cstdio>

static const char* const recorderProperty = "TvMessageRecorder";

MessageRecorder::MessageRecorder(HWND recorded, std::vector<UINT> messages)
    : window(recorded), previous(nullptr), only(std::move(messages))
{
    SetPropA(window, recorderProperty, this);
    previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
}

MessageRecorder::~MessageRecorder()
{
    if (IsWindow(window)) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(window, recorderProperty);
    }
}

std::vector<UINT> MessageRecorder::Messages() const
{
    std::vector<UINT> messages;
    for (const Entry& entry : entries)
        messages.push_back(entry.message);
    return messages;
}

size_t MessageRecorder::Count(UINT message) const
{
    return static_cast<size_t>(std::count_if(entries.begin(), entries.end(),
                                             [message](const Entry& entry) { return entry.message == message; }));
}

LRESULT CALLBACK MessageRecorder::RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MessageRecorder* recorder = static_cast<MessageRecorder*>(GetPropA(hwnd, recorderProperty));
    if (recorder == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (recorder->only.empty() || std::find(recorder->only.begin(), recorder->only.end(), message) != recorder->only.end())
        recorder->entries.push_back({message, wParam, lParam});
    WNDPROC next = recorder->previous;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
        RemovePropA(hwnd, recorderProperty);
    }
    return CallWindowProcA(next, hwnd, message, wParam, lParam);
}

std::string MessageNames(const std::vector<UINT>& messages)
{
    struct Name {
        UINT message;
        const char* name;
    };
    static const Name names[] = {
        {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_SIZE, "WM_SIZE"}, {WM_CLOSE, "WM_CLOSE"},
        {WM_COMMAND, "WM_COMMAND"}, {WM_NOTIFY, "WM_NOTIFY"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"}, {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"}, {WM_SYSCHAR, "WM_SYSCHAR"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_PAINT, "WM_PAINT"},
        {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"}, {WM_TIMER, "WM_TIMER"},
        {WM_NCCREATE, "WM_NCCREATE"}, {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_INITDIALOG, "WM_INITDIALOG"}, {WM_SETFONT, "WM_SETFONT"}, {WM_ENDSESSION, "WM_ENDSESSION"},
        {WM_QUERYENDSESSION, "WM_QUERYENDSESSION"}, {0xFA7E, "hint(0xFA7E)"},
    };
    std::string text;
    for (UINT message : messages) {
        if (!text.empty())
            text += ", ";
        const char* found = nullptr;
        for (const Name& name : names) {
            if (name.message == message)
                found = name.name;
        }
        if (found != nullptr) {
            text += found;
        } else {
            char number[16];
            std::snprintf(number, sizeof number, "0x%04X", message);
            text += number;
        }
    }
    return text;
}
