#include "engine/RelativePath.h"

#include <gtest/gtest.h>

// Drive and network folders only: other paths are left to the run's "Unknown path:".
TEST(RelativePath, DotComponentsAndDriveRelativeFoldersAreRelative)
{
    for (const char* relative : {"C:\\x\\..\\..\\A\\", "C:\\x\\.\\", "C:/x/../A/", "C:\\x\\..", "C:\\x\\... \\",
                                 "\\\\tvserver\\share\\..\\A\\", "\\\\.\\C:\\", "C:Data\\", "C:..\\"})
        EXPECT_TRUE(HasRelativeParts(relative)) << relative;
    for (const char* plain : {"C:\\Data\\", "C:\\", "\\\\tvserver\\share\\Data\\", "C:\\a.b\\.x\\..x\\x..\\", "\\x\\..\\", "*.*", ""})
        EXPECT_FALSE(HasRelativeParts(plain)) << plain;
}
