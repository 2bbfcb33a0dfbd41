#include "PassSteps.h"

#include "BenchClock.h"
#include "engine/BackupRun.h"
#include "engine/FolderPaths.h"
#include "runner/ConsoleUserInterface.h"
#include "runner/HeadlessFolderList.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The calls the run's handlers make on an up-to-date pass, each timed where the run makes it;
// the walker's own listing and identity checks are what the walk takes besides the handlers.
class StepWalker : public FolderWalker {
public:
    StepWalker(const char* sourceRootPath, const char* mirrorRootPath, BackupRun& backupRun)
        : sourceRoot(sourceRootPath), mirrorRoot(mirrorRootPath), run(backupRun)
    {
    }

    double handlers = 0;
    double folderExists = 0;
    double sourceAttributes = 0;
    double copyAttributes = 0;
    long files = 0;
    std::vector<std::string> folders;

protected:
    int OnFolder(const WIN32_FIND_DATAA&) override
    {
        double start = Now();
        folders.push_back(currentPath);
        mirrorFolder = mirrorRoot + (currentPath + sourceRoot.size());
        double step = Now();
        FolderExists(mirrorFolder.c_str());
        double end = Now();
        folderExists += end - step;
        handlers += end - start;
        return 0;
    }

    int OnFile(const WIN32_FIND_DATAA& entry) override
    {
        double start = Now();
        ++files;
        std::string source = std::string(currentPath) + entry.cFileName;
        std::string copy = mirrorFolder + entry.cFileName;
        double step = Now();
        GetFileAttributesA(source.c_str());
        double between = Now();
        run.IsUpToDate(entry.ftLastWriteTime, (std::uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow, copy.c_str());
        double end = Now();
        sourceAttributes += between - step;
        copyAttributes += end - between;
        handlers += end - start;
        return 0;
    }

private:
    std::string sourceRoot;
    std::string mirrorRoot;
    std::string mirrorFolder;
    BackupRun& run;
};

// The identity check as the walker first made it: the volume serial number with the file index.
bool IdentifyFolderWithVolume(const char* path)
{
    HANDLE folder = CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information;
    bool known = GetFileInformationByHandle(folder, &information) != 0;
    CloseHandle(folder);
    return known;
}

} // namespace

int TimePassSteps(const char* sourceRoot, const char* mirrorRoot, const char* pattern)
{
    HeadlessFolderList folderList;
    ConsoleUserInterface ui(folderList, false);
    BackupRun run(ui);
    StepWalker walker(sourceRoot, mirrorRoot, run);
    double start = Now();
    walker.Walk(sourceRoot, pattern, 16, 0);
    double walk = Now() - start;
    if (walker.folders.empty())
        return 1;

    // the walker identifies every folder it enters; the same calls again, timed alone
    FolderIdentity identity;
    start = Now();
    for (const std::string& folder : walker.folders)
        IdentifyFolder(folder.c_str(), identity);
    double identities = Now() - start;
    start = Now();
    for (const std::string& folder : walker.folders)
        IdentifyFolderWithVolume(folder.c_str());
    double identitiesWithVolume = Now() - start;

    double perFolder = 1e6 / static_cast<double>(walker.folders.size());
    std::printf("files=%ld folders=%lu walk=%.4f listing=%.4f source_attributes=%.4f copy_attributes=%.4f identity=%.4f "
                "folder_exists=%.4f identity_us=%.1f identity_with_volume_us=%.1f\n",
                walker.files, static_cast<unsigned long>(walker.folders.size()), walk, walk - walker.handlers - identities,
                walker.sourceAttributes, walker.copyAttributes, identities, walker.folderExists, identities * perFolder,
                identitiesWithVolume * perFolder);
    return 0;
}
