#include "engine/FolderWalker.h"

#include "engine/FolderPaths.h"
#include "text/BoundedText.h"

#include <cstring>
#include <memory>
#include <vector>

struct FolderWalker::Level {
    HANDLE search = INVALID_HANDLE_VALUE;
    bool yielding = false;
    WIN32_FIND_DATAA entry = {};
    // the folder's subfolders as the pattern's search met them, when that search saw every name
    std::vector<WIN32_FIND_DATAA> seenFolders;
    std::size_t nextSeen = 0;
    bool fromSeen = false;
    // the folder of this level, when it could be opened
    FolderIdentity identity;
    bool identified = false;
};

// A pattern that matches every name: its search also meets every subfolder, in the order a
// search for "*" would, so the folder need not be searched twice.
static bool MatchesEveryName(const char* pattern)
{
    return std::strcmp(pattern, "*") == 0 || std::strcmp(pattern, "*.*") == 0;
}

bool FolderWalker::NextSubfolderEntry(Level& level)
{
    if (!level.fromSeen)
        return FindNextFileA(level.search, &level.entry) != 0;
    if (++level.nextSeen >= level.seenFolders.size())
        return false;
    level.entry = level.seenFolders[level.nextSeen];
    return true;
}

int FolderWalker::OnSubfolder(const WIN32_FIND_DATAA&)
{
    return 0;
}

int FolderWalker::OnPathTooLong(const char*, const char*)
{
    return 0;
}

int FolderWalker::OnFolderLoop(const WIN32_FIND_DATAA&)
{
    return 0;
}

bool FolderWalker::IsFolderToPassOver(const FolderIdentity&)
{
    return false;
}

int FolderWalker::Walk(const char* rootPath, const char* pattern, int maxDepth, int enterSystemFolders)
{
    if (maxDepth < 0)
        maxDepth = 0;
    std::unique_ptr<Level[]> levels(new Level[static_cast<std::size_t>(maxDepth) + 1]);
    std::unique_ptr<char[]> specBuffer(new char[kSearchSpecSize]());
    std::unique_ptr<char[]> pathBuffer(new char[kFolderPathSize]());
    searchSpec = specBuffer.get();
    currentPath = pathBuffer.get();
    depth = 0;

    int result;
    if (CopyText(currentPath, kFolderPathSize, rootPath))
        result = WalkFrom(pattern, maxDepth, enterSystemFolders != 0, levels.get());
    else
        result = OnPathTooLong(rootPath, "") != 0 ? 1 : 0;

    for (int level = 0; level <= maxDepth; ++level) {
        if (levels[level].search != INVALID_HANDLE_VALUE)
            FindClose(levels[level].search);
    }
    searchSpec = nullptr;
    currentPath = nullptr;
    return result;
}

static bool IsFolderToEnter(const WIN32_FIND_DATAA& entry, bool enterSystemFolders)
{
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    // also leaves out "." and ".."
    if (entry.cFileName[0] == '.')
        return false;
    return enterSystemFolders || !(entry.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM);
}

static void CloseSearch(HANDLE& search)
{
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    search = INVALID_HANDLE_VALUE;
}

FolderWalker::Admission FolderWalker::AdmitSubfolder(Level* levels)
{
    const WIN32_FIND_DATAA& entry = levels[depth].entry;
    std::size_t parentLength = std::strlen(currentPath);
    if (!AppendText(currentPath, kFolderPathSize, entry.cFileName) || !AppendText(currentPath, kFolderPathSize, "\\")) {
        currentPath[parentLength] = '\0';
        return OnPathTooLong(currentPath, entry.cFileName) ? Admission::Stop : Admission::PassOver;
    }
    // decided by identity, not by the reparse attribute: a link to a folder elsewhere is data the
    // user may mean to back up, and only a folder already on the way down repeats the walk
    Level& below = levels[depth + 1];
    below.identified = IdentifyFolder(currentPath, below.identity);
    currentPath[parentLength] = '\0';
    if (!below.identified)
        return Admission::Enter;
    if (IsFolderToPassOver(below.identity))
        return Admission::PassOver;
    for (int level = 0; level <= depth; ++level) {
        if (levels[level].identified && IsSameFolder(levels[level].identity, below.identity))
            return OnFolderLoop(entry) ? Admission::Stop : Admission::PassOver;
    }
    return Admission::Enter;
}

int FolderWalker::WalkFrom(const char* pattern, int maxDepth, bool enterSystemFolders, Level* levels)
{
    levels[0].identified = IdentifyFolder(currentPath, levels[0].identity);
    const WIN32_FIND_DATAA rootEntry = {};
    if (OnFolder(rootEntry))
        return 1;
    for (;;) {
        Level* level = &levels[depth];
        level->seenFolders.clear();
        level->fromSeen = false;
        bool keepFolders = depth < maxDepth && MatchesEveryName(pattern);
        if (CopyText(searchSpec, kSearchSpecSize, currentPath) && AppendText(searchSpec, kSearchSpecSize, pattern)) {
            level->search = FindFirstFileA(searchSpec, &level->entry);
            if (level->search != INVALID_HANDLE_VALUE) {
                level->fromSeen = keepFolders;
                do {
                    if (level->entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                        if (keepFolders)
                            level->seenFolders.push_back(level->entry);
                    } else if (OnFile(level->entry)) {
                        return 1;
                    }
                } while (FindNextFileA(level->search, &level->entry));
                CloseSearch(level->search);
            }
        } else if (OnPathTooLong(currentPath, pattern)) {
            return 1;
        }
        if (maxDepth == 0)
            return 0;

        // a folder at the deepest level keeps its subfolders to itself, so they need no search
        if (level->fromSeen) {
            level->nextSeen = 0;
            level->yielding = !level->seenFolders.empty();
            if (level->yielding)
                level->entry = level->seenFolders[0];
        } else if (depth < maxDepth && CopyText(searchSpec, kSearchSpecSize, currentPath) && AppendText(searchSpec, kSearchSpecSize, "*")) {
            level->search = FindFirstFileA(searchSpec, &level->entry);
            level->yielding = level->search != INVALID_HANDLE_VALUE;
        } else {
            level->yielding = false;
        }

        for (;;) {
            level = &levels[depth];
            if (level->yielding && depth < maxDepth) {
                if (IsFolderToEnter(level->entry, enterSystemFolders)) {
                    Admission admission = AdmitSubfolder(levels);
                    if (admission == Admission::Stop)
                        return 1;
                    if (admission == Admission::Enter)
                        break;
                }
                level->yielding = NextSubfolderEntry(*level);
                continue;
            }
            CloseSearch(level->search);
            --depth;
            if (depth < 0)
                return 0;
            CutLastFolder(currentPath);
            OnFolderDone();
            Level& parent = levels[depth];
            parent.yielding = NextSubfolderEntry(parent);
        }

        if (OnSubfolder(level->entry))
            return 1;
        AppendText(currentPath, kFolderPathSize, level->entry.cFileName);
        AppendText(currentPath, kFolderPathSize, "\\");
        ++depth;
        if (OnFolder(level->entry))
            return 1;
    }
}
