#include "support/FolderLinks.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// Wine's own exports, absent on Windows; both answer text allocated on the process heap.
using UnixFileName = char*(CDECL*)(const WCHAR*);
using DosFileName = WCHAR*(CDECL*)(const char*);

template <typename Function> Function WineExport(const char* name)
{
    FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), name);
    // through void(*)() so the compiler accepts the cast of a looked-up function
    return found != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found)) : nullptr;
}

bool RunningUnderWine()
{
    return WineExport<UnixFileName>("wine_get_unix_file_name") != nullptr;
}

std::string UnixPathOf(const std::string& path)
{
    std::wstring wide(path.begin(), path.end());
    char* unix = WineExport<UnixFileName>("wine_get_unix_file_name")(wide.c_str());
    std::string result = unix != nullptr ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

std::string ParentOf(const std::string& path)
{
    return path.substr(0, path.find_last_of('\\') + 1);
}

bool IsLink(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Runs a Unix tool (Wine starts a Unix program given to CreateProcess, but hands back no process
// handle to wait on) and waits, through change notifications on the path's folder, until the path
// is a link or, when wantLink is false, gone; false after ten seconds.
bool RunUnixTool(const std::string& tool, const std::string& arguments, const std::string& path, bool wantLink, std::string& failure)
{
    WCHAR* toolPath = WineExport<DosFileName>("wine_get_dos_file_name")(tool.c_str());
    if (toolPath == nullptr) {
        failure = "no DOS path for " + tool;
        return false;
    }
    std::wstring commandLine(tool.begin(), tool.end());
    commandLine += L" " + std::wstring(arguments.begin(), arguments.end());
    HANDLE change = FindFirstChangeNotificationA(ParentOf(path).c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    BOOL started = change != INVALID_HANDLE_VALUE &&
                   CreateProcessW(toolPath, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    HeapFree(GetProcessHeap(), 0, toolPath);
    // for a Unix program Wine gives no process handle, and a thread handle it does not own: closing
    // that one closes whatever handle of ours has its value (measured: the change notification)
    if (process.hProcess != nullptr) {
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    DWORD error = started ? 0 : GetLastError();
    ULONGLONG deadline = GetTickCount64() + 10000;
    bool done = false;
    DWORD waited = 0;
    while (started && !(done = IsLink(path) == wantLink)) {
        ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            break;
        waited = WaitForSingleObject(change, static_cast<DWORD>(deadline - now));
        if (waited != WAIT_OBJECT_0 || !FindNextChangeNotification(change)) {
            error = GetLastError();
            break;
        }
    }
    if (change != INVALID_HANDLE_VALUE)
        FindCloseChangeNotification(change);
    if (!done)
        failure = "running " + tool + " " + arguments + " did not " + (wantLink ? "make" : "remove") + " the link (started " +
                  std::to_string(started) + ", wait " + std::to_string(waited) + ", error " + std::to_string(error) + ")";
    return done;
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

} // namespace

bool FolderLinks::MayBeRefused()
{
    return !RunningUnderWine();
}

FolderLinks::~FolderLinks()
{
    for (const std::string& link : links) {
        // under Wine, RemoveDirectoryA on a Unix link removes an empty target and leaves the link
        bool removed = RunningUnderWine() ? RunUnixTool("/bin/rm", Quoted(UnixPathOf(link)), link, false, failure) : RemoveDirectoryA(link.c_str()) != 0;
        if (!removed)
            ADD_FAILURE() << "cannot remove the link " << link << ": " << failure;
    }
}

bool FolderLinks::Make(const std::string& link, const std::string& target)
{
    if (RunningUnderWine()) {
        std::string unixLink = UnixPathOf(link);
        std::string unixTarget = UnixPathOf(target);
        if (unixLink.empty() || unixTarget.empty()) {
            failure = "no Unix path for " + link + " or " + target;
            return false;
        }
        if (!RunUnixTool("/bin/ln", "-s " + Quoted(unixTarget) + " " + Quoted(unixLink), link, true, failure))
            return false;
    } else if (!CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) {
        failure = "CreateSymbolicLinkA refused " + link + " (error " + std::to_string(GetLastError()) +
                  "): it needs developer mode or the right to make symbolic links";
        return false;
    }
    links.push_back(link);
    return true;
}
