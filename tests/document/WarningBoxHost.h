#pragma once

#include "document/MemoryDocumentHost.h"

#include <string>
#include <vector>

// A document host whose warnings are real modal message boxes, answered by the test itself:
// the modal driver reads each box's caption and text from the window and clicks OK, and its
// fail-safe closes a box it missed and fails the test.
class WarningBoxHost : public MemoryDocumentHost {
public:
    struct Box {
        std::string text;
        std::string caption;
        int answer;
    };

    // What the boxes showed on the screen, and what each modal call answered.
    std::vector<Box> boxes;

    void showWarning(const char* text, const char* caption) override;
};
