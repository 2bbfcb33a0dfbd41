#pragma once

#include <windows.h>

// What makes a folder the same folder by whatever path it is reached: a link or junction to a
// folder has its target's identity, so a walk can tell when it would re-enter a folder.
// Identifying asks only the folder's file index, which is cheap; the volume, which costs more,
// is asked only when two indexes match, of the folders at the paths they were taken from.
struct FolderIdentity {
    ULONGLONG index = 0;
    char path[MAX_PATH] = {};
};

// The file index of the folder at path, following links to their target; false when the folder
// cannot be opened (missing, or access refused) or its file system keeps no file indexes.
bool IdentifyFolder(const char* path, FolderIdentity& identity);

// Whether two identified folders are one: never with different indexes; with equal ones, when
// both are still where they were identified and have the same volume and file id.
bool IsSameFolder(const FolderIdentity& one, const FolderIdentity& other);
