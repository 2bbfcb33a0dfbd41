#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

// The installers of `make package`, run by `make test` in a fresh prefix with TV_DIST (the folder
// of the packages), TV_VERSION and TV_RUN_32BIT (1 where the kernel runs 32-bit programs).
namespace {

const DWORD kTimeoutMs = 120000;

// Runs a command and waits for it and every process it starts, as an uninstaller goes on from a
// copy of itself; false when they do not end.
bool RunAll(std::string command)
{
    // Wine starts its desktop process for the first program that asks for the desktop, and it
    // stays: that must not be a program in the job
    GetDesktopWindow();
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    HANDLE port = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {job, port};
    SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation, &association, sizeof association);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    DWORD message = 0;
    ULONG_PTR key = 0;
    LPOVERLAPPED detail = nullptr;
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup, &process)) {
        AssignProcessToJobObject(job, process.hProcess);
        ResumeThread(process.hThread);
        while (message != JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO && GetQueuedCompletionStatus(port, &message, &key, &detail, kTimeoutMs)) {
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(port);
    CloseHandle(job);
    return message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO;
}

// One installer, 64-bit or not, in one install mode, all users or not.
class Installer : public ::testing::TestWithParam<std::pair<bool, bool>> {
protected:
    // A value of the uninstall entry, in the registry view the installer wrote: "" when missing,
    // and "there" for no value name when the entry is there.
    std::string Entry(const char* value) const
    {
        std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name;
        char data[1024] = "there";
        DWORD type = REG_SZ;
        DWORD size = sizeof data - 1;
        HKEY entry;
        if (RegOpenKeyExA(allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key.c_str(), 0,
                          KEY_READ | (x64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY), &entry) != ERROR_SUCCESS)
            return "";
        LONG failed = value != nullptr ? RegQueryValueExA(entry, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) : 0;
        RegCloseKey(entry);
        return failed ? "" : type == REG_DWORD ? std::to_string(*reinterpret_cast<const DWORD*>(data)) : data;
    }

    bool x64 = GetParam().first;
    bool allUsers = GetParam().second;
    std::string name = x64 ? "Trellisvault (64-bit)" : "Trellisvault";
};

} // namespace

TEST_P(Installer, InstallsStartsAndUninstallsLeavingTheUsersData)
{
    auto env = [](const char* variable) { const char* value = std::getenv(variable); return std::string(value != nullptr ? value : ""); };
    auto exists = [](const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; };
    auto shellFolder = [](int csidl) { char path[MAX_PATH] = ""; SHGetFolderPathA(nullptr, csidl, nullptr, 0, path); return std::string(path); };
    if (!x64 && env("TV_RUN_32BIT") != "1")
        GTEST_SKIP() << "this kernel runs no 32-bit programs, so the 32-bit installer is only built";
    std::string version = env("TV_VERSION");
    std::string setup = "Z:" + env("TV_DIST") + "/Trellisvault-" + version + (x64 ? "-x64" : "") + "-setup.exe";
    ASSERT_TRUE(RunAll("\"" + setup + "\" /S " + (allUsers ? "/AllUsers" : "/CurrentUser")));
    std::string folder = Entry("InstallLocation");
    std::string program = folder + "\\Trellisvault.exe";
    for (const auto& value : {std::make_pair("DisplayName", name), std::make_pair("DisplayVersion", version),
                              std::make_pair("Publisher", std::string("Pennyroyal")), std::make_pair("DisplayIcon", program + ",0")})
        EXPECT_EQ(value.second, Entry(value.first)) << value.first;
    EXPECT_GT(std::atoi(Entry("EstimatedSize").c_str()), 100) << "kilobytes";
    std::string shortcut = shellFolder(allUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS) + "\\" + name + ".lnk";
    EXPECT_TRUE(exists(shortcut)) << shortcut;
    std::string identity = "version=\"" + version.substr(0, 1) + "." + std::to_string(std::atoi(version.c_str() + 2)) + ".0.0\"";
    for (const char* file : {"\\Trellisvault.exe", "\\tvbackup.exe"}) {
        std::ifstream in(folder + file, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (const char* part : {identity.c_str(), "\"asInvoker\"", ">true</dpiAware>", "Common-Controls\" version=\"6.0.0.0\""})
            EXPECT_NE(std::string::npos, bytes.find(part)) << file << "'s manifest lacks " << part;
    }

    // Wine reads the DPI when a program starts, Windows at sign-in
    DWORD dpi = 144;
    RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &started));
    // the program waits for input once its window is up and the last list loaded
    EXPECT_EQ(0u, WaitForInputIdle(started.hProcess, kTimeoutMs));
    HWND window = FindWindowA("MainClass", "Trellisvault");
    ASSERT_TRUE(window != nullptr && IsWindowVisible(window)) << "the main window";
    // at 144 DPI the sizes the design gives in pixels are half as large again
    auto rectOf = [](HWND shown) { RECT rect = {}; GetWindowRect(shown, &rect); return rect; };
    EXPECT_EQ(900, rectOf(window).right - rectOf(window).left) << "600 pixels at 96 DPI";
    EXPECT_EQ(663, rectOf(window).bottom - rectOf(window).top) << "442 pixels at 96 DPI";
    HWND bar = FindWindowExA(window, nullptr, "BtnBarClass", nullptr);
    RECT backup = rectOf(FindWindowExA(bar, nullptr, "Button", "&Backup"));
    EXPECT_EQ(3, backup.left - rectOf(bar).left) << "2 pixels at 96 DPI";
    EXPECT_EQ(105, backup.right - backup.left) << "70 pixels at 96 DPI";
    EXPECT_EQ(870, SendMessageA(FindWindowExA(window, nullptr, "SysListView32", nullptr), LVM_GETCOLUMNWIDTH, 0, 0));
    // the About box is up once a message sent after its command comes back from the box's loop
    SendNotifyMessageA(window, WM_COMMAND, 40011, 0);
    SendMessageA(window, WM_NULL, 0, 0);
    HWND ok = FindWindowExA(FindWindowA("CMSGCLASS", nullptr), nullptr, "Button", "&Ok");
    EXPECT_EQ(90, rectOf(ok).right - rectOf(ok).left) << "the About box's Ok, 60 pixels at 96 DPI";
    SendMessageA(ok, BM_CLICK, 0, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(started.hProcess, kTimeoutMs));
    GetExitCodeProcess(started.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode) << "the program closed cleanly";
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    // a folder list saved in the data folder the program made
    std::string kept = shellFolder(CSIDL_APPDATA) + "\\Pennyroyal\\Trellisvault\\Kept.ini";
    CloseHandle(CreateFileA(kept.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    EXPECT_TRUE(RunAll(Entry("QuietUninstallString")));
    EXPECT_EQ("", Entry(nullptr)) << "the uninstall entry";
    EXPECT_FALSE(exists(folder));
    EXPECT_FALSE(exists(shortcut));
    EXPECT_TRUE(exists(kept)) << "the user's data stays";
    EXPECT_EQ(0, RegGetValueA(HKEY_CURRENT_USER, "Software\\Pennyroyal\\Tvault\\Settings", "rcNormal", RRF_RT_ANY, nullptr, nullptr, nullptr))
        << "the settings stay";
}

INSTANTIATE_TEST_SUITE_P(Packages, Installer,
                         ::testing::Values(std::make_pair(true, true), std::make_pair(true, false),
                                           std::make_pair(false, true), std::make_pair(false, false)));
