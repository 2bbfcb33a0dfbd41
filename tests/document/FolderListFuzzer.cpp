#include "document/DataFileDate.h"
#include "document/FolderLine.h"
#include "document/FolderListLoader.h"
#include "document/FolderListReader.h"
#include "document/FolderListWriter.h"

#include "document/MemoryDocumentHost.h"
#include "document/StringLineSink.h"
#include "support/CodePages.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace {

void Check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

void LoadText(MemoryDocumentHost& host, const char* text, std::size_t size)
{
    host.runNewSteps();
    CopyText(host.path, "C:\\Fuzz\\list.ini");
    FolderListReader reader;
    reader.Attach(text, size);
    // read as Japanese text, so lead bytes at the end of a value are met too
    readDocumentText(reader, host, CodePage932());
}

// The rows as every reader of the list sees them: trimmed, with their flag, in sorted order.
std::vector<std::pair<std::string, bool>> TrimmedRows(const MemoryDocumentHost& host)
{
    std::vector<std::pair<std::string, bool>> rows;
    for (const MemoryDocumentHost::Row& row : host.rows) {
        std::string text = row.text;
        TrimBlanks(text.data());
        rows.emplace_back(text.c_str(), row.subfolders);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

}

// Any bytes at all are loaded as a data file under the sanitizers; the loaded fields must fit
// their limits, and writing them out and loading that again must give the same document.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemoryDocumentHost first;
    LoadText(first, reinterpret_cast<const char*>(data), size);
    Check(std::strlen(first.opts.lastBackupDate) <= 21);
    Check(std::strlen(first.opts.description) <= 128);
    Check(std::strlen(first.opts.destination) <= 259);
    for (const MemoryDocumentHost::Row& row : first.rows)
        Check(EntryLength(row.text.c_str()) > 0);
    bool refused = std::any_of(first.warnings.begin(), first.warnings.end(),
                               [](const MemoryDocumentHost::Warning& warning) { return warning.text == "Not a Trellisvault data file"; });
    // a backup's date written into the text changes the date the reader takes, and nothing else
    std::string dated;
    Check(SetDateValue(reinterpret_cast<const char*>(data), size, "01/02/03  04:05 AM", dated) == !refused);
    if (!refused) {
        MemoryDocumentHost third;
        LoadText(third, dated.data(), dated.size());
        Check(third.warnings.size() == first.warnings.size() && std::strcmp(third.opts.lastBackupDate, "01/02/03  04:05 AM") == 0);
        Check(std::strcmp(first.opts.description, third.opts.description) == 0);
        Check(std::strcmp(first.opts.destination, third.opts.destination) == 0);
        Check(first.opts.copyUpdated == third.opts.copyUpdated && first.opts.copyHidden == third.opts.copyHidden
              && first.opts.copySystem == third.opts.copySystem);
        Check(TrimmedRows(first) == TrimmedRows(third));
    }
    // a text that is no data file leaves nothing to write
    if (first.path[0] == '\0')
        return 0;

    StringLineSink sink;
    Check(writeDocumentText(first, sink));
    MemoryDocumentHost second;
    LoadText(second, sink.text.data(), sink.text.size());
    Check(second.warnings.size() == first.warnings.size());
    Check(std::strcmp(first.opts.lastBackupDate, second.opts.lastBackupDate) == 0);
    Check(std::strcmp(first.opts.description, second.opts.description) == 0);
    Check(std::strcmp(first.opts.destination, second.opts.destination) == 0);
    Check(first.opts.copyUpdated == second.opts.copyUpdated);
    Check(first.opts.copyHidden == second.opts.copyHidden);
    Check(first.opts.copySystem == second.opts.copySystem);
    Check(TrimmedRows(first) == TrimmedRows(second));
    return 0;
}
