#pragma once

#include <cstddef>

// Buffer sizes of the document's texts: a path of at most 259 characters and the option fields.
constexpr std::size_t kPathSize = 260;
constexpr std::size_t kDescriptionSize = 129;
constexpr std::size_t kLastBackupDateSize = 22;

using PathBuffer = char[kPathSize];

// The backup options kept with one folder list, as the data file stores them.
struct DocumentOptions {
    char destination[kPathSize] = {};
    bool copyUpdated = true;
    bool copyHidden = false;
    bool copySystem = false;
    bool recordFileNames = false;
    char description[kDescriptionSize] = {};
    char lastBackupDate[kLastBackupDateSize] = {};
};
