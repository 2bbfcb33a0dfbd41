#pragma once

#include "document/SettingsKey.h"

#include <cstddef>

// What the main window remembers between runs in the Settings key: the data file that was open
// and the window's placement. Read once at start-up, written once at the end.
class RegistrySettings {
public:
    // programKey is the key below HKEY_CURRENT_USER that holds the Settings subkey.
    explicit RegistrySettings(const char* programKey = ProgramKeyName);

    // Reads the remembered data file path into dataFilePath (size bytes); empty when none is
    // remembered or it does not fit. When the key cannot be opened, dataFilePath is left as it is.
    bool readDataFilePath(char* dataFilePath, std::size_t size) const;
    // Applies the stored placement to window. False when no complete, on-screen placement is
    // stored; the caller then shows the window itself.
    bool RestorePlacement(HWND window) const;
    // Stores dataFilePath and window's placement. True only when the whole placement was stored.
    bool SaveState(HWND window, const char* dataFilePath) const;

private:
    const char* programKey;
};
