#include "document/DataFileLock.h"

#include "document/FolderListFile.h"

// About two seconds in all: longer than a save holds a data file, short enough to report a
// file that stays locked.
constexpr int kOpenAttempts = 40;
constexpr DWORD kAttemptWaitMs = 50;

bool IsPassingConflict(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

void WaitForHolder()
{
    Sleep(kAttemptWaitMs);
}

HANDLE OpenDataFile(const char* path, DWORD access, DWORD share, DWORD creation)
{
    for (int attempt = 1;; ++attempt) {
        HANDLE file = CreateFileA(path, access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return file;
        DWORD error = GetLastError();
        if (!IsPassingConflict(error) || attempt == kOpenAttempts) {
            SetLastError(error);
            return INVALID_HANDLE_VALUE;
        }
        WaitForHolder();
    }
}

static unsigned long long Join(DWORD high, DWORD low)
{
    return (static_cast<unsigned long long>(high) << 32) | low;
}

DataFileStamp StampOf(HANDLE file)
{
    DataFileStamp stamp;
    BY_HANDLE_FILE_INFORMATION information;
    if (file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &information)) {
        stamp.lastWrite = Join(information.ftLastWriteTime.dwHighDateTime, information.ftLastWriteTime.dwLowDateTime);
        stamp.size = Join(information.nFileSizeHigh, information.nFileSizeLow);
        stamp.known = true;
    }
    return stamp;
}

DataFileStamp StampOf(const char* path)
{
    DataFileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA information;
    if (GetFileAttributesExA(path, GetFileExInfoStandard, &information)) {
        stamp.lastWrite = Join(information.ftLastWriteTime.dwHighDateTime, information.ftLastWriteTime.dwLowDateTime);
        stamp.size = Join(information.nFileSizeHigh, information.nFileSizeLow);
        stamp.known = true;
    }
    return stamp;
}

// Write access is asked for only so that a second holder, and every writer, is refused while
// readers are let in; nothing is written through this handle.
DWORD DataFileLock::Acquire(const char* path)
{
    Release();
    file = OpenDataFile(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING);
    return file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
}

bool DataFileLock::ReadAll(std::string& text) const
{
    LARGE_INTEGER size;
    if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &size) || size.QuadPart > FolderListFile::kMaxFileSize)
        return false;
    text.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER
        || (!text.empty() && !ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &got, nullptr)))
        return false;
    text.resize(got);
    return true;
}

void DataFileLock::Release()
{
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
}
