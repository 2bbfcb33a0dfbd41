#include "app/FolderListView.h"

#include "app/ProgramBoxes.h"
#include "document/FolderLine.h"
#include "engine/AnsiCodePage.h"
#include "engine/FolderPaths.h"
#include "framework/DpiScale.h"
#include "text/BoundedText.h"

#include <commctrl.h>

#include <string>
#include <vector>

FolderListView::FolderListView()
{
    style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT;
}

int FolderListView::InsertRow(const char* entryText, bool includeSubfolders)
{
    // four spaces keep the text clear of the subfolder marker
    std::string text = std::string("    ") + entryText;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = RowCount();
    item.pszText = &text[0];
    item.iImage = includeSubfolders ? 0 : 1;
    int row = static_cast<int>(SendMessageA(hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row >= 0)
        modified = true;
    return row;
}

bool FolderListView::HasSubfolders(int row) const
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    return SendMessageA(hwnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0 && item.iImage == 0;
}

void FolderListView::SelectRow(int row) const
{
    if (row < 0)
        return;
    SetItemState(row, LVIS_FOCUSED | LVIS_SELECTED, static_cast<UINT>(-1));
    SendMessageA(hwnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int FolderListView::RowCount() const
{
    return static_cast<int>(SendMessageA(hwnd, LVM_GETITEMCOUNT, 0, 0));
}

void FolderListView::RowText(int row, char* buffer, int size) const
{
    GetItemText(row, 0, buffer, size);
}

std::string FolderListView::RowText(int row) const
{
    std::vector<char> text(MAX_PATH);
    for (;;) {
        int copied = GetItemText(row, 0, text.data(), static_cast<int>(text.size()));
        // the list answers how much it copied, not how long the text is: a full buffer asks again
        if (static_cast<std::size_t>(copied) + 1 < text.size())
            return std::string(text.data(), static_cast<std::size_t>(copied));
        text.resize(text.size() * 2);
    }
}

int FolderListView::SelectedRow() const
{
    return static_cast<int>(SendMessageA(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool FolderListView::DeleteRow(int row)
{
    if (SendMessageA(hwnd, LVM_DELETEITEM, static_cast<WPARAM>(row), 0) == 0)
        return false;
    modified = true;
    return true;
}

void FolderListView::DeleteAllRows() const
{
    SendMessageA(hwnd, LVM_DELETEALLITEMS, 0, 0);
}

bool FolderListView::InsertColumn() const
{
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = DpiScale(hwnd)(580);
    // the marker stands under "Sub", the entry text under "Folder name"
    column.pszText = const_cast<char*>("Sub |      Folder name");
    column.iSubItem = 0;
    return SendMessageA(hwnd, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)) != -1;
}

bool FolderListView::NextFolderEntry(bool first, FolderEntryRow& row)
{
    if (first) {
        readCursor = 0;
        readCount = RowCount();
    }
    row.includeSubfolders = false;
    row.cut = false;
    if (readCursor >= readCount)
        return false;
    std::string text = RowText(readCursor);
    // a row that cannot be read ends the reading, as if the list had ended
    if (text.empty())
        return false;
    ReadFolderEntry(text.c_str(), HasSubfolders(readCursor), row, AnsiLeadBytes());
    ++readCursor;
    return true;
}

bool FolderToView(const char* rowText, char* folder, std::size_t size)
{
    // cut short, the row would name one of its folder's parents
    if (!CopyText(folder, size, rowText))
        return false;
    TrimBlanks(folder);
    CutToFolder(folder);
    // a crafted row could name a web address or a program; only an existing folder is opened
    return folder[0] != '\0' && FolderExists(folder);
}

void FolderListView::ViewSelectedFolder() const
{
    int row = SelectedRow();
    if (row < 0)
        return;
    char folder[340];
    if (FolderToView(RowText(row).c_str(), folder, sizeof folder))
        OpenOrSayWhy(hwnd, folder, "Can't open the folder:");
}

LRESULT FolderListView::OnNotify(NMHDR* header)
{
    if (header->code == NM_DBLCLK)
        ViewSelectedFolder();
    return 0;
}
