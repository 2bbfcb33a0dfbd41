#pragma once

#include <cstddef>

// A folder-list entry's comma-separated wildcard list, cut into its patterns in place: spaces
// after a comma are skipped, spaces before one stay in the pattern, and empty patterns (two
// commas in a row, a comma at the end) are patterns too.
class WildcardList {
public:
    // The longest list a run takes, as the wildcard field of the Edit folder dialog allows.
    static constexpr std::size_t kMaxLength = 79;

    // Takes the list; false (and no patterns) when it is longer than kMaxLength.
    bool Assign(const char* list);
    // The next pattern, or null after the last one.
    const char* Next();

private:
    char text[kMaxLength + 1] = {};
    // where the next pattern starts; null once the pattern not ended by a comma was given out
    char* rest = nullptr;
};
