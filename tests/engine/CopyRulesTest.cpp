#include "engine/CopyRules.h"

#include <gtest/gtest.h>

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;

TEST(IsTooLargeForFileSystem, FatHoldsUnderFourGibibytesAndAFullDiskWithRoomRefusesBySize)
{
    struct Case {
        const char* fileSystem;
        std::uint64_t fileSize;
        std::uint64_t freeBytes;
        unsigned long code;
        bool tooLarge;
    } const cases[] = {
        // FAT holds less than 4 GiB, whatever the space left, and whether asked before the copy (0) or after
        {"FAT32", 4 * kGiB, 10 * kGiB, kErrorDiskFull, true}, {"FAT", 5 * kGiB, kGiB, kErrorHandleDiskFull, true},
        {"FAT32", 5 * kGiB, 10 * kGiB, 0, true},              {"FAT32", 4 * kGiB - 1, kGiB, kErrorDiskFull, false},
        {"exFAT", 5 * kGiB, kGiB, kErrorDiskFull, false},
        // refused as full with the space for it left; not for an empty file, nor for another refusal
        {"NTFS", 700, 700, kErrorDiskFull, true}, {"", 700, 699, kErrorDiskFull, false},
        {"NTFS", 0, 0, kErrorDiskFull, false},    {"NTFS", 700, 700, 5, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.tooLarge, IsTooLargeForFileSystem(c.fileSystem, c.fileSize, c.freeBytes, c.code)) << c.fileSystem << " " << c.fileSize;
}
