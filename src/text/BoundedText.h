#pragma once

#include <cstddef>

// Every copy into a fixed text buffer goes through these, so no buffer is ever overrun.
// Each answers false when the text did not fit; the buffer then holds as much as fitted,
// always terminated, and the caller decides what the program does about it.

#if defined(__MINGW32__)
#define TV_PRINTF_FORMAT(formatIndex, firstArg) __attribute__((format(gnu_printf, formatIndex, firstArg)))
#else
#define TV_PRINTF_FORMAT(formatIndex, firstArg) __attribute__((format(printf, formatIndex, firstArg)))
#endif

bool CopyText(char* dest, std::size_t destSize, const char* source);
bool CopyTextPart(char* dest, std::size_t destSize, const char* source, std::size_t sourceLength);
bool AppendText(char* dest, std::size_t destSize, const char* source);
bool FormatText(char* dest, std::size_t destSize, const char* format, ...) TV_PRINTF_FORMAT(3, 4);
bool AppendFormat(char* dest, std::size_t destSize, const char* format, ...) TV_PRINTF_FORMAT(3, 4);

template <std::size_t N>
bool CopyText(char (&dest)[N], const char* source)
{
    return CopyText(dest, N, source);
}

template <std::size_t N>
bool AppendText(char (&dest)[N], const char* source)
{
    return AppendText(dest, N, source);
}
