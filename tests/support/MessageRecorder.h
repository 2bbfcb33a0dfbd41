#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Subclasses a window and logs the messages it receives (all, or only those listed) before
// passing them on. Restores the window's procedure when it goes.
class MessageRecorder {
public:
    struct Entry {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    explicit MessageRecorder(HWND window, std::vector<UINT> only = {});
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<Entry>& Entries() const { return entries; }
    std::vector<UINT> Messages() const;
    size_t Count(UINT message) const;
    void Clear() { entries.clear(); }

private:
    static LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window;
    WNDPROC previous;
    std::vector<UINT> only;
    std::vector<Entry> entries;
};

// "WM_CREATE, WM_SIZE, 0xFA7E" for printing whole sequences on a mismatch.
std::string MessageNames(const std::vector<UINT>& messages);

// Compares two message sequences; on a mismatch the failure shows both whole.
#define EXPECT_MESSAGES(expected, actual) \
    EXPECT_EQ(MessageNames(expected), MessageNames(actual))
