#pragma once

#include <string>
#include <vector>

// A fresh folder under the prefix's temporary folder, removed with everything in it
// (read-only, hidden and system files too) when the object goes.
class TempFolder {
public:
    explicit TempFolder(const char* name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, ending in a backslash.
    const std::string& Path() const { return path; }
    // Path() followed by the relative name.
    std::string operator/(const std::string& relative) const { return path + relative; }

    // Creates the folders along a relative path ("a\\b\\c\\").
    void MakeFolder(const std::string& relative) const;
    // Writes a file with the given content, making its folder first.
    void WriteFile(const std::string& relative, const std::string& content) const;

private:
    std::string path;
};

// Deletes a folder and everything below it, clearing attributes that would refuse deletion.
void RemoveTree(const std::string& folder);
// Reads a whole file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// The names in a folder (files and folders, without "." and ".."), sorted.
std::vector<std::string> NamesIn(const std::string& folder);
// True when U:\ is the test prefix's 1 MiB file system, which needs root to mount.
bool SmallDiskMounted();
// True where the test drives were set up by root (TV_SMALL_DISK_REQUIRED=1): U: must be small there.
bool SmallDiskRequired();
// Why a full-disk test is skipped when SmallDiskMounted() is false.
constexpr const char* kNoSmallDisk = "U: is not a small file system here (mounting a 1 MiB tmpfs needs root)";

// Ends a full-disk test (or its fixture's SetUp) without the 1 MiB drive: as a failure where root
// set up the drives, so that a failed mount fails the run, and as a skip that says why elsewhere.
#define REQUIRE_SMALL_DISK()                                                                          \
    do {                                                                                              \
        if (!SmallDiskMounted()) {                                                                    \
            if (SmallDiskRequired())                                                                  \
                FAIL() << "U: is not the 1 MiB file system, though root set up the test drives";     \
            GTEST_SKIP() << kNoSmallDisk;                                                             \
        }                                                                                             \
    } while (false)
