#include "engine/RelativePath.h"

#include <gtest/gtest.h>

// Only a drive or network folder whose every component names a folder of its own is mirrored;
// other paths are left to the run's "Unknown path:".
TEST(RelativePath, DotComponentsAndDriveRelativeFoldersAreRelative)
{
    const struct {
        const char* folder;
        bool relative;
    } cases[] = {
        {"C:\\Data\\Letters\\", false},
        {"C:\\", false},
        {"\\\\tvserver\\share\\Data\\", false},
        {"C:\\a.b\\.hidden\\..x\\x..\\", false},
        {"C:\\x\\..\\..\\..\\A\\", true},
        {"C:\\x\\.\\", true},
        {"C:/x/../A/", true},
        {"C:\\x\\..", true},
        {"C:\\x\\... \\", true},
        {"\\\\tvserver\\share\\..\\..\\A\\", true},
        {"\\\\.\\C:\\", true},
        {"C:Data\\", true},
        {"C:..\\", true},
        {"\\x\\..\\", false},
        {"*.*", false},
        {"", false},
    };
    for (const auto& test : cases)
        EXPECT_EQ(test.relative, HasRelativeParts(test.folder)) << test.folder;
}
