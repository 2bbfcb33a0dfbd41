#include "engine/AnsiPaths.h"

#include <windows.h>

#include <vector>

// The text in the ANSI code page, false when a character had no place in it. Best-fit mapping is
// refused: it would turn "ł" into "l", which names another folder.
static bool ConvertExactly(const wchar_t* text, char* out, std::size_t size)
{
    // UTF-8 holds every character, and refuses the flags that ask about the others
    bool utf8 = GetACP() == CP_UTF8;
    BOOL defaultUsed = FALSE;
    int written = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, text, -1, out, static_cast<int>(size),
                                      nullptr, utf8 ? nullptr : &defaultUsed);
    return written > 0 && !defaultUsed;
}

bool AnsiFormOfPath(const wchar_t* path, char* out, std::size_t size)
{
    if (ConvertExactly(path, out, size))
        return true;
    DWORD length = GetShortPathNameW(path, nullptr, 0);
    if (length == 0)
        return false;
    std::vector<wchar_t> shortPath(length);
    DWORD written = GetShortPathNameW(path, shortPath.data(), length);
    return written > 0 && written < length && ConvertExactly(shortPath.data(), out, size);
}

bool AnsiTempFolder(char* out, std::size_t size)
{
    wchar_t temp[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    return length > 0 && length <= MAX_PATH && AnsiFormOfPath(temp, out, size);
}
