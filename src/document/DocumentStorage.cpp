#include "document/DocumentStorage.h"

#include "document/DocumentHost.h"
#include "document/FolderListFile.h"
#include "document/FolderListLoader.h"
#include "document/FolderListWriter.h"
#include "engine/FolderPaths.h"
#include "text/BoundedText.h"

#include <windows.h>

static bool DataFileExists(const char* path)
{
    if (path[0] == '\0')
        return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

void loadDocument(DocumentHost& host)
{
    host.resetOptions();
    FolderListFile file;
    if (DataFileExists(host.dataFilePath()) && file.openForRead(host.dataFilePath())) {
        readDocumentText(file.Reader(), host, AnsiLeadBytes());
        file.close();
    } else {
        host.runNewSteps();
    }
    host.updateDestinationPane();
    host.updateTitle();
}

// A new, empty file in the data file's own folder, so that replacing the data file is a rename.
static bool CreateTempFileBeside(const char* path, char (&tempPath)[MAX_PATH])
{
    char folder[kPathSize];
    CopyText(folder, path);
    CutToFolder(folder);
    if (folder[0] == '\0')
        CopyText(folder, ".");
    return GetTempFileNameA(folder, "tv", 0, tempPath) != 0;
}

bool saveDocument(DocumentHost& host)
{
    const char* path = host.dataFilePath();
    DWORD oldAttributes = GetFileAttributesA(path);
    // Windows refuses to replace a read-only file; asking first keeps that true where the
    // file system would not refuse (Wine run by root replaces it).
    bool replaceable = path[0] != '\0'
        && (oldAttributes == INVALID_FILE_ATTRIBUTES || !(oldAttributes & FILE_ATTRIBUTE_READONLY));
    char tempPath[MAX_PATH] = {};
    bool saved = false;
    if (replaceable && CreateTempFileBeside(path, tempPath)) {
        FolderListFile file;
        bool written = file.openForWrite(tempPath) && writeDocumentText(host, file) && file.flush();
        written = file.close() && written;
        // a data file the user hid stays hidden
        DWORD keptAttributes = oldAttributes != INVALID_FILE_ATTRIBUTES
            ? oldAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) : 0;
        if (written && keptAttributes != 0)
            written = SetFileAttributesA(tempPath, keptAttributes | FILE_ATTRIBUTE_ARCHIVE) != FALSE;
        saved = written && MoveFileExA(tempPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!saved)
            DeleteFileA(tempPath);
    }
    if (!saved) {
        char message[600];
        FormatText(message, sizeof message, "Can't save folder list: %s", path);
        host.showWarning(message, "Trellisvault");
        return false;
    }
    host.SetModified(false);
    return true;
}
