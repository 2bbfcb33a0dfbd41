#include "document/RegistrySettings.h"

#include "framework/MonitorArea.h"

#include <climits>
#include <cstring>

// rcNormal is stored as four signed 32-bit integers, the same in the 32- and 64-bit builds
static_assert(sizeof(RECT) == 16 && sizeof(LONG) == 4, "rcNormal holds a RECT of four 32-bit values");
static_assert(sizeof(WINDOWPLACEMENT) == 44, "WINDOWPLACEMENT is 44 bytes in both builds");

RegistrySettings::RegistrySettings(const char* programKeyName) : programKey(programKeyName)
{
}

bool RegistrySettings::readDataFilePath(char* dataFilePath, std::size_t size) const
{
    if (size == 0 || size > UINT_MAX)
        return false;
    HKEY key;
    if (openSettingsKey(HKEY_CURRENT_USER, programKey, SettingsSubkeyName, &key) != ERROR_SUCCESS)
        return false;
    KeyCloser closer(key);
    return readString(key, "DataFile", dataFilePath, static_cast<DWORD>(size), "");
}

// The show commands GetWindowPlacement reports; anything else was not stored by the program,
// and SW_HIDE would start it with no window at all.
static bool IsStoredShowCommand(DWORD showCmd)
{
    return showCmd == SW_SHOWNORMAL || showCmd == SW_SHOWMINIMIZED || showCmd == SW_SHOWMAXIMIZED;
}

static bool readRectangle(HKEY key, const char* name, RECT* rectangle)
{
    DWORD type = 0;
    RECT stored;
    DWORD size = sizeof stored;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size) != ERROR_SUCCESS ||
        type != REG_BINARY || size != sizeof stored)
        return false;
    *rectangle = stored;
    return true;
}

bool RegistrySettings::RestorePlacement(HWND window) const
{
    HKEY key;
    if (openSettingsKey(HKEY_CURRENT_USER, programKey, SettingsSubkeyName, &key) != ERROR_SUCCESS)
        return false;
    WINDOWPLACEMENT placement;
    placement.length = sizeof placement;
    bool complete = GetWindowPlacement(window, &placement) != FALSE;
    {
        KeyCloser closer(key);
        DWORD flags = 0;
        DWORD showCmd = 0;
        complete = complete && readDword(key, "flags", &flags, 0) && readDword(key, "showCmd", &showCmd, 0) &&
                   readRectangle(key, "rcNormal", &placement.rcNormalPosition);
        placement.flags = flags;
        placement.showCmd = showCmd;
    }
    if (!complete || !IsStoredShowCommand(placement.showCmd))
        return false;
    // judged on the monitor nearest to where it stood, which may lie left of or above the primary one
    RECT stored = ScreenRectOfWorkspace(placement.rcNormalPosition);
    SIZE icon = {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    if (!ReachableInWorkArea(stored, NearestWorkArea(stored), icon))
        return false;
    return SetWindowPlacement(window, &placement) != FALSE;
}

bool RegistrySettings::SaveState(HWND window, const char* dataFilePath) const
{
    HKEY key;
    if (openSettingsKey(HKEY_CURRENT_USER, programKey, SettingsSubkeyName, &key) != ERROR_SUCCESS)
        return false;
    KeyCloser closer(key);
    // the path with its terminator, even when empty, so that an untitled end starts untitled
    RegSetValueExA(key, "DataFile", 0, REG_SZ, reinterpret_cast<const BYTE*>(dataFilePath),
                   static_cast<DWORD>(std::strlen(dataFilePath) + 1));
    WINDOWPLACEMENT placement;
    placement.length = sizeof placement;
    // without a placement there is nothing true to store; the previous one stays
    if (!GetWindowPlacement(window, &placement))
        return false;
    DWORD flags = placement.flags;
    DWORD showCmd = placement.showCmd;
    return RegSetValueExA(key, "flags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), sizeof flags) ==
               ERROR_SUCCESS &&
           RegSetValueExA(key, "showCmd", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&showCmd), sizeof showCmd) ==
               ERROR_SUCCESS &&
           RegSetValueExA(key, "rcNormal", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&placement.rcNormalPosition),
                          sizeof placement.rcNormalPosition) == ERROR_SUCCESS;
}
