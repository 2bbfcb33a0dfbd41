#pragma once

#include "engine/BackupUserInterface.h"
#include "text/LeadBytes.h"

// Splits a trimmed row text at its last "\" into the folder (with its "\") and the wildcard
// list. A text without a backslash names no folder; it goes whole to the walk, which reports it.
// Sets row.cut when a part did not fit. The text is read in the code page of leadBytes.
void SplitFolderEntry(char* text, FolderEntryRow& row, const LeadBytes& leadBytes);
