#pragma once

#include <cstddef>

// Steps through the lines of a message text. A line runs to the next "\n" or the end;
// a text that ends in "\n" has no empty last line, and an empty text has no line at all.
class MessageLines {
public:
    explicit MessageLines(const char* text) : cursor(text) {}

    // Gives the next line (not terminated; start and length); false after the last.
    bool Next(const char*& start, std::size_t& length);

private:
    const char* cursor;
};
