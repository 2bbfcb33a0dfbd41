#pragma once

#include "engine/CheckingRun.h"

#include <cstdint>

// What the next backup of the folder list would copy, found without copying: one line per file
// ("new" when no copy stands at its place, "newer" when one would be replaced), then the totals.
class DryRun : public CheckingRun {
public:
    using CheckingRun::CheckingRun;

    int filesToCopy = 0;
    std::uint64_t bytesToCopy = 0;

protected:
    int HandleFile(const WIN32_FIND_DATAA& entry, const char* name, const char* sourcePath, DWORD attributes) override;
    void BeginWalk() override;
    void WriteSummaryLines() override;
};
