#include "engine/PathText.h"

#include "text/BoundedText.h"

#include <cstring>

void CutToFolder(char* path, const LeadBytes& leadBytes)
{
    char* keep = path;
    for (char* c = path; *c != '\0'; c = leadBytes.Next(c)) {
        if (*c == '\\' || *c == ':' || *c == '/')
            keep = c + 1;
    }
    *keep = '\0';
}

void CutLastFolder(char* folderPath, const LeadBytes& leadBytes)
{
    // the last "\" before the final character, found from the start since a trail byte may look like one
    char* cut = nullptr;
    for (char* c = folderPath; *c != '\0'; c = leadBytes.Next(c)) {
        if (*c == '\\' && *leadBytes.Next(c) != '\0')
            cut = c + 1;
    }
    if (cut != nullptr)
        *cut = '\0';
}

std::size_t UncreatablePartLength(const char* path, const LeadBytes& leadBytes)
{
    const char* c = path;
    int separators = 1;
    if (*c != '\0' && *leadBytes.Next(c) == '\\') {
        // "\\server\share\": its two first characters, then two more separators
        c = leadBytes.Next(leadBytes.Next(c));
        separators = 2;
    }
    for (; *c != '\0' && separators > 0; c = leadBytes.Next(c)) {
        if (*c == '\\')
            --separators;
    }
    return static_cast<std::size_t>(c - path);
}

std::size_t ComponentEnd(const char* path, std::size_t start, const LeadBytes& leadBytes)
{
    const char* c = path + start;
    while (*c != '\0' && *c != '\\')
        c = leadBytes.Next(c);
    return static_cast<std::size_t>(c - path);
}

DestinationMapping MapDestinationFolder(const char* destination, const char* sourceFolder, char* out, std::size_t outSize,
                                        const LeadBytes& leadBytes)
{
    const char* rest = nullptr;
    char firstLevel[260];
    if (sourceFolder[0] == '\\' && sourceFolder[1] == '\\') {
        const char* server = sourceFolder + 2;
        rest = leadBytes.FindFirst(server, '\\');
        if (rest == nullptr)
            rest = server + std::strlen(server);
        if (!CopyTextPart(firstLevel, sizeof firstLevel, server, static_cast<std::size_t>(rest - server)))
            return DestinationMapping::TooLong;
    } else if (sourceFolder[0] != '\0' && sourceFolder[1] == ':') {
        // the drive letter as written, letter case kept
        firstLevel[0] = sourceFolder[0];
        CopyText(firstLevel + 1, sizeof firstLevel - 1, "-Backup");
        rest = sourceFolder + 2;
    } else {
        if (outSize > 0)
            out[0] = '\0';
        return DestinationMapping::UnknownPath;
    }
    bool fitted = CopyText(out, outSize, destination) && AppendText(out, outSize, firstLevel) && AppendText(out, outSize, rest);
    return fitted ? DestinationMapping::Mapped : DestinationMapping::TooLong;
}
