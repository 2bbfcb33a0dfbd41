#pragma once

#include "text/LeadBytes.h"

class DocumentHost;
class FolderListReader;

// Fills the folder list and the options from a data file's text already attached to the reader.
// A text without Date or Dest sections is rejected with a warning and leaves the document untitled;
// one without a Folders section loads its options and leaves the document untitled silently.
// Blank folder lines are skipped; entries longer than the longest one are kept as written and the
// user is told that they are not backed up.
// Paths are read in the code page of leadBytes.
void readDocumentText(FolderListReader& reader, DocumentHost& host, const LeadBytes& leadBytes);
