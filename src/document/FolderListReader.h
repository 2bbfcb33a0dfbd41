#pragma once

#include <cstddef>
#include <string>

// Size of the reader's line buffer: a data file line holds at most 259 characters.
constexpr std::size_t kLineSize = 260;

// Reads the sections of a data file's text held in memory. The text is not owned and must
// stay valid while it is attached; zero bytes in it are plain bytes, only the length ends it.
class FolderListReader {
public:
    void Attach(const char* text, std::size_t length);
    void Detach();

    // The next line, without its line end (CR LF, lone CR or lone LF); false at the end of the text.
    // A line longer than the buffer is cut and the rest of it skipped, so its tail never reads
    // as a line of its own.
    bool readLine(char* buffer, std::size_t size);
    // Moves the cursor just after the first header naming the section; every lookup starts at the top.
    bool findSection(const char* name);
    // The next line when it is a value; false, with an empty buffer, when it is a header.
    bool readValue(char* buffer, std::size_t size);
    // The same, however long the line is: a folder line is kept as it is written.
    bool readValue(std::string& value);
    // The section's first value as TRUE or FALSE in any letter case, otherwise the fallback.
    bool readBool(const char* name, bool fallback);

private:
    // Steps over the next line and its line end; false at the end of the text.
    bool nextLine(const char*& line, std::size_t& length);

    const char* start = nullptr;
    const char* cursor = nullptr;
    const char* end = nullptr;
};

// True when the header line names the section: the text between "[" and the first "]"
// (or the line's end) equals the name with only the ASCII letters compared without case.
bool HeaderNames(const char* line, const char* name);
// TRUE or FALSE in any letter case; anything else gives the fallback.
bool ParseBool(const char* value, bool fallback);
