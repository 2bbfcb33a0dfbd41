#include "document/RegistrySettings.h"

#include "support/TestRegistryKey.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// A framework window that stores its settings through its SaveState hook, as the main window does.
class SettingsWindow : public Window {
public:
    SettingsWindow(const RegistrySettings& windowSettings, const char* path)
        : settings(windowSettings), dataFilePath(path)
    {
        SetStyle(WS_OVERLAPPEDWINDOW);
    }
    bool RegisterWindowClass() override
    {
        static bool registered;
        return RegisterClassOnce(registered, FrameworkClass("RegistrySettingsFrame", 0, nullptr));
    }
    bool OnCreate() override { return true; }
    bool SaveState() override
    {
        ++saves;
        stored = settings.SaveState(hwnd, dataFilePath);
        return stored;
    }

    int saves = 0;
    bool stored = false;

private:
    const RegistrySettings& settings;
    const char* dataFilePath;
};

static bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

class RegistrySettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        static ATOM windowClass;
        if (!windowClass) {
            WNDCLASSA record = {};
            record.lpfnWndProc = DefWindowProcA;
            record.hInstance = GetModuleHandleA(nullptr);
            record.hCursor = LoadCursorA(nullptr, IDC_ARROW);
            record.lpszClassName = "RegistrySettingsTest";
            windowClass = RegisterClassA(&record);
            ASSERT_NE(0, windowClass);
        }
        window = MakeWindow();
        ASSERT_NE(nullptr, window);
    }
    void TearDown() override
    {
        if (window)
            DestroyWindow(window);
    }

    // A hidden top-level window at its creation placement, as the main window is before it is shown.
    static HWND MakeWindow()
    {
        return CreateWindowExA(0, "RegistrySettingsTest", "Trellisvault", WS_OVERLAPPEDWINDOW, 100, 100, 600, 442,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    static WINDOWPLACEMENT PlacementOf(HWND of)
    {
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        EXPECT_TRUE(GetWindowPlacement(of, &placement));
        return placement;
    }
    // Stores a complete placement by hand, as an earlier run would have.
    void StorePlacement(DWORD flags, DWORD showCmd, const RECT& normal)
    {
        SetDword(settingsKey, "flags", flags);
        SetDword(settingsKey, "showCmd", showCmd);
        SetRectangle(settingsKey, "rcNormal", normal);
    }
    // Restoring must be refused and leave the window exactly as it was created.
    void ExpectRefusedAndUntouched()
    {
        WINDOWPLACEMENT before = PlacementOf(window);
        EXPECT_FALSE(settings.RestorePlacement(window));
        WINDOWPLACEMENT after = PlacementOf(window);
        EXPECT_EQ(before.rcNormalPosition, after.rcNormalPosition);
        EXPECT_EQ(before.showCmd, after.showCmd);
        EXPECT_FALSE(IsWindowVisible(window));
    }

    TestRegistryKey programKey;
    std::string settingsKey = programKey / "Settings";
    RegistrySettings settings{programKey.Name()};
    HWND window = nullptr;
};

TEST_F(RegistrySettingsTest, SaveStateStoresThePathAndThePlacementWithTheirTypes)
{
    ASSERT_TRUE(SetWindowPos(window, nullptr, 120, 80, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE));
    WINDOWPLACEMENT expected = PlacementOf(window);
    EXPECT_TRUE(settings.SaveState(window, "C:\\Lists\\Home.ini"));

    StoredValue dataFile = ReadValue(settingsKey, "DataFile");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), dataFile.type);
    EXPECT_EQ(std::string("C:\\Lists\\Home.ini", 18), dataFile.bytes);
    StoredValue flags = ReadValue(settingsKey, "flags");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), flags.type);
    ASSERT_EQ(4u, flags.bytes.size());
    EXPECT_EQ(0, std::memcmp(&expected.flags, flags.bytes.data(), 4));
    StoredValue showCmd = ReadValue(settingsKey, "showCmd");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), showCmd.type);
    ASSERT_EQ(4u, showCmd.bytes.size());
    EXPECT_EQ(static_cast<UINT>(SW_SHOWNORMAL), *reinterpret_cast<const UINT*>(showCmd.bytes.data()));
    StoredValue rcNormal = ReadValue(settingsKey, "rcNormal");
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), rcNormal.type);
    ASSERT_EQ(16u, rcNormal.bytes.size());
    RECT stored;
    std::memcpy(&stored, rcNormal.bytes.data(), sizeof stored);
    EXPECT_EQ(expected.rcNormalPosition, stored);
    EXPECT_EQ((RECT{120, 80, 620, 380}), stored);
}

TEST_F(RegistrySettingsTest, AnUntitledEndStoresAnEmptyPathAndTheNextStartIsUntitled)
{
    EXPECT_TRUE(settings.SaveState(window, ""));
    StoredValue dataFile = ReadValue(settingsKey, "DataFile");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), dataFile.type);
    EXPECT_EQ(std::string(1, '\0'), dataFile.bytes);

    char dataFilePath[260] = "C:\\left over.ini";
    EXPECT_TRUE(settings.readDataFilePath(dataFilePath, sizeof dataFilePath));
    EXPECT_STREQ("", dataFilePath);
}

