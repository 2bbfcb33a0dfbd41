#include "driver/ProgramSession.h"
#include "driver/SampleBackup.h"
#include "driver/SampleLayout.h"
#include "resource.h"
#include "support/BuildPath.h"
#include "support/TempFolder.h"
#include "support/TestRegistryKey.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

constexpr DWORD kRunTimeoutMs = 60000;
constexpr char kSettingsKey[] = "Software\\Pennyroyal\\Tvault\\Settings";
constexpr char kMirror[] = "C-Backup\\Sample\\";

// Every folder (with its "\") and file below folder, named from folder on.
void CollectTree(const std::string& folder, const std::string& relative, std::set<std::string>& tree)
{
    for (const std::string& name : NamesIn(folder + relative)) {
        std::string entry = relative + name;
        bool isFolder = GetFileAttributesA((folder + entry).c_str()) & FILE_ATTRIBUTE_DIRECTORY;
        tree.insert(isFolder ? entry + "\\" : entry);
        if (isFolder)
            CollectTree(folder, entry + "\\", tree);
    }
}

// One backup of a first-time user's session with the sample: the options dialog's boxes set
// first, the log's summary, and what the run adds below the mirror of C:\Sample\ on E:.
struct SampleRun {
    const char* name;
    std::vector<BackupChoices::Box> boxes;
    std::vector<std::string> summary;
    std::vector<std::string> added;
};

const SampleRun kSession[] = {
    {"first backup, the sample's options",
     {},
     {"8 files checked.", "8 files copied.", "Backup completed without errors."},
     {"Documents\\", "Documents\\Letter to Ada.txt", "Documents\\Reading list.md", "Documents\\Recipes\\",
      "Documents\\Recipes\\Bread.txt", "Documents\\Recipes\\Lentil soup.txt", "Projects\\", "Projects\\greeting.h",
      "Projects\\main.cpp", "Settings\\", "Settings\\colours.cfg", "Settings\\Profiles\\",
      "Settings\\Profiles\\default.cfg"}},
    {"again with updated files only",
     {{IDC_COPY_UPDATED, true}},
     {"8 files checked.", "0 files copied.", "Backup completed without errors."},
     {}},
    {"hidden and system files too",
     {{IDC_COPY_HIDDEN, true}, {IDC_COPY_SYSTEM, true}},
     {"10 files checked.", "2 files copied.", "Backup completed without errors."},
     {"Documents\\Diary.txt", "Settings\\Boot.cfg"}},
};

// The destination holds exactly the expected folders and files, each file a byte-for-byte copy
// of the sample's file with plain attributes.
void ExpectDestination(const std::set<std::string>& expected)
{
    std::set<std::string> tree;
    CollectTree("E:\\", "", tree);
    EXPECT_EQ(expected, tree);
    for (const std::string& entry : tree) {
        if (entry.back() == '\\' || entry.compare(0, sizeof kMirror - 1, kMirror) != 0)
            continue;
        std::string copy = "E:\\" + entry;
        std::string source = kSampleFolder + entry.substr(sizeof kMirror - 1);
        EXPECT_EQ(ReadWholeFile(source), ReadWholeFile(copy)) << copy;
        const DWORD notPlain = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
        EXPECT_EQ(0u, GetFileAttributesA(copy.c_str()) & notPlain) << copy;
    }
}

// A rectangle as the registry stores it.
std::string BytesOf(const RECT& rectangle)
{
    return std::string(reinterpret_cast<const char*>(&rectangle), sizeof rectangle);
}

RECT NormalRectangle(HWND window)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    return placement.rcNormalPosition;
}

// Trellisvault.exe started by the driver as its own process, in a prefix made afresh for this test
// (scripts/with-sample.sh) whose drive E: is an empty folder: the sample backed up three times,
// left with Exit, and started again.
TEST(ProgramTest, FirstTimeUserBacksUpTheSampleAndStartsAgain)
{
    std::string failure;
    ASSERT_TRUE(LayOutSample(WindowsPath(TV_EXAMPLES_PATH "/"), failure)) << failure;
    const std::string program = WindowsPath(TV_PROGRAM_PATH);
    ProgramSession session;
    ASSERT_TRUE(session.Start(program.c_str()));
    ASSERT_TRUE(session.WaitUntil([&] { return session.RowCount() == 3; }, ProgramSession::kWindowTimeoutMs));

    std::set<std::string> expected = {"C-Backup\\", kMirror};
    for (const SampleRun& run : kSession) {
        SCOPED_TRACE(run.name);
        ASSERT_TRUE(ConfirmBackup(session, {run.boxes, nullptr}));
        BackupSummary summary;
        ASSERT_TRUE(WaitForRunEnd(session, summary, kRunTimeoutMs));
        EXPECT_EQ(run.summary, summary.lines);
        for (const std::string& entry : run.added)
            expected.insert(kMirror + entry);
        ExpectDestination(expected);
    }

    // moved as a user drags it, so the placement differs from where a first start puts it
    const RECT moved = {40, 30, 680, 510};
    ASSERT_TRUE(SetWindowPos(session.MainWindow(), nullptr, moved.left, moved.top, moved.right - moved.left,
                             moved.bottom - moved.top, SWP_NOZORDER | SWP_NOACTIVATE));
    DWORD exitCode = 1;
    ASSERT_TRUE(session.Exit(exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(SampleDataFile(), ReadText(kSettingsKey, "DataFile"));
    EXPECT_EQ(std::string("\1\0\0\0", 4), ReadValue(kSettingsKey, "showCmd").bytes);
    EXPECT_TRUE(ReadValue(kSettingsKey, "flags").present);
    EXPECT_EQ(BytesOf(moved), ReadValue(kSettingsKey, "rcNormal").bytes);

    ASSERT_TRUE(session.Start(program.c_str()));
    ASSERT_TRUE(session.WaitUntil([&] { return session.RowCount() == 3; }, ProgramSession::kWindowTimeoutMs));
    EXPECT_EQ(BytesOf(moved), BytesOf(NormalRectangle(session.MainWindow())));
    char title[100] = {};
    GetWindowTextA(session.MainWindow(), title, sizeof title);
    EXPECT_EQ(0u, std::string(title).rfind("Trellisvault - last backed up on ", 0)) << title;
    ASSERT_TRUE(session.Exit(exitCode));
}

} // namespace
