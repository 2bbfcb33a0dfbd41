#include "engine/RelativePath.h"

static bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// A component of dots, with any spaces among them, names the folder itself or one above it.
static bool IsDotsOnly(const char* part, const char* end)
{
    bool dot = false;
    for (; part != end; ++part) {
        if (*part != '.' && *part != ' ')
            return false;
        dot = dot || *part == '.';
    }
    return dot;
}

bool HasRelativeParts(const char* folder, const LeadBytes& leadBytes)
{
    const char* part = nullptr;
    if (folder[0] != '\0' && folder[1] == ':') {
        if (!IsSeparator(folder[2]))
            return true;
        part = folder + 3;
    } else if (folder[0] == '\\' && folder[1] == '\\') {
        part = folder + 2;
    } else {
        return false;
    }
    while (*part != '\0') {
        const char* end = part;
        while (*end != '\0' && !IsSeparator(*end))
            end = leadBytes.Next(end);
        if (IsDotsOnly(part, end))
            return true;
        part = *end != '\0' ? end + 1 : end;
    }
    return false;
}
