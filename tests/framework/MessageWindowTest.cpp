#include "framework/ProgramInstance.h"
#include "framework/MessageWindow.h"
#include "framework/RoundMessageWindow.h"

#include "support/MessageRecorder.h"
#include "support/ModalDriver.h"
#include "support/Snapshot.h"
#include "support/TempFolder.h"

#include "TestResources.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

const char boxClass[] = "CMSGCLASS";
const COLORREF black = 0x000000;
const COLORREF lightGrey = 0xC0C0C0;
const COLORREF grey = 0x808080;
const COLORREF white = 0xFFFFFF;
const COLORREF red = 0x0000FF;
const COLORREF darkBlue = 0x800000;
const char* const ownIcon = MAKEINTRESOURCEA(102);

struct DisplayFont {
    int lineHeight;
    int maxCharWidth;
};

// The display font's metrics, measured the way Windows reports them to any program.
DisplayFont MeasureDisplay()
{
    DisplayFont font = {0, 0};
    HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    TEXTMETRICA metrics;
    if (display != nullptr && GetTextMetricsA(display, &metrics)) {
        font.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
        font.maxCharWidth = metrics.tmMaxCharWidth;
    }
    if (display != nullptr)
        DeleteDC(display);
    return font;
}

int DisplayWidth(const char* text)
{
    HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(display, text, static_cast<int>(std::strlen(text)), &extent);
    DeleteDC(display);
    return extent.cx;
}

// A visible top-level window to own the boxes.
class OwnerWindow {
public:
    OwnerWindow()
        : window(CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150, 120, 760, 560, nullptr,
                                 nullptr, nullptr, nullptr))
    {
        EXPECT_NE(nullptr, window);
    }
    ~OwnerWindow()
    {
        if (IsWindow(window))
            DestroyWindow(window);
    }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    HWND window;
};

RECT WindowRectOf(HWND window)
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    return rect;
}

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, HWND child)
{
    RECT rect = WindowRectOf(child);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool IsOwnerDrawn(HWND window)
{
    return (GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

// The box's push buttons, left to right.
std::vector<HWND> ButtonsOf(HWND box)
{
    std::vector<HWND> buttons;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassNameOf(child) == "Button" && !IsOwnerDrawn(child))
            buttons.push_back(child);
    }
    std::sort(buttons.begin(), buttons.end(),
              [](HWND a, HWND b) { return WindowRectOf(a).left < WindowRectOf(b).left; });
    return buttons;
}

HWND LinkOf(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassNameOf(child) == "Button" && IsOwnerDrawn(child))
            return child;
    }
    return nullptr;
}

// A key press as the keyboard delivers it: WM_KEYDOWN to the window that has the focus.
void PressKey(UINT key)
{
    HWND focus = GetFocus();
    ASSERT_NE(nullptr, focus) << "no window has the focus";
    LPARAM keyData = 1 | (static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16);
    SendMessageA(focus, WM_KEYDOWN, key, keyData);
}

void PressFirstButton(HWND box)
{
    std::vector<HWND> buttons = ButtonsOf(box);
    ASSERT_FALSE(buttons.empty());
    SendMessageA(buttons[0], BM_CLICK, 0, 0);
}

std::function<void()> laterStep;

void CALLBACK LaterTimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    std::function<void()> step = std::move(laterStep);
    laterStep = nullptr;
    if (step)
        step();
}

// Runs a step from a timer, once the messages the current step caused have been handled.
void Later(std::function<void()> step, UINT delayMs = 10)
{
    laterStep = std::move(step);
    SetTimer(nullptr, 0, delayMs, LaterTimerProc);
}

// How an icon looks drawn on a plain background, for comparing with what a box drew.
std::vector<COLORREF> IconPixels(HICON icon, COLORREF background)
{
    std::vector<COLORREF> result;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT all = {0, 0, 32, 32};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIcon(memory, 0, 0, icon);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            result.push_back(GetPixel(memory, x, y));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return result;
}

// Counts the pixels of the 32 by 32 square at (left, top) that differ from the icon.
int IconDifferences(const Snapshot& shot, int left, int top, HICON icon, COLORREF background)
{
    std::vector<COLORREF> expected = IconPixels(icon, background);
    int differences = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            differences += shot.At(left + x, top + y) != expected[static_cast<size_t>(y) * 32 + x];
    return differences;
}

ULONGLONG ThreadProcessorTime()
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0;
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return k.QuadPart + u.QuadPart;
}

HWND waitingBox;

void CALLBACK PressOkLater(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    ClickButtonWithText(waitingBox, "Ok");
}

struct ButtonSet {
    UINT flags;
    std::vector<std::string> labels;
    std::vector<int> offsets;
    std::vector<int> answers;
};

} // namespace

