#include "engine/FolderPaths.h"

#include "text/BoundedText.h"

#include <windows.h>

bool CreateFolderPath(const char* path)
{
    char work[MAX_PATH];
    if (!CopyText(work, sizeof work, path))
        return false;
    std::size_t i = UncreatablePartLength(work, AnsiLeadBytes());
    if (work[i] == '\0')
        return FolderExists(work);
    for (;;) {
        i = ComponentEnd(work, i, AnsiLeadBytes());
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

// asked of the attributes: making the folder current, even for a moment, could leave a removable
// drive in use, and the process's one current directory is not the test's to move
bool FolderExists(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
