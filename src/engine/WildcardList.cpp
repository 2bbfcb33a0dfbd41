#include "engine/WildcardList.h"

#include "text/BoundedText.h"

bool WildcardList::Assign(const char* list)
{
    if (!CopyText(text, list)) {
        rest = nullptr;
        return false;
    }
    rest = text;
    return true;
}

const char* WildcardList::Next()
{
    if (rest == nullptr)
        return nullptr;
    // only the space is skipped: a tab stays part of the pattern
    while (*rest == ' ')
        ++rest;
    char* pattern = rest;
    while (*rest != '\0' && *rest != ',')
        ++rest;
    if (*rest == ',') {
        *rest = '\0';
        ++rest;
    } else {
        rest = nullptr;
    }
    return pattern;
}
