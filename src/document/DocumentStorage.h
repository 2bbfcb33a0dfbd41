#pragma once

class DocumentHost;

// Fills the empty folder list and the options from the file named by the data file path;
// a missing or unreadable file gives an empty, untitled document.
void loadDocument(DocumentHost& host);
// Writes the folder list and the options to the file named by the data file path. The old file
// is replaced only once the new content is wholly on the disk; on any failure it stays as it was,
// the user is told, the document stays modified, and the answer is false.
bool saveDocument(DocumentHost& host);
