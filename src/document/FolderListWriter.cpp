#include "document/FolderListWriter.h"

#include "document/DocumentHost.h"
#include "document/FolderLine.h"

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
        char rowText[280] = {};
        host.GetRowText(row, rowText, sizeof rowText);
        if (rowText[0] == '\0')
            continue;
        char line[300];
        ok = ComposeFolderLine(rowText, host.RowHasSubfolders(row), line, sizeof line) && sink.writeValue(line);
    }
    return ok;
}
