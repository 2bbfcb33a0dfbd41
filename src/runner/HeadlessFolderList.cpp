#include "runner/HeadlessFolderList.h"

#include "document/FolderLine.h"
#include "engine/AnsiCodePage.h"
#include "runner/ConsoleText.h"
#include "text/BoundedText.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

void HeadlessFolderList::InsertRow(const char* entryText, bool includeSubfolders)
{
    std::string text = std::string("    ") + entryText;
    // the list view sorts its rows as lstrcmpiA orders them
    auto at = std::upper_bound(rows.begin(), rows.end(), text,
                               [](const std::string& a, const Row& b) { return lstrcmpiA(a.c_str(), b.text.c_str()) < 0; });
    rows.insert(at, Row{text, includeSubfolders});
    modified = true;
}

void HeadlessFolderList::GetRowText(int row, char* buffer, std::size_t size)
{
    CopyText(buffer, size, row >= 0 && row < RowCount() ? rows[static_cast<std::size_t>(row)].text.c_str() : "");
}

bool HeadlessFolderList::RowHasSubfolders(int row)
{
    return row >= 0 && row < RowCount() && rows[static_cast<std::size_t>(row)].includeSubfolders;
}

void HeadlessFolderList::resetOptions()
{
    ResetToDefaults(documentOptions);
    backupDone = false;
}

void HeadlessFolderList::runNewSteps()
{
    rows.clear();
    modified = false;
    path[0] = '\0';
    documentOptions.destination[0] = '\0';
    documentOptions.lastBackupDate[0] = '\0';
    resetOptions();
}

void HeadlessFolderList::showWarning(const char* text, const char* caption)
{
    ConsolePrint(stderr, "%s: %s\n", caption, text);
}

bool HeadlessFolderList::NextFolderEntry(bool first, FolderEntryRow& row)
{
    if (first) {
        readCursor = 0;
        readCount = rows.size();
    }
    row.includeSubfolders = false;
    row.cut = false;
    if (readCursor >= readCount || readCursor >= rows.size())
        return false;
    const Row& read = rows[readCursor++];
    ReadFolderEntry(read.text.c_str(), read.includeSubfolders, row, AnsiLeadBytes());
    return true;
}
