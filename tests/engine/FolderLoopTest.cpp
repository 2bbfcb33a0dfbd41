#include "EngineFixture.h"

#include "engine/FolderWalker.h"
#include "support/FolderLinks.h"
#include "support/TempFolder.h"
#include "text/BoundedText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Records the files a walk reports and the loops it refuses, relative to one folder, sorted.
class LoopRecordingWalker : public FolderWalker {
public:
    explicit LoopRecordingWalker(const std::string& folder) : base(folder) {}
    std::vector<std::string> files;
    std::vector<std::string> loops;

protected:
    int OnFile(const WIN32_FIND_DATAA& entry) override
    {
        files.push_back(Relative(currentPath) + entry.cFileName);
        return 0;
    }
    int OnFolder(const WIN32_FIND_DATAA&) override { return 0; }
    int OnFolderLoop(const WIN32_FIND_DATAA& entry) override
    {
        loops.push_back(Relative(currentPath) + entry.cFileName);
        return 0;
    }

private:
    std::string Relative(const std::string& path) const { return path.substr(base.size()); }
    std::string base;
};

struct LinkedTree {
    const char* name;
    // links made in the tree: the link's path and its target's, both below the test's folder
    std::vector<std::pair<std::string, std::string>> links;
    // what a walk of "root\" reports, relative to the test's folder
    std::vector<std::string> files;
    std::vector<std::string> loops;
};

// Every tree holds root\a.txt and root\sub\b.txt, and outside\o.txt beside the root.
const LinkedTree kTrees[] = {
    {"LoopDirectlyUnderTheRoot", {{"root\\loop", "root"}}, {"root\\a.txt", "root\\sub\\b.txt"}, {"root\\loop"}},
    {"LoopBackToItsOwnFolder", {{"root\\sub\\self", "root\\sub"}}, {"root\\a.txt", "root\\sub\\b.txt"}, {"root\\sub\\self"}},
    {"LoopThreeLevelsDownToTheRoot",
     {{"root\\sub\\two\\three\\loop", "root"}},
     {"root\\a.txt", "root\\sub\\b.txt"},
     {"root\\sub\\two\\three\\loop"}},
    {"TwoLinksSideBySideToOneFolder",
     {{"root\\one", "outside"}, {"root\\two", "outside"}},
     {"root\\a.txt", "root\\one\\o.txt", "root\\sub\\b.txt", "root\\two\\o.txt"},
     {}},
    {"LinkToAFolderInsideTheTreeIsNoLoop",
     {{"root\\again", "root\\sub"}},
     {"root\\a.txt", "root\\again\\b.txt", "root\\sub\\b.txt"},
     {}},
    {"LinkToAFolderOutsideTheTree", {{"root\\out", "outside"}}, {"root\\a.txt", "root\\out\\o.txt", "root\\sub\\b.txt"}, {}},
};

// Makes a link for a test; a system that refuses it for want of a right skips the test.
bool MakeLink(FolderLinks& links, const std::string& link, const std::string& target)
{
    if (links.Make(link, target))
        return true;
    if (FolderLinks::MayBeRefused())
        [&] { GTEST_SKIP() << links.Failure(); }();
    else
        ADD_FAILURE() << links.Failure();
    return false;
}

void PrintTo(const LinkedTree& tree, std::ostream* out)
{
    *out << tree.name;
}

class FolderLoopTest : public ::testing::TestWithParam<LinkedTree> {
protected:
    TempFolder tree{"loops"};
    // declared after the tree, so the links go before the tree is removed
    FolderLinks links;
};

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST_P(FolderLoopTest, EntersEveryFolderOnceOnItsWayDown)
{
    const LinkedTree& linked = GetParam();
    tree.WriteFile("root\\a.txt", "a");
    tree.WriteFile("root\\sub\\b.txt", "b");
    tree.WriteFile("outside\\o.txt", "o");
    tree.MakeFolder("root\\sub\\two\\three\\");
    for (const auto& link : linked.links) {
        if (!MakeLink(links, tree / link.first, tree / link.second))
            return;
    }

    LoopRecordingWalker walker(tree.Path());
    EXPECT_EQ(0, walker.Walk((tree / "root\\").c_str(), "*.txt", 16, 0));
    EXPECT_EQ(Sorted(linked.files), Sorted(walker.files));
    EXPECT_EQ(linked.loops, walker.loops);
}

