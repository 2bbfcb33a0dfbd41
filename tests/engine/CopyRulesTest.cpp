#include "engine/CopyRules.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;

CalendarTime At(int hour, int minute)
{
    CalendarTime time;
    time.year = 2026;
    time.month = 3;
    time.day = 29;
    time.hour = hour;
    time.minute = minute;
    return time;
}

} // namespace

TEST(IsCopyCurrent, NeedsTheSourcesSizeWhateverTheCopysTime)
{
    EXPECT_TRUE(IsCopyCurrent(At(10, 30), 500, At(10, 30), 500));
    EXPECT_FALSE(IsCopyCurrent(At(10, 30), 500, At(10, 29), 500));
    // cut short, with a fresh time; and an hour later after a clock change on FAT
    EXPECT_FALSE(IsCopyCurrent(At(10, 30), 500, At(23, 59), 120));
    EXPECT_FALSE(IsCopyCurrent(At(10, 30), 4 * kGiB, At(11, 30), 0));
}

TEST(AsksForAnotherDisk, OnlyForAFullDiskOrAVolumeGone)
{
    struct Case {
        unsigned long code;
        bool volumeAnswers;
        bool asks;
    };
    const Case cases[] = {
        {kErrorDiskFull, true, true}, {kErrorHandleDiskFull, true, true}, {3, false, true}, {21, false, true},
        {123, true, false},           {5, true, false},                   {19, true, false}, {183, true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.asks, AsksForAnotherDisk(c.code, c.volumeAnswers)) << c.code << " " << c.volumeAnswers;
}

TEST(IsTooLargeForFileSystem, FatHoldsLessThanFourGibibytesAndAFullDiskWithRoomRefusesBySize)
{
    struct Case {
        const char* fileSystem;
        std::uint64_t fileSize;
        std::uint64_t freeBytes;
        unsigned long code;
        bool tooLarge;
    };
    const Case cases[] = {
        {"FAT32", 4 * kGiB, 10 * kGiB, kErrorDiskFull, true},
        {"FAT", 5 * kGiB, 1 * kGiB, kErrorHandleDiskFull, true},
        {"FAT32", 4 * kGiB - 1, 1 * kGiB, kErrorDiskFull, false},
        {"exFAT", 5 * kGiB, 1 * kGiB, kErrorDiskFull, false},
        {"NTFS", 5 * kGiB, 1 * kGiB, kErrorDiskFull, false},
        // refused as full although the space left would take it: the file system's own limit
        {"NTFS", 700, 700, kErrorDiskFull, true},
        {"", 700, 699, kErrorDiskFull, false},
        {"NTFS", 0, 0, kErrorDiskFull, false},
        // other refusals are not a question of size
        {"FAT32", 5 * kGiB, 10 * kGiB, 5, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.tooLarge, IsTooLargeForFileSystem(c.fileSystem, c.fileSize, c.freeBytes, c.code))
            << c.fileSystem << " " << c.fileSize << " " << c.freeBytes << " " << c.code;
}