TEST(MessageWindow, EachButtonSetShowsItsButtonsAndAnswersTheButtonPressed)
{
    const ButtonSet sets[] = {
        {MB_OK, {"&Ok"}, {-30}, {IDOK}},
        {MB_OKCANCEL, {"&Ok", "&Cancel"}, {-70, 10}, {IDOK, IDCANCEL}},
        {MB_YESNO, {"&Yes", "&No"}, {-70, 10}, {IDYES, IDNO}},
        {MB_YESNOCANCEL, {"&Yes", "&No", "&Cancel"}, {-100, -30, 40}, {IDYES, IDNO, IDCANCEL}},
        {MB_RETRYCANCEL, {"&Ok"}, {-30}, {IDOK}},
    };
    DisplayFont display = MeasureDisplay();
    OwnerWindow owner;
    MessageWindow box;
    for (const ButtonSet& set : sets) {
        for (size_t pressed = 0; pressed < set.answers.size(); ++pressed) {
            SCOPED_TRACE("flags " + std::to_string(set.flags) + ", button " + std::to_string(pressed));
            ModalDriver driver(boxClass, [&](HWND window) {
                std::vector<HWND> buttons = ButtonsOf(window);
                ASSERT_EQ(set.labels.size(), buttons.size());
                RECT client;
                GetClientRect(window, &client);
                for (size_t i = 0; i < buttons.size(); ++i) {
                    EXPECT_EQ(set.labels[i], WindowTextOf(buttons[i]));
                    RECT rect = ChildRect(window, buttons[i]);
                    EXPECT_EQ(client.right / 2 + set.offsets[i], rect.left);
                    EXPECT_EQ(client.bottom - 2 * display.lineHeight, rect.top);
                    EXPECT_EQ(60, rect.right - rect.left);
                    EXPECT_EQ(30, rect.bottom - rect.top);
                }
                SendMessageA(buttons[pressed], BM_CLICK, 0, 0);
            });
            int answer = box.Run(owner.window, "Go on with the backup?", "Trellisvault", set.flags, nullptr, black,
                                 lightGrey, grey);
            ASSERT_EQ(1, driver.Count());
            EXPECT_EQ(set.answers[pressed], answer);
            EXPECT_FALSE(IsWindow(driver.Handled()[0])) << "the box is still there after Run answered";
        }
    }
}

// A mnemonic key presses its button, and the first press counts; Enter presses the button that has
// the focus, which starts on the default button.
TEST(MessageWindow, AMnemonicOrEnterPressesItsButton)
{
    struct Case {
        UINT flags;
        size_t focused;
        std::vector<UINT> keys;
        int answer;
    };
    const Case cases[] = {
        {MB_YESNOCANCEL | MB_ICONQUESTION, 0, {'N'}, IDNO},
        {MB_YESNOCANCEL | MB_ICONQUESTION, 0, {'Y'}, IDYES},
        {MB_YESNOCANCEL | MB_ICONQUESTION, 0, {'C'}, IDCANCEL},
        {MB_OKCANCEL, 0, {'O'}, IDOK},
        {MB_OKCANCEL, 0, {'C'}, IDCANCEL},
        {MB_YESNO, 0, {'N', 'Y'}, IDNO},
        {MB_OK, 0, {'Y', 'O', 'C'}, IDOK},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, 2, {VK_RETURN}, IDCANCEL},
        {MB_YESNO | MB_DEFBUTTON2, 1, {VK_RETURN}, IDNO},
        {MB_OKCANCEL, 0, {VK_RETURN}, IDOK},
        {MB_OKCANCEL, 0, {VK_TAB, VK_RETURN}, IDCANCEL},
        // a default button beyond those shown falls back to the first
        {MB_OK | MB_DEFBUTTON2, 0, {VK_RETURN}, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON3, 0, {VK_RETURN}, IDOK},
    };
    OwnerWindow owner;
    MessageWindow box;
    for (const Case& c : cases) {
        SCOPED_TRACE("flags " + std::to_string(c.flags) + ", first key " + std::to_string(c.keys[0]));
        ModalDriver driver(boxClass, [&](HWND window) {
            std::vector<HWND> buttons = ButtonsOf(window);
            ASSERT_LT(c.focused, buttons.size());
            EXPECT_EQ(buttons[c.focused], GetFocus());
            for (UINT key : c.keys)
                PressKey(key);
        });
        EXPECT_EQ(c.answer, box.Run(owner.window, "Save folder list?", "Trellisvault", c.flags, nullptr, black,
                                    lightGrey, grey));
        EXPECT_EQ(1, driver.Count());
    }
}

