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
        // a folder that exists is made, though a DFS share or a locked card refuses to create it
        // again with access denied or write-protected rather than "already exists"
        if (!CreateDirectoryA(work, nullptr)) {
            DWORD failure = GetLastError();
            DWORD attributes = GetFileAttributesA(work);
            if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                // the caller tells a full or removed disk from any other refusal by this code
                SetLastError(failure);
                return false;
            }
        }
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
