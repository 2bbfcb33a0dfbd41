#pragma once

#include <windows.h>
#include <shlobj.h>

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
