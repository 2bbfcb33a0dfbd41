#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <string>

TempFolder::TempFolder(const char* name)
{
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp) {
        ADD_FAILURE() << "GetTempPathA failed";
        return;
    }
    // two folders of one name made within the same tick must not share, and so remove, one tree
    static unsigned made;
    std::string unique = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-" +
                         std::to_string(++made);
    path = std::string(temp) + "tv-" + name + "-" + unique + "\\";
    RemoveTree(path);
    if (!CreateDirectoryA(path.c_str(), nullptr))
        ADD_FAILURE() << "cannot create " << path << ", error " << GetLastError();
}

TempFolder::~TempFolder()
{
    if (!path.empty())
        RemoveTree(path);
}

void TempFolder::MakeFolder(const std::string& relative) const
{
    std::string full = path;
    for (char c : relative) {
        full += c;
        if (c == '\\')
            CreateDirectoryA(full.c_str(), nullptr);
    }
    if (!full.empty() && full.back() != '\\')
        CreateDirectoryA(full.c_str(), nullptr);
}

void TempFolder::WriteFile(const std::string& relative, const std::string& content) const
{
    std::string::size_type slash = relative.rfind('\\');
    if (slash != std::string::npos)
        MakeFolder(relative.substr(0, slash + 1));
    std::string full = path + relative;
    HANDLE file = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot create " << full << ", error " << GetLastError();
        return;
    }
    DWORD written = 0;
    if (!::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) || written != content.size())
        ADD_FAILURE() << "cannot write " << full;
    CloseHandle(file);
}

void RemoveTree(const std::string& folder)
{
    std::string base = folder;
    if (!base.empty() && base.back() != '\\')
        base += '\\';
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((base + "*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = base + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            // a link is removed, never followed: its target may lie outside the tree
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                RemoveDirectoryA(full.c_str());
            else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    SetFileAttributesA(base.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(base.c_str());
}

std::string ReadWholeFile(const std::string& path)
{
    std::string content;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return content;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        content.append(chunk, got);
    CloseHandle(file);
    return content;
}

std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool SmallDiskMounted()
{
    ULARGE_INTEGER available, total, totalFree;
    return GetDiskFreeSpaceExA("U:\\", &available, &total, &totalFree) && total.QuadPart < 2 * 1024 * 1024;
}

bool SmallDiskRequired()
{
    char value[8] = "";
    DWORD length = GetEnvironmentVariableA("TV_SMALL_DISK_REQUIRED", value, sizeof value);
    return length > 0 && length < sizeof value && value[0] == '1' && value[1] == '\0';
}