// Only a button ends a box: Escape, keys that name no button, close requests and Alt+F4 leave it up.
TEST(MessageWindow, EscapeKeysThatNameNoButtonCloseRequestsAndAltF4LeaveTheBoxUp)
{
    struct Case {
        const char* what;
        UINT flags;
        std::function<void(HWND)> requests;
        const char* button;
        int answer;
    };
    const Case cases[] = {
        {"keys", MB_OK | MB_ICONEXCLAMATION,
         [](HWND window) {
             PressKey(VK_ESCAPE);
             PressKey('X');
             PressKey('N');
             SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
             SendMessageA(window, WM_CHAR, 27, 1);
         },
         "Ok", IDOK},
        {"close requests", MB_YESNOCANCEL | MB_ICONQUESTION,
         [](HWND window) {
             // Alt+F4 as the keyboard delivers it to the focused button
             SendMessageA(GetFocus(), WM_SYSKEYDOWN, VK_F4, static_cast<LPARAM>(KF_ALTDOWN) << 16 | 1);
             SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
             PostMessageA(window, WM_CLOSE, 0, 0);
         },
         "No", IDNO},
    };
    OwnerWindow owner;
    MessageWindow box;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool checked = false;
        ModalDriver driver(boxClass, [&](HWND window) {
            c.requests(window);
            Later([&, window] {
                EXPECT_TRUE(IsWindow(window)) << "the box was closed without an answer";
                EXPECT_FALSE(IsWindowEnabled(owner.window));
                checked = true;
                ClickButtonWithText(window, c.button);
            });
        });
        EXPECT_EQ(c.answer, box.Run(owner.window, "Only a button ends this box", "Trellisvault", c.flags, nullptr,
                                    black, lightGrey, grey));
        // a box that ended early leaves its step unrun, and this loop's locals are gone when it would run
        laterStep = nullptr;
        EXPECT_TRUE(checked);
        EXPECT_TRUE(IsWindowEnabled(owner.window));
    }
}

