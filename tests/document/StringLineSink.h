#pragma once

#include "document/FolderListWriter.h"

#include <string>

// Collects the writer's lines as the file's bytes; refuses every line after the first `room`.
class StringLineSink : public LineSink {
public:
    std::string text;
    int room = 1 << 30;

    bool writeSection(const char* name) override { return Put(std::string("[") + name + "]"); }
    bool writeValue(const char* value) override { return Put(value); }

private:
    bool Put(const std::string& line)
    {
        if (room <= 0)
            return false;
        --room;
        text += line + "\r\n";
        return true;
    }
};
