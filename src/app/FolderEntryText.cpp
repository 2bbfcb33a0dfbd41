#include "app/FolderEntryText.h"

#include "text/BoundedText.h"

#include <cstring>

void SplitFolderEntry(char* text, FolderEntryRow& row)
{
    char* lastBackslash = std::strrchr(text, '\\');
    bool wildcardsFit = CopyText(row.wildcards, lastBackslash != nullptr ? lastBackslash + 1 : "");
    if (lastBackslash != nullptr)
        lastBackslash[1] = '\0';
    bool folderFits = CopyText(row.folder, text);
    row.cut = row.cut || !wildcardsFit || !folderFits;
}
