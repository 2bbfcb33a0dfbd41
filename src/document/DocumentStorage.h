#pragma once

class DocumentHost;

// Fills the empty folder list and the options from the file named by the data file path, and
// records the file's stamp. A missing or unreadable file gives an empty, untitled document; a
// file another program holds all the while it is tried gives an empty list that keeps the path,
// and the user is told. Answers whether the file was read.
bool loadDocument(DocumentHost& host);
// Writes the folder list and the options to the file named by the data file path, whatever it
// holds now. The old file is replaced only once the new content is wholly on the disk; on any
// failure it stays as it was, the user is told, the document stays modified and the answer is false.
bool saveDocument(DocumentHost& host);

enum class SaveResult { Saved, Failed, FileChanged };
// As saveDocument, but only while the file is as the document last read or wrote it: when another
// program has changed or removed it since, nothing is written, nobody is told, and the answer is
// FileChanged.
SaveResult saveUnchangedDocument(DocumentHost& host);

// The end of a backup run: re-reads the data file as it is now and writes it back with only its
// Date value changed to the list's last-backup date, so whatever another program wrote meanwhile
// stays. When the file is gone, cannot be written, or is no longer a data file, nothing is written,
// the user is told, and the answer is false.
bool writeBackupDate(DocumentHost& host);
