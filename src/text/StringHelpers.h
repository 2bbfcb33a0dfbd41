#pragma once

#include "text/LeadBytes.h"

// In-place helpers for file names; they need no Windows API.

// Capitalises the ASCII letters a to z and leaves every other byte as it is; answers text.
char* UppercaseAscii(char* text);
// The same for one character.
char UppercaseAsciiLetter(char c);

// Cuts the extension off a file name or path: the text from its last dot, when that dot
// comes after the last backslash or colon. A text without an extension stays as it is. The path
// is read in the code page whose lead bytes are given.
void StripExtension(char* path, const LeadBytes& leadBytes);
