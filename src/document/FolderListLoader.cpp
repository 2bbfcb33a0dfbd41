#include "document/FolderListLoader.h"

#include "document/DocumentHost.h"
#include "document/FolderLine.h"
#include "document/FolderListReader.h"
#include "text/BoundedText.h"

void readDocumentText(FolderListReader& reader, DocumentHost& host, const LeadBytes& leadBytes)
{
    BackupOptions& options = host.options();
    host.SetModified(false);
    options.lastBackupDate[0] = '\0';
    options.destination[0] = '\0';

    if (!reader.findSection("Date") || !reader.findSection("Dest")) {
        host.showWarning("Not a Trellisvault data file", host.dataFilePath());
        host.dataFilePath()[0] = '\0';
        return;
    }

    // Values longer than their fields are outside the format; they are cut to fit.
    char line[kLineSize];
    if (reader.findSection("Date") && reader.readValue(line, sizeof line))
        CopyText(options.lastBackupDate, line);
    if (reader.findSection("Description") && reader.readValue(line, sizeof line))
        CopyText(options.description, line);

    options.copyUpdated = reader.readBool("CopyUpdated", true);
    options.copyHidden = reader.readBool("CopyHidden", false);
    options.copySystem = reader.readBool("CopySystem", false);

    if (reader.findSection("Dest") && reader.readValue(line, sizeof line) && line[0] != '\0') {
        CopyText(options.destination, line);
        // copies go below the destination, so E: and E:\Backups written by hand mean E:\ and
        // E:\Backups\; a destination with no room left for the separator is no destination
        bool ended = leadBytes.EndsWith(options.destination, '\\') || leadBytes.EndsWith(options.destination, '/');
        // after a lone lead byte (a character cut short) the "\" would become its second byte
        if (!ended && (!AppendText(options.destination, "\\") || !leadBytes.EndsWith(options.destination, '\\')))
            options.destination[0] = '\0';
    }

    bool hasFolders = reader.findSection("Folders");
    if (hasFolders) {
        while (reader.readValue(line, sizeof line)) {
            bool includeSubfolders = SplitFolderLine(line);
            host.InsertRow(line, includeSubfolders);
        }
    }

    host.SetModified(false);
    if (!hasFolders)
        host.dataFilePath()[0] = '\0';
}
