#include "document/MruOrder.h"

#include <cstring>

char LetterForNewEntry(const char* order, std::size_t count, std::size_t maximumEntries)
{
    if (maximumEntries == 0 || maximumEntries > 26)
        return '\0';
    // the first letter the order does not hold yet: an order written by hand may skip one,
    // and the next letter by count would then overwrite an entry still in use
    if (count < maximumEntries) {
        for (std::size_t next = 0; next < maximumEntries; ++next) {
            char letter = static_cast<char>('a' + next);
            if (std::memchr(order, letter, count) == nullptr)
                return letter;
        }
    }
    if (std::strlen(order) < maximumEntries)
        return '\0';
    return order[maximumEntries - 1];
}

bool MoveLetterToFront(char* order, std::size_t orderSize, char letter)
{
    if (letter == '\0')
        return false;
    std::size_t length = strnlen(order, orderSize);
    if (length == orderSize)
        return false;
    const char* found = static_cast<const char*>(std::memchr(order, letter, length));
    // a letter already in the order moves; a new one makes the order one letter longer
    std::size_t moved = found ? static_cast<std::size_t>(found - order) : length;
    if (!found && length + 2 > orderSize)
        return false;
    std::memmove(order + 1, order, moved);
    order[0] = letter;
    if (!found)
        order[length + 1] = '\0';
    return true;
}
