#include "text/StringHelpers.h"

#include <cstring>

char UppercaseAsciiLetter(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c & ~0x20) : c;
}

char* UppercaseAscii(char* text)
{
    if (text == nullptr)
        return nullptr;
    for (char* c = text; *c != '\0'; ++c)
        *c = UppercaseAsciiLetter(*c);
    return text;
}

void StripExtension(char* path)
{
    if (path == nullptr || path[0] == '\0')
        return;
    char* c = path + std::strlen(path);
    while (c > path && *c != '.' && *c != '\\' && *c != ':')
        --c;
    if (*c == '.')
        *c = '\0';
}