TEST(MessageWindow, FocusStartsOnTheDefaultButtonAndTabRightAndLeftCycleWithWrapping)
{
    OwnerWindow owner;
    MessageWindow box;
    ModalDriver driver(boxClass, [](HWND window) {
        std::vector<HWND> b = ButtonsOf(window);
        ASSERT_EQ(3u, b.size());
        EXPECT_EQ(b[1], GetFocus()) << "MB_DEFBUTTON2 starts on the second button";
        PressKey(VK_TAB);
        EXPECT_EQ(b[2], GetFocus());
        PressKey(VK_TAB);
        EXPECT_EQ(b[0], GetFocus()) << "Tab wraps from the last button to the first";
        PressKey(VK_LEFT);
        EXPECT_EQ(b[2], GetFocus()) << "Left wraps from the first button to the last";
        PressKey(VK_LEFT);
        EXPECT_EQ(b[1], GetFocus());
        PressKey(VK_RIGHT);
        EXPECT_EQ(b[2], GetFocus());
        PressKey(VK_RIGHT);
        EXPECT_EQ(b[0], GetFocus()) << "Right wraps from the last button to the first";
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(IDYES, box.Run(owner.window, "Save folder list?", "Trellisvault",
                             MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, nullptr, black, lightGrey, grey));
    EXPECT_EQ(1, driver.Count());
}

TEST(MessageWindow, ThreeLinesGiveNineLineHeightsAndAFramedTextAreaFromLineHeightToFourLineHeightsPlusEight)
{
    DisplayFont display = MeasureDisplay();
    ASSERT_GT(display.lineHeight, 0);
    const int lh = display.lineHeight;
    OwnerWindow owner;
    MessageWindow box;
    ModalDriver driver(boxClass, [&](HWND window) {
        UpdateWindow(window);
        RECT outer = WindowRectOf(window);
        EXPECT_EQ(9 * lh, outer.bottom - outer.top);
        int textRight = (outer.right - outer.left) - 16;
        int top = lh;
        int bottom = 4 * lh + 8;
        Snapshot shot(window);
        // the sunken frame: shadow on the left and top, white on the right and bottom
        EXPECT_EQ(lightGrey, shot.At(84, top - 1));
        EXPECT_EQ(grey, shot.At(64, top));
        EXPECT_EQ(grey, shot.At(84, top));
        EXPECT_EQ(lightGrey, shot.At(84, top + 1));
        EXPECT_EQ(lightGrey, shot.At(63, top + 5));
        EXPECT_EQ(grey, shot.At(64, top + 5));
        EXPECT_EQ(grey, shot.At(64, bottom));
        EXPECT_EQ(lightGrey, shot.At(84, bottom - 1));
        EXPECT_EQ(white, shot.At(84, bottom));
        EXPECT_EQ(lightGrey, shot.At(84, bottom + 1));
        EXPECT_EQ(white, shot.At(textRight, top + 5));
        EXPECT_EQ(lightGrey, shot.At(textRight + 1, top + 5));
        // the icon, centred on the text area at x = 16
        EXPECT_EQ(0, IconDifferences(shot, 16, top + (bottom - top) / 2 - 16, LoadIconA(nullptr, IDI_EXCLAMATION),
                                     lightGrey));
        RECT lines = {65, top + 3, textRight, top + 3 + 3 * lh};
        EXPECT_GT(shot.Count(lines, black), 30) << "no text drawn in the text area";
        Snapshot(window, true).Save("messagebox.bmp");
        ClickButtonWithText(window, "Ok");
    });
    EXPECT_EQ(IDOK, box.Run(owner.window, "The first line\nthe second line\nand the third", "Trellisvault",
                            MB_OK | MB_ICONEXCLAMATION, nullptr, black, lightGrey, grey));
    EXPECT_EQ(1, driver.Count());
}

TEST(MessageWindow, PaintsTheTextCentredInTheCallersColours)
{
    DisplayFont display = MeasureDisplay();
    const int lh = display.lineHeight;
    OwnerWindow owner;
    MessageWindow box;
    ModalDriver driver(boxClass, [&](HWND window) {
        UpdateWindow(window);
        RECT outer = WindowRectOf(window);
        int textRight = (outer.right - outer.left) - 16;
        Snapshot shot(window);
        EXPECT_EQ(red, shot.At(2, 2));
        EXPECT_EQ(red, shot.At(shot.width - 3, shot.height - 3));
        int minX = shot.width;
        int maxX = -1;
        for (int y = lh + 3; y < 2 * lh + 3; ++y) {
            for (int x = 65; x < textRight; ++x) {
                if (shot.At(x, y) == white) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                }
            }
        }
        ASSERT_GE(maxX, 0) << "no white text in the text area";
        EXPECT_LE(std::abs((minX + maxX) - (64 + textRight)), 6) << "text from " << minX << " to " << maxX;
        EXPECT_EQ(red, ParentBackgroundUnder(FindChildWithText(window, "No"))) << "a themed button's corners";
        ClickButtonWithText(window, "No");
    });
    EXPECT_EQ(IDNO, box.Run(owner.window, "Remove the folder from the list?", "Trellisvault",
                            MB_YESNO | MB_ICONQUESTION, nullptr, white, red, grey));
    EXPECT_EQ(1, driver.Count());
}

TEST(MessageWindow, ShowsTheSystemIconTheFlagsNameOrElseTheProgramsOwnOrNone)
{
    struct Case {
        UINT flags;
        const char* iconName;
        HICON expected;
    };
    HINSTANCE program = GetModuleHandleA(nullptr);
    const Case cases[] = {
        {MB_ICONHAND, nullptr, LoadIconA(nullptr, IDI_HAND)},
        {MB_ICONQUESTION, nullptr, LoadIconA(nullptr, IDI_QUESTION)},
        {MB_ICONEXCLAMATION, nullptr, LoadIconA(nullptr, IDI_EXCLAMATION)},
        {MB_ICONASTERISK, nullptr, LoadIconA(nullptr, IDI_ASTERISK)},
        {MB_OK, ownIcon, LoadIconA(program, ownIcon)},
        {MB_ICONQUESTION, ownIcon, LoadIconA(nullptr, IDI_QUESTION)},
    };
    ASSERT_NE(nullptr, LoadIconA(program, ownIcon)) << "the test executable has no icon 102";
    const int lh = MeasureDisplay().lineHeight;
    OwnerWindow owner;
    MessageWindow box;
    for (const Case& c : cases) {
        SCOPED_TRACE("flags " + std::to_string(c.flags) + (c.iconName != nullptr ? " with icon 102" : ""));
        ModalDriver driver(boxClass, [&](HWND window) {
            UpdateWindow(window);
            Snapshot shot(window);
            int top = lh;
            int bottom = 2 * lh + 8;
            EXPECT_EQ(0, IconDifferences(shot, 16, top + (bottom - top) / 2 - 16, c.expected, lightGrey));
            EXPECT_EQ(grey, shot.At(64, top + 2)) << "the text area has no sunken frame";
            PressFirstButton(window);
        });
        EXPECT_EQ(IDOK, box.Run(owner.window, "One line", "Trellisvault", c.flags, c.iconName, black, lightGrey,
                                grey));
    }

    ModalDriver driver(boxClass, [&](HWND window) {
        UpdateWindow(window);
        Snapshot shot(window);
        RECT iconPlace = {16, lh, 48, 2 * lh + 8};
        EXPECT_EQ(32 * (lh + 8), shot.Count(iconPlace, lightGrey)) << "something was drawn where an icon goes";
        RECT frameRow = {0, lh, shot.width, lh + 1};
        EXPECT_EQ(0, shot.Count(frameRow, grey)) << "a box without icon has no frame";
        PressFirstButton(window);
    });
    EXPECT_EQ(IDOK, box.Run(owner.window, "One line", "Trellisvault", MB_OK, nullptr, black, lightGrey, grey));
}

namespace {

int BoxWidth(MessageWindow& box, HWND owner, const char* caption, UINT flags)
{
    int width = 0;
    ModalDriver driver(boxClass, [&](HWND window) {
        RECT outer = WindowRectOf(window);
        width = outer.right - outer.left;
        PressFirstButton(window);
    });
    box.Run(owner, "Hi", caption, flags, nullptr, black, lightGrey, grey);
    EXPECT_EQ(1, driver.Count());
    return width;
}

} // namespace

TEST(MessageWindow, ACaptionWiderThanTheTextWidensTheBoxOnlyWithoutIcon)
{
    DisplayFont display = MeasureDisplay();
    const char* longCaption = "A caption a good deal wider than the text of this box";
    OwnerWindow owner;
    MessageWindow box;
    int plainShort = BoxWidth(box, owner.window, "", MB_OK);
    int plainLong = BoxWidth(box, owner.window, longCaption, MB_OK);
    EXPECT_EQ(DisplayWidth("Hi") + 4 * display.maxCharWidth + 8 + 16, plainShort);
    EXPECT_EQ(DisplayWidth(longCaption) + 4 * display.maxCharWidth + 8 + 16, plainLong);
    int iconShort = BoxWidth(box, owner.window, "", MB_OK | MB_ICONASTERISK);
    int iconLong = BoxWidth(box, owner.window, longCaption, MB_OK | MB_ICONASTERISK);
    EXPECT_EQ(DisplayWidth("Hi") + 4 * display.maxCharWidth + 64 + 16, iconShort);
    EXPECT_EQ(iconShort, iconLong);
    // the button set's minimum text width wins over a short text
    EXPECT_EQ(13 * display.lineHeight + 16, BoxWidth(box, owner.window, "", MB_YESNOCANCEL));
    int plainHi = DisplayWidth("Hi") + 4 * display.maxCharWidth + 8;
    EXPECT_EQ(std::max(plainHi, 10 * display.lineHeight) + 16, BoxWidth(box, owner.window, "", MB_YESNO));
}

TEST(MessageWindow, TheOwnersTopLevelWindowIsDisabledWhileTheBoxIsUpAndEnabledAfter)
{
    OwnerWindow owner;
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 400, 300, owner.window, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(nullptr, child);
    MessageWindow box;
    // a box owned by a child, as the remove prompt is by the list view, must hold the whole frame
    for (HWND boxOwner : {owner.window, child}) {
        SCOPED_TRACE(boxOwner == child ? "owned by a child" : "owned by the top-level window");
        ModalDriver driver(boxClass, [&](HWND window) {
            EXPECT_FALSE(IsWindowEnabled(owner.window));
            EXPECT_EQ(owner.window, GetWindow(window, GW_OWNER));
            RECT boxRect = WindowRectOf(window);
            RECT ownerRect = WindowRectOf(owner.window);
            EXPECT_LE(std::abs((boxRect.left + boxRect.right) - (ownerRect.left + ownerRect.right)), 2);
            EXPECT_LE(std::abs((boxRect.top + boxRect.bottom) - (ownerRect.top + ownerRect.bottom)), 2);
            ClickButtonWithText(window, "Yes");
        });
        EXPECT_EQ(IDYES, box.Run(boxOwner, "Save folder list?", "Trellisvault", MB_YESNOCANCEL | MB_ICONQUESTION,
                                 nullptr, black, lightGrey, grey));
        EXPECT_EQ(1, driver.Count());
        EXPECT_TRUE(IsWindowEnabled(owner.window));
        EXPECT_TRUE(IsWindowEnabled(child));
    }
}

TEST(MessageWindow, AnOwnerThatWasAlreadyDisabledStaysDisabled)
{
    OwnerWindow owner;
    MessageWindow box;
    EnableWindow(owner.window, FALSE);
    ModalDriver driver(boxClass, [&](HWND window) {
        EXPECT_FALSE(IsWindowEnabled(owner.window));
        ClickButtonWithText(window, "Ok");
    });
    EXPECT_EQ(IDOK, box.Run(owner.window, "You must choose a destination", "Trellisvault",
                            MB_OK | MB_ICONEXCLAMATION, nullptr, black, lightGrey, grey));
    EXPECT_EQ(1, driver.Count());
    EXPECT_FALSE(IsWindowEnabled(owner.window)) << "the box enabled an owner that a dialog had disabled";

    ModalDriver closer(boxClass, [](HWND window) { DestroyWindow(window); });
    EXPECT_EQ(0, box.Run(owner.window, "Destroyed from outside", "Trellisvault", MB_OK, nullptr, black, lightGrey,
                         grey));
    EXPECT_FALSE(IsWindowEnabled(owner.window));
}

// A template dialog with no object: OK ends it with 5.
INT_PTR CALLBACK PlainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndDialog(dialog, 5);
        return TRUE;
    }
    return FALSE;
}

