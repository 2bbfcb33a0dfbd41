#include "TestResources.h"

#include "framework/MainFrame.h"
#include "framework/ProgramInstance.h"
#include "support/MessageRecorder.h"
#include "support/PumpUntilIdle.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

class TestFrame : public MainFrame {
public:
    bool CanClose() override { return calls.push_back("CanClose"), canClose; }
    bool RestorePlacement() override { return calls.push_back("RestorePlacement"), placementRestored; }
    bool SaveState() override { return calls.push_back("SaveState"), false; }
    void OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(wParam);
        commandSenders.push_back(lParam);
    }
    LRESULT OnUnhandledMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_BUTTON_HINT)
            return 0;
        hints.push_back(std::to_string(wParam) + " " + reinterpret_cast<const char*>(lParam));
        return 1;
    }
    void AdjustCreation(CREATESTRUCTA& creation) override
    {
        creation.lpszName = "Test frame";
        creation.x = 40;
        creation.y = 40;
        creation.cx = 800;
        creation.cy = 500;
    }

    bool canClose = true;
    bool placementRestored = false;
    std::vector<std::string> calls;
    std::vector<WPARAM> commands;
    std::vector<LPARAM> commandSenders;
    std::vector<std::string> hints;
};

const int buttonWidths[7] = {70, 68, 68, 72, 68, 70, 70};
const char* const buttonLabels[7] = {"&Backup", "&Add", "&Edit", "&Remove", "&New", "&Open", "E&xit"};
const char* const buttonHints[7] = {"Back up the folders", "Add a folder", "Edit the folder", "Remove the folder",
                                    "New folder list", "Open a folder list", "Exit"};

// A frame with its three children, made the way the application makes it.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(status.SetPartCount(3));
        status.AddPart(80, 0);
        status.AddPart(40, 0);
        status.AddPart(12, 0);
        bar.SetButtonCount(7);
        ASSERT_TRUE(frame.Create(&list, &bar, &status));
        for (int index = 0; index < 7; ++index)
            ASSERT_TRUE(bar.AddButton(buttonLabels[index], buttonWidths[index], 40001 + index, false,
                                      buttonHints[index]));
    }
    void TearDown() override
    {
        if (IsWindow(frame.Handle())) {
            frame.canClose = true;
            frame.Destroy();
        }
        // the frame's destruction posts the quit for the main loop; no other test may see it
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    static RECT RectInParent(HWND child)
    {
        RECT bounds;
        GetWindowRect(child, &bounds);
        MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&bounds), 2);
        return bounds;
    }
    static int DisplayFontHeight()
    {
        HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
        TEXTMETRICA metrics = {};
        GetTextMetricsA(display, &metrics);
        DeleteDC(display);
        return metrics.tmHeight;
    }

    ListView list;
    ButtonBar bar;
    StatusBar status;
    TestFrame frame;
};

// Fails the test and ends the loop when a message loop under test does not end by itself.
class LoopFailSafe {
public:
    explicit LoopFailSafe(UINT timeoutMs) { timer = SetTimer(nullptr, 0, timeoutMs, Expired); }
    ~LoopFailSafe() { KillTimer(nullptr, timer); }

private:
    static void CALLBACK Expired(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        ADD_FAILURE() << "the message loop did not end by itself";
        PostQuitMessage(-1);
    }
    UINT_PTR timer;
};

bool SaveScreenshot(HWND window, const char* path)
{
    RECT bounds;
    GetWindowRect(window, &bounds);
    int width = bounds.right - bounds.left;
    int height = bounds.bottom - bounds.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    SelectObject(memory, previous);

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    DWORD rowSize = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    std::vector<BYTE> pixels(rowSize * static_cast<DWORD>(height));
    int rows = GetDIBits(memory, picture, 0, static_cast<UINT>(height), pixels.data(),
                         reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (rows != height)
        return false;

    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return false;
    bool written = std::fwrite(&fileHeader, sizeof fileHeader, 1, file) == 1 &&
                   std::fwrite(&header, sizeof header, 1, file) == 1 &&
                   std::fwrite(pixels.data(), 1, pixels.size(), file) == pixels.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

TEST(MainFrameClass, RegisteredOnceWithTheApplicationIcon)
{
    TestFrame frame;
    frame.RegisterWindowClass();
    EXPECT_FALSE(frame.RegisterWindowClass());
    WNDCLASSA registered = {};
    ASSERT_TRUE(GetClassInfoA(ProgramInstance(), "MainClass", &registered));
    EXPECT_EQ(static_cast<UINT>(CS_BYTEALIGNCLIENT), registered.style);
    EXPECT_EQ(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), registered.hbrBackground);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), registered.hIcon);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(StaticWindowProc), registered.lpfnWndProc);
}

