#pragma once

#include <windows.h>

#include <commdlg.h>

#include <cstddef>

// One request for the system's open or save dialog of folder lists.
struct FileDialog {
    explicit FileDialog(bool open);
    virtual ~FileDialog() = default;

    // Called with the filled request just before the dialog opens, so a derived request can adjust it.
    virtual void Adjust(OPENFILENAMEA&) {}

    bool openMode;
    // pairs of display text and pattern, ended by an empty pair
    const char* filter = "Folder list(*.ini)\0*.ini\0";
    DWORD filterIndex = 1;
    // forced onto the chosen name; a leading "." is skipped
    const char* defaultExtension;
    // empty for the system's own title
    const char* title = "";
    DWORD flags;
    bool readOnly = false;
    // an open dialog returned another filter index or read-only state
    bool changed = false;
    // forcing the default extension named another file than the one the dialog checked, so the
    // dialog's own overwrite question did not cover it
    bool otherName = false;
};

// Shows the dialog owned by owner, starting in initialFolder with the name in path (size bytes),
// and leaves the chosen name there with the default extension in place of its own. False when the
// dialog was cancelled or failed, or the name with its extension does not fit; path is then empty.
bool runFileDialog(FileDialog& request, HWND owner, char* path, std::size_t size, const char* initialFolder);

// Replaces the extension of the name in path (size bytes) by extension (a leading "." skipped),
// or appends it to a name without one. False, with path unchanged, when the result does not fit.
bool ForceExtension(char* path, std::size_t size, const char* extension);
