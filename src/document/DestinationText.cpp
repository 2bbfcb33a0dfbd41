#include "document/DestinationText.h"

#include "text/BoundedText.h"

#include <cstring>

bool EndDestinationWithSeparator(char* destination, std::size_t size, const LeadBytes& leadBytes)
{
    std::size_t length = strnlen(destination, size);
    if (length == size)
        return false;
    if (length == 0 || leadBytes.EndsWith(destination, '\\') || leadBytes.EndsWith(destination, '/'))
        return true;
    // after a lone lead byte (a character cut short) the "\" would become its second byte
    if (AppendText(destination, size, "\\") && leadBytes.EndsWith(destination, '\\'))
        return true;
    destination[length] = '\0';
    return false;
}