TEST_F(FrameTest, CreateMakesTheBarListAndStatusBarAsChildren)
{
    HWND handle = frame.Handle();
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW),
              static_cast<DWORD>(GetWindowLongPtrA(handle, GWL_STYLE)) & WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(handle, GetParent(bar.Handle()));
    EXPECT_EQ(handle, GetParent(list.Handle()));
    EXPECT_EQ(handle, GetParent(status.Handle()));
    EXPECT_EQ(DisplayFontHeight() + 12, frame.BarHeight());
    EXPECT_NE(0, GetWindowLongPtrA(list.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(3, SendMessageA(status.Handle(), SB_GETPARTS, 0, 0));
    char title[32] = "";
    GetWindowTextA(handle, title, sizeof title);
    EXPECT_STREQ("Test frame", title);
}

TEST_F(FrameTest, LayoutAfterAResizeStacksBarListAndStatusBar)
{
    frame.Show(SW_SHOWNORMAL);
    SetWindowPos(frame.Handle(), nullptr, 0, 0, 700, 460, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    RECT client;
    GetClientRect(frame.Handle(), &client);
    EXPECT_EQ(client.right, frame.ClientWidth());
    EXPECT_EQ(client.bottom, frame.ClientHeight());

    RECT barRect = RectInParent(bar.Handle());
    EXPECT_EQ(0, barRect.top);
    EXPECT_EQ(frame.BarHeight(), barRect.bottom);
    EXPECT_EQ(client.right, barRect.right);

    RECT statusRect = RectInParent(status.Handle());
    int statusHeight = statusRect.bottom - statusRect.top;
    EXPECT_GT(statusHeight, 0);
    EXPECT_EQ(client.bottom, statusRect.bottom);
    EXPECT_EQ(0, statusRect.left);
    EXPECT_EQ(client.right, statusRect.right);

    RECT listRect = RectInParent(list.Handle());
    EXPECT_EQ(frame.BarHeight(), listRect.top);
    EXPECT_EQ(client.bottom - frame.BarHeight() - statusHeight, listRect.bottom - listRect.top);
    EXPECT_EQ(client.right, listRect.right - listRect.left);
    // the list ends where the status bar starts
    EXPECT_EQ(statusRect.top, listRect.bottom);
}

TEST_F(FrameTest, ShowUsesTheStoredPlacementInsteadOfTheShowCommand)
{
    frame.placementRestored = true;
    frame.Show(SW_SHOWNORMAL);
    EXPECT_EQ((std::vector<std::string>{"RestorePlacement"}), frame.calls);
    EXPECT_FALSE(IsWindowVisible(frame.Handle()));
    frame.placementRestored = false;
    frame.Show(SW_SHOWNORMAL);
    EXPECT_TRUE(IsWindowVisible(frame.Handle()));
    // UpdateWindow has painted: nothing is left to paint
    EXPECT_FALSE(GetUpdateRect(frame.Handle(), nullptr, FALSE));
}

TEST_F(FrameTest, CanCloseDecidesWhetherCloseAndEndSessionGoOn)
{
    HWND handle = frame.Handle();
    frame.canClose = false;
    EXPECT_EQ(0, SendMessageA(handle, WM_QUERYENDSESSION, 0, 0));
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(handle));
    frame.canClose = true;
    EXPECT_EQ(1, SendMessageA(handle, WM_QUERYENDSESSION, 0, 0));
    frame.calls.clear();
    SendMessageA(handle, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ((std::vector<std::string>{"SaveState"}), frame.calls);
    frame.calls.clear();
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ((std::vector<std::string>{"CanClose", "SaveState"}), frame.calls);
    // the destruction asked the main loop to end with 0
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
}

TEST_F(FrameTest, GivingTheFrameTheFocusPutsItOnTheList)
{
    frame.Show(SW_SHOWNORMAL);
    SetFocus(frame.Handle());
    EXPECT_EQ(list.Handle(), GetFocus());
}

TEST_F(FrameTest, AnAcceleratorBecomesACommandAndNeverReachesTheList)
{
    frame.Show(SW_SHOWNORMAL);
    ASSERT_TRUE(frame.LoadAccelerators(MAKEINTRESOURCEA(IDA_PROBE)));
    MessageRecorder listLog(list.Handle(), {WM_KEYDOWN});
    PostMessageA(list.Handle(), WM_KEYDOWN, VK_F5, 1);
    PostMessageA(list.Handle(), WM_KEYDOWN, VK_F6, 1);
    PostQuitMessage(7);
    LoopFailSafe failSafe(5000);
    EXPECT_EQ(7, frame.Run());
    ASSERT_EQ(1u, frame.commands.size());
    EXPECT_EQ(MAKEWPARAM(IDM_PROBE_COMMAND, 1), frame.commands.front());
    ASSERT_EQ(1u, listLog.Entries().size());
    EXPECT_EQ(static_cast<WPARAM>(VK_F6), listLog.Entries().front().wParam);
}

TEST_F(FrameTest, BarClicksAndHintsReachTheFrame)
{
    frame.Show(SW_SHOWNORMAL);
    SendMessageA(bar.ButtonAt(6)->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(1u, frame.commands.size());
    EXPECT_EQ(static_cast<WPARAM>(40007), frame.commands.front());
    EXPECT_EQ(reinterpret_cast<LPARAM>(bar.Handle()), frame.commandSenders.front());
    SetFocus(list.Handle());
    SendMessageA(bar.ButtonAt(1)->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    EXPECT_EQ((std::vector<std::string>{"40002 Add a folder"}), frame.hints);
}

TEST_F(FrameTest, EnableFrameReachesEveryButtonAndTheFrame)
{
    frame.EnableFrame(false);
    EXPECT_FALSE(IsWindowEnabled(frame.Handle()));
    for (int index = 0; index < 7; ++index)
        EXPECT_FALSE(IsWindowEnabled(bar.ButtonAt(index)->Handle())) << index;
    frame.EnableFrame(true);
    EXPECT_TRUE(IsWindowEnabled(frame.Handle()));
    for (int index = 0; index < 7; ++index)
        EXPECT_TRUE(IsWindowEnabled(bar.ButtonAt(index)->Handle())) << index;
}

TEST_F(FrameTest, AStatusBarThatCannotBeMadeFailsTheFrame)
{
    TestFrame second;
    StatusBar unused;
    ListView otherList;
    ButtonBar otherBar;
    // no parent can take a status bar while the frame has no window: OnCreate answers false
    EXPECT_FALSE(second.Create(&otherList, &otherBar, nullptr));
    EXPECT_EQ(nullptr, second.Handle());
}

TEST_F(FrameTest, ScreenshotOfTheBareFrame)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 500;
    column.pszText = const_cast<char*>("Folder");
    SendMessageA(list.Handle(), LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    const char* rows[] = {"    C:\\Projects\\*.cpp, *.h, *.rc", "    C:\\Letters\\*.*"};
    for (int row = 0; row < 2; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(rows[row]);
        SendMessageA(list.Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    frame.Show(SW_SHOWNORMAL);
    status.SetText(0, "Ready");
    status.SetText(1, "Dest E:\\");
    status.SetText(2, "0");
    SetWindowPos(frame.Handle(), HWND_TOP, 40, 40, 800, 500, SWP_SHOWWINDOW);
    RedrawWindow(frame.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntilIdle();
    // next to the test executable, in the build folder
    char where[MAX_PATH] = "";
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, where, sizeof where));
    std::string path(where);
    path = path.substr(0, path.find_last_of('\\') + 1) + "MainFrameScreenshot.bmp";
    ASSERT_TRUE(SaveScreenshot(frame.Handle(), path.c_str()));
    std::printf("screenshot: %s\n", path.c_str());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
}
