#pragma once

#include <windows.h>

// What makes a folder the same folder by whatever path it is reached: a link or junction to a
// folder has its target's identity, so a walk can tell when it would re-enter a folder.
struct FolderIdentity {
    DWORD volumeSerial = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;

    bool operator==(const FolderIdentity& other) const
    {
        return volumeSerial == other.volumeSerial && indexHigh == other.indexHigh && indexLow == other.indexLow;
    }
};

// The identity of the folder at path, following links to their target; false when the folder
// cannot be opened (missing, or access refused).
bool IdentifyFolder(const char* path, FolderIdentity& identity);
