#include "engine/PathText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

static std::string Cut(const char* text)
{
    char buffer[64];
    std::strcpy(buffer, text);
    CutToFolder(buffer);
    return buffer;
}

TEST(CutToFolder, KeepsEverythingUpToTheLastSeparator)
{
    EXPECT_EQ("C:\\Data\\", Cut("C:\\Data\\a.txt"));
    EXPECT_EQ("C:\\Data\\", Cut("C:\\Data\\"));
    EXPECT_EQ("C:", Cut("C:abc"));
    EXPECT_EQ("dir/", Cut("dir/name"));
    EXPECT_EQ("", Cut("abc"));
    EXPECT_EQ("", Cut(""));
}

static std::string CutFolder(const char* text)
{
    char buffer[64];
    std::strcpy(buffer, text);
    CutLastFolder(buffer);
    return buffer;
}

TEST(CutLastFolder, RemovesTheLastFolderAndKeepsTheSeparatorBeforeIt)
{
    EXPECT_EQ("C:\\Data\\", CutFolder("C:\\Data\\Sub\\"));
    EXPECT_EQ("C:\\", CutFolder("C:\\Data\\"));
    EXPECT_EQ("\\\\srv\\share\\", CutFolder("\\\\srv\\share\\x\\"));
}

static std::string Map(const char* destination, const char* source, DestinationMapping expected, std::size_t size = 340)
{
    char out[340];
    EXPECT_EQ(expected, MapDestinationFolder(destination, source, out, size)) << source;
    return out;
}

TEST(MapDestinationFolder, DrivePathsGoBelowTheLetterAndBackup)
{
    EXPECT_EQ("E:\\Backups\\C-Backup\\Work\\Letters\\", Map("E:\\Backups\\", "C:\\Work\\Letters\\", DestinationMapping::Mapped));
    EXPECT_EQ("E:\\Backups\\d-Backup\\Work\\", Map("E:\\Backups\\", "d:\\Work\\", DestinationMapping::Mapped));
    EXPECT_EQ("E:\\c-Backup\\temp\\", Map("E:\\", "c:\\temp\\", DestinationMapping::Mapped));
}

TEST(MapDestinationFolder, NetworkPathsGoBelowTheServerName)
{
    EXPECT_EQ("E:\\Backups\\nas\\projects\\2006\\", Map("E:\\Backups\\", "\\\\nas\\projects\\2006\\", DestinationMapping::Mapped));
    EXPECT_EQ("E:\\srv\\share\\", Map("E:\\", "\\\\srv\\share\\", DestinationMapping::Mapped));
}

TEST(MapDestinationFolder, RefusesPathsWithoutDriveOrServer)
{
    Map("E:\\", "\\Data\\", DestinationMapping::UnknownPath);
    Map("E:\\", "Data\\", DestinationMapping::UnknownPath);
    Map("E:\\", "", DestinationMapping::UnknownPath);
}

TEST(MapDestinationFolder, RefusesAResultThatDoesNotFit)
{
    std::string source = "C:\\" + std::string(320, 'a') + "\\";
    Map("E:\\Backups\\", source.c_str(), DestinationMapping::TooLong);
    // exactly filling the buffer is still a fit
    EXPECT_EQ("E:\\C-Backup\\ab\\", Map("E:\\", "C:\\ab\\", DestinationMapping::Mapped, 16));
    Map("E:\\", "C:\\abc\\", DestinationMapping::TooLong, 16);
}
