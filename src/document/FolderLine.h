#pragma once

#include "document/FolderListReader.h"
#include "engine/BackupUserInterface.h"
#include "text/LeadBytes.h"

#include <cstddef>

// The marker written after a folder line's entry text when its subfolders are included.
constexpr const char kSubfolderMarker[] = "   /subfolders";

// the longest entry, its marker and CR LF make a line the reader takes whole
static_assert(kLongestEntryText + (sizeof kSubfolderMarker - 1) + 2 <= kLineSize - 1);

// In place: removes leading spaces and tabs by moving the rest to the front, then trailing ones.
void TrimBlanks(char* text);
// In place: a line with a "/" includes subfolders; it is cut at the first "/" and the spaces
// directly before the cut are removed. Answers whether subfolders are included.
bool SplitFolderLine(char* line);
// The length of a text without the spaces and tabs at its two ends.
std::size_t EntryLength(const char* text);
// The run's entry of a row, whatever blanks surround its text: the folder up to and including
// the last "\", and the wildcard list after it. A text without a backslash goes whole to the
// walk as its folder, which reports it. An entry longer than kLongestEntryText is not split but
// marked cut, with as much of it as fits in the folder, for the run to name it as it refuses it.
// The text is read in the code page of leadBytes.
void ReadFolderEntry(const char* rowText, bool includeSubfolders, FolderEntryRow& row, const LeadBytes& leadBytes);
// The line written for a row: its text trimmed, then the marker when subfolders are included.
// A text beginning with "[" keeps one leading space, since as a header it would end the Folders
// section and lose every later row. False when the result does not fit the buffer.
bool ComposeFolderLine(const char* rowText, bool includeSubfolders, char* line, std::size_t size);
// The line written for an option's text: as it is, unless it would read back as the header of a
// section the reader looks up and so hide that section; such a text gets one leading space.
// False when the result does not fit the buffer.
bool ComposeValueLine(const char* value, char* line, std::size_t size);
