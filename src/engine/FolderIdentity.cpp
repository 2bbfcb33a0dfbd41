#include "engine/FolderIdentity.h"

#include "text/BoundedText.h"

#include <winternl.h>

#include <cstring>

namespace {

// FileIdInfo and FILE_ID_INFO of Windows 8 and later, which the headers offer only to builds for
// them; older systems refuse the class, and the call then fails
constexpr auto kFileIdInfo = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);
struct FileIdInformation {
    ULONGLONG volumeSerialNumber;
    BYTE fileId[16];
};

// backup semantics opens a folder, and without FILE_FLAG_OPEN_REPARSE_POINT a link's target
class OpenFolder {
public:
    explicit OpenFolder(const char* path)
        : handle(CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr))
    {
    }
    ~OpenFolder()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    // The 64-bit file index, the one GetFileInformationByHandle gives too, without the volume
    // query that call also makes; 0 when the file system keeps none.
    ULONGLONG Index() const
    {
        IO_STATUS_BLOCK status;
        FILE_INTERNAL_INFORMATION internal;
        if (handle == INVALID_HANDLE_VALUE ||
            !NT_SUCCESS(NtQueryInformationFile(handle, &status, &internal, sizeof internal, FileInternalInformation)))
            return 0;
        return static_cast<ULONGLONG>(internal.IndexNumber.QuadPart);
    }

    HANDLE handle;
};

} // namespace

bool IdentifyFolder(const char* path, FolderIdentity& identity)
{
    if (!CopyText(identity.path, path))
        return false;
    identity.index = OpenFolder(path).Index();
    return identity.index != 0;
}

bool IsSameFolder(const FolderIdentity& one, const FolderIdentity& other)
{
    if (one.index != other.index)
        return false;
    OpenFolder first(one.path);
    OpenFolder second(other.path);
    // a path that names another folder by now identifies neither
    if (first.Index() != one.index || second.Index() != other.index)
        return false;
    // the 128-bit id stays unique where the 64-bit index need not (ReFS)
    FileIdInformation firstId;
    FileIdInformation secondId;
    if (GetFileInformationByHandleEx(first.handle, kFileIdInfo, &firstId, sizeof firstId) &&
        GetFileInformationByHandleEx(second.handle, kFileIdInfo, &secondId, sizeof secondId))
        return firstId.volumeSerialNumber == secondId.volumeSerialNumber &&
               std::memcmp(firstId.fileId, secondId.fileId, sizeof firstId.fileId) == 0;
    BY_HANDLE_FILE_INFORMATION firstInformation;
    BY_HANDLE_FILE_INFORMATION secondInformation;
    return GetFileInformationByHandle(first.handle, &firstInformation) && GetFileInformationByHandle(second.handle, &secondInformation) &&
           firstInformation.dwVolumeSerialNumber == secondInformation.dwVolumeSerialNumber;
}
