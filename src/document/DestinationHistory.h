#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// The destinations the user recently backed up to, most recent first, kept per user in the
// registry and offered in a combo box's drop-down list. One lives inside each Backup dialog:
// loaded when it opens, pushed when Backup is pressed, released when it closes.
class DestinationHistory {
public:
    DestinationHistory() = default;
    ~DestinationHistory();
    DestinationHistory(const DestinationHistory&) = delete;
    DestinationHistory& operator=(const DestinationHistory&) = delete;

    // Fills comboBox's list from programKey\subkeyName below HKEY_CURRENT_USER and puts the most
    // recent destination in its edit field, limited to textSize - 1 characters. The key is not
    // created. False only for unusable arguments (no combo box, textSize under 2, maximumEntries
    // outside 1 to 26); a missing or unreadable history gives an empty list and is still ready.
    bool loadHistory(HWND comboBox, int textSize, int maximumEntries, const char* programKey, const char* subkeyName);
    // Copies the combo box's edit text, ended with its separator (EndDestinationWithSeparator),
    // into buffer (bufferSize bytes) and records it as the most recent destination. Answers whether
    // the buffer holds a destination; an empty text, one that with its separator is longer than the
    // history's text size or the buffer, or a history that is not ready leave the buffer empty and
    // store nothing.
    bool pushHistory(char* buffer, std::size_t bufferSize);
    // Frees the buffers and ends the history; nothing happens when it is not ready.
    void releaseHistory();

    bool IsReady() const { return ready; }

private:
    bool recordDestination(const char* text);

    HWND comboBox = nullptr;
    std::string keyName;
    int maximumEntries = 0;
    std::vector<char> text;
    std::vector<char> order;
    std::size_t count = 0;
    bool ready = false;
};
