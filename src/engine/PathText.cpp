#include "engine/PathText.h"

#include "text/BoundedText.h"

#include <cstring>

void CutToFolder(char* path)
{
    std::size_t keep = 0;
    for (std::size_t i = 0; path[i] != '\0'; ++i) {
        if (path[i] == '\\' || path[i] == ':' || path[i] == '/')
            keep = i + 1;
    }
    path[keep] = '\0';
}

void CutLastFolder(char* folderPath)
{
    std::size_t length = std::strlen(folderPath);
    if (length < 2)
        return;
    // start before the trailing "\" so the previous one is found
    std::size_t i = length - 2;
    while (i > 0 && folderPath[i] != '\\')
        --i;
    if (folderPath[i] == '\\')
        folderPath[i + 1] = '\0';
}

DestinationMapping MapDestinationFolder(const char* destination, const char* sourceFolder, char* out, std::size_t outSize)
{
    const char* rest = nullptr;
    char firstLevel[260];
    if (sourceFolder[0] == '\\' && sourceFolder[1] == '\\') {
        const char* server = sourceFolder + 2;
        rest = std::strchr(server, '\\');
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
