#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

// Compares two open files block by block in two buffers it keeps for its life, so that no file is
// ever read whole into memory, and stops at the first block that differs.
class BlockComparer {
public:
    enum class Result { Same, Different, SourceUnreadable, CopyUnreadable, Cancelled };

    // A raised stop flag ends a comparison between two blocks, so Cancel need not wait for the
    // end of a large file.
    explicit BlockComparer(const std::atomic<int>& stop);
    // Compares the first `size` bytes of both, from their current positions; `failure` gives the
    // system's answer to a read that failed.
    Result Compare(HANDLE source, HANDLE copy, std::uint64_t size, DWORD& failure);

private:
    static constexpr DWORD kBlockSize = 64 * 1024;
    const std::atomic<int>& stopRequested;
    std::vector<char> sourceBlock;
    std::vector<char> copyBlock;
};
