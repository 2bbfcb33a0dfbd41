#include "app/FolderBrowser.h"

#include "app/FolderResultText.h"
#include "engine/AnsiCodePage.h"
#include "text/BoundedText.h"

FolderBrowser::FolderBrowser(HWND owner)
{
    request.hwndOwner = owner;
    request.pidlRoot = nullptr;
    // the result doubles as the display-name buffer, which the shell fills up to MAX_PATH bytes
    request.pszDisplayName = result;
    request.lpszTitle = title;
    request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_RETURNFSANCESTORS;
    request.lpfn = nullptr;
    request.lParam = 0;
}

bool FolderBrowser::Browse()
{
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)))
        return false;
    bool picked = false;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&request);
    if (chosen != nullptr) {
        picked = SHGetPathFromIDListA(chosen, result) != FALSE;
        allocator->Free(chosen);
    }
    allocator->Release();
    return picked && EndFolderWithBackslash(result, sizeof result, AnsiLeadBytes());
}

bool PickFolder(HWND owner, const char* title, char* path, std::size_t size)
{
    FolderBrowser browser(owner);
    return CopyText(browser.title, title) && browser.Browse() && CopyText(path, size, browser.result);
}
