#pragma once

class DocumentHost;

// Where the writer's lines go: the data file, or a text in memory.
class LineSink {
public:
    virtual ~LineSink() = default;
    // Writes "[", the name, "]" and CR LF.
    virtual bool writeSection(const char* name) = 0;
    // Writes the text and CR LF.
    virtual bool writeValue(const char* text) = 0;

    bool writeBool(const char* name, bool value) { return writeSection(name) && writeValue(value ? "TRUE" : "FALSE"); }
};

// Writes the options and the folder list's rows in the data file's fixed section order;
// false as soon as one line cannot be written.
bool writeDocumentText(DocumentHost& host, LineSink& sink);
