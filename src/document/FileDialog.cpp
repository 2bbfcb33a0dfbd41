#include "document/FileDialog.h"

#include "engine/AnsiCodePage.h"
#include "framework/ProgramInstance.h"
#include "text/BoundedText.h"
#include "text/StringHelpers.h"

#include <cstddef>
#include <cstring>
#include <vector>

// The request size of the form without the reserved fields and FlagsEx added later: 76 bytes in
// the 32-bit build, 136 in the 64-bit one (pointers are wider). Every Windows version accepts it,
// and it keeps the dialog in the same shape on all of them.
// (OPENFILENAME_SIZE_VERSION_400A, written out so that it is a constant the compiler can check)
constexpr DWORD kShortRequestSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
static_assert(sizeof(void*) != 4 || kShortRequestSize == 76, "the 32-bit short request is 76 bytes");

FileDialog::FileDialog(bool open)
    : openMode(open),
      defaultExtension(open ? ".ini" : "ini"),
      flags(open ? OFN_HIDEREADONLY : OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN)
{
}

static const char* WithoutLeadingDot(const char* extension)
{
    return extension[0] == '.' ? extension + 1 : extension;
}

bool ForceExtension(char* path, std::size_t size, const char* extension)
{
    std::vector<char> name(path, path + std::strlen(path) + 1);
    StripExtension(name.data(), AnsiLeadBytes());
    name.resize(std::strlen(name.data()) + 1);
    if (name.size() + 1 + std::strlen(WithoutLeadingDot(extension)) > size)
        return false;
    CopyText(path, size, name.data());
    AppendText(path, size, ".");
    AppendText(path, size, WithoutLeadingDot(extension));
    return true;
}

bool runFileDialog(FileDialog& request, HWND owner, char* path, std::size_t size, const char* initialFolder)
{
    OPENFILENAMEA dialog;
    ZeroMemory(&dialog, sizeof dialog);
    dialog.lStructSize = kShortRequestSize;
    dialog.hwndOwner = owner;
    dialog.hInstance = ProgramInstance();
    dialog.lpstrFilter = request.filter;
    dialog.nFilterIndex = request.filterIndex;
    dialog.lpstrFile = path;
    dialog.nMaxFile = static_cast<DWORD>(size);
    dialog.lpstrInitialDir = initialFolder;
    dialog.lpstrTitle = request.title[0] != '\0' ? request.title : nullptr;
    dialog.Flags = request.flags;
    dialog.lpstrDefExt = request.defaultExtension != nullptr ? WithoutLeadingDot(request.defaultExtension) : nullptr;
    request.Adjust(dialog);
    // the dialogs leave the folder the user browsed current, which would keep a removable drive in
    // use; the open dialog ignores OFN_NOCHANGEDIR, so the current directory is put back for both
    char startDirectory[MAX_PATH];
    DWORD startLength = GetCurrentDirectoryA(sizeof startDirectory, startDirectory);
    bool chosen;
    if (request.openMode) {
        if (request.readOnly)
            dialog.Flags |= OFN_READONLY;
        chosen = GetOpenFileNameA(&dialog) != FALSE;
    } else {
        chosen = GetSaveFileNameA(&dialog) != FALSE;
    }
    if (startLength > 0 && startLength < sizeof startDirectory)
        SetCurrentDirectoryA(startDirectory);
    if (chosen && request.openMode) {
        bool readOnly = (dialog.Flags & OFN_READONLY) != 0;
        if (dialog.nFilterIndex != request.filterIndex || readOnly != request.readOnly) {
            request.filterIndex = dialog.nFilterIndex;
            request.readOnly = readOnly;
            request.changed = true;
        }
    }
    if (chosen && request.defaultExtension != nullptr && request.defaultExtension[0] != '\0') {
        std::vector<char> checked(path, path + std::strlen(path) + 1);
        chosen = ForceExtension(path, size, request.defaultExtension);
        request.otherName = chosen && lstrcmpiA(checked.data(), path) != 0;
    }
    if (!chosen && size > 0)
        path[0] = '\0';
    return chosen;
}
