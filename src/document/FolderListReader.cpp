#include "document/FolderListReader.h"

#include "text/BoundedText.h"
#include "text/StringHelpers.h"

#include <cstring>

void FolderListReader::Attach(const char* text, std::size_t length)
{
    start = text;
    cursor = text;
    end = text + length;
}

void FolderListReader::Detach()
{
    start = cursor = end = nullptr;
}

bool FolderListReader::nextLine(const char*& line, std::size_t& length)
{
    if (cursor == end)
        return false;
    line = cursor;
    while (cursor != end && *cursor != '\r' && *cursor != '\n')
        ++cursor;
    length = static_cast<std::size_t>(cursor - line);
    if (cursor != end && *cursor == '\r')
        ++cursor;
    if (cursor != end && *cursor == '\n')
        ++cursor;
    return true;
}

bool FolderListReader::readLine(char* buffer, std::size_t size)
{
    const char* line = nullptr;
    std::size_t length = 0;
    if (!nextLine(line, length))
        return false;
    CopyTextPart(buffer, size, line, length);
    return true;
}

bool FolderListReader::findSection(const char* name)
{
    cursor = start;
    char line[kLineSize];
    while (readLine(line, sizeof line)) {
        if (line[0] == '[' && HeaderNames(line, name))
            return true;
    }
    return false;
}

bool FolderListReader::readValue(char* buffer, std::size_t size)
{
    if (!readLine(buffer, size))
        return false;
    if (buffer[0] == '[') {
        buffer[0] = '\0';
        return false;
    }
    return true;
}

bool FolderListReader::readValue(std::string& value)
{
    const char* line = nullptr;
    std::size_t length = 0;
    if (!nextLine(line, length) || (length > 0 && line[0] == '[')) {
        value.clear();
        return false;
    }
    value.assign(line, length);
    return true;
}

bool FolderListReader::readBool(const char* name, bool fallback)
{
    if (!findSection(name))
        return fallback;
    char value[kLineSize];
    if (!readValue(value, sizeof value))
        return fallback;
    return ParseBool(value, fallback);
}

static bool SameWithoutCase(const char* text, std::size_t length, const char* word)
{
    if (std::strlen(word) != length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (UppercaseAsciiLetter(text[i]) != UppercaseAsciiLetter(word[i]))
            return false;
    }
    return true;
}

bool HeaderNames(const char* line, const char* name)
{
    if (line[0] != '[')
        return false;
    const char* nameStart = line + 1;
    const char* close = std::strchr(nameStart, ']');
    std::size_t length = close ? static_cast<std::size_t>(close - nameStart) : std::strlen(nameStart);
    return SameWithoutCase(nameStart, length, name);
}

// The words are plain ASCII, so comparing ASCII letters without case matches lstrcmpiA on them.
bool ParseBool(const char* value, bool fallback)
{
    std::size_t length = std::strlen(value);
    if (SameWithoutCase(value, length, "TRUE"))
        return true;
    if (SameWithoutCase(value, length, "FALSE"))
        return false;
    return fallback;
}
