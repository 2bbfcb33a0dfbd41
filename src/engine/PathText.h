#pragma once

#include <cstddef>

// Cuts a path in place right after its last "\", ":" or "/"; a text holding none becomes empty.
void CutToFolder(char* path);

// Cuts the last folder off a folder path that ends in "\", keeping the "\" in front of it:
// "C:\Data\Sub\" becomes "C:\Data\".
void CutLastFolder(char* folderPath);

enum class DestinationMapping { Mapped, UnknownPath, TooLong };

// The mirror of a source folder under the destination root: the root, then the drive letter
// and "-Backup" (or the server name of a network path), then the rest of the source path.
DestinationMapping MapDestinationFolder(const char* destination, const char* sourceFolder, char* out, std::size_t outSize);
