#pragma once

#include <windows.h>

// The program's key below HKEY_CURRENT_USER and the subkeys of its settings and destination history.
inline constexpr char ProgramKeyName[] = "Software\\Pennyroyal\\Tvault";
inline constexpr char SettingsSubkeyName[] = "Settings";
inline constexpr char HistorySubkeyName[] = "Combo2";

// Opens keyName\subkeyName below root (keyName alone when subkeyName is null or empty),
// creating it when missing. Answers the Windows result; *key is null unless it is ERROR_SUCCESS.
LONG openSettingsKey(HKEY root, const char* keyName, const char* subkeyName, HKEY* key);

// Reads a REG_DWORD value into *value. Anything else (absent, another type or size) counts as
// a failed read: *value becomes defaultValue and the answer is false.
bool readDword(HKEY key, const char* name, DWORD* value, DWORD defaultValue);

// Reads a REG_SZ value into buffer, terminated. Anything else (absent, another type, or a text
// that does not fit size bytes with its terminator) counts as a failed read: the buffer gets
// defaultText, cut to fit, and the answer is false.
bool readString(HKEY key, const char* name, char* buffer, DWORD size, const char* defaultText);

// Closes a key that the enclosing function opened, on every way out of it.
class KeyCloser {
public:
    explicit KeyCloser(HKEY openedKey) : key(openedKey) {}
    ~KeyCloser()
    {
        if (key)
            RegCloseKey(key);
    }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    HKEY key;
};
