#include "engine/FolderPaths.h"

#include "text/BoundedText.h"

#include <windows.h>

// Index just past the part of a path that cannot be created: "\\server\share\" or "E:\".
static int SkipUncreatablePart(const char* path)
{
    int i = 0;
    if (path[0] != '\0' && path[1] == '\\') {
        i = 2;
        for (int separators = 0; separators < 2 && path[i] != '\0'; ++i) {
            if (path[i] == '\\')
                ++separators;
        }
        return i;
    }
    while (path[i] != '\0' && path[i] != '\\')
        ++i;
    if (path[i] == '\\')
        ++i;
    return i;
}

bool CreateFolderPath(const char* path)
{
    char work[MAX_PATH];
    if (!CopyText(work, sizeof work, path))
        return false;
    int i = SkipUncreatablePart(work);
    if (work[i] == '\0')
        return FolderExists(work);
    for (;;) {
        while (work[i] != '\0' && work[i] != '\\')
            ++i;
        char ending = work[i];
        work[i] = '\0';
        if (!CreateDirectoryA(work, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        work[i] = ending;
        if (ending == '\0' || work[i + 1] == '\0')
            return true;
        ++i;
    }
}

bool FolderExists(const char* path)
{
    char saved[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof saved, saved);
    bool exists = SetCurrentDirectoryA(path) != 0;
    if (length > 0 && length < sizeof saved)
        SetCurrentDirectoryA(saved);
    return exists;
}
