#include "engine/RelativePath.h"
#include "support/CodePages.h"

#include <gtest/gtest.h>

// Drive and network folders only: other paths are left to the run's "Unknown path:".
TEST(RelativePath, DotComponentsAndDriveRelativeFoldersAreRelative)
{
    for (const char* relative : {"C:\\x\\..\\..\\A\\", "C:\\x\\.\\", "C:/x/../A/", "C:\\x\\..", "C:\\x\\... \\",
                                 "\\\\tvserver\\share\\..\\A\\", "\\\\.\\C:\\", "C:Data\\", "C:..\\"})
        EXPECT_TRUE(HasRelativeParts(relative, LeadBytes())) << relative;
    for (const char* plain : {"C:\\Data\\", "C:\\", "\\\\tvserver\\share\\Data\\", "C:\\a.b\\.x\\..x\\x..\\", "\\x\\..\\", "*.*", ""})
        EXPECT_FALSE(HasRelativeParts(plain, LeadBytes())) << plain;
    // in code page 932 ソ.. is one name, its ソ ending in 5C
    EXPECT_FALSE(HasRelativeParts("C:\\\x83\x5C..\\", CodePage932()));
}
