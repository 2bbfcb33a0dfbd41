#include "text/BoundedText.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

bool CopyTextPart(char* dest, std::size_t destSize, const char* source, std::size_t sourceLength)
{
    if (destSize == 0)
        return sourceLength == 0;
    std::size_t length = sourceLength < destSize - 1 ? sourceLength : destSize - 1;
    std::memcpy(dest, source, length);
    dest[length] = '\0';
    return length == sourceLength;
}

bool CopyText(char* dest, std::size_t destSize, const char* source)
{
    return CopyTextPart(dest, destSize, source, std::strlen(source));
}

bool AppendText(char* dest, std::size_t destSize, const char* source)
{
    std::size_t used = strnlen(dest, destSize);
    if (used == destSize)
        return false;
    return CopyText(dest + used, destSize - used, source);
}

static bool FormatInto(char* dest, std::size_t destSize, const char* format, std::va_list args)
{
    if (destSize == 0)
        return false;
    int written = std::vsnprintf(dest, destSize, format, args);
    if (written < 0) {
        dest[0] = '\0';
        return false;
    }
    return static_cast<std::size_t>(written) < destSize;
}

bool FormatText(char* dest, std::size_t destSize, const char* format, ...)
{
    std::va_list args;
    va_start(args, format);
    bool fitted = FormatInto(dest, destSize, format, args);
    va_end(args);
    return fitted;
}

bool AppendFormat(char* dest, std::size_t destSize, const char* format, ...)
{
    std::size_t used = strnlen(dest, destSize);
    if (used == destSize)
        return false;
    std::va_list args;
    va_start(args, format);
    bool fitted = FormatInto(dest + used, destSize - used, format, args);
    va_end(args);
    return fitted;
}