TEST(MessageWindow, ABoxRaisedFromAModalDialogAnswersAndGivesTheDialogItsInputBack)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    OwnerWindow owner;
    MessageWindow box;
    int answer = -1;
    int boxesDriven = 0;
    bool dialogDisabledUnderTheBox = false;
    bool dialogEnabledAfterTheBox = false;
    ModalDriver dialogDriver("#32770", [&](HWND dialog) {
        ModalDriver boxDriver(boxClass, [&](HWND window) {
            dialogDisabledUnderTheBox = !IsWindowEnabled(dialog);
            ClickButtonWithText(window, "No");
        });
        answer = box.Run(dialog, "Save folder list?", "Trellisvault", MB_YESNOCANCEL | MB_ICONQUESTION, nullptr, black,
                         lightGrey, grey);
        boxesDriven = boxDriver.Count();
        dialogEnabledAfterTheBox = IsWindowEnabled(dialog) != FALSE;
        ClickButton(dialog, IDOK);
    });
    INT_PTR ended = DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PROBE), owner.window, PlainDialogProc, 0);
    EXPECT_EQ(5, ended);
    EXPECT_EQ(1, dialogDriver.Count());
    EXPECT_EQ(1, boxesDriven);
    EXPECT_EQ(IDNO, answer);
    EXPECT_TRUE(dialogDisabledUnderTheBox);
    EXPECT_TRUE(dialogEnabledAfterTheBox);
    // the dialog manager gives the owner back its input when the dialog ends
    EXPECT_TRUE(IsWindowEnabled(owner.window));
    EXPECT_EQ(nullptr, box.Handle());
}

