#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstddef>

// The shell's folder picker, answering a file-system folder that ends in exactly one "\".
// The caller fills title before browsing; one browser may be used for several picks.
class FolderBrowser {
public:
    explicit FolderBrowser(HWND owner);

    // True when a folder with a file-system path was picked; it is then in result.
    bool Browse();

    char result[MAX_PATH] = {};
    char title[MAX_PATH] = {};

private:
    BROWSEINFOA request = {};
};

// One pick with a browser owned by owner under title; true with the folder in path (size bytes).
// A folder that does not fit path is refused rather than cut.
bool PickFolder(HWND owner, const char* title, char* path, std::size_t size);
