#include "document/FolderListWriter.h"

#include "document/DocumentHost.h"
#include "document/FolderLine.h"

#include <cstring>
#include <string>
#include <vector>

// A row's text however long: a row kept as its data file line had it is written back unchanged.
static std::string WholeRowText(DocumentHost& host, int row)
{
    std::vector<char> text(kLineSize);
    for (;;) {
        text[0] = '\0';
        host.GetRowText(row, text.data(), text.size());
        std::size_t length = std::strlen(text.data());
        // a text that fills the buffer may have been cut; it is asked for again in a larger one
        if (length + 1 < text.size())
            return std::string(text.data(), length);
        text.resize(text.size() * 2);
    }
}

static bool WriteOption(LineSink& sink, const char* section, const char* value)
{
    char line[kPathSize + 1];
    return sink.writeSection(section) && ComposeValueLine(value, line, sizeof line) && sink.writeValue(line);
}

bool writeDocumentText(DocumentHost& host, LineSink& sink)
{
    const BackupOptions& options = host.options();
    bool ok = sink.writeSection("Program") && sink.writeValue("Trellisvault")
        && WriteOption(sink, "Date", options.lastBackupDate)
        && WriteOption(sink, "Description", options.description)
        && sink.writeBool("CopyUpdated", options.copyUpdated)
        && sink.writeBool("CopyHidden", options.copyHidden)
        && sink.writeBool("CopySystem", options.copySystem)
        && WriteOption(sink, "Dest", options.destination)
        && sink.writeSection("Folders");
    int rows = host.RowCount();
    for (int row = 0; ok && row < rows; ++row) {
        std::string rowText = WholeRowText(host, row);
        if (rowText.empty())
            continue;
        // room for the guarding space, the marker and the end
        std::vector<char> line(rowText.size() + sizeof kSubfolderMarker + 1);
        ok = ComposeFolderLine(rowText.c_str(), host.RowHasSubfolders(row), line.data(), line.size())
            && sink.writeValue(line.data());
    }
    return ok;
}
