#pragma once

#include "document/DocumentHost.h"

#include <windows.h>

#include <string>

// Opens a data file as CreateFileA does, trying again for a moment while another program (an
// indexer, an antivirus, a sync client, another save) holds it in a way that excludes this open.
HANDLE OpenDataFile(const char* path, DWORD access, DWORD share, DWORD creation);
// True for the errors of a file another program holds for a moment.
bool IsPassingConflict(DWORD error);
// Waits before the next try at a file another program holds.
void WaitForHolder();

// The last-write time and size of an open file, or of the file a path names; unknown when they
// cannot be had.
DataFileStamp StampOf(HANDLE file);
DataFileStamp StampOf(const char* path);

// A data file held from re-reading it to replacing it. Other programs may read it meanwhile, but
// none may write, rename or delete it, so two read-modify-writes never interleave: a second one
// waits in Acquire, and a rename over the held file fails.
class DataFileLock {
public:
    DataFileLock() = default;
    ~DataFileLock() { Release(); }
    DataFileLock(const DataFileLock&) = delete;
    DataFileLock& operator=(const DataFileLock&) = delete;

    // Holds the existing file, waiting a moment for another holder; ERROR_SUCCESS, or the error
    // that kept it (ERROR_FILE_NOT_FOUND when there is no such file).
    DWORD Acquire(const char* path);
    // The whole file as it is now; false when it cannot be read or is too large for a folder list.
    bool ReadAll(std::string& text) const;
    DataFileStamp Stamp() const { return StampOf(file); }
    void Release();

private:
    HANDLE file = INVALID_HANDLE_VALUE;
};
