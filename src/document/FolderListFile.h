#pragma once

#include "document/DocumentHost.h"
#include "document/FolderListReader.h"
#include "document/FolderListWriter.h"

#include <windows.h>

#include <cstddef>

// Reads a data file whole into memory, or writes one section and value line at a time.
// One object serves one load or one save: opened, used, closed.
class FolderListFile : public LineSink {
public:
    // Files larger than this are not folder lists; they are refused rather than read.
    static constexpr DWORD kMaxFileSize = 16 * 1024 * 1024;

    FolderListFile() = default;
    ~FolderListFile() override;
    FolderListFile(const FolderListFile&) = delete;
    FolderListFile& operator=(const FolderListFile&) = delete;

    bool openForRead(const char* path);
    // After a failed openForRead: another program held the file all the while it was tried.
    bool HeldByOther() const { return held; }
    // After openForRead: the file's last-write time and size as it was read.
    const DataFileStamp& Stamp() const { return readStamp; }
    bool openForWrite(const char* path);

    bool readLine(char* buffer, std::size_t size) { return reader.readLine(buffer, size); }
    bool findSection(const char* name) { return reader.findSection(name); }
    bool readValue(char* buffer, std::size_t size) { return reader.readValue(buffer, size); }
    bool readBool(const char* name, bool fallback) { return reader.readBool(name, fallback); }
    FolderListReader& Reader() { return reader; }

    bool writeSection(const char* name) override;
    bool writeValue(const char* text) override;
    // Writes the bytes as they are.
    bool writeAll(const char* bytes, std::size_t length);
    // Forces the written bytes to the disk, so that a full disk shows before the file is trusted.
    bool flush();

    // Answers false when the written file could not be closed cleanly.
    bool close();

private:
    enum class Mode { Closed, Reading, Writing };

    Mode mode = Mode::Closed;
    char* fileText = nullptr;
    HANDLE file = INVALID_HANDLE_VALUE;
    FolderListReader reader;
    DataFileStamp readStamp;
    bool held = false;
};
