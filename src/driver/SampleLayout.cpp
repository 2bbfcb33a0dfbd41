#include "driver/SampleLayout.h"

#include <windows.h>

#include <shlobj.h>

namespace {

// Git keeps no hidden or system attribute, so the layout gives them.
const struct {
    const char* file;
    DWORD attributes;
} kSampleAttributes[] = {
    {"Documents\\Diary.txt", FILE_ATTRIBUTE_HIDDEN},
    {"Settings\\Boot.cfg", FILE_ATTRIBUTE_SYSTEM},
};

constexpr char kSettingsKey[] = "Software\\Pennyroyal\\Tvault\\Settings";

bool IsDots(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Removes a folder and everything in it, clearing the attributes that would refuse it. A link
// to a folder is removed, never followed.
void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (IsDots(entry.cFileName))
                continue;
            std::string path = folder + entry.cFileName;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (isFolder && (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveDirectoryA(path.c_str());
            else if (isFolder)
                RemoveTree(path + "\\");
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

bool CopyTree(const std::string& from, const std::string& to)
{
    if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((from + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool copied = true;
    do {
        if (IsDots(entry.cFileName))
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copied = CopyTree(from + entry.cFileName + "\\", to + entry.cFileName + "\\");
        else
            copied = CopyFileA((from + entry.cFileName).c_str(), (to + entry.cFileName).c_str(), FALSE) != 0;
    } while (copied && FindNextFileA(search, &entry));
    FindClose(search);
    return copied;
}

// The program's data folder, ending in "\"; empty when the shell does not name it.
std::string DataFolder()
{
    char appData[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return "";
    return std::string(appData) + "\\Pennyroyal\\Trellisvault\\";
}

bool MakeFolderPath(const std::string& folder)
{
    int made = SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    return made == ERROR_SUCCESS || made == ERROR_ALREADY_EXISTS;
}

bool RememberDataFile(const std::string& path)
{
    HKEY settings = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &settings, nullptr) != ERROR_SUCCESS)
        return false;
    LONG stored = RegSetValueExA(settings, "DataFile", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                                 static_cast<DWORD>(path.size() + 1));
    RegCloseKey(settings);
    return stored == ERROR_SUCCESS;
}

} // namespace

bool LayOutSample(const std::string& examplesFolder, std::string& failure)
{
    RemoveTree(kSampleFolder);
    if (!CopyTree(examplesFolder + "Sample\\", kSampleFolder)) {
        failure = "cannot copy " + examplesFolder + "Sample\\ to " + kSampleFolder;
        return false;
    }
    for (const auto& file : kSampleAttributes) {
        std::string path = std::string(kSampleFolder) + file.file;
        if (!SetFileAttributesA(path.c_str(), file.attributes)) {
            failure = "cannot set the attributes of " + path;
            return false;
        }
    }
    std::string dataFile = SampleDataFile();
    if (dataFile.empty() || !MakeFolderPath(DataFolder()) ||
        !CopyFileA((examplesFolder + "Sample.ini").c_str(), dataFile.c_str(), FALSE)) {
        failure = "cannot copy the sample's folder list to " + dataFile;
        return false;
    }
    if (!RememberDataFile(dataFile)) {
        failure = std::string("cannot write DataFile below HKEY_CURRENT_USER\\") + kSettingsKey;
        return false;
    }
    DeleteFileA(BackupLogPath().c_str());
    return true;
}

std::string SampleDataFile()
{
    std::string folder = DataFolder();
    return folder.empty() ? folder : folder + "Sample.ini";
}

std::string BackupLogPath()
{
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temp, temp);
    return std::string(length > 0 && length < sizeof temp ? temp : "\\") + "BackupLog.txt";
}
