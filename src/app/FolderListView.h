#pragma once

#include "engine/BackupUserInterface.h"
#include "framework/ListView.h"

#include <cstddef>
#include <string>

// The main window's list view, whose rows are the folder list: each row is four spaces and an
// entry text (the folder path, its "\", then the wildcard list), with image 0 when the entry
// includes its subfolders. The control keeps the rows sorted by their text.
class FolderListView : public ListView {
public:
    FolderListView();

    // Answers the new row's index, or -1 when the list refused the row; sets modified when it was
    // inserted. The row holds the text whole, however long.
    int InsertRow(const char* entryText, bool includeSubfolders);
    bool HasSubfolders(int row) const;
    // Selects, focuses and scrolls a row into view; a negative row does nothing.
    void SelectRow(int row) const;
    int RowCount() const;
    void RowText(int row, char* buffer, int size) const;
    // The row's text whole, with its leading spaces.
    std::string RowText(int row) const;
    // -1 when nothing is selected.
    int SelectedRow() const;
    // Deletes one row; on success sets modified.
    bool DeleteRow(int row);
    void DeleteAllRows() const;
    // The one column, "Sub |      Folder name".
    bool InsertColumn() const;
    // The rows in their displayed order, from the first when `first` is set; a row added after
    // the reading began is read only when it lies within the count taken then.
    bool NextFolderEntry(bool first, FolderEntryRow& row);
    // Opens the selected row's folder in the shell's file browser, when that folder exists.
    void ViewSelectedFolder() const;

    // A double-click views the row's files.
    LRESULT OnNotify(NMHDR* header) override;

    bool modified = false;
    // the row handed to the Edit dialog, and where the edited row ended up
    int editIndex = -1;

private:
    int readCursor = 0;
    int readCount = 0;
};

// The folder a row's text names (its text up to the last "\", ":" or "/"), into folder; false
// when that is no existing folder, so that nothing but a folder is handed to the shell.
bool FolderToView(const char* rowText, char* folder, std::size_t size);
