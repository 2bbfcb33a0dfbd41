#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// One installer of `make package`, run by tests/package/test-installers.sh in a fresh prefix with
// TV_SETUP (the installer's path), TV_ARCH (x86 or x64), TV_MODE (AllUsers or CurrentUser),
// TV_NAME (the program's name in Add/Remove Programs) and TV_VERSION.
namespace {

const DWORD kTimeoutMs = 120000;

std::string Setting(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// The installer's own folder and registry, as the program sees them where it runs.
class InstallerTest : public ::testing::Test {
protected:
    HKEY Root() const { return allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
    std::string EntryKey() const { return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name; }
    // the 32-bit installer writes the 32-bit view of the machine's registry
    REGSAM View() const { return arch == "x86" ? KEY_WOW64_32KEY : KEY_WOW64_64KEY; }

    bool EntryExists() const { return ReadEntry(nullptr, nullptr, 0); }
    std::string EntryText(const char* value) const
    {
        char text[1024] = "";
        ReadEntry(value, text, sizeof text - 1);
        return text;
    }
    DWORD EntryNumber(const char* value) const
    {
        DWORD number = 0;
        ReadEntry(value, &number, sizeof number);
        return number;
    }
    // With no value name, only whether the entry's key is there.
    bool ReadEntry(const char* value, void* data, DWORD size) const
    {
        HKEY key;
        if (RegOpenKeyExA(Root(), EntryKey().c_str(), 0, KEY_READ | View(), &key) != ERROR_SUCCESS)
            return false;
        bool read = value == nullptr ||
                    RegQueryValueExA(key, value, nullptr, nullptr, static_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        return read;
    }

    std::string Shortcut() const
    {
        return ShellFolder(allUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS) + "\\" + name + ".lnk";
    }

    std::string DataFolder() const { return ShellFolder(CSIDL_APPDATA) + "\\Pennyroyal\\Trellisvault"; }

    std::string setup = Setting("TV_SETUP");
    std::string arch = Setting("TV_ARCH");
    bool allUsers = Setting("TV_MODE") == "AllUsers";
    std::string name = Setting("TV_NAME");
    std::string version = Setting("TV_VERSION");
};

// Runs a command line and waits for it and for every process it starts: an uninstaller runs
// from a copy of itself in the temporary folder and ends at once. Answers the command's exit code.
DWORD RunAndWaitForAll(std::string command)
{
    // Wine starts its desktop process for the first program that asks for the desktop window; it
    // stays, so it must not be a program in the job
    GetDesktopWindow();
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    HANDLE port = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {job, port};
    SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation, &association, sizeof association);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    DWORD exitCode = static_cast<DWORD>(-1);
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                       &process)) {
        AssignProcessToJobObject(job, process.hProcess);
        ResumeThread(process.hThread);
        DWORD message = 0;
        ULONG_PTR key = 0;
        LPOVERLAPPED overlapped = nullptr;
        while (GetQueuedCompletionStatus(port, &message, &key, &overlapped, kTimeoutMs) &&
               message != JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) {
        }
        EXPECT_EQ(static_cast<DWORD>(JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO), message) << command << " did not end";
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(port);
    CloseHandle(job);
    return exitCode;
}

std::string ResourceText(const std::string& program)
{
    HMODULE image = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    HRSRC found = image != nullptr ? FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr;
    std::string text;
    if (found != nullptr)
        text.assign(static_cast<const char*>(LockResource(LoadResource(image, found))), SizeofResource(image, found));
    if (image != nullptr)
        FreeLibrary(image);
    return text;
}

std::string ProductVersion(const std::string& program)
{
    DWORD size = GetFileVersionInfoSizeA(program.c_str(), nullptr);
    std::string record(size, '\0');
    char* text = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoA(program.c_str(), 0, size, &record[0]) ||
        !VerQueryValueA(record.data(), "\\StringFileInfo\\040904E4\\ProductVersion", reinterpret_cast<void**>(&text), &length))
        return "";
    return text;
}

struct FoundWindow {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM lParam)
{
    FoundWindow* found = reinterpret_cast<FoundWindow*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner != found->processId || std::string(className) != "MainClass")
        return TRUE;
    found->window = window;
    return FALSE;
}

} // namespace

