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
// A text beginning with "[" keeps one leading space, since as a header it would end the Folders
// section and lose every later row. False when the result does not fit the buffer.
bool ComposeFolderLine(const char* rowText, bool includeSubfolders, char* line, std::size_t size);
// The line written for an option's text: as it is, unless it would read back as the header of a
// section the reader looks up and so hide that section; such a text gets one leading space.
// False when the result does not fit the buffer.
bool ComposeValueLine(const char* value, char* line, std::size_t size);
