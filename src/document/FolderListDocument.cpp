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

namespace {

// The questions the document commands ask: a table, so each has its words and buttons in one place.
enum class Prompt { SaveChanges, CloseUnsaved, ReplaceChanged, ReplaceExisting };

struct PromptText {
    const char* text;
    const char* caption;
    bool withCancel;
};

const PromptText kPrompts[] = {
    {"Save folder list?", "Trellisvault", true},
    {"The folder list was not saved. Close without saving?", "Trellisvault", false},
    {"The folder list file was changed by another program. Replace it with this list?", "Trellisvault", false},
    // the save dialog's own words for a name that is taken
    {"%s already exists.\nDo you want to replace it?", "Confirm Save As", false},
};

// Asks the prompt, its text completed with name where it has a place for one.
int Ask(DocumentHost& host, Prompt prompt, const char* name = "")
{
    const PromptText& words = kPrompts[static_cast<int>(prompt)];
    char text[kPathSize + 64];
    FormatText(text, sizeof text, words.text, name);
    return words.withCancel ? host.askYesNoCancel(text, words.caption) : host.askYesNo(text, words.caption);
}

// The file name of a path: what follows its folder part, the text after the last "\", ":" or "/".
const char* FileNameOf(const char* path)
{
    PathBuffer folderPart;
    CopyText(folderPart, path);
    CutToFolder(folderPart);
    return path + std::strlen(folderPart);
}

// The save dialog for an untitled list. A name the forced extension made of the typed one is asked
// about as the dialog asks about a taken name; No goes back to the dialog.
SaveOutcome SaveUnderNewName(DocumentHost& host)
{
    PathBuffer& path = host.dataFilePath();
    CopyText(path, kProposedName);
    for (;;) {
        FileDialog request(false);
        if (!host.chooseFile(request, path, sizeof path, host.dataFolder())) {
            path[0] = '\0';
            return SaveOutcome::Cancelled;
        }
        if (!request.otherName || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES
            || Ask(host, Prompt::ReplaceExisting, FileNameOf(path)) == IDYES)
            break;
    }
    return saveDocument(host) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

} // namespace

SaveOutcome saveCommand(DocumentHost& host)
{
    if (!host.IsBackupDone() && !host.IsModified())
        return SaveOutcome::NothingToSave;
    if (host.dataFilePath()[0] == '\0')
        return SaveUnderNewName(host);
    // only a backup's date to keep: whatever another program wrote stays
    if (!host.IsModified())
        return writeBackupDate(host) ? SaveOutcome::Saved : SaveOutcome::Failed;
    switch (saveUnchangedDocument(host)) {
    case SaveResult::Saved:
        return SaveOutcome::Saved;
    case SaveResult::Failed:
        return SaveOutcome::Failed;
    case SaveResult::FileChanged:
        break;
    }
    if (Ask(host, Prompt::ReplaceChanged) != IDYES)
        return SaveOutcome::Cancelled;
    return saveDocument(host) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

bool CanClose(DocumentHost& host)
{
    SaveOutcome outcome;
    if (host.IsBackupDone()) {
        outcome = saveCommand(host);
    } else if (!host.IsModified()) {
        return true;
    } else {
        switch (Ask(host, Prompt::SaveChanges)) {
        case IDYES:
            outcome = saveCommand(host);
            break;
        case IDNO:
            return true;
        default:
            // Cancel, and a box that could not be shown or was closed without an answer
            return false;
        }
    }
    if (outcome == SaveOutcome::Saved || outcome == SaveOutcome::NothingToSave)
        return true;
    // the save did not happen: the user decides, so a list is neither lost unasked nor trapped
    return Ask(host, Prompt::CloseUnsaved) == IDYES;
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

// Moves the data file under a name no other file in its new folder has, leaving one copy, and that
// one writable; false, with the file where it was, when the name is taken or the old copy stays.
static bool MoveDataFile(const char* from, const char* to)
{
    // a file of that name in the data folder is another list, never replaced
    if (!CopyFileA(from, to, TRUE))
        return false;
    // a copied read-only attribute would make every later save fail
    DWORD copied = GetFileAttributesA(to);
    if (copied != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(to, copied & ~FILE_ATTRIBUTE_READONLY);
    DWORD old = GetFileAttributesA(from);
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(from, old & ~FILE_ATTRIBUTE_READONLY);
    if (DeleteFileA(from))
        return true;
    SetFileAttributesA(from, old);
    DeleteFileA(to);
    return false;
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
    PathBuffer target;
    CopyText(target, host.dataFolder());
    // a name too long for the folder is cut short, as the path buffer holds no more
    AppendText(target, FileNameOf(path));
    if (MoveDataFile(path, target))
        CopyText(path, target);
}
