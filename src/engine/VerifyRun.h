#pragma once

#include "engine/BlockComparer.h"
#include "engine/CheckingRun.h"

#include <string>
#include <unordered_set>

// Checks every copy the folder list's backups made against its source file: missing, older than
// the source (to the minute, as the copy rule compares), of another size, or of other content.
// Each is an error line. Copies under the mirror folders whose source file is gone are named on
// plain lines and left where they are.
class VerifyRun : public CheckingRun {
public:
    VerifyRun(BackupUserInterface& userInterface, RunReport& runReport);

    int missing = 0;
    int older = 0;
    int different = 0;
    int orphaned = 0;

protected:
    int OnFolder(const WIN32_FIND_DATAA& entry) override;
    void BeginWalk() override;
    int HandleFile(const WIN32_FIND_DATAA& entry, const char* name, const char* sourcePath, DWORD attributes) override;
    void WriteSummaryLines() override;

private:
    // The copy at destPath, compared with its source; counts and reports what is wrong with it.
    void VerifyCopy(const WIN32_FIND_DATAA& entry, const char* sourcePath);
    void ReportProblem(int& count, const char* what);
    // Names every file in mirror whose source file is gone, and, levelsBelow deep, every file
    // below a subfolder whose source folder is gone.
    void ReportOrphans(const std::string& source, const std::string& mirror, int levelsBelow);
    void ReportEveryFileBelow(const std::string& mirror, int levelsBelow);

    BlockComparer comparer;
    // the mirror folders whose orphans were reported, each once however many patterns walk it
    std::unordered_set<std::string> checkedMirrors;
};