INSTANTIATE_TEST_SUITE_P(LinkedTrees, FolderLoopTest, ::testing::ValuesIn(kTrees),
                         [](const ::testing::TestParamInfo<LinkedTree>& tree) { return std::string(tree.param.name); });

class RunLoopTest : public EngineTest {
protected:
    FolderLinks links;
};

// A loop costs one error line naming it, and the tree below it is copied once.
TEST_F(RunLoopTest, ALoopIsCopiedOnceAndEndsTheRunWithOneError)
{
    source.WriteFile("a.txt", "a");
    source.WriteFile("sub\\b.txt", "b");
    if (!MakeLink(links, source / "sub\\loop", source.Path().substr(0, source.Path().size() - 1)))
        return;

    EXPECT_EQ(0, RunWalk(source.Path(), "*.*", 16));
    EXPECT_EQ(2, run.filesCopied);
    EXPECT_EQ(1, run.errorCount);
    EXPECT_EQ(LogHeader() + "! Folder loop not entered - " + source.Path() + "sub\\loop\\\r\n" + LogSummary(2, 2, "1 errors occured during the backup."),
              Log());
    std::string mirror = MirrorOf(source.Path());
    EXPECT_EQ((std::vector<std::string>{"a.txt", "sub"}), NamesIn(mirror));
    EXPECT_EQ((std::vector<std::string>{"b.txt"}), NamesIn(mirror + "sub\\"));
}

// The destination inside the walked folder, or the walked folder itself: its copies are never
// copied again, silently, and a second run finds every copy up to date.
TEST_F(RunLoopTest, NeverWalksItsOwnDestination)
{
    // both trees stay until the end: the run remembers its destinations' identities, and a folder
    // made after one was removed may be given the removed one's file index
    TempFolder first{"docs"};
    TempFolder second{"docs2"};
    for (const char* inside : {"bk\\", ""}) {
        const TempFolder& docs = inside[0] != '\0' ? first : second;
        docs.WriteFile("a.txt", "a");
        docs.WriteFile("sub\\b.txt", "b");
        std::string target = docs / inside;
        CopyText(run.options.destination, target.c_str());
        std::string mirror = std::string(target) + docs.Path()[0] + "-Backup" + docs.Path().substr(2);
        run.options.copyUpdated = true;
        for (int pass = 1; pass <= 2; ++pass) {
            EXPECT_EQ(0, RunWalk(docs.Path(), "*.*", 16)) << inside << pass;
            EXPECT_EQ(pass == 1 ? 2 : 0, run.filesCopied) << inside << pass;
            EXPECT_EQ(2, run.filesChecked) << inside << pass;
            EXPECT_EQ(0, run.errorCount) << Log();
        }
        std::vector<std::string> copied = NamesIn(mirror);
        EXPECT_EQ((std::vector<std::string>{"a.txt", "sub"}), copied) << inside;
        EXPECT_EQ((std::vector<std::string>{"b.txt"}), NamesIn(mirror + "sub\\")) << inside;
    }
}

// A folder that was a destination in one run is a folder like any other in the next.
TEST_F(RunLoopTest, AnEarlierRunsDestinationIsWalkedByTheNext)
{
    source.WriteFile("a.txt", "a");
    std::string inside = source / "bk\\";
    ui.rows = {Row(source.Path(), "*.*", true)};
    ui.confirmedOptions = run.options;
    CopyText(ui.confirmedOptions.destination, inside.c_str());
    run.Run();
    EXPECT_EQ(1, run.filesCopied);

    CopyText(ui.confirmedOptions.destination, destination.Path().c_str());
    run.Run();
    // the source's file and the earlier run's copy of it
    EXPECT_EQ(2, run.filesCopied);
    EXPECT_EQ(0, run.errorCount);
}
