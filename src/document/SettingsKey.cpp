#include "document/SettingsKey.h"

#include "text/BoundedText.h"


LONG openSettingsKey(HKEY root, const char* keyName, const char* subkeyName, HKEY* key)
{
    *key = nullptr;
    // a key name is at most 255 characters; a longer path is refused, never opened cut short
    char fullName[512];
    if (!CopyText(fullName, keyName))
        return ERROR_INVALID_PARAMETER;
    if (subkeyName && subkeyName[0] && (!AppendText(fullName, "\\") || !AppendText(fullName, subkeyName)))
        return ERROR_INVALID_PARAMETER;
    HKEY opened = nullptr;
    LONG result = RegCreateKeyExA(root, fullName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                  &opened, nullptr);
    if (result == ERROR_SUCCESS)
        *key = opened;
    return result;
}

bool readDword(HKEY key, const char* name, DWORD* value, DWORD defaultValue)
{
    DWORD type = 0;
    DWORD stored = 0;
    DWORD size = sizeof stored;
    // a value of another type or size, written by hand or by another program, counts as absent
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof stored) {
        *value = defaultValue;
        return false;
    }
    *value = stored;
    return true;
}

bool readString(HKEY key, const char* name, char* buffer, DWORD size, const char* defaultText)
{
    if (size == 0)
        return false;
    DWORD type = 0;
    DWORD length = size;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &length) == ERROR_SUCCESS &&
        type == REG_SZ && length <= size) {
        // a text stored without its terminator is terminated here when there is room for it
        if (length == 0 || buffer[length - 1] == '\0') {
            if (length == 0)
                buffer[0] = '\0';
            return true;
        }
        if (length < size) {
            buffer[length] = '\0';
            return true;
        }
    }
    CopyText(buffer, size, defaultText);
    return false;
}