TEST(MessageWindow, ABoxWithoutOwnerIsCentredOnTheScreen)
{
    MessageWindow box;
    ModalDriver driver(boxClass, [](HWND window) {
        EXPECT_EQ(nullptr, GetWindow(window, GW_OWNER));
        RECT rect = WindowRectOf(window);
        EXPECT_LE(std::abs((rect.left + rect.right) - GetSystemMetrics(SM_CXFULLSCREEN)), 2);
        EXPECT_LE(std::abs((rect.top + rect.bottom) - GetSystemMetrics(SM_CYFULLSCREEN)), 2);
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(IDOK, box.Run(nullptr, "No owner", "Trellisvault", MB_OK, nullptr, black, lightGrey, grey));
    EXPECT_EQ(1, driver.Count());
}

TEST(MessageWindow, ABoxLeftWaitingUsesNextToNoProcessorTime)
{
    OwnerWindow owner;
    MessageWindow box;
    ModalDriver driver(
        boxClass,
        [](HWND window) {
            waitingBox = window;
            SetTimer(nullptr, 0, 2000, PressOkLater);
        },
        15000);
    ULONGLONG processorBefore = ThreadProcessorTime();
    DWORD start = GetTickCount();
    int answer = box.Run(owner.window, "Waiting for two seconds", "Trellisvault", MB_OK, nullptr, black, lightGrey,
                         grey);
    DWORD elapsedMs = GetTickCount() - start;
    ULONGLONG processorMs = (ThreadProcessorTime() - processorBefore) / 10000;
    EXPECT_EQ(IDOK, answer);
    EXPECT_EQ(1, driver.Count());
    EXPECT_GE(elapsedMs, 1900u);
    RecordProperty("processorMs", static_cast<int>(processorMs));
    RecordProperty("elapsedMs", static_cast<int>(elapsedMs));
    EXPECT_LT(processorMs, 200u) << "the box used " << processorMs << " ms of processor time in " << elapsedMs
                                 << " ms";
}

TEST(MessageWindow, AQuitRequestEndsTheWaitWithZeroAndStaysInTheQueue)
{
    OwnerWindow owner;
    MessageWindow box;
    ModalDriver driver(boxClass, [](HWND) { PostQuitMessage(7); });
    EXPECT_EQ(0, box.Run(owner.window, "Quit while waiting", "Trellisvault", MB_YESNO, nullptr, black, lightGrey,
                         grey));
    ASSERT_EQ(1, driver.Count());
    EXPECT_FALSE(IsWindow(driver.Handled()[0]));
    EXPECT_TRUE(IsWindowEnabled(owner.window));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request was swallowed";
    EXPECT_EQ(7u, static_cast<unsigned>(msg.wParam));
}

TEST(MessageWindow, ABoxEndedWithoutItsButtonsAnswersCancelOrZeroAndCanBeShownAgain)
{
    struct Case {
        const char* how;
        UINT flags;
        int answer;
    };
    // with no Cancel button there is no safe answer: 0 tells the caller nothing was chosen
    const Case cases[] = {
        {"destroyed", MB_OK, 0},
        {"destroyed", MB_YESNOCANCEL, IDCANCEL},
        {"owner destroyed", MB_YESNO, 0},
        {"owner destroyed", MB_YESNOCANCEL, IDCANCEL},
        {"owner destroyed", MB_OKCANCEL, IDCANCEL},
    };
    OwnerWindow owner;
    MessageWindow box;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.how) + ", flags " + std::to_string(c.flags));
        OwnerWindow doomed;
        bool ownerGoes = std::strcmp(c.how, "owner destroyed") == 0;
        ModalDriver driver(boxClass, [&](HWND window) { DestroyWindow(ownerGoes ? doomed.window : window); });
        EXPECT_EQ(c.answer, box.Run(doomed.window, "Ended", "Trellisvault", c.flags, nullptr, black, lightGrey, grey));
        ASSERT_EQ(1, driver.Count());
        EXPECT_FALSE(IsWindow(driver.Handled()[0]));
        EXPECT_TRUE(ownerGoes || IsWindowEnabled(doomed.window));
    }
    ModalDriver driver(boxClass, [](HWND window) { ClickButtonWithText(window, "Ok"); });
    EXPECT_EQ(IDOK, box.Run(owner.window, "Shown again", "Trellisvault", MB_OK, nullptr, black, lightGrey, grey));
    EXPECT_EQ(1, driver.Count());
}

