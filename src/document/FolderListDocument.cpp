#include "document/FolderListDocument.h"

#include "document/DocumentHost.h"
#include "document/DocumentStorage.h"
#include "document/FileDialog.h"
#include "engine/AnsiPaths.h"
#include "engine/FolderPaths.h"
#include "engine/PathText.h"
#include "text/BoundedText.h"
#include "text/StringHelpers.h"

#include <shlobj.h>

#include <cstring>

static const char kDataFolderTail[] = "\\Pennyroyal\\Trellisvault\\";
static const char kProposedName[] = "Trellisvault.ini";

void newDocument(DocumentHost& host)
{
    if (host.IsModified() && !CanClose(host))
        return;
    host.runNewSteps();
}

void openDocument(DocumentHost& host)
{
    if (!CanClose(host))
        return;
    host.runNewSteps();
    FileDialog request(true);
    request.title = "Open Folder List";
    if (host.chooseFile(request, host.dataFilePath(), sizeof host.dataFilePath(), host.dataFolder()))
        loadDocument(host);
}

SaveOutcome saveCommand(DocumentHost& host)
{
    if (!host.IsBackupDone() && !host.IsModified())
        return SaveOutcome::NothingToSave;
    if (host.dataFilePath()[0] == '\0') {
        CopyText(host.dataFilePath(), kProposedName);
        FileDialog request(false);
        if (!host.chooseFile(request, host.dataFilePath(), sizeof host.dataFilePath(), host.dataFolder())) {
            host.dataFilePath()[0] = '\0';
            return SaveOutcome::Cancelled;
        }
    }
    return saveDocument(host) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

bool CanClose(DocumentHost& host)
{
    if (host.IsBackupDone())
        return saveCommand(host) != SaveOutcome::Failed;
    if (!host.IsModified())
        return true;
    switch (host.askYesNoCancel("Save folder list?", "Trellisvault")) {
    case IDYES:
        return saveCommand(host) != SaveOutcome::Failed;
    case IDNO:
        return true;
    default:
        // Cancel, and a box that could not be shown or was closed without an answer
        return false;
    }
}

void locateDataFolder(DocumentHost& host, HWND owner)
{
    PathBuffer& folder = host.dataFolder();
    folder[0] = '\0';
    LPITEMIDLIST item = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(owner, CSIDL_APPDATA, &item)) && item != nullptr) {
        wchar_t appData[MAX_PATH];
        if (!SHGetPathFromIDListW(item, appData) || !AnsiFormOfPath(appData, folder, sizeof folder))
            folder[0] = '\0';
        CoTaskMemFree(item);
    }
    // a folder at the root (a path ending in "\") gives no doubled backslash
    if (AnsiLeadBytes().EndsWith(folder, '\\'))
        folder[std::strlen(folder) - 1] = '\0';
    if (!AppendText(folder, kDataFolderTail))
        CopyText(folder, kDataFolderTail);
    if (!FolderExists(folder))
        CreateFolderPath(folder);
}

void composeTitle(const char* lastBackupDate, char* title, std::size_t size)
{
    CopyText(title, size, "Trellisvault");
    if (lastBackupDate[0] != '\0')
        AppendFormat(title, size, " - last backed up on %s", lastBackupDate);
}

void composeDestinationPane(const char* destination, char* text, std::size_t size)
{
    if (destination[0] == '\0')
        CopyText(text, size, "");
    else
        FormatText(text, size, "Dest %s", destination);
}

void relocateDataFile(DocumentHost& host)
{
    PathBuffer& path = host.dataFilePath();
    PathBuffer upperPath;
    PathBuffer upperFolder;
    CopyText(upperPath, path);
    CopyText(upperFolder, host.dataFolder());
    if (path[0] == '\0' || std::strstr(UppercaseAscii(upperPath), UppercaseAscii(upperFolder)) != nullptr)
        return;
    // the file name is what follows the folder part: the text after the last "\", ":" or "/"
    PathBuffer folderPart;
    CopyText(folderPart, path);
    CutToFolder(folderPart);
    PathBuffer target;
    CopyText(target, host.dataFolder());
    // a name too long for the folder is cut short, as the path buffer holds no more
    AppendText(target, path + std::strlen(folderPart));
    if (!CopyFileA(path, target, FALSE))
        return;
    DeleteFileA(path);
    CopyText(path, target);
}
