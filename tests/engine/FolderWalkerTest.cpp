#include "engine/FolderWalker.h"
#include "support/HandleCount.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Records every handler call as "kind path"; answers 1 at the event named in stopAt.
class RecordingWalker : public FolderWalker {
public:
    std::vector<std::string> events;
    std::string stopAt;

    std::vector<std::string> Of(const std::string& kind) const
    {
        std::vector<std::string> found;
        for (const std::string& event : events) {
            if (event.compare(0, kind.size() + 1, kind + " ") == 0)
                found.push_back(event.substr(kind.size() + 1));
        }
        std::sort(found.begin(), found.end());
        return found;
    }

protected:
    int Record(const std::string& event)
    {
        events.push_back(event);
        return event == stopAt ? 1 : 0;
    }
    void OnFolderDone() override { Record("done " + std::string(currentPath)); }
    int OnFile(const WIN32_FIND_DATAA& entry) override { return Record("file " + std::string(currentPath) + entry.cFileName); }
    int OnFolder(const WIN32_FIND_DATAA& entry) override
    {
        // the root's record carries nothing
        if (depth == 0 && entry.cFileName[0] != '\0')
            ADD_FAILURE() << "root folder with an entry " << entry.cFileName;
        return Record("folder " + std::string(currentPath) + " " + std::to_string(depth));
    }
    int OnSubfolder(const WIN32_FIND_DATAA& entry) override
    {
        return Record("subfolder " + std::string(currentPath) + entry.cFileName);
    }
    int OnPathTooLong(const char* folder, const char* name) override
    {
        return Record("toolong " + std::string(folder) + "|" + name);
    }
};

class FolderWalkerTest : public ::testing::Test {
protected:
    TempFolder tree{"walk"};
    RecordingWalker walker;
    std::string root = tree.Path();
};

} // namespace

TEST_F(FolderWalkerTest, DepthZeroReportsTheRootAndItsFilesOnly)
{
    tree.WriteFile("a.txt", "a");
    tree.WriteFile("b.doc", "b");
    tree.WriteFile("sub\\c.txt", "c");
    EXPECT_EQ(0, walker.Walk(root.c_str(), "*.*", 0, 0));
    ASSERT_EQ(3u, walker.events.size());
    EXPECT_EQ("folder " + root + " 0", walker.events[0]);
    EXPECT_EQ((std::vector<std::string>{root + "a.txt", root + "b.doc"}), walker.Of("file"));
    EXPECT_TRUE(walker.Of("subfolder").empty());
    EXPECT_TRUE(walker.Of("done").empty());
}

TEST_F(FolderWalkerTest, VisitsDepthFirstWithEachFoldersFilesBeforeItsSubfolders)
{
    tree.WriteFile("r1.txt", "");
    tree.WriteFile("r2.txt", "");
    tree.WriteFile("A\\a1.txt", "");
    tree.WriteFile("A\\A1\\a11.txt", "");
    tree.WriteFile("A\\A2\\a21.txt", "");
    tree.WriteFile("B\\b1.txt", "");
    tree.MakeFolder("B\\Empty");
    EXPECT_EQ(0, walker.Walk(root.c_str(), "*.txt", 16, 0));

    EXPECT_EQ((std::vector<std::string>{root + " 0", root + "A\\ 1", root + "A\\A1\\ 2", root + "A\\A2\\ 2", root + "B\\ 1", root + "B\\Empty\\ 2"}),
              walker.Of("folder"));
    EXPECT_EQ((std::vector<std::string>{root + "A\\A1\\a11.txt", root + "A\\A2\\a21.txt", root + "A\\a1.txt", root + "B\\b1.txt", root + "r1.txt",
                                        root + "r2.txt"}),
              walker.Of("file"));
    // every subfolder is announced from its parent, entered, and finished back in its parent
    EXPECT_EQ((std::vector<std::string>{root + "A", root + "A\\A1", root + "A\\A2", root + "B", root + "B\\Empty"}), walker.Of("subfolder"));
    EXPECT_EQ((std::vector<std::string>{root, root, root + "A\\", root + "A\\", root + "B\\"}), walker.Of("done"));

    // pre-order: a folder's files come right after its folder call, and a subfolder is finished
    // completely before the next one starts
    std::string current;
    std::vector<std::string> open;
    for (const std::string& event : walker.events) {
        if (event.compare(0, 7, "folder ") == 0) {
            current = event.substr(7, event.rfind(' ') - 7);
            open.push_back(current);
        } else if (event.compare(0, 5, "file ") == 0) {
            std::string path = event.substr(5);
            EXPECT_EQ(current, path.substr(0, path.rfind('\\') + 1)) << "file outside its folder's turn: " << path;
        } else if (event.compare(0, 10, "subfolder ") == 0) {
            current.clear();
        } else if (event.compare(0, 5, "done ") == 0) {
            ASSERT_FALSE(open.empty());
            open.pop_back();
            EXPECT_EQ(open.back(), event.substr(5));
        }
    }
}

