#include "app/FolderEntryText.h"

#include "text/BoundedText.h"

void SplitFolderEntry(char* text, FolderEntryRow& row, const LeadBytes& leadBytes)
{
    char* lastBackslash = leadBytes.FindLast(text, '\\');
    bool wildcardsFit = CopyText(row.wildcards, lastBackslash != nullptr ? lastBackslash + 1 : "");
    if (lastBackslash != nullptr)
        lastBackslash[1] = '\0';
    bool folderFits = CopyText(row.folder, text);
    row.cut = row.cut || !wildcardsFit || !folderFits;
}
