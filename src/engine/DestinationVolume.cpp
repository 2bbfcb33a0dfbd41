#include "engine/DestinationVolume.h"

#include "engine/FolderPaths.h"
#include "text/BoundedText.h"

#include <windows.h>

std::uint64_t FreeSpaceOf(const char* path)
{
    char folder[340];
    CopyText(folder, path);
    CutToFolder(folder);
    ULONGLONG freeBytes = 0;
    using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    FARPROC found = kernel != nullptr ? GetProcAddress(kernel, "GetDiskFreeSpaceExA") : nullptr;
    if (found != nullptr) {
        // through void(*)() so the compiler accepts the cast of a looked-up function
        FreeSpaceEx freeSpaceEx = reinterpret_cast<FreeSpaceEx>(reinterpret_cast<void (*)()>(found));
        ULARGE_INTEGER available;
        ULARGE_INTEGER total;
        ULARGE_INTEGER totalFree;
        if (freeSpaceEx(folder, &available, &total, &totalFree))
            freeBytes = available.QuadPart;
    } else {
        char root[] = "x:\\";
        root[0] = path[0];
        DWORD sectorsPerCluster = 0;
        DWORD bytesPerSector = 0;
        DWORD freeClusters = 0;
        DWORD clusters = 0;
        if (GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
            freeBytes = static_cast<ULONGLONG>(freeClusters) * sectorsPerCluster * bytesPerSector;
    }
    return freeBytes;
}

// The root of the volume that holds path ("E:\", "\\server\share\" or a mounted folder), as
// the system names it, else read off the path; false for a path of neither form.
static bool VolumeRootOf(const char* path, char* root, std::size_t size)
{
    if (GetVolumePathNameA(path, root, static_cast<DWORD>(size)))
        return true;
    if (path[0] != '\0' && path[1] == ':')
        return FormatText(root, size, "%c:\\", path[0]);
    if (path[0] != '\\' || path[1] != '\\')
        return false;
    // the "\" that ends the share name, stepping over whole characters of the code page
    int separators = 0;
    for (const char* at = path; *at != '\0'; at = CharNextA(at)) {
        if (*at == '\\' && ++separators == 4)
            return CopyTextPart(root, size, path, static_cast<std::size_t>(at + 1 - path));
    }
    return false;
}

bool VolumeAnswers(const char* path)
{
    char root[MAX_PATH];
    if (!VolumeRootOf(path, root, sizeof root))
        return true;
    DWORD attributes = GetFileAttributesA(root);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void FileSystemOf(const char* path, char* name, std::size_t size)
{
    char root[MAX_PATH];
    if (!VolumeRootOf(path, root, sizeof root) || !GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, nullptr, name, static_cast<DWORD>(size)))
        CopyText(name, size, "");
}
