#pragma once

#include "engine/BackupUserInterface.h"

// Splits a trimmed row text at its last "\" into the folder (with its "\") and the wildcard
// list. A text without a backslash names no folder; it goes whole to the walk, which reports it.
// Sets row.cut when a part did not fit.
void SplitFolderEntry(char* text, FolderEntryRow& row);