TEST(MessageWindow, ABoxThatCannotBeCreatedAnswersZeroAtOnce)
{
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                                nullptr);
    ASSERT_NE(nullptr, gone);
    DestroyWindow(gone);
    MessageWindow box;
    ModalDriver driver(boxClass, [](HWND window) {
        ADD_FAILURE() << "a box appeared for an owner that does not exist";
        DestroyWindow(window);
    });
    DWORD start = GetTickCount();
    EXPECT_EQ(0, box.Run(gone, "Never shown", "Trellisvault", MB_OK, nullptr, black, lightGrey, grey));
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_EQ(0, driver.Count());
}

TEST(MessageWindow, OnlyOneBoxIsShownAtATimeAndASecondAnswersCancelOrZero)
{
    OwnerWindow owner;
    MessageWindow first;
    MessageWindow second;
    std::vector<int> nested;
    ModalDriver driver(boxClass, [&](HWND window) {
        for (UINT flags : {MB_OK, MB_YESNO, MB_OKCANCEL, MB_YESNOCANCEL | MB_ICONQUESTION})
            nested.push_back(second.Run(owner.window, "Second", "Trellisvault", flags, nullptr, black, lightGrey, grey));
        EXPECT_TRUE(IsWindow(window));
        ClickButtonWithText(window, "No");
    });
    EXPECT_EQ(IDNO, first.Run(owner.window, "Save folder list?", "Trellisvault", MB_YESNOCANCEL | MB_ICONQUESTION,
                              nullptr, black, lightGrey, grey));
    EXPECT_EQ((std::vector<int>{0, 0, IDCANCEL, IDCANCEL}), nested);
    EXPECT_EQ(1, driver.Count());
}

TEST(MessageWindow, APressAnywhereInTheBoxStartsMovingIt)
{
    OwnerWindow owner;
    MessageWindow box;
    ModalDriver driver(boxClass, [](HWND window) {
        {
            MessageRecorder recorder(window, {WM_NCLBUTTONDOWN});
            // the button's release ends the move the press starts
            PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(30, 20));
            SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 20));
            ASSERT_EQ(1u, recorder.Count(WM_NCLBUTTONDOWN));
            POINT press = {30, 20};
            ClientToScreen(window, &press);
            EXPECT_EQ(static_cast<WPARAM>(HTCAPTION), recorder.Entries()[0].wParam);
            EXPECT_EQ(MAKELPARAM(press.x, press.y), recorder.Entries()[0].lParam);
        }
        Later([window] { ClickButtonWithText(window, "Ok"); });
    });
    EXPECT_EQ(IDOK, box.Run(owner.window, "Drag me", "Trellisvault", MB_OK, nullptr, black, lightGrey, grey));
    EXPECT_EQ(1, driver.Count());
}

