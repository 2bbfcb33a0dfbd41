#include "engine/PathText.h"
#include "support/CodePages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

static std::string Cut(const char* text, const LeadBytes& leadBytes = LeadBytes())
{
    char buffer[64];
    std::strcpy(buffer, text);
    CutToFolder(buffer, leadBytes);
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

static std::string CutFolder(const char* text, const LeadBytes& leadBytes = LeadBytes())
{
    char buffer[64];
    std::strcpy(buffer, text);
    CutLastFolder(buffer, leadBytes);
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
    EXPECT_EQ(expected, MapDestinationFolder(destination, source, out, size, LeadBytes())) << source;
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

// A "\" that is the second byte of a character is no separator: C:\src\ソース\一覧表.xls in 932,
// C:\乗\淺\ in 936, and the same bytes B1 5C read both ways.
TEST(PathText, ReadsDoubleByteCharactersWhole)
{
    EXPECT_EQ("C:\\src\\\x83\x5C\x81\x5B\x83\x58\\", Cut("C:\\src\\\x83\x5C\x81\x5B\x83\x58\\\x88\xEA\x97\x97\x95\x5C.xls", CodePage932()));
    EXPECT_EQ("C:\\Data\\", Cut("C:\\Data\\\xB1\x5C" "a.txt", CodePage936()));
    EXPECT_EQ("C:\\Data\\\xB1\\", Cut("C:\\Data\\\xB1\x5C" "a.txt", CodePage932()));
    EXPECT_EQ("C:\\src\\", CutFolder("C:\\src\\\x83\x5C\\", CodePage932()));
    EXPECT_EQ("C:\\\x81\x5C\\", CutFolder("C:\\\x81\x5C\\\x9C\x5C\\", CodePage936()));
    // the steps of CreateFolderPath: past \\表\share\, then E:\表 as one component
    EXPECT_EQ(11u, UncreatablePartLength("\\\\\x95\x5C\\share\\x\\", CodePage932()));
    EXPECT_EQ(5u, ComponentEnd("E:\\\x95\x5C\\x", 3, CodePage932()));
    EXPECT_EQ(3u, UncreatablePartLength("E:\\\x95\x5C\\", CodePage932()));
}
