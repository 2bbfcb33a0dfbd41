#include "EngineFixture.h"

#include "engine/FolderPaths.h"
#include "text/BoundedText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// U: is a 1 MiB file system where the machine lets the tests mount one.
class DiskFullTest : public EngineTest {
protected:
    void SetUp() override
    {
        REQUIRE_SMALL_DISK();
        RemoveTree(root);
        DeleteFileA(filler.c_str());
        CopyText(run.options.destination, root.c_str());
        source.WriteFile("big.bin", std::string(700 * 1024, 'b'));
        mirror = MirrorOf(source.Path());
        WriteFiller(500 * 1024);
    }
    void TearDown() override
    {
        RemoveTree(root);
        DeleteFileA(filler.c_str());
        SetFileAttributesA("U:\\tv-full", FILE_ATTRIBUTE_NORMAL);
        DeleteFileA("U:\\tv-full");
    }

    void WriteFiller(std::size_t size)
    {
        HANDLE file = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        std::string block(size, 'f');
        DWORD written = 0;
        ASSERT_TRUE(::WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr));
        CloseHandle(file);
    }

    static std::string FreeSpace()
    {
        ULARGE_INTEGER available, total, totalFree;
        EXPECT_TRUE(GetDiskFreeSpaceExA("U:\\", &available, &total, &totalFree));
        return std::to_string(available.QuadPart);
    }

    std::string DiskFullText(const std::string& freeSpace) const
    {
        return "The file " + source.Path() + "big.bin is 716800 bytes. The disk space left is " + freeSpace +
               " bytes. Insert another disk so the backup can continue.";
    }

    std::string root = "U:\\tv-full\\";
    std::string filler = "U:\\tv-filler.bin";
    std::string mirror;
    std::string freeWhenAsked;
};

} // namespace

TEST_F(DiskFullTest, CancelEndsTheRunAndLeavesNoPartialCopy)
{
    ui.nextDiskAnswers = {false};
    ui.whileDiskFullAsked = [&](const std::string&) { freeWhenAsked = FreeSpace(); };

    EXPECT_EQ(1, RunWalk(source.Path(), "*.bin", 0));
    EXPECT_EQ((std::vector<std::string>{DiskFullText(freeWhenAsked)}), ui.diskFullTexts);
    EXPECT_EQ(LogHeader() + "! User aborted backup.\r\n" + LogSummary(1, 0, "1 errors occured during the backup."), Log());
    EXPECT_TRUE(NamesIn(mirror).empty());
}

TEST_F(DiskFullTest, ThePreviousCopyStaysWhenTheNewOneDoesNotFit)
{
    ASSERT_TRUE(CreateFolderPath(mirror.c_str()));
    HANDLE file = CreateFileA((mirror + "big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, "previous", 8, &written, nullptr);
    CloseHandle(file);
    SetWriteTime(mirror + "big.bin", 2020, 5, 6, 7, 8, 9);
    FILETIME before = WriteTimeOf(mirror + "big.bin");
    ui.nextDiskAnswers = {false};

    EXPECT_EQ(1, RunWalk(source.Path(), "*.bin", 0));
    EXPECT_EQ("previous", ReadWholeFile(mirror + "big.bin"));
    FILETIME after = WriteTimeOf(mirror + "big.bin");
    EXPECT_EQ(0, CompareFileTime(&before, &after));
    EXPECT_EQ((std::vector<std::string>{"big.bin"}), NamesIn(mirror));

    // and a later run with "Copy updated files only." still sees the copy as out of date
    DeleteFileA(filler.c_str());
    run.options.copyUpdated = true;
    EXPECT_EQ(0, RunWalk(source.Path(), "*.bin", 0));
    EXPECT_EQ(1, run.filesCopied);
    EXPECT_EQ(ReadWholeFile(source.Path() + "big.bin"), ReadWholeFile(mirror + "big.bin"));
}

TEST_F(DiskFullTest, NextDiskRecreatesTheFolderAndCountsTheFileAgain)
{
    ui.nextDiskAnswers = {true};
    run.options.recordFileNames = true;
    // the new disk is empty
    ui.whileDiskFullAsked = [&](const std::string&) {
        freeWhenAsked = FreeSpace();
        DeleteFileA(filler.c_str());
        RemoveTree(root);
    };

    EXPECT_EQ(0, RunWalk(source.Path(), "*.bin", 0));
    EXPECT_EQ((std::vector<std::string>{DiskFullText(freeWhenAsked)}), ui.diskFullTexts);
    EXPECT_EQ(2, run.filesChecked);
    EXPECT_EQ(LogHeader() + "  Copied file: " + source.Path() + "big.bin\r\n" + LogSummary(2, 1, "Backup completed without errors."), Log());
    EXPECT_EQ(ReadWholeFile(source.Path() + "big.bin"), ReadWholeFile(mirror + "big.bin"));
    EXPECT_EQ(0u, GetFileAttributesA((mirror + "big.bin").c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

// The source is deleted while the question is up, between the directory search and the copy.
TEST_F(DiskFullTest, ASourceDeletedBeforeTheRetryIsErrorTwo)
{
    ui.nextDiskAnswers = {true};
    ui.whileDiskFullAsked = [&](const std::string&) {
        DeleteFileA(filler.c_str());
        DeleteFileA((source.Path() + "big.bin").c_str());
    };

    EXPECT_EQ(0, RunWalk(source.Path(), "*.bin", 0));
    EXPECT_EQ(LogHeader() + "! Can't copy - error #2 " + source.Path() + "big.bin\r\n" + LogSummary(2, 0, "1 errors occured during the backup."),
              Log());
    EXPECT_TRUE(NamesIn(mirror).empty());
}

// A file stands where the folder should go on the "new disk", which is neither full nor gone.
TEST_F(DiskFullTest, AFolderThatCannotBeMadeOnTheNewDiskPassesTheFileOver)
{
    ui.nextDiskAnswers = {true};
    ui.whileDiskFullAsked = [&](const std::string&) {
        DeleteFileA(filler.c_str());
        RemoveTree(root);
        HANDLE file = CreateFileA("U:\\tv-full", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, file);
        CloseHandle(file);
    };

    EXPECT_EQ(0, RunWalk(source.Path(), "*.bin", 0));
    EXPECT_EQ(LogHeader() + "! Can't create folder - error #183 " + mirror + "\r\n" + LogSummary(1, 0, "1 errors occured during the backup."), Log());
}

// A Cancel given while the file was copied, or while the question is up, ends the run: the
// question is not asked over it, and "&Next disk" does not retry.
TEST_F(DiskFullTest, ACancelGivenBeforeOrDuringTheQuestionEndsTheRunWithoutARetry)
{
    for (bool duringTheQuestion : {false, true}) {
        ui = RecordingUserInterface();
        ui.nextDiskAnswers = {true};
        ui.whileDiskFullAsked = [&](const std::string&) { run.RequestAbort(); };
        run.beforeFile = [&](const std::string&) {
            if (!duringTheQuestion)
                PostCancelClick();
        };

        EXPECT_EQ(1, RunWalk(source.Path(), "*.bin", 0));
        EXPECT_EQ(duringTheQuestion ? 1u : 0u, ui.diskFullTexts.size());
        EXPECT_EQ(LogHeader() + LogSummary(1, 0, "! User aborted backup."), Log()) << duringTheQuestion;
        EXPECT_TRUE(NamesIn(mirror).empty());
    }
}
