#pragma once

#include "engine/BackupDate.h"

#include <cstdint>

// The system error codes the copy rules decide on, by the numbers Windows documents for them.
constexpr unsigned long kErrorHandleDiskFull = 39;
constexpr unsigned long kErrorDiskFull = 112;
constexpr unsigned long kErrorFileTooLarge = 223;
// The largest file FAT and FAT32 hold: 4 GiB less one byte.
constexpr std::uint64_t kFatLargestFile = 0xFFFFFFFFull;

// A copy is current when its size is the source's and its time is the same minute or later; a
// copy of another size (cut short, or an hour off on FAT after a clock change) never is.
bool IsCopyCurrent(const CalendarTime& sourceTime, std::uint64_t sourceSize, const CalendarTime& copyTime, std::uint64_t copySize);

// Whether a write refused with this code found the destination full.
bool IsDiskFull(unsigned long code);

// Whether a destination folder that could not be made is a matter for the next-disk question: the
// disk is full, or the volume that held the destination no longer answers (a removed disk).
bool AsksForAnotherDisk(unsigned long code, bool volumeAnswers);

// Whether a file is larger than the destination's file system holds: 4 GiB or more on FAT or
// FAT32, asked before its copy (code 0) or after it; or refused as full (code) while the space
// left would take it.
bool IsTooLargeForFileSystem(const char* fileSystemName, std::uint64_t fileSize, std::uint64_t freeBytes, unsigned long code);