TEST_F(RegistrySettingsTest, WithoutAPlacementOnlyThePathIsStoredAndThePreviousPlacementStays)
{
    StorePlacement(0, SW_SHOWMAXIMIZED, RECT{10, 20, 30, 40});
    HWND gone = MakeWindow();
    ASSERT_NE(nullptr, gone);
    DestroyWindow(gone);
    EXPECT_FALSE(settings.SaveState(gone, "D:\\list.ini"));
    EXPECT_EQ("D:\\list.ini", ReadText(settingsKey, "DataFile"));
    StoredValue showCmd = ReadValue(settingsKey, "showCmd");
    ASSERT_EQ(4u, showCmd.bytes.size());
    EXPECT_EQ(static_cast<UINT>(SW_SHOWMAXIMIZED), *reinterpret_cast<const UINT*>(showCmd.bytes.data()));
    StoredValue rcNormal = ReadValue(settingsKey, "rcNormal");
    ASSERT_EQ(16u, rcNormal.bytes.size());
    EXPECT_EQ(0, std::memcmp(rcNormal.bytes.data(), "\x0a\0\0\0\x14\0\0\0\x1e\0\0\0\x28\0\0\0", 16));
}

TEST_F(RegistrySettingsTest, ASavedPlacementIsRestoredOnTheNextStart)
{
    ASSERT_TRUE(SetWindowPos(window, nullptr, 140, 90, 520, 310, SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(settings.SaveState(window, "C:\\a.ini"));
    DestroyWindow(window);

    window = MakeWindow();
    ASSERT_NE(nullptr, window);
    ASSERT_FALSE(PlacementOf(window).rcNormalPosition == (RECT{140, 90, 660, 400}));
    EXPECT_TRUE(settings.RestorePlacement(window));
    EXPECT_EQ((RECT{140, 90, 660, 400}), PlacementOf(window).rcNormalPosition);
    RECT onScreen;
    GetWindowRect(window, &onScreen);
    EXPECT_EQ((RECT{140, 90, 660, 400}), onScreen);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsZoomed(window));
}

// Each row spoils one value of a complete placement: the window must stay as it was created.
TEST_F(RegistrySettingsTest, IncompleteMistypedOrHidingPlacementsAreNotApplied)
{
    const RECT normal{200, 150, 700, 500};
    const LONG longer[5] = {200, 150, 700, 500, 0};
    // show commands that would hide the window
    const DWORD hide = SW_HIDE;
    const DWORD unknown = 99;
    struct Spoilt {
        const char* name;
        DWORD type;  // REG_NONE deletes the value
        const void* data;
        DWORD size;
    };
    const Spoilt rows[] = {
        {"rcNormal", REG_NONE, nullptr, 0},
        {"showCmd", REG_NONE, nullptr, 0},
        {"flags", REG_NONE, nullptr, 0},
        {"flags", REG_SZ, "0", 2},
        {"showCmd", REG_BINARY, "\x01\0\0\0", 4},
        {"rcNormal", REG_BINARY, &normal, 12},
        {"rcNormal", REG_BINARY, longer, sizeof longer},
        {"rcNormal", REG_SZ, "0123456789abcde", 16},
        {"showCmd", REG_DWORD, &hide, 4},
        {"showCmd", REG_DWORD, &unknown, 4},
    };
    for (const Spoilt& row : rows) {
        StorePlacement(0, SW_SHOWNORMAL, normal);
        if (row.type == REG_NONE)
            DeleteValue(settingsKey, row.name);
        else
            SetValue(settingsKey, row.name, row.type, row.data, row.size);
        SCOPED_TRACE(row.name);
        ExpectRefusedAndUntouched();
    }

    // nothing stored at all: the first run
    for (const char* name : {"flags", "showCmd", "rcNormal"})
        DeleteValue(settingsKey, name);
    ExpectRefusedAndUntouched();

    // the same values with their right types are applied
    StorePlacement(0, SW_SHOWNORMAL, normal);
    EXPECT_TRUE(settings.RestorePlacement(window));
    EXPECT_EQ(normal, PlacementOf(window).rcNormalPosition);
}

TEST_F(RegistrySettingsTest, TheCornerIsAcceptedUpToTheScreenSizeLessAnIconAndAboveTheScreen)
{
    const LONG right = GetSystemMetrics(SM_CXSCREEN) - GetSystemMetrics(SM_CXICON);
    const LONG bottom = GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYICON);
    for (const RECT& offScreen : {RECT{right + 1, 100, right + 401, 400}, RECT{100, bottom + 1, 500, bottom + 301}}) {
        StorePlacement(0, SW_SHOWNORMAL, offScreen);
        ExpectRefusedAndUntouched();
    }
    for (const RECT& onScreen : {RECT{right, 100, right + 400, 400}, RECT{100, -50, 500, 250}}) {
        StorePlacement(0, SW_SHOWNORMAL, onScreen);
        EXPECT_TRUE(settings.RestorePlacement(window));
        EXPECT_EQ(onScreen, PlacementOf(window).rcNormalPosition);
        EXPECT_TRUE(IsWindowVisible(window));
    }
}

