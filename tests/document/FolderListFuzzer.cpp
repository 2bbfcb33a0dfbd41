#include "document/FolderListLoader.h"
#include "document/FolderListReader.h"

#include "document/MemoryDocumentHost.h"

#include <cstdint>
#include <cstring>

// Any bytes at all are loaded as a data file; the sanitizers watch every read and write,
// and the loaded fields must fit their limits.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemoryDocumentHost host;
    host.runNewSteps();
    CopyText(host.path, "C:\\Fuzz\\list.ini");
    FolderListReader reader;
    reader.Attach(reinterpret_cast<const char*>(data), size);
    readDocumentText(reader, host);
    if (std::strlen(host.opts.lastBackupDate) > 21 || std::strlen(host.opts.description) > 128
        || std::strlen(host.opts.destination) > 259)
        __builtin_trap();
    for (const MemoryDocumentHost::Row& row : host.rows) {
        if (row.text.size() > 4 + 259)
            __builtin_trap();
    }
    return 0;
}
