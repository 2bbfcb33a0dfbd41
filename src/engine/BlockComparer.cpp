#include "engine/BlockComparer.h"

#include <cstring>

BlockComparer::BlockComparer(const std::atomic<int>& stop) : stopRequested(stop), sourceBlock(kBlockSize), copyBlock(kBlockSize)
{
}

// Fills the block with `wanted` bytes; a file that ends sooner answers fewer.
static bool ReadBlock(HANDLE file, char* block, DWORD wanted, DWORD& got)
{
    got = 0;
    while (got < wanted) {
        DWORD read = 0;
        if (!ReadFile(file, block + got, wanted - got, &read, nullptr))
            return false;
        if (read == 0)
            break;
        got += read;
    }
    return true;
}

BlockComparer::Result BlockComparer::Compare(HANDLE source, HANDLE copy, std::uint64_t size, DWORD& failure)
{
    for (std::uint64_t left = size; left > 0;) {
        if (stopRequested)
            return Result::Cancelled;
        DWORD wanted = left < kBlockSize ? static_cast<DWORD>(left) : kBlockSize;
        DWORD sourceGot = 0;
        DWORD copyGot = 0;
        if (!ReadBlock(source, sourceBlock.data(), wanted, sourceGot)) {
            failure = GetLastError();
            return Result::SourceUnreadable;
        }
        if (!ReadBlock(copy, copyBlock.data(), wanted, copyGot)) {
            failure = GetLastError();
            return Result::CopyUnreadable;
        }
        // a file that ended early changed since its size was taken
        if (sourceGot != wanted || copyGot != wanted || std::memcmp(sourceBlock.data(), copyBlock.data(), wanted) != 0)
            return Result::Different;
        left -= wanted;
    }
    return Result::Same;
}
