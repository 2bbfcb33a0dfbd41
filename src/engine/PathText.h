#pragma once

#include "text/LeadBytes.h"

#include <cstddef>

// Each helper reads the path in the code page whose lead bytes it is given (FolderPaths.h gives
// the one-argument forms in the ANSI code page).

// Cuts a path in place right after its last "\", ":" or "/"; a text holding none becomes empty.
void CutToFolder(char* path, const LeadBytes& leadBytes);

// Cuts the last folder off a folder path that ends in "\", keeping the "\" in front of it:
// "C:\Data\Sub\" becomes "C:\Data\".
void CutLastFolder(char* folderPath, const LeadBytes& leadBytes);

// Where the folders that CreateFolderPath may create begin: past "\\server\share\" or "E:\".
std::size_t UncreatablePartLength(const char* path, const LeadBytes& leadBytes);
// The end of the path component that begins at start: its "\", or the end of the text.
std::size_t ComponentEnd(const char* path, std::size_t start, const LeadBytes& leadBytes);

enum class DestinationMapping { Mapped, UnknownPath, TooLong };

// The mirror of a source folder under the destination root: the root, then the drive letter
// and "-Backup" (or the server name of a network path), then the rest of the source path.
DestinationMapping MapDestinationFolder(const char* destination, const char* sourceFolder, char* out, std::size_t outSize,
                                        const LeadBytes& leadBytes);
