#include "document/FolderListFile.h"

#include "document/DataFileLock.h"
#include "text/BoundedText.h"

#include <cstring>
#include <string>

FolderListFile::~FolderListFile()
{
    close();
}

bool FolderListFile::openForRead(const char* path)
{
    close();
    // other readers are welcome; a program that is writing the file is waited for a moment
    HANDLE handle = OpenDataFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    held = handle == INVALID_HANDLE_VALUE && IsPassingConflict(GetLastError());
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    readStamp = StampOf(handle);
    DWORD sizeHigh = 0;
    DWORD size = GetFileSize(handle, &sizeHigh);
    // a size of four gigabytes or more would wrap size + 1 to nothing; a failed query is refused too
    if (size == INVALID_FILE_SIZE || sizeHigh != 0 || size > kMaxFileSize) {
        CloseHandle(handle);
        return false;
    }
    char* bytes = static_cast<char*>(GlobalAlloc(GPTR, size + 1));
    if (!bytes) {
        CloseHandle(handle);
        return false;
    }
    DWORD got = 0;
    BOOL readOk = ReadFile(handle, bytes, size, &got, nullptr);
    CloseHandle(handle);
    if (!readOk) {
        GlobalFree(bytes);
        return false;
    }
    fileText = bytes;
    mode = Mode::Reading;
    reader.Attach(fileText, got);
    return true;
}

bool FolderListFile::openForWrite(const char* path)
{
    close();
    file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    mode = Mode::Writing;
    return true;
}

bool FolderListFile::writeAll(const char* bytes, std::size_t length)
{
    if (mode != Mode::Writing)
        return false;
    DWORD written = 0;
    return WriteFile(file, bytes, static_cast<DWORD>(length), &written, nullptr) && written == length;
}

bool FolderListFile::writeSection(const char* name)
{
    char line[44];
    if (!FormatText(line, sizeof line, "[%s]\r\n", name))
        return false;
    return writeAll(line, std::strlen(line));
}

// One write for the text and its line end, however long a row kept as its line was written is.
bool FolderListFile::writeValue(const char* text)
{
    std::string line = std::string(text) + "\r\n";
    return writeAll(line.data(), line.size());
}

bool FolderListFile::flush()
{
    return mode == Mode::Writing && FlushFileBuffers(file);
}

bool FolderListFile::close()
{
    bool closed = true;
    if (mode == Mode::Reading) {
        reader.Detach();
        GlobalFree(fileText);
        fileText = nullptr;
    } else if (mode == Mode::Writing) {
        closed = CloseHandle(file) != FALSE;
        file = INVALID_HANDLE_VALUE;
    }
    mode = Mode::Closed;
    return closed;
}
