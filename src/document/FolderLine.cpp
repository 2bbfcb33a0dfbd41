#include "document/FolderLine.h"

#include "text/BoundedText.h"

#include <cstring>

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

void TrimBlanks(char* text)
{
    std::size_t first = 0;
    while (IsBlank(text[first]))
        ++first;
    std::size_t length = std::strlen(text + first);
    std::memmove(text, text + first, length + 1);
    while (length > 0 && IsBlank(text[length - 1]))
        text[--length] = '\0';
}

bool SplitFolderLine(char* line)
{
    char* slash = std::strchr(line, '/');
    if (!slash)
        return false;
    while (slash > line && slash[-1] == ' ')
        --slash;
    *slash = '\0';
    return true;
}

// The first character after the leading spaces and tabs; length is what remains without the trailing ones.
static const char* TrimmedPart(const char* text, std::size_t& length)
{
    while (IsBlank(*text))
        ++text;
    length = std::strlen(text);
    while (length > 0 && IsBlank(text[length - 1]))
        --length;
    return text;
}

std::size_t EntryLength(const char* text)
{
    std::size_t length = 0;
    TrimmedPart(text, length);
    return length;
}

void ReadFolderEntry(const char* rowText, bool includeSubfolders, FolderEntryRow& row, const LeadBytes& leadBytes)
{
    std::size_t length = 0;
    const char* entry = TrimmedPart(rowText, length);
    row.includeSubfolders = includeSubfolders;
    row.cut = length > kLongestEntryText;
    row.wildcards[0] = '\0';
    std::size_t folderLength = length;
    if (!row.cut) {
        // the blanks after the entry hold no backslash, so the whole text is searched
        const char* lastBackslash = leadBytes.FindLast(entry, '\\');
        if (lastBackslash != nullptr)
            folderLength = static_cast<std::size_t>(lastBackslash - entry) + 1;
        CopyTextPart(row.wildcards, sizeof row.wildcards, entry + folderLength, length - folderLength);
    }
    CopyTextPart(row.folder, sizeof row.folder, entry, folderLength);
}

bool ComposeFolderLine(const char* rowText, bool includeSubfolders, char* line, std::size_t size)
{
    if (!CopyText(line, size, rowText))
        return false;
    TrimBlanks(line);
    if (line[0] == '[') {
        if (!CopyText(line, size, " ") || !AppendText(line, size, rowText))
            return false;
        TrimBlanks(line + 1);
    }
    return !includeSubfolders || AppendText(line, size, kSubfolderMarker);
}

bool ComposeValueLine(const char* value, char* line, std::size_t size)
{
    static const char* const readSections[] = {
        "Date", "Description", "CopyUpdated", "CopyHidden", "CopySystem", "Dest", "Folders",
    };
    bool hidesSection = false;
    for (const char* section : readSections)
        hidesSection = hidesSection || HeaderNames(value, section);
    if (!hidesSection)
        return CopyText(line, size, value);
    return CopyText(line, size, " ") && AppendText(line, size, value);
}
