#include "document/DestinationHistory.h"

#include "document/DestinationText.h"
#include "document/MruOrder.h"
#include "document/SettingsKey.h"
#include "engine/AnsiCodePage.h"
#include "text/BoundedText.h"

#include <cstring>

DestinationHistory::~DestinationHistory()
{
    releaseHistory();
}

bool DestinationHistory::loadHistory(HWND combo, int textSize, int maximum, const char* programKey,
                                     const char* subkeyName)
{
    if (!combo || textSize < 2 || maximum < 1 || maximum > 26)
        return false;
    releaseHistory();
    comboBox = combo;
    keyName = std::string(programKey) + "\\" + subkeyName;
    maximumEntries = maximum;
    count = 0;
    text.assign(static_cast<std::size_t>(textSize), '\0');
    SendMessageA(comboBox, CB_LIMITTEXT, static_cast<WPARAM>(textSize - 1), 0);
    // one letter more than the history ever holds can be read, and its terminator
    order.assign(static_cast<std::size_t>(maximum) + 2, '\0');

    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        KeyCloser closer(key);
        if (readString(key, "MRUList", order.data(), static_cast<DWORD>(order.size()), "")) {
            count = std::strlen(order.data());
            for (std::size_t i = 0; i < count; ++i) {
                const char letterName[2] = {order[i], '\0'};
                // an entry whose value is missing or unreadable is left out of the list
                if (!readString(key, letterName, text.data(), static_cast<DWORD>(text.size()), ""))
                    continue;
                LRESULT position = SendMessageA(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.data()));
                // each entry keeps its own letter, since a left-out entry shifts the later ones
                if (position >= 0)
                    SendMessageA(comboBox, CB_SETITEMDATA, static_cast<WPARAM>(position),
                                 static_cast<LPARAM>(static_cast<unsigned char>(order[i])));
            }
            text[0] = '\0';
            LRESULT firstLength = SendMessageA(comboBox, CB_GETLBTEXTLEN, 0, 0);
            if (firstLength != CB_ERR && static_cast<std::size_t>(firstLength) < text.size())
                SendMessageA(comboBox, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
        }
    }
    SetWindowTextA(comboBox, text.data());
    ready = true;
    return true;
}

bool DestinationHistory::pushHistory(char* buffer, std::size_t bufferSize)
{
    if (bufferSize == 0)
        return false;
    buffer[0] = '\0';
    if (!ready)
        return false;
    // the field's limit holds only for typing: a text set by the program can be longer, and
    // cut to the history's buffer it would name somewhere the user never chose
    if (static_cast<std::size_t>(GetWindowTextLengthA(comboBox)) >= text.size())
        return false;
    GetWindowTextA(comboBox, text.data(), static_cast<int>(text.size()));
    text.back() = '\0';
    // likewise a destination cut to the caller's buffer, or one without room for its separator
    if (text[0] == '\0' || !EndDestinationWithSeparator(text.data(), text.size(), AnsiLeadBytes())
        || !CopyText(buffer, bufferSize, text.data())) {
        buffer[0] = '\0';
        return false;
    }
    recordDestination(text.data());
    return true;
}

bool DestinationHistory::recordDestination(const char* destination)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    KeyCloser closer(key);
    LRESULT position = SendMessageA(comboBox, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(destination));
    // an entry without a letter of the order was not put there by the history; it counts as new
    char letter = '\0';
    if (position != CB_ERR) {
        LRESULT itemLetter = SendMessageA(comboBox, CB_GETITEMDATA, static_cast<WPARAM>(position), 0);
        if (itemLetter > 0 && itemLetter <= 0xFF && std::memchr(order.data(), static_cast<int>(itemLetter), count))
            letter = static_cast<char>(itemLetter);
    }
    if (letter != '\0') {
        // the stored text keeps the letter case it was first stored with
        if (letter == order[0])
            return true;
    } else {
        letter = LetterForNewEntry(order.data(), count, static_cast<std::size_t>(maximumEntries));
        if (letter == '\0')
            return false;
        const char letterName[2] = {letter, '\0'};
        if (RegSetValueExA(key, letterName, 0, REG_SZ, reinterpret_cast<const BYTE*>(destination),
                           static_cast<DWORD>(std::strlen(destination) + 1)) != ERROR_SUCCESS)
            return false;
    }
    if (!MoveLetterToFront(order.data(), order.size(), letter))
        return false;
    count = std::strlen(order.data());
    return RegSetValueExA(key, "MRUList", 0, REG_SZ, reinterpret_cast<const BYTE*>(order.data()),
                          static_cast<DWORD>(count + 1)) == ERROR_SUCCESS;
}

void DestinationHistory::releaseHistory()
{
    if (!ready)
        return;
    std::vector<char>().swap(text);
    std::vector<char>().swap(order);
    std::string().swap(keyName);
    comboBox = nullptr;
    count = 0;
    ready = false;
}