TEST_F(InstallerTest, InstallsStartsAndUninstallsLeavingTheUsersData)
{
    ASSERT_FALSE(setup.empty() || arch.empty() || name.empty() || version.empty()) << "the script sets TV_SETUP and the rest";
    ASSERT_EQ(0u, RunAndWaitForAll("\"" + setup + "\" /S /" + Setting("TV_MODE")));

    ASSERT_TRUE(EntryExists()) << EntryKey();
    std::string folder = EntryText("InstallLocation");
    std::string program = folder + "\\Trellisvault.exe";
    std::string expectedParent = ShellFolder(!allUsers ? CSIDL_LOCAL_APPDATA
                                             : arch == "x86" ? CSIDL_PROGRAM_FILESX86 : CSIDL_PROGRAM_FILES);
    EXPECT_EQ(0u, folder.find(expectedParent)) << folder;
    EXPECT_EQ(name, EntryText("DisplayName"));
    EXPECT_EQ(version, EntryText("DisplayVersion"));
    EXPECT_EQ("Pennyroyal", EntryText("Publisher"));
    EXPECT_EQ(program + ",0", EntryText("DisplayIcon"));
    EXPECT_GT(EntryNumber("EstimatedSize"), 100u) << "kilobytes";
    EXPECT_TRUE(Exists(Shortcut())) << Shortcut();

    std::string quad = version.substr(0, version.find('.')) + "." + std::to_string(std::atoi(version.c_str() + version.find('.') + 1)) + ".0.0";
    for (const char* file : {"Trellisvault.exe", "tvbackup.exe"}) {
        std::string path = folder + "\\" + file;
        std::string manifest = ResourceText(path);
        EXPECT_NE(std::string::npos, manifest.find("version=\"" + quad + "\"")) << file << manifest;
        EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\"")) << file;
        EXPECT_NE(std::string::npos, manifest.find(">true</dpiAware>")) << file;
        EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"")) << file;
        EXPECT_EQ(version, ProductVersion(path)) << file;
    }

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    std::string command = "\"" + program + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &started));
    // the program waits for input once its window is up and the list loaded
    EXPECT_EQ(0u, WaitForInputIdle(started.hProcess, kTimeoutMs));
    FoundWindow found = {started.dwProcessId, nullptr};
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&found));
    EXPECT_NE(nullptr, found.window) << "no main window";
    if (found.window != nullptr) {
        EXPECT_TRUE(IsWindowVisible(found.window));
        char title[64] = "";
        GetWindowTextA(found.window, title, sizeof title);
        EXPECT_STREQ("Trellisvault", title);
        PostMessageA(found.window, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(started.hProcess, kTimeoutMs));
    DWORD exitCode = 1;
    GetExitCodeProcess(started.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    // a folder list the user saved in the data folder the program made
    std::string kept = DataFolder() + "\\Kept.ini";
    HANDLE list = CreateFileA(kept.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, list) << kept;
    CloseHandle(list);

    EXPECT_EQ(0u, RunAndWaitForAll(EntryText("QuietUninstallString")));
    EXPECT_FALSE(EntryExists());
    EXPECT_FALSE(Exists(program));
    EXPECT_FALSE(Exists(folder));
    EXPECT_FALSE(Exists(Shortcut()));
    EXPECT_TRUE(Exists(kept)) << "the uninstaller left the data folder alone";
    HKEY settings;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Pennyroyal\\Tvault\\Settings", 0, KEY_READ, &settings));
    DWORD size = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(settings, "rcNormal", nullptr, nullptr, nullptr, &size)) << "the settings stay";
    RegCloseKey(settings);

    // the next installer starts from a user without data
    DeleteFileA(kept.c_str());
    RemoveDirectoryA(DataFolder().c_str());
    RemoveDirectoryA((ShellFolder(CSIDL_APPDATA) + "\\Pennyroyal").c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pennyroyal");
}