TEST(RoundMessageWindow, IsAnEllipseWithARedOutlineTheIconAndTextCentredAndOneOkButton)
{
    DisplayFont display = MeasureDisplay();
    const int lh = display.lineHeight;
    const char* text = "Trellisvault - Version 2.02\nWritten for the tests";
    int textWidth = std::max(DisplayWidth("Trellisvault - Version 2.02"), DisplayWidth("Written for the tests"));
    OwnerWindow owner;
    RoundMessageWindow about;
    ModalDriver driver(boxClass, [&](HWND window) {
        UpdateWindow(window);
        LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
        EXPECT_EQ(0, style & WS_CAPTION);
        EXPECT_NE(0, style & WS_POPUP);
        RECT outer = WindowRectOf(window);
        int width = outer.right - outer.left;
        int height = outer.bottom - outer.top;
        EXPECT_EQ(textWidth + 4 * display.maxCharWidth + 1, width);
        EXPECT_EQ(lh * (2 + 8) + 1, height);

        HRGN region = CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(ERROR, GetWindowRgn(window, region));
        EXPECT_FALSE(PtInRegion(region, 2, 2));
        EXPECT_FALSE(PtInRegion(region, width - 3, height - 3));
        EXPECT_TRUE(PtInRegion(region, width / 2, height / 2));
        EXPECT_TRUE(PtInRegion(region, width / 2, 1));
        EXPECT_TRUE(PtInRegion(region, 1, height / 2));
        DeleteObject(region);

        std::vector<HWND> buttons = ButtonsOf(window);
        ASSERT_EQ(1u, buttons.size());
        EXPECT_EQ("&Ok", WindowTextOf(buttons[0]));
        RECT ok = ChildRect(window, buttons[0]);
        EXPECT_EQ((width - 1) / 2 - 30, ok.left);
        EXPECT_EQ((height - 1) - 3 * lh, ok.top);
        EXPECT_EQ(nullptr, LinkOf(window)) << "an empty caption makes no link";

        Snapshot shot(window);
        RECT topOfOutline = {width / 2, 0, width / 2 + 1, 5};
        EXPECT_GE(shot.Count(topOfOutline, red), 2) << "no red outline at the top";
        RECT leftOfOutline = {0, height / 2, 5, height / 2 + 1};
        EXPECT_GE(shot.Count(leftOfOutline, red), 2) << "no red outline at the left";
        EXPECT_EQ(lightGrey, shot.At(width / 2, height / 2 + 2));
        EXPECT_EQ(0, IconDifferences(shot, width / 2 - 16, 18, LoadIconA(GetModuleHandleA(nullptr), ownIcon),
                                     lightGrey));
        RECT firstLine = {0, 2 * lh + 32, width, 3 * lh + 32};
        EXPECT_GT(shot.Count(firstLine, black), 30) << "no text on the first line";
        shot.Save("about.bmp");
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(IDOK, about.Run(owner.window, text, "", 0, ownIcon, black, lightGrey, grey));
    EXPECT_EQ(1, driver.Count());
    EXPECT_TRUE(IsWindowEnabled(owner.window));
}

TEST(RoundMessageWindow, TheLinkShowsTheCaptionOpensItWithTheShellAndAnswersOne)
{
    DisplayFont display = MeasureDisplay();
    const int lh = display.lineHeight;
    TempFolder folder("about-link");
    std::string marker = folder / "opened.txt";
    std::string script = folder / "open-link.bat";
    folder.WriteFile("open-link.bat", "@echo opened> \"" + marker + "\"\r\n");
    HANDLE change = FindFirstChangeNotificationA(folder.Path().c_str(), FALSE,
                                                 FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                                                     FILE_NOTIFY_CHANGE_LAST_WRITE);
    ASSERT_NE(INVALID_HANDLE_VALUE, change);

    OwnerWindow owner;
    RoundMessageWindow about;
    ModalDriver driver(boxClass, [&](HWND window) {
        UpdateWindow(window);
        RECT outer = WindowRectOf(window);
        int width = outer.right - outer.left;
        EXPECT_EQ(lh * (2 + 10) + 1, outer.bottom - outer.top);
        HWND link = LinkOf(window);
        ASSERT_NE(nullptr, link) << "the link was not made when the window was painted";
        EXPECT_EQ("", WindowTextOf(link));
        RECT linkRect = ChildRect(window, link);
        EXPECT_LE(std::abs((linkRect.left + linkRect.right) - width), 2);
        EXPECT_EQ(2 * lh + 32 + 2 * lh + lh, linkRect.top);
        UpdateWindow(link);
        Snapshot shot(window);
        EXPECT_GT(shot.Count(linkRect, darkBlue), 20) << "the caption is not drawn in dark blue";
        RECT underline = {linkRect.left, linkRect.bottom - 4, linkRect.right, linkRect.bottom};
        EXPECT_GT(shot.Count(underline, darkBlue), (linkRect.right - linkRect.left) / 2) << "no underline";
        shot.Save("about-link.bmp");
        SendMessageA(link, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDOK, about.Run(owner.window, "Trellisvault - Version 2.02\nWritten for the tests", script.c_str(), 0,
                              ownIcon, black, lightGrey, grey));
    EXPECT_EQ(1, driver.Count());
    EXPECT_TRUE(IsWindowEnabled(owner.window));

    // the shell runs the script in another process; wait for its file, by change notification
    DWORD start = GetTickCount();
    while (ReadWholeFile(marker).find("opened") == std::string::npos) {
        DWORD waited = GetTickCount() - start;
        if (waited >= 15000)
            break;
        WaitForSingleObject(change, 15000 - waited);
        FindNextChangeNotification(change);
    }
    FindCloseChangeNotification(change);
    EXPECT_NE(std::string::npos, ReadWholeFile(marker).find("opened")) << "the shell did not open " << script;

    EXPECT_TRUE(about.ReleaseLinkFont());
    EXPECT_FALSE(about.ReleaseLinkFont());
}

// A link the shell cannot open is reported to the caller, who tells the user why.
TEST(RoundMessageWindow, ALinkThatCannotBeOpenedIsReported)
{
    OwnerWindow owner;
    RoundMessageWindow about;
    ModalDriver driver(boxClass, [](HWND window) {
        UpdateWindow(window);
        ASSERT_NE(nullptr, LinkOf(window));
        SendMessageA(LinkOf(window), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDOK, about.Run(owner.window, "About", "C:\\tv-nowhere\\page.txt", 0, ownIcon, black, lightGrey, grey));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, about.LinkFailure());
    about.ReleaseLinkFont();
}
