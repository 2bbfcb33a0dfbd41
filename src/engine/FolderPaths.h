#pragma once

// Creates every missing folder along a path ("E:\Backup\C-Backup\Data\" or
// "\\server\share\x\"); true when the whole path exists afterwards. On false, GetLastError
// gives the refusal of the folder that could not be made.
bool CreateFolderPath(const char* path);

// True when the path names an existing folder.
bool FolderExists(const char* path);
