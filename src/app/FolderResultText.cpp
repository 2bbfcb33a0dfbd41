#include "app/FolderResultText.h"

#include "text/BoundedText.h"

#include <cstring>

bool EndFolderWithBackslash(char* path, std::size_t size)
{
    std::size_t length = std::strlen(path);
    if (length > 0 && path[length - 1] == '\\')
        return true;
    // nothing of the "\" is appended when it does not fit
    return AppendText(path, size, "\\");
}
