#include "document/FolderListFile.h"

#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Makes a file of the given size without writing its bytes one by one.
bool MakeSizedFile(const std::string& path, LONG size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool sized = SetFilePointer(file, size, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER && SetEndOfFile(file);
    CloseHandle(file);
    return sized;
}

TEST(FolderListFileRead, ReadsTheWholeFileAndReleasesItsHandle)
{
    TempFolder folder("flf-read");
    folder.WriteFile("list.ini", "[Date]\r\n\r\n[Dest]\rE:\\\n[CopyHidden]\r\ntrue");
    std::string path = folder / "list.ini";
    FolderListFile file;
    ASSERT_TRUE(file.openForRead(path.c_str()));
    // the file was closed at once: it can be deleted while its text is still read
    EXPECT_TRUE(DeleteFileA(path.c_str())) << GetLastError();
    char value[kLineSize];
    ASSERT_TRUE(file.findSection("dest"));
    ASSERT_TRUE(file.readValue(value, sizeof value));
    EXPECT_STREQ(value, "E:\\");
    EXPECT_TRUE(file.readBool("CopyHidden", false));
    ASSERT_TRUE(file.findSection("Date"));
    ASSERT_TRUE(file.readLine(value, sizeof value));
    EXPECT_STREQ(value, "");
    EXPECT_TRUE(file.close());
    EXPECT_FALSE(file.readLine(value, sizeof value)) << "after close no text is left";
}

TEST(FolderListFileRead, RefusesMissingLockedAndOversizedFiles)
{
    TempFolder folder("flf-refuse");
    FolderListFile file;
    EXPECT_FALSE(file.openForRead((folder / "missing.ini").c_str()));

    folder.WriteFile("locked.ini", "[Date]\r\n");
    std::string locked = folder / "locked.ini";
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(file.openForRead(locked.c_str())) << "the reader asks for the file without sharing";
    CloseHandle(holder);
    EXPECT_TRUE(file.openForRead(locked.c_str()));
    file.close();

    std::string huge = folder / "huge.ini";
    ASSERT_TRUE(MakeSizedFile(huge, FolderListFile::kMaxFileSize + 1));
    EXPECT_FALSE(file.openForRead(huge.c_str()));
    ASSERT_TRUE(MakeSizedFile(huge, FolderListFile::kMaxFileSize));
    ASSERT_TRUE(file.openForRead(huge.c_str())) << "a file at the limit is read";
    char line[kLineSize];
    ASSERT_TRUE(file.readLine(line, sizeof line));
    EXPECT_STREQ(line, "") << "zero bytes only";
    EXPECT_FALSE(file.readLine(line, sizeof line)) << "one line without end, cut and skipped whole";
    file.close();
}

TEST(FolderListFileWrite, WritesSectionsAndValuesWithCrLfExactly)
{
    TempFolder folder("flf-write");
    std::string path = folder / "out.ini";
    folder.WriteFile("out.ini", "old content that is longer than the new one\r\n");
    {
        FolderListFile file;
        ASSERT_TRUE(file.openForWrite(path.c_str()));
        EXPECT_TRUE(file.writeSection("Program"));
        EXPECT_TRUE(file.writeValue("Trellisvault"));
        EXPECT_TRUE(file.writeBool("CopyUpdated", true));
        EXPECT_TRUE(file.writeBool("CopyHidden", false));
        EXPECT_TRUE(file.writeValue(""));
        EXPECT_TRUE(file.flush());
        EXPECT_TRUE(file.close());
        EXPECT_FALSE(file.writeValue("x")) << "nothing is written after close";
    }
    EXPECT_EQ(ReadWholeFile(path), "[Program]\r\nTrellisvault\r\n[CopyUpdated]\r\nTRUE\r\n[CopyHidden]\r\nFALSE\r\n\r\n");
}

// A row kept as its data file line had it is written back whole, however long.
TEST(FolderListFileWrite, WritesAValueOfAnyLengthWhole)
{
    TempFolder folder("flf-refuse-write");
    FolderListFile file;
    std::string path = folder / "long.ini";
    ASSERT_TRUE(file.openForWrite(path.c_str()));
    std::string longest(5000, 'x');
    EXPECT_TRUE(file.writeValue(longest.c_str()));
    EXPECT_TRUE(file.close());
    EXPECT_EQ(ReadWholeFile(path), longest + "\r\n");
}

}
