#include "engine/FolderPaths.h"
#include "support/CodePages.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

static bool IsFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(CreateFolderPath, CreatesEveryMissingFolderInOrder)
{
    TempFolder base("mkpath");
    std::string path = base.Path() + "Backup\\C-Backup\\Data\\";
    EXPECT_TRUE(CreateFolderPath(path.c_str()));
    EXPECT_TRUE(IsFolder(base.Path() + "Backup\\C-Backup\\Data"));
    // all there already: true, nothing changes
    EXPECT_TRUE(CreateFolderPath(path.c_str()));
    // without the trailing backslash too
    EXPECT_TRUE(CreateFolderPath((base.Path() + "Other\\Deep").c_str()));
    EXPECT_TRUE(IsFolder(base.Path() + "Other\\Deep"));
}

TEST(CreateFolderPath, FailsWhenAFileStandsInTheWay)
{
    TempFolder base("mkpath");
    base.WriteFile("Blocker", "x");
    EXPECT_FALSE(CreateFolderPath((base.Path() + "Blocker\\Sub\\").c_str()));
    EXPECT_FALSE(IsFolder(base.Path() + "Blocker\\Sub"));
}

TEST(CreateFolderPath, FailsOnADriveThatIsNotThere)
{
    EXPECT_FALSE(CreateFolderPath("Q:\\Backups\\C-Backup\\"));
    EXPECT_FALSE(CreateFolderPath("Q:\\"));
}

TEST(CreateFolderPath, CreatesOnASecondDriveAndBelowANetworkShare)
{
    ASSERT_TRUE(IsFolder("T:\\")) << "the test drive T: is missing";
    ASSERT_TRUE(IsFolder("\\\\tvserver\\share\\")) << "the test share \\\\tvserver\\share is missing";
    EXPECT_TRUE(CreateFolderPath("T:\\tv-mkpath\\a\\b\\"));
    EXPECT_TRUE(IsFolder("T:\\tv-mkpath\\a\\b"));
    RemoveTree("T:\\tv-mkpath\\");
    // only the folder below the share is created
    EXPECT_TRUE(CreateFolderPath("\\\\tvserver\\share\\tv-x\\"));
    EXPECT_TRUE(IsFolder("\\\\tvserver\\share\\tv-x"));
    RemoveTree("\\\\tvserver\\share\\tv-x\\");
}

TEST(CreateFolderPath, RefusesAPathLongerThanItsBuffer)
{
    TempFolder base("mkpath");
    std::string longPath = base.Path() + std::string(300 - base.Path().size(), 'a') + "\\";
    EXPECT_FALSE(CreateFolderPath(longPath.c_str()));
}

TEST(FolderExists, AnswersForFoldersOnlyAndKeepsTheCurrentDirectory)
{
    TempFolder base("exists");
    base.WriteFile("file.txt", "x");
    char before[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryA(sizeof before, before));
    EXPECT_TRUE(FolderExists(base.Path().c_str()));
    EXPECT_TRUE(FolderExists("T:\\"));
    EXPECT_FALSE(FolderExists((base.Path() + "missing\\").c_str()));
    EXPECT_FALSE(FolderExists((base.Path() + "file.txt").c_str()));
    EXPECT_FALSE(FolderExists("Q:\\"));
    char after[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryA(sizeof after, after));
    EXPECT_STREQ(before, after);
}

// The code pages that the path tests pass are the ones Windows reads.
TEST(CodePageLeadBytes, AreTheSystemsOwn)
{
    EXPECT_TRUE(CodePageLeadBytes(932) == CodePage932());
    EXPECT_TRUE(CodePageLeadBytes(936) == CodePage936());
    EXPECT_TRUE(CodePageLeadBytes(1252) == LeadBytes());
}
