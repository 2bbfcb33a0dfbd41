#include "document/DocumentStorage.h"

#include "document/WarningBoxHost.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

const char kExample[] =
    "[Program]\r\nTrellisvault\r\n[Date]\r\n03/14/06  09:05 PM\r\n[Description]\r\nWeekly backup of the letters\r\n"
    "[CopyUpdated]\r\nTRUE\r\n[CopyHidden]\r\nFALSE\r\n[CopySystem]\r\nFALSE\r\n[Dest]\r\nE:\\\r\n[Folders]\r\n"
    "C:\\Data\\Letters\\*.doc, *.txt   /subfolders\r\nC:\\Projects\\*.*\r\n";

// The names of the files in a folder, so a test sees every temporary file left behind.
Texts FilesIn(const std::string& folder)
{
    Texts names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

// A document as the list view and the options dialog would hold it after the user's edits.
void FillExample(MemoryDocumentHost& host, const std::string& path)
{
    host.runNewSteps();
    CopyText(host.path, path.c_str());
    CopyText(host.opts.lastBackupDate, "03/14/06  09:05 PM");
    CopyText(host.opts.description, "Weekly backup of the letters");
    CopyText(host.opts.destination, "E:\\");
    host.InsertRow("C:\\Projects\\*.*", false);
    host.InsertRow("C:\\Data\\Letters\\*.doc, *.txt", true);
}

TEST(DocumentLoad, LoadsAFileAndRefreshesTitleAndPane)
{
    TempFolder folder("doc-load");
    folder.WriteFile("list.ini", kExample);
    WarningBoxHost host;
    host.runNewSteps();
    CopyText(host.path, (folder / "list.ini").c_str());
    host.backupDone = true;
    host.opts.recordFileNames = true;
    loadDocument(host);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(host.EntryTexts(), (Texts{"C:\\Data\\Letters\\*.doc, *.txt", "C:\\Projects\\*.*"}));
    EXPECT_STREQ(host.opts.lastBackupDate, "03/14/06  09:05 PM");
    EXPECT_STREQ(host.opts.destination, "E:\\");
    EXPECT_FALSE(host.backupDone) << "loading resets the options first";
    EXPECT_FALSE(host.opts.recordFileNames);
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(host.path, folder / "list.ini");
    EXPECT_EQ(host.titleUpdates, 1);
    EXPECT_EQ(host.paneUpdates, 1);
}

// A missing or unnamed file gives an empty untitled document silently. A file another program
// holds is waited for a moment, then reported, and its path is kept rather than forgotten.
TEST(DocumentLoad, AMissingFileIsForgottenSilentlyAndALockedOneKept)
{
    TempFolder folder("doc-load-missing");
    folder.WriteFile("locked.ini", kExample);
    std::string locked = folder / "locked.ini";
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    for (const std::string& path : {folder / "missing.ini", std::string(), locked, folder / "*.ini"}) {
        WarningBoxHost host;
        CopyText(host.path, path.c_str());
        EXPECT_FALSE(loadDocument(host));
        EXPECT_EQ(host.warnings.size(), path == locked ? 1u : 0u) << path;
        for (const WarningBoxHost::Box& box : host.boxes)
            EXPECT_EQ(box.caption + ": " + box.text, "Trellisvault: Can't read folder list: " + locked);
        EXPECT_STREQ(host.path, path == locked ? locked.c_str() : "") << path;
        EXPECT_TRUE(host.rows.empty()) << path;
        EXPECT_EQ(host.titleUpdates, 1) << path;
    }
    WarningBoxHost host;
    CopyText(host.path, locked.c_str());
    std::thread briefHolder([holder] {
        Sleep(300);
        CloseHandle(holder);
    });
    EXPECT_TRUE(loadDocument(host)) << "a file held for a moment is read once it is let go";
    briefHolder.join();
    EXPECT_EQ(host.rows.size(), 2u);
}

TEST(DocumentLoad, AZeroByteFileIsRejectedWithAWarningCaptionedWithItsPath)
{
    TempFolder folder("doc-load-empty");
    folder.WriteFile("empty.ini", "");
    std::string path = folder / "empty.ini";
    WarningBoxHost host;
    host.runNewSteps();
    CopyText(host.path, path.c_str());
    loadDocument(host);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Not a Trellisvault data file");
    EXPECT_EQ(host.boxes[0].caption, path);
    EXPECT_EQ(host.boxes[0].answer, IDOK);
    EXPECT_STREQ(host.path, "");
    EXPECT_TRUE(host.rows.empty());
    EXPECT_EQ(host.titleUpdates, 1);
}

// The file is written byte for byte whatever stood there before, and no temporary file is left.
TEST(DocumentSave, WritesTheFormatByteForByteNewOrReplacingAFileWhole)
{
    struct Before {
        const char* name;
        std::string content;  // empty: no file yet
        DWORD attributes;
    };
    const Before rows[] = {
        {"new", "", 0},
        {"longer", std::string(5000, 'o'), FILE_ATTRIBUTE_NORMAL},
        {"hidden", "old", FILE_ATTRIBUTE_HIDDEN},
    };
    for (const Before& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder folder((std::string("doc-save-") + row.name).c_str());
        std::string path = folder / "list.ini";
        if (!row.content.empty()) {
            folder.WriteFile("list.ini", row.content);
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), row.attributes));
        }
        WarningBoxHost host;
        FillExample(host, path);
        ASSERT_TRUE(host.modified);
        host.backupDone = true;
        EXPECT_TRUE(saveDocument(host));
        EXPECT_TRUE(host.boxes.empty());
        EXPECT_EQ(ReadWholeFile(path), kExample);
        EXPECT_FALSE(host.modified);
        EXPECT_TRUE(host.backupDone) << "saving leaves the backup-done flag alone";
        EXPECT_EQ(FilesIn(folder.Path()), (Texts{"list.ini"})) << "no temporary file is left";
        // a hidden data file stays hidden
        DWORD attributes = GetFileAttributesA(path.c_str());
        EXPECT_EQ(row.attributes == FILE_ATTRIBUTE_HIDDEN, (attributes & FILE_ATTRIBUTE_HIDDEN) != 0) << attributes;
        EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY) << attributes;
    }
}

