#include "document/DestinationText.h"

#include "text/BoundedText.h"

#include <cstring>

bool EndDestinationWithSeparator(char* destination, std::size_t size)
{
    std::size_t length = strnlen(destination, size);
    if (length == 0 || destination[length - 1] == '\\' || destination[length - 1] == '/')
        return length < size;
    return AppendText(destination, size, "\\");
}
