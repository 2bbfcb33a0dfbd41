#pragma once

#include "engine/AnsiCodePage.h"
#include "engine/PathText.h"

// Creates every missing folder along a path ("E:\Backup\C-Backup\Data\" or
// "\\server\share\x\"); true when the whole path exists afterwards. On false, GetLastError
// gives the refusal of the folder that could not be made.
bool CreateFolderPath(const char* path);

// True when the path names an existing folder.
bool FolderExists(const char* path);

// The path helpers of PathText.h in the ANSI code page, the one every "A" function reads.
inline void CutToFolder(char* path)
{
    CutToFolder(path, AnsiLeadBytes());
}

inline void CutLastFolder(char* folderPath)
{
    CutLastFolder(folderPath, AnsiLeadBytes());
}
