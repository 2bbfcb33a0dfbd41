#include "support/HandleCount.h"

#include <windows.h>
#include <winternl.h>

#include <vector>

namespace {

// SystemExtendedHandleInformation: every handle of every process, each entry naming its process.
const int kExtendedHandleInformation = 64;
const NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

// The entry's pointer-sized fields make it 28 bytes in a 32-bit process and 40 in a 64-bit one.
struct HandleEntry {
    void* object;
    ULONG_PTR processId;
    ULONG_PTR handleValue;
    ULONG grantedAccess;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG handleAttributes;
    ULONG reserved;
};

struct HandleTable {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};

} // namespace

long OpenHandleCount()
{
    std::vector<unsigned char> buffer(64 * 1024);
    NTSTATUS status = kInfoLengthMismatch;
    // other processes open and close handles meanwhile, so the needed size may grow again
    for (int attempt = 0; attempt < 8 && status == kInfoLengthMismatch; ++attempt) {
        ULONG needed = 0;
        status = NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(kExtendedHandleInformation),
                                          buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kInfoLengthMismatch)
            buffer.resize(needed > buffer.size() ? needed + 16 * 1024 : buffer.size() * 2);
    }
    if (status < 0)
        return -1;
    const HandleTable* table = reinterpret_cast<const HandleTable*>(buffer.data());
    ULONG_PTR self = GetCurrentProcessId();
    long count = 0;
    for (ULONG_PTR i = 0; i < table->count; ++i)
        count += table->entries[i].processId == self;
    return count;
}
