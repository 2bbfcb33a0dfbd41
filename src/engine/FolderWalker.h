#pragma once

#include "engine/FolderIdentity.h"

#include <windows.h>

// Reports, in one folder and on request in its subfolders down to a bounded depth, every
// folder entered and every file matching one wildcard pattern to handlers a derived class
// overrides. A nonzero answer from any handler stops the whole walk.
class FolderWalker {
public:
    FolderWalker() = default;
    virtual ~FolderWalker() = default;
    FolderWalker(const FolderWalker&) = delete;
    FolderWalker& operator=(const FolderWalker&) = delete;

    // Answers 1 when a handler stopped the walk, 0 when it ran to its end. rootPath ends in "\".
    int Walk(const char* rootPath, const char* pattern, int maxDepth, int enterSystemFolders);

    static constexpr int kFolderPathSize = 260;
    static constexpr int kSearchSpecSize = 300;

protected:
    // After a subfolder is finished; currentPath is already its parent again.
    virtual void OnFolderDone() {}
    // For every matching entry that is not a directory.
    virtual int OnFile(const WIN32_FIND_DATAA& entry) = 0;
    // On entering a folder, after currentPath and depth have moved there; for the root the entry is empty.
    virtual int OnFolder(const WIN32_FIND_DATAA& entry) = 0;
    // Just before a subfolder is entered, while currentPath is still the parent's.
    virtual int OnSubfolder(const WIN32_FIND_DATAA& entry);
    // Instead of entering a subfolder (or searching for a pattern) whose path would not fit its
    // buffer; `folder` is the current folder (or the root), `name` the subfolder or the pattern.
    virtual int OnPathTooLong(const char* folder, const char* name);
    // Instead of entering a subfolder that is the walk's root or one of the folders the walk is
    // inside of (through a link or junction), which would repeat the walk below it without end;
    // currentPath is still the parent's.
    virtual int OnFolderLoop(const WIN32_FIND_DATAA& entry);
    // Whether a subfolder is passed over silently, unentered and unreported (the walk's own output).
    virtual bool IsFolderToPassOver(const FolderIdentity& identity);

    int depth = 0;
    // the current folder followed by the pattern, or by "*" when looking for subfolders
    char* searchSpec = nullptr;
    // the folder being visited, always ending in "\"
    char* currentPath = nullptr;

private:
    struct Level;
    // The folder's next entry of the subfolder search; false after the last.
    static bool NextSubfolderEntry(Level& level);
    enum class Admission { Enter, PassOver, Stop };
    // Whether the current level's subfolder is entered, identifying it for the levels below.
    Admission AdmitSubfolder(Level* levels);
    int WalkFrom(const char* pattern, int maxDepth, bool enterSystemFolders, Level* levels);
};
