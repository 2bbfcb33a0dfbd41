#pragma once

#include <cstddef>

// A path that the system gives in UTF-16, in a form the "A" functions can open: its ANSI text when
// the ANSI code page holds every character of it, otherwise its short (8.3) form when the code
// page holds that. A user name the code page cannot hold ("Алексей" on a Western system) would
// otherwise come as "?" characters that name nothing. False when neither form will do (the volume
// keeps no short names) or out is too small.
bool AnsiFormOfPath(const wchar_t* path, char* out, std::size_t size);

// The user's temporary folder, ending in "\", in that form; false when there is none.
bool AnsiTempFolder(char* out, std::size_t size);