TEST(DocumentSave, SavedThenLoadedGivesTheSameDocument)
{
    TempFolder folder("doc-roundtrip");
    std::string path = folder / "round.ini";
    WarningBoxHost saved;
    saved.runNewSteps();
    CopyText(saved.path, path.c_str());
    CopyText(saved.opts.lastBackupDate, "12/31/99  12:00 AM");
    CopyText(saved.opts.description, "Everything, twice: [daily]");
    CopyText(saved.opts.destination, "\\\\tvserver\\share\\Backups\\");
    saved.opts.copyUpdated = false;
    saved.opts.copyHidden = true;
    saved.opts.copySystem = true;
    saved.InsertRow("\tD:\\Work\\*.cpp, *.h, *.rc  ", true);
    saved.InsertRow("C:\\Data\\*.*", false);
    saved.InsertRow("c:\\apps\\*.ini", true);
    saved.InsertRow("", false);
    saveDocument(saved);
    ASSERT_TRUE(saved.boxes.empty());

    WarningBoxHost loaded;
    loaded.runNewSteps();
    CopyText(loaded.path, path.c_str());
    loadDocument(loaded);
    EXPECT_TRUE(loaded.boxes.empty());
    EXPECT_STREQ(loaded.path, path.c_str());
    EXPECT_STREQ(loaded.opts.lastBackupDate, "12/31/99  12:00 AM");
    EXPECT_STREQ(loaded.opts.description, "Everything, twice: [daily]");
    EXPECT_STREQ(loaded.opts.destination, "\\\\tvserver\\share\\Backups\\");
    EXPECT_FALSE(loaded.opts.copyUpdated);
    EXPECT_TRUE(loaded.opts.copyHidden);
    EXPECT_TRUE(loaded.opts.copySystem);
    EXPECT_EQ(loaded.EntryTexts(), (Texts{"c:\\apps\\*.ini", "C:\\Data\\*.*", "D:\\Work\\*.cpp, *.h, *.rc"}))
        << "rows come back sorted and trimmed; an entry without text is a blank line, read as no row";
    ASSERT_EQ(loaded.rows.size(), 3u);
    EXPECT_TRUE(loaded.rows[0].subfolders);
    EXPECT_FALSE(loaded.rows[1].subfolders);
    EXPECT_TRUE(loaded.rows[2].subfolders);
    EXPECT_FALSE(loaded.modified);
}

