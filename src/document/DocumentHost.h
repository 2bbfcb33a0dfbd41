#pragma once

#include "engine/BackupOptions.h"

#include <cstddef>

struct FileDialog;

// A path of at most 259 characters and its end.
constexpr std::size_t kPathSize = 260;

using PathBuffer = char[kPathSize];

// the data file's destination is read into the options as a path
static_assert(sizeof BackupOptions::destination == kPathSize);

// A data file's last-write time (a FILETIME's 64 bits) and size, as the document last read or
// wrote it; a file another program has written since shows another stamp.
struct DataFileStamp {
    unsigned long long lastWrite = 0;
    unsigned long long size = 0;
    // false when the document holds no such record: it never read the file it names
    bool known = false;

    bool operator==(const DataFileStamp& other) const
    {
        return known && other.known && lastWrite == other.lastWrite && size == other.size;
    }
    bool operator!=(const DataFileStamp& other) const { return !(*this == other); }
};

// What loading and saving the data file need of the windows that hold the folder list:
// the folder list view's rows and modified flag, the main window's options and data file
// path, and the document commands that reset, warn and refresh the title and status bar.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // Inserts a row at its sorted position and sets the modified flag.
    virtual void InsertRow(const char* entryText, bool includeSubfolders) = 0;
    virtual int RowCount() = 0;
    // The row's text as the list holds it (leading blanks included); empty when there is no such row.
    virtual void GetRowText(int row, char* buffer, std::size_t size) = 0;
    virtual bool RowHasSubfolders(int row) = 0;
    virtual bool IsModified() = 0;
    virtual void SetModified(bool modified) = 0;

    virtual BackupOptions& options() = 0;
    virtual PathBuffer& dataFilePath() = 0;
    // The data file's stamp when the document last read or wrote it.
    virtual DataFileStamp& dataFileStamp() = 0;

    // Options back to their defaults; destination and date untouched.
    virtual void resetOptions() = 0;
    // The New steps without the save prompt: an empty, untitled document.
    virtual void runNewSteps() = 0;
    // Shows the text modally with an OK button and waits.
    virtual void showWarning(const char* text, const char* caption) = 0;
    virtual void updateTitle() = 0;
    virtual void updateDestinationPane() = 0;

    // The per-user folder where data files live, ending in a backslash.
    virtual PathBuffer& dataFolder() = 0;
    // Set by a backup run since the last New or load: the list is then saved without asking.
    virtual bool IsBackupDone() = 0;
    // Asks a question with Yes, No and Cancel buttons, owned by the main window; answers IDYES,
    // IDNO, IDCANCEL, or 0 when the box could not be shown or was closed without a button.
    virtual int askYesNoCancel(const char* text, const char* caption) = 0;
    // Asks a question with Yes and No buttons, owned by the main window; answers IDYES, IDNO, or 0
    // when the box could not be shown or was closed without a button.
    virtual int askYesNo(const char* text, const char* caption) = 0;
    // Shows the system's open or save dialog for request, owned by the folder list's window,
    // into path (size bytes); false when it was cancelled (see runFileDialog in FileDialog.h).
    virtual bool chooseFile(FileDialog& request, char* path, std::size_t size, const char* initialFolder) = 0;
};