TEST_F(FolderWalkerTest, PassesOverDotAndSystemFoldersButEntersHiddenOnes)
{
    tree.WriteFile(".config\\in-dot.txt", "");
    tree.WriteFile("Hidden\\in-hidden.txt", "");
    tree.WriteFile("System\\in-system.txt", "");
    tree.WriteFile("hidden-file.txt", "");
    ASSERT_TRUE(SetFileAttributesA((root + "Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((root + "System").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesA((root + "hidden-file.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));

    EXPECT_EQ(0, walker.Walk(root.c_str(), "*", 16, 0));
    EXPECT_EQ((std::vector<std::string>{root + " 0", root + "Hidden\\ 1"}), walker.Of("folder"));
    // the walker reports hidden files too; filtering them is the handlers' business
    EXPECT_EQ((std::vector<std::string>{root + "Hidden\\in-hidden.txt", root + "hidden-file.txt"}), walker.Of("file"));

    RecordingWalker systemWalker;
    EXPECT_EQ(0, systemWalker.Walk(root.c_str(), "*", 16, 1));
    EXPECT_EQ((std::vector<std::string>{root + " 0", root + "Hidden\\ 1", root + "System\\ 1"}), systemWalker.Of("folder"));
}

TEST_F(FolderWalkerTest, StopsEnteringSixteenLevelsDownInATwentyLevelTree)
{
    std::string relative;
    for (int level = 1; level <= 20; ++level) {
        relative += "L" + std::to_string(level) + "\\";
        tree.WriteFile(relative + "f.txt", "");
    }
    EXPECT_EQ(0, walker.Walk(root.c_str(), "*.txt", 16, 0));
    std::vector<std::string> folders = walker.Of("folder");
    EXPECT_EQ(17u, folders.size());
    std::vector<std::string> files = walker.Of("file");
    ASSERT_EQ(16u, files.size());
    int deepest = 0;
    for (const std::string& folder : folders)
        deepest = std::max(deepest, std::stoi(folder.substr(folder.rfind(' ') + 1)));
    EXPECT_EQ(16, deepest);
    EXPECT_EQ(16u, walker.Of("done").size());
    for (const std::string& file : files)
        EXPECT_EQ(std::string::npos, file.find("L17")) << file;
}

TEST_F(FolderWalkerTest, PatternsNeverReportFoldersAsFiles)
{
    tree.WriteFile("plain.txt", "");
    tree.WriteFile("notes.doc", "");
    tree.MakeFolder("folder.txt");
    EXPECT_EQ(0, walker.Walk(root.c_str(), "*", 0, 0));
    EXPECT_EQ((std::vector<std::string>{root + "notes.doc", root + "plain.txt"}), walker.Of("file"));

    RecordingWalker txtWalker;
    EXPECT_EQ(0, txtWalker.Walk(root.c_str(), "*.txt", 1, 0));
    EXPECT_EQ((std::vector<std::string>{root + "plain.txt"}), txtWalker.Of("file"));
    EXPECT_EQ((std::vector<std::string>{root + " 0", root + "folder.txt\\ 1"}), txtWalker.Of("folder"));

    RecordingWalker questionWalker;
    EXPECT_EQ(0, questionWalker.Walk(root.c_str(), "?????.doc", 0, 0));
    EXPECT_EQ((std::vector<std::string>{root + "notes.doc"}), questionWalker.Of("file"));
}

TEST_F(FolderWalkerTest, AnEmptyPatternMatchesNoFileButEntersEveryFolder)
{
    tree.WriteFile("a.txt", "");
    tree.WriteFile("S\\b.txt", "");
    tree.WriteFile("S\\T\\c.txt", "");
    EXPECT_EQ(0, walker.Walk(root.c_str(), "", 16, 0));
    EXPECT_TRUE(walker.Of("file").empty());
    EXPECT_EQ((std::vector<std::string>{root + " 0", root + "S\\ 1", root + "S\\T\\ 2"}), walker.Of("folder"));
}

TEST_F(FolderWalkerTest, AHandlerThreeLevelsDownStopsEverythingAndLeavesNoSearchOpen)
{
    tree.WriteFile("A\\B\\C\\stop.txt", "");
    tree.WriteFile("A\\B\\C\\D\\deeper.txt", "");
    tree.WriteFile("Z\\other.txt", "");
    tree.WriteFile("Y\\other.txt", "");
    walker.stopAt = "file " + root + "A\\B\\C\\stop.txt";
    long handlesBefore = OpenHandleCount();
    ASSERT_GT(handlesBefore, 0);
    EXPECT_EQ(1, walker.Walk(root.c_str(), "*.txt", 16, 0));
    EXPECT_EQ(walker.stopAt, walker.events.back());
    EXPECT_EQ(handlesBefore, OpenHandleCount());
    for (const std::string& event : walker.events)
        EXPECT_EQ(std::string::npos, event.find("deeper")) << event;

    // each kind of handler stops the walk the same way
    for (const std::string& stop : {"folder " + root + "A\\B\\ 2", "subfolder " + root + "A\\B", "folder " + root + " 0"}) {
        RecordingWalker stopping;
        stopping.stopAt = stop;
        EXPECT_EQ(1, stopping.Walk(root.c_str(), "*.txt", 16, 0)) << stop;
        EXPECT_EQ(stop, stopping.events.back());
        EXPECT_EQ(handlesBefore, OpenHandleCount()) << stop;
    }
}

TEST_F(FolderWalkerTest, TheHandleCountTheLeakChecksUseSeesASearchLeftOpen)
{
    tree.WriteFile("a.txt", "");
    long before = OpenHandleCount();
    ASSERT_GT(before, 0);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((root + "*").c_str(), &entry);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    EXPECT_EQ(before + 1, OpenHandleCount());
    FindClose(search);
    EXPECT_EQ(before, OpenHandleCount());
}

TEST_F(FolderWalkerTest, AMissingRootGetsItsFolderCallAndNothingElse)
{
    std::string missing = root + "missing\\";
    EXPECT_EQ(0, walker.Walk(missing.c_str(), "*.*", 16, 0));
    EXPECT_EQ((std::vector<std::string>{"folder " + missing + " 0"}), walker.events);
}

TEST_F(FolderWalkerTest, EachWalkStartsAfresh)
{
    tree.WriteFile("A\\a.txt", "");
    EXPECT_EQ(0, walker.Walk(root.c_str(), "*.txt", 16, 0));
    std::vector<std::string> first = walker.events;
    walker.events.clear();
    EXPECT_EQ(0, walker.Walk(root.c_str(), "*.txt", 16, 0));
    EXPECT_EQ(first, walker.events);
}

// Folder paths up to 259 characters (with their "\") are entered; a longer one is reported instead.
TEST_F(FolderWalkerTest, RefusesFolderPathsThatDoNotFitAndGoesOn)
{
    std::string parent = root + "P\\";
    auto nameFor = [&](std::size_t total) { return std::string(total - parent.size() - 1, 'n'); };
    std::string fits = nameFor(259);
    std::string tooLong = nameFor(260);
    ASSERT_TRUE(CreateDirectoryA(parent.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((parent + fits).c_str(), nullptr)) << GetLastError();
    ASSERT_TRUE(CreateDirectoryA((parent + tooLong).c_str(), nullptr)) << GetLastError();
    tree.WriteFile("P\\after.txt", "");

    EXPECT_EQ(0, walker.Walk(root.c_str(), "*.txt", 16, 0));
    std::vector<std::string> folders = walker.Of("folder");
    EXPECT_NE(folders.end(), std::find(folders.begin(), folders.end(), parent + fits + "\\ 2"));
    EXPECT_EQ((std::vector<std::string>{parent + "|" + tooLong}), walker.Of("toolong"));
    EXPECT_EQ((std::vector<std::string>{parent + "after.txt"}), walker.Of("file"));

    // a search text that would not fit is reported with its pattern
    RecordingWalker patternWalker;
    std::string longPattern(300 - root.size(), '?');
    EXPECT_EQ(0, patternWalker.Walk(root.c_str(), longPattern.c_str(), 0, 0));
    EXPECT_EQ((std::vector<std::string>{root + "|" + longPattern}), patternWalker.Of("toolong"));

    // and so is a root that does not fit
    RecordingWalker rootWalker;
    std::string longRoot = root + std::string(300, 'r') + "\\";
    EXPECT_EQ(0, rootWalker.Walk(longRoot.c_str(), "*", 16, 0));
    EXPECT_EQ((std::vector<std::string>{"toolong " + longRoot + "|"}), rootWalker.events);
}

// "*" and "*.*" see every subfolder in their own search; the walk must still be the one a
// separate search for subfolders gives: same calls, same order, same depth limit and exclusions.
TEST_F(FolderWalkerTest, APatternMatchingEveryNameWalksExactlyAsAnyOtherPattern)
{
    tree.WriteFile("r.txt", "");
    tree.WriteFile("A\\a.txt", "");
    tree.WriteFile("A\\Deep\\Deeper\\Deepest\\d.txt", "");
    tree.WriteFile("B\\b1.txt", "");
    tree.WriteFile("B\\b2.txt", "");
    tree.WriteFile(".dot\\x.txt", "");
    tree.WriteFile("System\\s.txt", "");
    tree.MakeFolder("C\\Empty");
    ASSERT_TRUE(SetFileAttributesA((root + "System").c_str(), FILE_ATTRIBUTE_SYSTEM));

    for (int maxDepth : {0, 2, 16}) {
        RecordingWalker separate;
        EXPECT_EQ(0, separate.Walk(root.c_str(), "*.txt", maxDepth, 0));
        for (const char* everything : {"*", "*.*"}) {
            RecordingWalker combined;
            long handles = OpenHandleCount();
            EXPECT_EQ(0, combined.Walk(root.c_str(), everything, maxDepth, 0));
            EXPECT_EQ(handles, OpenHandleCount());
            EXPECT_EQ(separate.events, combined.events) << everything << " to depth " << maxDepth;
        }
    }

    RecordingWalker stopped;
    stopped.stopAt = "folder " + root + "B\\ 1";
    EXPECT_EQ(1, stopped.Walk(root.c_str(), "*.*", 16, 0));
    EXPECT_EQ(stopped.stopAt, stopped.events.back());
}
