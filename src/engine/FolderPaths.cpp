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
        // a folder that exists counts as made, though a DFS share or a locked card refuses to create it
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

// asked of the attributes: making the folder current, even for a moment, could leave a removable
// drive in use, and the process's one current directory is not the test's to move
bool FolderExists(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