// Texts the reader would take for headers or cut, saved with the example and read back. A description
// beginning with [ is written as it stands and reads back empty; a row or a description that would read
// as a header gets a leading space, lest it hide the real Folders section and lose every row after it; a
// row longer than a line may hold is kept whole in the file and read back whole, with a warning.
TEST(DocumentSave, TextsTheReaderWouldMistakeAreWrittenSoNoOtherRowOrOptionIsLost)
{
    const std::string longRow = "C:\\" + std::string(260, 'n') + "\\*.*";
    const std::string letters = "C:\\Data\\Letters\\*.doc, *.txt";
    struct RoundTrip {
        const char* description;
        std::vector<std::pair<std::string, bool>> rows;
        Texts written;
        const char* readDescription;
        Texts readRows;
        std::vector<bool> readSubfolders;
    };
    const RoundTrip trips[] = {
        {"[weekly]", {}, {"[Description]\r\n[weekly]\r\n"}, "", {letters, "C:\\Projects\\*.*"}, {true, false}},
        {"[Folders] of the office",
         {{"[Archive]\\*.*", false}, {"Z:\\Last\\*.*", true}},
         {"[Description]\r\n [Folders] of the office\r\n", "[Folders]\r\n [Archive]\\*.*\r\n"},
         " [Folders] of the office",
         {" [Archive]\\*.*", letters, "C:\\Projects\\*.*", "Z:\\Last\\*.*"},
         {false, true, false, true}},
        {"Weekly backup of the letters",
         {{longRow, true}},
         {"\r\n" + longRow + "   /subfolders\r\n"},
         "Weekly backup of the letters",
         {letters, longRow, "C:\\Projects\\*.*"},
         {true, true, false}},
    };
    for (const RoundTrip& trip : trips) {
        SCOPED_TRACE(trip.description);
        TempFolder folder("doc-mistaken");
        std::string path = folder / "m.ini";
        WarningBoxHost saved;
        FillExample(saved, path);
        CopyText(saved.opts.description, trip.description);
        for (const auto& row : trip.rows)
            saved.InsertRow(row.first.c_str(), row.second);
        saveDocument(saved);
        ASSERT_TRUE(saved.boxes.empty());
        for (const std::string& text : trip.written)
            EXPECT_NE(ReadWholeFile(path).find(text), std::string::npos) << text;

        WarningBoxHost loaded;
        CopyText(loaded.path, path.c_str());
        loadDocument(loaded);
        EXPECT_STREQ(loaded.opts.description, trip.readDescription);
        EXPECT_STREQ(loaded.opts.destination, "E:\\");
        EXPECT_EQ(loaded.EntryTexts(), trip.readRows);
        ASSERT_EQ(loaded.rows.size(), trip.readSubfolders.size());
        for (std::size_t i = 0; i < loaded.rows.size(); ++i)
            EXPECT_EQ(loaded.rows[i].subfolders, trip.readSubfolders[i]) << i;
        EXPECT_STREQ(loaded.path, path.c_str());
    }
}

