#include "engine/FolderIdentity.h"

bool IdentifyFolder(const char* path, FolderIdentity& identity)
{
    // backup semantics opens a folder, and without FILE_FLAG_OPEN_REPARSE_POINT a link's target
    HANDLE folder = CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information;
    bool known = GetFileInformationByHandle(folder, &information) != 0;
    CloseHandle(folder);
    // a file system that keeps no file indexes answers 0 for every folder, which identifies none
    if (!known || (information.nFileIndexHigh == 0 && information.nFileIndexLow == 0))
        return false;
    identity.volumeSerial = information.dwVolumeSerialNumber;
    identity.indexHigh = information.nFileIndexHigh;
    identity.indexLow = information.nFileIndexLow;
    return true;
}
