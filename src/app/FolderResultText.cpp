#include "app/FolderResultText.h"

#include "text/BoundedText.h"

bool EndFolderWithBackslash(char* path, std::size_t size, const LeadBytes& leadBytes)
{
    if (leadBytes.EndsWith(path, '\\'))
        return true;
    // nothing of the "\" is appended when it does not fit
    return AppendText(path, size, "\\");
}