TEST(DocumentSave, SavesAndLoadsOnTheNetworkShare)
{
    const std::string folder = "\\\\tvserver\\share\\tv-doc-share\\";
    if (GetFileAttributesA("\\\\tvserver\\share\\") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "the test share \\\\tvserver\\share is not set up (TV_TEST_DRIVES=1)";
    RemoveTree(folder);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = folder + "shared.ini";
    WarningBoxHost saved;
    FillExample(saved, path);
    saveDocument(saved);
    EXPECT_TRUE(saved.boxes.empty());
    EXPECT_EQ(ReadWholeFile(path), kExample);
    saveDocument(saved);
    EXPECT_EQ(FilesIn(folder), (Texts{"shared.ini"})) << "replacing the file on the share leaves nothing behind";
    WarningBoxHost loaded;
    CopyText(loaded.path, path.c_str());
    loadDocument(loaded);
    EXPECT_EQ(loaded.EntryTexts(), saved.EntryTexts());
    RemoveTree(folder);
}

// Every failed save leaves the old file as it was, no temporary file, the document modified,
// and the user told with the path.
void ExpectFailedSave(WarningBoxHost& host, const std::string& path, const std::string& folder, const std::string& old,
    const Texts& filesBefore)
{
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Can't save folder list: " + path);
    EXPECT_EQ(host.boxes[0].caption, "Trellisvault");
    EXPECT_EQ(host.boxes[0].answer, IDOK);
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_EQ(FilesIn(folder), filesBefore);
}

TEST(DocumentSave, AReadOnlyDataFileStaysAsItWas)
{
    TempFolder folder("doc-save-ro");
    folder.WriteFile("list.ini", kExample);
    std::string path = folder / "list.ini";
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    WarningBoxHost host;
    FillExample(host, path);
    host.InsertRow("C:\\New\\*.*", false);
    EXPECT_FALSE(saveDocument(host));
    ExpectFailedSave(host, path, folder.Path(), kExample, Texts{"list.ini"});
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST(DocumentSave, AFolderThatDoesNotExistIsReported)
{
    TempFolder folder("doc-save-nofolder");
    std::string path = folder / "gone\\list.ini";
    WarningBoxHost host;
    FillExample(host, path);
    saveDocument(host);
    ExpectFailedSave(host, path, folder.Path(), "", Texts{});
}

TEST(DocumentSave, WithoutAPathNothingIsWrittenAndTheUserIsTold)
{
    WarningBoxHost host;
    FillExample(host, "");
    saveDocument(host);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Can't save folder list: ");
    EXPECT_TRUE(host.modified);
}

// A 1 MiB tmpfs drive: fill it nearly to the brim, then save a list larger than what is left.
TEST(DocumentSave, AFullDiskLeavesTheOldFileIntact)
{
    REQUIRE_SMALL_DISK();
    ULARGE_INTEGER freeToCaller, total, totalFree;
    const std::string folder = "U:\\tv-doc-full\\";
    RemoveTree(folder);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = folder + "list.ini";
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, kExample, sizeof kExample - 1, &written, nullptr);
        CloseHandle(file);
    }
    ASSERT_TRUE(GetDiskFreeSpaceExA("U:\\", &freeToCaller, &total, &totalFree));
    const std::string filler = folder + "filler.bin";
    HANDLE file = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::string block(freeToCaller.QuadPart > 8192 ? static_cast<std::size_t>(freeToCaller.QuadPart - 8192) : 0, 'f');
    DWORD written = 0;
    WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
    CloseHandle(file);

    WarningBoxHost host;
    FillExample(host, path);
    for (int i = 0; i < 200; ++i)
        host.InsertRow(("C:\\Folder" + std::to_string(1000 + i) + "\\" + std::string(150, 'x') + "\\*.*").c_str(), true);
    ASSERT_GT(host.rows.size() * 150, 8192u + 4096u);
    saveDocument(host);
    ExpectFailedSave(host, path, folder, kExample, Texts{"filler.bin", "list.ini"});

    ASSERT_TRUE(DeleteFileA(filler.c_str()));
    host.boxes.clear();
    saveDocument(host);
    EXPECT_TRUE(host.boxes.empty()) << "with room again the same document saves";
    EXPECT_FALSE(host.modified);
    EXPECT_GT(ReadWholeFile(path).size(), 200u * 150u);
    RemoveTree(folder);
}

// The window's save of a new row and a run's date race from two threads. While the save composes
// its file, no other program may write it, and the date waits; it then joins the saved row.
TEST(DocumentSave, ASaveAndARunsDateRacingFromTwoThreadsBothReachTheFile)
{
    struct SlowSaveHost : MemoryDocumentHost {
        void GetRowText(int row, char* buffer, std::size_t size) override
        {
            if (duringSave)
                std::exchange(duringSave, nullptr)();
            MemoryDocumentHost::GetRowText(row, buffer, size);
        }
        std::function<void()> duringSave;
    };
    TempFolder folder("doc-race");
    std::string path = folder / "list.ini";
    folder.WriteFile("list.ini", kExample);
    MemoryDocumentHost run;
    SlowSaveHost window;
    CopyText(run.path, path.c_str());
    CopyText(window.path, path.c_str());
    ASSERT_TRUE(loadDocument(run) && loadDocument(window));
    CopyText(run.opts.lastBackupDate, "01/02/03  04:05 AM");
    window.InsertRow("C:\\Row\\*.*", false);
    bool dateWritten = false;
    std::thread dates;
    window.duringSave = [&] {
        HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(writer, INVALID_HANDLE_VALUE) << "another program could write the file";
        CloseHandle(writer);
        dates = std::thread([&] { dateWritten = writeBackupDate(run); });
        // were the file not held, the date would be written now and the save would write over it
        Sleep(500);
    };
    EXPECT_EQ(saveUnchangedDocument(window), SaveResult::Saved);
    dates.join();
    EXPECT_TRUE(dateWritten);
    std::string file = ReadWholeFile(path);
    EXPECT_NE(file.find("C:\\Row\\*.*"), std::string::npos) << file;
    EXPECT_NE(file.find("[Date]\r\n01/02/03  04:05 AM\r\n"), std::string::npos) << file;
    EXPECT_TRUE(run.warnings.empty() && window.warnings.empty());
}

}
