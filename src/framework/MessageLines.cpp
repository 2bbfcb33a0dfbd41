#include "framework/MessageLines.h"

bool MessageLines::Next(const char*& start, std::size_t& length)
{
    if (cursor == nullptr || *cursor == '\0')
        return false;
    start = cursor;
    while (*cursor != '\0' && *cursor != '\n')
        ++cursor;
    length = static_cast<std::size_t>(cursor - start);
    if (*cursor == '\n')
        ++cursor;
    return true;
}
