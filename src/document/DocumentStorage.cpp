#include "document/DocumentStorage.h"

#include "document/DataFileDate.h"
#include "document/DataFileLock.h"
#include "document/DocumentHost.h"
#include "document/FolderListFile.h"
#include "document/FolderListLoader.h"
#include "document/FolderListWriter.h"
#include "engine/FolderPaths.h"
#include "text/BoundedText.h"

#include <windows.h>

#include <functional>
#include <string>

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

bool loadDocument(DocumentHost& host)
{
    host.resetOptions();
    host.dataFileStamp() = DataFileStamp();
    FolderListFile file;
    bool read = DataFileExists(host.dataFilePath()) && file.openForRead(host.dataFilePath());
    if (read) {
        readDocumentText(file.Reader(), host, AnsiLeadBytes());
        host.dataFileStamp() = file.Stamp();
        file.close();
    } else if (file.HeldByOther()) {
        // the list is still the user's: its path stays remembered, and a save asks before replacing it
        PathBuffer path;
        CopyText(path, host.dataFilePath());
        host.runNewSteps();
        CopyText(host.dataFilePath(), path);
        char message[600];
        FormatText(message, sizeof message, "Can't read folder list: %s", path);
        host.showWarning(message, "Trellisvault");
    } else {
        host.runNewSteps();
    }
    host.updateDestinationPane();
    host.updateTitle();
    return read;
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

namespace {

enum class Replaced { Yes, Failed, FileChanged, NotADataFile };

// Writes the new content into the open temporary file, given the data file's stamp and text as they
// are under the lock (an unknown stamp and no text when there is no such file).
using ComposeContent = std::function<Replaced(const DataFileStamp& current, const std::string* text, FolderListFile& temp)>;

// How often a replacement starts again after a rename that another program's open handle refused.
constexpr int kReplaceAttempts = 40;

// One read-modify-write of the data file: held against other writers from the re-read until the
// new content is complete beside it, then replaced by a rename. A rename refused because another
// program opened the file in between starts again from the re-read, so nothing that program wrote
// is lost. `before` is the file's stamp under the lock, `after` the new file's.
Replaced ReplaceDataFile(const char* path, bool readText, const ComposeContent& compose, DataFileStamp& before,
                         DataFileStamp& after)
{
    DWORD oldAttributes = GetFileAttributesA(path);
    // Windows refuses to replace a read-only file; asking first keeps that true where the
    // file system would not refuse (Wine run by root replaces it).
    if (path[0] == '\0' || (oldAttributes != INVALID_FILE_ATTRIBUTES && (oldAttributes & FILE_ATTRIBUTE_READONLY)))
        return Replaced::Failed;
    // a data file the user hid stays hidden
    DWORD keptAttributes = oldAttributes != INVALID_FILE_ATTRIBUTES
        ? oldAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) : 0;
    for (int attempt = 1;; ++attempt) {
        DataFileLock lock;
        DWORD held = lock.Acquire(path);
        if (held != ERROR_SUCCESS && held != ERROR_FILE_NOT_FOUND)
            return Replaced::Failed;
        std::string text;
        if (held == ERROR_SUCCESS && readText && !lock.ReadAll(text))
            return Replaced::Failed;
        before = lock.Stamp();
        char tempPath[MAX_PATH] = {};
        if (!CreateTempFileBeside(path, tempPath))
            return Replaced::Failed;
        FolderListFile temp;
        Replaced made = temp.openForWrite(tempPath) ? compose(before, held == ERROR_SUCCESS ? &text : nullptr, temp)
                                                     : Replaced::Failed;
        bool written = made == Replaced::Yes && temp.flush();
        written = temp.close() && written;
        if (written && keptAttributes != 0)
            written = SetFileAttributesA(tempPath, keptAttributes | FILE_ATTRIBUTE_ARCHIVE) != FALSE;
        after = StampOf(tempPath);
        lock.Release();
        // Windows refuses to rename over a file that is open, so the lock cannot be held through it
        bool renamed = written && MoveFileExA(tempPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        DWORD error = GetLastError();
        if (renamed)
            return Replaced::Yes;
        DeleteFileA(tempPath);
        if (!written)
            return made == Replaced::Yes ? Replaced::Failed : made;
        if ((error != ERROR_ACCESS_DENIED && !IsPassingConflict(error)) || attempt == kReplaceAttempts)
            return Replaced::Failed;
        WaitForHolder();
    }
}

void TellSaveFailed(DocumentHost& host)
{
    char message[600];
    FormatText(message, sizeof message, "Can't save folder list: %s", host.dataFilePath());
    host.showWarning(message, "Trellisvault");
}

SaveResult WriteDocument(DocumentHost& host, bool onlyIfUnchanged)
{
    DataFileStamp before;
    DataFileStamp after;
    const DataFileStamp recorded = host.dataFileStamp();
    Replaced result = ReplaceDataFile(host.dataFilePath(), false,
        [&](const DataFileStamp& current, const std::string*, FolderListFile& temp) {
            // no file now and none read before leaves nothing of another program's to lose
            if (onlyIfUnchanged && (current.known || recorded.known) && current != recorded)
                return Replaced::FileChanged;
            return writeDocumentText(host, temp) ? Replaced::Yes : Replaced::Failed;
        }, before, after);
    if (result == Replaced::FileChanged)
        return SaveResult::FileChanged;
    if (result != Replaced::Yes) {
        TellSaveFailed(host);
        return SaveResult::Failed;
    }
    host.dataFileStamp() = after;
    host.SetModified(false);
    return SaveResult::Saved;
}

} // namespace

bool saveDocument(DocumentHost& host)
{
    return WriteDocument(host, false) == SaveResult::Saved;
}

SaveResult saveUnchangedDocument(DocumentHost& host)
{
    return WriteDocument(host, true);
}

bool writeBackupDate(DocumentHost& host)
{
    DataFileStamp before;
    DataFileStamp after;
    const char* date = host.options().lastBackupDate;
    Replaced result = ReplaceDataFile(host.dataFilePath(), true,
        [&](const DataFileStamp&, const std::string* text, FolderListFile& temp) {
            std::string updated;
            if (text == nullptr)
                return Replaced::Failed;
            if (!SetDateValue(text->data(), text->size(), date, updated))
                return Replaced::NotADataFile;
            return temp.writeAll(updated.data(), updated.size()) ? Replaced::Yes : Replaced::Failed;
        }, before, after);
    if (result == Replaced::NotADataFile)
        host.showWarning("Not a Trellisvault data file", host.dataFilePath());
    else if (result != Replaced::Yes)
        TellSaveFailed(host);
    if (result != Replaced::Yes)
        return false;
    // the list on the screen matches the file again only when nobody else had changed it
    if (before == host.dataFileStamp())
        host.dataFileStamp() = after;
    return true;
}
