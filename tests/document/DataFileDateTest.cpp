#include "document/DataFileDate.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Only the first Date section's value changes, whatever the line ends and the case of its header;
// a text a reader would reject is left alone.
TEST(SetDateValue, ChangesTheFirstDateValueAndNothingElse)
{
    struct Case {
        const char* before;
        const char* after;  // null: not a data file
    };
    const Case cases[] = {
        {"[Date]\r\n03/14/06  09:05 PM\r\n[Dest]\r\nE:\\\r\n", "[Date]\r\n01/02/03  04:05 AM\r\n[Dest]\r\nE:\\\r\n"},
        {"[dest]\nE:\n[date]\nold\n[Date]\nsecond\n", "[dest]\nE:\n[date]\n01/02/03  04:05 AM\n[Date]\nsecond\n"},
        {"[Date]\r\n[Dest]\r\n", "[Date]\r\n01/02/03  04:05 AM\r\n[Dest]\r\n"},
        {"[Dest]\r\nE:\\\r\n[Date]", "[Dest]\r\nE:\\\r\n[Date]\r\n01/02/03  04:05 AM\r\n"},
        {"[Date]\r\r\n[Dest]", "[Date]\r01/02/03  04:05 AM\r\n[Dest]"},
        {"[Date]\r\nx\r\n", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        std::string result = "untouched";
        EXPECT_EQ(SetDateValue(c.before, std::strlen(c.before), "01/02/03  04:05 AM", result), c.after != nullptr) << c.before;
        EXPECT_EQ(result, c.after != nullptr ? c.after : "untouched") << c.before;
    }
}

} // namespace
