#pragma once

#include "text/BoundedText.h"

#include <cstdio>

// Writes formatted text to stdout or stderr the way the runner's user reads it. A console gets
// the text's characters (converted from the ANSI code page, written with WriteConsoleW), so that
// "Jürgen" does not show in the console's OEM code page as "J³rgen". A file or a pipe gets the
// bytes unchanged, in the ANSI code page, as before.
void ConsolePrint(std::FILE* stream, const char* format, ...) TV_PRINTF_FORMAT(2, 3);
