#include "framework/ListView.h"

#include <commctrl.h>

#include <cstring>

ListView::ListView()
{
    style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT;
}

bool ListView::Create(HWND parent, int id, const char* text, int x, int y, int width, int height)
{
    TakeControlId(id);
    return AttachOrCreate(WC_LISTVIEWA, parent, text, x, y, width, height);
}

int ListView::GetItemText(int item, int subitem, char* buffer, int bufferSize) const
{
    if (buffer == nullptr || bufferSize <= 0)
        return 0;
    buffer[0] = '\0';
    LVITEMA record = {};
    record.iSubItem = subitem;
    record.pszText = buffer;
    record.cchTextMax = bufferSize;
    int copied = static_cast<int>(SendMessageA(hwnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                                               reinterpret_cast<LPARAM>(&record)));
    // Wine leaves a text cut at the buffer's end unterminated and counts past it
    buffer[bufferSize - 1] = '\0';
    int length = static_cast<int>(std::strlen(buffer));
    return copied < length ? copied : length;
}

LRESULT ListView::SetItemState(int item, UINT state, UINT mask) const
{
    LVITEMA record = {};
    record.state = state;
    record.stateMask = mask;
    return SendMessageA(hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record));
}
