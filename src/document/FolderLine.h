#pragma once

#include <cstddef>

// The marker written after a folder line's entry text when its subfolders are included.
constexpr const char kSubfolderMarker[] = "   /subfolders";

// In place: removes leading spaces and tabs by moving the rest to the front, then trailing ones.
void TrimBlanks(char* text);
// In place: a line with a "/" includes subfolders; it is cut at the first "/" and the spaces
// directly before the cut are removed. Answers whether subfolders are included.
bool SplitFolderLine(char* line);
// The line written for a row: its text trimmed, then the marker when subfolders are included.
// False when the result does not fit the buffer.
bool ComposeFolderLine(const char* rowText, bool includeSubfolders, char* line, std::size_t size);
