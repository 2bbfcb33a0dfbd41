#include "text/StringHelpers.h"

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

void StripExtension(char* path, const LeadBytes& leadBytes)
{
    if (path == nullptr)
        return;
    char* dot = nullptr;
    for (char* c = path; *c != '\0'; c = leadBytes.Next(c)) {
        if (*c == '.')
            dot = c;
        else if (*c == '\\' || *c == ':')
            dot = nullptr;
    }
    if (dot != nullptr)
        *dot = '\0';
}
