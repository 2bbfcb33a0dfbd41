#include "document/DataFileDate.h"

#include "document/FolderLine.h"
#include "document/FolderListReader.h"

namespace {

// One line of the text: its bytes run from start to end, and the next line begins at next.
struct LineSpan {
    std::size_t start;
    std::size_t end;
    std::size_t next;
};

// The line at start, with the reader's rule for its end: CR, LF or the end of the text, then one
// CR and one LF stepped over.
LineSpan LineAt(const char* text, std::size_t length, std::size_t start)
{
    LineSpan line{start, start, start};
    while (line.end < length && text[line.end] != '\r' && text[line.end] != '\n')
        ++line.end;
    line.next = line.end;
    if (line.next < length && text[line.next] == '\r')
        ++line.next;
    if (line.next < length && text[line.next] == '\n')
        ++line.next;
    return line;
}

bool NamesDate(const char* text, const LineSpan& line)
{
    return line.end > line.start && text[line.start] == '['
        && HeaderNames(std::string(text + line.start, line.end - line.start).c_str(), "Date");
}

} // namespace

bool SetDateValue(const char* text, std::size_t length, const char* date, std::string& result)
{
    FolderListReader reader;
    reader.Attach(text, length);
    if (!reader.findSection("Date") || !reader.findSection("Dest"))
        return false;
    char value[kLineSize];
    if (!ComposeValueLine(date, value, sizeof value))
        return false;

    LineSpan header = LineAt(text, length, 0);
    while (!NamesDate(text, header))
        header = LineAt(text, length, header.next);
    std::string updated(text, header.next);
    // a header on the text's last line, without a line end, gets one before its new value
    if (header.next == header.end)
        updated += "\r\n";
    updated += value;
    std::size_t rest = header.next;
    // the old value's own line end stays; a section without a value gets a line of its own
    if (header.next < length && text[header.next] != '[')
        rest = LineAt(text, length, header.next).end;
    else
        updated += "\r\n";
    updated.append(text + rest, length - rest);
    result.swap(updated);
    return true;
}
