#include "document/FolderListLoader.h"

#include "document/DestinationText.h"
#include "document/DocumentHost.h"
#include "document/FolderLine.h"
#include "document/FolderListReader.h"
#include "text/BoundedText.h"

#include <string>

static const char kTooLongEntriesWarning[] = "Entries longer than %u characters are kept as written, but not backed up:\n\n%s";

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

    // a destination with no room left for its separator is no destination
    if (reader.findSection("Dest") && reader.readValue(line, sizeof line)
        && !(CopyText(options.destination, line) && EndDestinationWithSeparator(options.destination, sizeof options.destination, leadBytes)))
        options.destination[0] = '\0';

    bool hasFolders = reader.findSection("Folders");
    std::string folderLine;
    std::string firstTooLong;
    while (hasFolders && reader.readValue(folderLine)) {
        bool includeSubfolders = SplitFolderLine(&folderLine[0]);
        std::size_t length = EntryLength(folderLine.c_str());
        // a blank line names no folder; as a row it would stop every run at "Unknown path:"
        if (length == 0)
            continue;
        if (length > kLongestEntryText && firstTooLong.empty())
            firstTooLong = folderLine.c_str();
        // kept as written, so that saving the list gives the user's line back unchanged
        host.InsertRow(folderLine.c_str(), includeSubfolders);
    }

    host.SetModified(false);
    if (!hasFolders)
        host.dataFilePath()[0] = '\0';
    if (!firstTooLong.empty()) {
        char message[600];
        FormatText(message, sizeof message, kTooLongEntriesWarning, static_cast<unsigned>(kLongestEntryText),
                   firstTooLong.c_str());
        host.showWarning(message, host.dataFilePath());
    }
}
