#pragma once

#include "text/LeadBytes.h"

#include <cstddef>

// Turns a folder picked in the shell's browser into the form the folder list and the destination
// use: ending in exactly one "\". A drive root "C:\" stays "C:\"; "C:\Work" becomes "C:\Work\";
// a network folder "\\x\share" becomes "\\x\share\". False, leaving the text as it was, when
// the "\" does not fit the buffer. The path is read in the code page of leadBytes.
bool EndFolderWithBackslash(char* path, std::size_t size, const LeadBytes& leadBytes);