// Other types and an absent value are the settings key's own refusals; here only the buffer's size.
TEST_F(RegistrySettingsTest, TheRememberedDataFileIsReadWhenItFits)
{
    char dataFilePath[260];
    const std::string longest = "C:\\" + std::string(256, 'p');
    SetText(settingsKey, "DataFile", longest);
    EXPECT_TRUE(settings.readDataFilePath(dataFilePath, sizeof dataFilePath));
    EXPECT_EQ(longest, dataFilePath);

    SetText(settingsKey, "DataFile", longest + "q");
    EXPECT_FALSE(settings.readDataFilePath(dataFilePath, sizeof dataFilePath));
    EXPECT_STREQ("", dataFilePath);
}

TEST_F(RegistrySettingsTest, AKeyThatCannotBeOpenedChangesNothing)
{
    const std::string unusable = std::string(programKey.Name()) + "\\" + std::string(600, 'k');
    RegistrySettings unopenable(unusable.c_str());
    char dataFilePath[260] = "C:\\kept.ini";
    EXPECT_FALSE(unopenable.readDataFilePath(dataFilePath, sizeof dataFilePath));
    EXPECT_STREQ("C:\\kept.ini", dataFilePath);
    EXPECT_FALSE(unopenable.RestorePlacement(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(unopenable.SaveState(window, "C:\\kept.ini"));
    EXPECT_FALSE(KeyExists(programKey.Name()));
}

TEST_F(RegistrySettingsTest, EndingTheSessionStoresTheSettingsAndACancelledEndStoresNothing)
{
    SettingsWindow frame(settings, "C:\\Lists\\Session.ini");
    frame.RegisterWindowClass();
    ASSERT_TRUE(frame.CreateHandle("RegistrySettingsFrame", nullptr, nullptr, "Trellisvault", 30, 40, 450, 350));

    SendMessageA(frame.Handle(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_EQ(0, frame.saves);
    EXPECT_FALSE(KeyExists(settingsKey));

    SendMessageA(frame.Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(1, frame.saves);
    EXPECT_TRUE(frame.stored);
    EXPECT_TRUE(IsWindow(frame.Handle()));
    EXPECT_EQ("C:\\Lists\\Session.ini", ReadText(settingsKey, "DataFile"));
    StoredValue rcNormal = ReadValue(settingsKey, "rcNormal");
    ASSERT_EQ(16u, rcNormal.bytes.size());
    RECT stored;
    std::memcpy(&stored, rcNormal.bytes.data(), sizeof stored);
    EXPECT_EQ((RECT{30, 40, 480, 390}), stored);
    frame.Destroy();
}

TEST_F(RegistrySettingsTest, DestroyingTheWindowStoresItsLastPlacement)
{
    SettingsWindow frame(settings, "C:\\Lists\\Closed.ini");
    frame.RegisterWindowClass();
    ASSERT_TRUE(frame.CreateHandle("RegistrySettingsFrame", nullptr, nullptr, "Trellisvault", 30, 40, 450, 350));
    ShowWindow(frame.Handle(), SW_SHOWNORMAL);
    ASSERT_TRUE(SetWindowPos(frame.Handle(), nullptr, 70, 80, 500, 400, SWP_NOZORDER));
    ShowWindow(frame.Handle(), SW_MAXIMIZE);
    ASSERT_TRUE(frame.Destroy());
    EXPECT_EQ(1, frame.saves);
    EXPECT_TRUE(frame.stored);
    EXPECT_EQ("C:\\Lists\\Closed.ini", ReadText(settingsKey, "DataFile"));

    // the next start opens maximized over the same normal rectangle
    EXPECT_TRUE(settings.RestorePlacement(window));
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_EQ((RECT{70, 80, 570, 480}), PlacementOf(window).rcNormalPosition);
}

TEST_F(RegistrySettingsTest, TheProgramsOwnKeyHoldsTheSettings)
{
    RealProgramKeyGuard guard;
    RegistrySettings programSettings;
    ASSERT_TRUE(SetWindowPos(window, nullptr, 50, 60, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE));
    EXPECT_TRUE(programSettings.SaveState(window, "C:\\Real.ini"));
    EXPECT_EQ("C:\\Real.ini", ReadText("Software\\Pennyroyal\\Tvault\\Settings", "DataFile"));
    EXPECT_EQ(16u, ReadValue("Software\\Pennyroyal\\Tvault\\Settings", "rcNormal").bytes.size());

    char dataFilePath[260] = "";
    EXPECT_TRUE(programSettings.readDataFilePath(dataFilePath, sizeof dataFilePath));
    EXPECT_STREQ("C:\\Real.ini", dataFilePath);
    DestroyWindow(window);
    window = MakeWindow();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(programSettings.RestorePlacement(window));
    EXPECT_EQ((RECT{50, 60, 450, 360}), PlacementOf(window).rcNormalPosition);
    EXPECT_FALSE(KeyExists(programKey.Name()));
}
