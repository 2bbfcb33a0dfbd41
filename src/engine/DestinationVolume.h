#pragma once

#include <cstddef>
#include <cstdint>

// What the volume that holds a destination path tells of itself.

// The free bytes available to the caller, 0 when the volume cannot be asked.
std::uint64_t FreeSpaceOf(const char* path);

// Whether the volume still answers; a removed disk or a lost share does not.
bool VolumeAnswers(const char* path);

// The name of its file system ("NTFS", "FAT32"), empty when it cannot be told.
void FileSystemOf(const char* path, char* name, std::size_t size);
