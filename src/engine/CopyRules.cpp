#include "engine/CopyRules.h"

#include <cstring>

bool IsCopyCurrent(const CalendarTime& sourceTime, std::uint64_t sourceSize, const CalendarTime& copyTime, std::uint64_t copySize)
{
    return copySize == sourceSize && IsSameMinuteOrLater(copyTime, sourceTime);
}

bool IsDiskFull(unsigned long code)
{
    return code == kErrorDiskFull || code == kErrorHandleDiskFull;
}

bool AsksForAnotherDisk(unsigned long code, bool volumeAnswers)
{
    return IsDiskFull(code) || !volumeAnswers;
}

// FAT12 and FAT16 volumes report "FAT", FAT32 ones "FAT32"; exFAT holds larger files.
static bool IsFat(const char* fileSystemName)
{
    return std::strcmp(fileSystemName, "FAT") == 0 || std::strcmp(fileSystemName, "FAT32") == 0;
}

bool IsTooLargeForFileSystem(const char* fileSystemName, std::uint64_t fileSize, std::uint64_t freeBytes, unsigned long code)
{
    if (IsFat(fileSystemName) && fileSize > kFatLargestFile)
        return true;
    // an empty file exceeds no file system; a full disk refused it for want of a directory entry
    return IsDiskFull(code) && fileSize != 0 && freeBytes >= fileSize;
}
