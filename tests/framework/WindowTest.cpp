#include "framework/Button.h"
#include "framework/Control.h"
#include "framework/ProgramInstance.h"
#include "framework/Window.h"
#include "support/ModalDriver.h"
#include "support/PumpUntilIdle.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A window that logs which of its handlers ran.
class ProbeWindow : public Window {
public:
    ProbeWindow() { style = WS_OVERLAPPEDWINDOW; }

    bool RegisterWindowClass() override
    {
        static bool registered;
        return RegisterClassOnce(registered, FrameworkClass("TvProbeWindow", 0,
                                                           static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
    }
    bool Make()
    {
        RegisterWindowClass();
        return CreateHandle("TvProbeWindow", nullptr, nullptr, "Probe title", 10, 10, 300, 200);
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back(message);
        return Window::HandleMessage(message, wParam, lParam);
    }
    bool OnCreate() override { return Log("OnCreate"), true; }
    void OnDestroy() override { Log("OnDestroy"); }
    bool SaveState() override { return Log("SaveState"), false; }
    void AfterDestroy() override { Log("AfterDestroy"); }
    void OnEndSession(WPARAM, LPARAM) override { Log("OnEndSession"); }
    void OnCommand(WPARAM wParam, LPARAM) override { Log("OnCommand " + std::to_string(LOWORD(wParam))); }
    void OnNotify(WPARAM, LPARAM) override { Log("OnNotify"); }
    void OnDrawItem(WPARAM, LPARAM) override { Log("OnDrawItem"); }
    LRESULT OnMenuSelect(WPARAM, LPARAM) override { return 5; }
    LRESULT OnUnhandledMessage(UINT message, WPARAM, LPARAM) override
    {
        return message == WM_GETTEXTLENGTH ? unhandledAnswer : 0;
    }

    void Log(const std::string& call) { calls.push_back(call); }

    std::vector<std::string> calls;
    std::vector<UINT> seen;
    LRESULT unhandledAnswer = 0;
};

// A window that keeps every default, OnCreate included.
class DefaultWindow : public Window {
public:
    bool RegisterWindowClass() override
    {
        static bool registered;
        return RegisterClassOnce(registered, FrameworkClass("TvDefaultWindow", 0, nullptr));
    }
};

// A window that answers OnCreate and nothing else.
class PlainWindow : public Window {
public:
    bool RegisterWindowClass() override
    {
        static bool registered;
        return RegisterClassOnce(registered, FrameworkClass("TvPlainWindow", 0, nullptr));
    }
    bool OnCreate() override { return true; }
};

class NotifyingControl : public Control {
public:
    LRESULT OnNotify(NMHDR* header) override
    {
        lastCode = header->code;
        return 42;
    }
    UINT lastCode = 0;
};

std::vector<UINT> rawMessages;

// Sits in front of StaticWindowProc to see what arrives before the object is bound.
LRESULT CALLBACK RecordingFront(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    rawMessages.push_back(message);
    return StaticWindowProc(hwnd, message, wParam, lParam);
}

class FrontedWindow : public ProbeWindow {
public:
    bool RegisterWindowClass() override
    {
        static bool registered;
        WNDCLASSA windowClass = FrameworkClass("TvFrontedWindow", 0, nullptr);
        windowClass.lpfnWndProc = RecordingFront;
        return RegisterClassOnce(registered, windowClass);
    }
    bool Make()
    {
        RegisterWindowClass();
        return CreateHandle("TvFrontedWindow", nullptr, nullptr, "", 10, 10, 300, 200);
    }
};

} // namespace

TEST(WindowObject, ClassWithoutOnCreateCannotBeCreated)
{
    DefaultWindow window;
    window.RegisterWindowClass();
    EXPECT_FALSE(window.CreateHandle("TvDefaultWindow", nullptr, nullptr, "", 0, 0, 100, 100));
    EXPECT_EQ(nullptr, window.Handle());
    EXPECT_EQ(nullptr, FindWindowA("TvDefaultWindow", nullptr));
}

TEST(WindowObject, MessagesBeforeNcCreateGetDefaultProcessingAndBindingStartsThere)
{
    rawMessages.clear();
    FrontedWindow window;
    ASSERT_TRUE(window.Make());
    ASSERT_FALSE(rawMessages.empty());
    auto ncCreate = std::find(rawMessages.begin(), rawMessages.end(), static_cast<UINT>(WM_NCCREATE));
    ASSERT_NE(rawMessages.end(), ncCreate);
    // an overlapped window is asked for its size limits before WM_NCCREATE
    EXPECT_NE(ncCreate, std::find(rawMessages.begin(), ncCreate, static_cast<UINT>(WM_GETMINMAXINFO)));
    ASSERT_FALSE(window.seen.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), window.seen.front());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&window), GetWindowLongPtrA(window.Handle(), GWLP_USERDATA));
    RECT bounds;
    GetWindowRect(window.Handle(), &bounds);
    EXPECT_EQ(300, bounds.right - bounds.left);
    EXPECT_TRUE(window.Destroy());
}

TEST(WindowObject, ClassRecordAndRegisteringTwice)
{
    struct OnceWindow : PlainWindow {
        bool RegisterWindowClass() override
        {
            static bool registered;
            return RegisterClassOnce(registered, FrameworkClass("TvOnceWindow", CS_HREDRAW, nullptr));
        }
    } window;
    EXPECT_TRUE(window.RegisterWindowClass());
    EXPECT_FALSE(window.RegisterWindowClass());
    WNDCLASSA registered = {};
    ASSERT_TRUE(GetClassInfoA(ProgramInstance(), "TvOnceWindow", &registered));
    EXPECT_EQ(static_cast<UINT>(CS_HREDRAW), registered.style);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(StaticWindowProc), registered.lpfnWndProc);
    EXPECT_EQ(0, registered.cbClsExtra);
    EXPECT_EQ(4, registered.cbWndExtra);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), registered.hCursor);
    // the class was registered once: unregistering it twice fails the second time
    EXPECT_TRUE(UnregisterClassA("TvOnceWindow", ProgramInstance()));
    EXPECT_FALSE(UnregisterClassA("TvOnceWindow", ProgramInstance()));
}

TEST(WindowObject, DestroyRunsOnDestroySaveStateAfterDestroyInOrderAndEndsTheBinding)
{
    ProbeWindow window;
    ASSERT_TRUE(window.Make());
    HWND handle = window.Handle();
    window.calls.clear();
    EXPECT_TRUE(window.Destroy());
    EXPECT_EQ((std::vector<std::string>{"OnDestroy", "SaveState", "AfterDestroy"}), window.calls);
    EXPECT_EQ(nullptr, window.Handle());
    EXPECT_FALSE(IsWindow(handle));
    // a second Destroy has no window left to destroy
    EXPECT_FALSE(window.Destroy());
}

TEST(WindowObject, DestroyOnAWindowAlreadyGoneAnswersFalseAndKeepsTheHandle)
{
    PlainWindow parent;
    parent.SetStyle(WS_OVERLAPPEDWINDOW);
    parent.RegisterWindowClass();
    ASSERT_TRUE(parent.CreateHandle("TvPlainWindow", nullptr, nullptr, "", 0, 0, 200, 200));
    PlainWindow child;
    child.SetStyle(WS_CHILD);
    ASSERT_TRUE(child.CreateHandle("TvPlainWindow", parent.Handle(), reinterpret_cast<HMENU>(5), "", 0, 0, 20, 20));
    HWND stale = child.Handle();
    ASSERT_TRUE(parent.Destroy());
    EXPECT_FALSE(child.Destroy());
    EXPECT_EQ(stale, child.Handle());
    // the object can make a new window afterwards
    child.SetStyle(WS_OVERLAPPED);
    ASSERT_TRUE(child.CreateHandle("TvPlainWindow", nullptr, nullptr, "", 0, 0, 20, 20));
    EXPECT_TRUE(IsWindow(child.Handle()));
    EXPECT_TRUE(child.Destroy());
}

TEST(WindowObject, CreateHandleKeepsAnExistingWindow)
{
    ProbeWindow window;
    ASSERT_TRUE(window.Make());
    HWND first = window.Handle();
    EXPECT_TRUE(window.CreateHandle("TvProbeWindow", nullptr, nullptr, "", 0, 0, 10, 10));
    EXPECT_EQ(first, window.Handle());
    EXPECT_TRUE(window.Destroy());
}

TEST(WindowObject, EndSessionSavesStateOnlyWhenTheSessionEnds)
{
    ProbeWindow window;
    ASSERT_TRUE(window.Make());
    window.calls.clear();
    EXPECT_EQ(0, SendMessageA(window.Handle(), WM_ENDSESSION, FALSE, 0));
    EXPECT_EQ((std::vector<std::string>{"OnEndSession"}), window.calls);
    window.calls.clear();
    EXPECT_EQ(0, SendMessageA(window.Handle(), WM_ENDSESSION, TRUE, 0));
    EXPECT_EQ((std::vector<std::string>{"OnEndSession", "SaveState"}), window.calls);
    EXPECT_TRUE(window.Destroy());
}

TEST(WindowObject, UnhandledMessagesGetExactlyDefWindowProcsAnswer)
{
    ProbeWindow window;
    ASSERT_TRUE(window.Make());
    HWND handle = window.Handle();
    char title[64] = "";
    EXPECT_EQ(11, SendMessageA(handle, WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title)));
    EXPECT_STREQ("Probe title", title);
    EXPECT_EQ(11, SendMessageA(handle, WM_GETTEXTLENGTH, 0, 0));
    RECT bounds;
    GetWindowRect(handle, &bounds);
    LPARAM caption = MAKELPARAM(bounds.left + 60, bounds.top + GetSystemMetrics(SM_CYFRAME) + 4);
    EXPECT_EQ(DefWindowProcA(handle, WM_NCHITTEST, 0, caption), SendMessageA(handle, WM_NCHITTEST, 0, caption));
    EXPECT_EQ(HTCAPTION, SendMessageA(handle, WM_NCHITTEST, 0, caption));
    // a nonzero answer means handled, and the window procedure then answers 0
    window.unhandledAnswer = 1;
    EXPECT_EQ(0, SendMessageA(handle, WM_GETTEXTLENGTH, 0, 0));
    EXPECT_TRUE(window.Destroy());
}

TEST(WindowObject, ResultRulesOfTheListedMessages)
{
    ProbeWindow window;
    ASSERT_TRUE(window.Make());
    HWND handle = window.Handle();
    EXPECT_EQ(1, SendMessageA(handle, WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(-1, SendMessageA(handle, WM_VKEYTOITEM, 0, 0));
    EXPECT_EQ(0, SendMessageA(handle, WM_CTLCOLORLISTBOX, 0, 0));
    // OnMenuSelect answers 5, but the window procedure answers 0 for WM_MENUSELECT
    EXPECT_EQ(0, SendMessageA(handle, WM_MENUSELECT, 0, 0));
    DRAWITEMSTRUCT item = {};
    EXPECT_EQ(1, SendMessageA(handle, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ("OnDrawItem", window.calls.back());
    // the default OnPaint validates the window
    InvalidateRect(handle, nullptr, FALSE);
    EXPECT_EQ(0, SendMessageA(handle, WM_PAINT, 0, 0));
    EXPECT_FALSE(GetUpdateRect(handle, nullptr, FALSE));
    // the default OnClose destroys the window
    EXPECT_EQ(0, SendMessageA(handle, WM_CLOSE, 0, 0));
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(nullptr, window.Handle());
}

TEST(WindowObject, NotifyAnswersTheControlObjectsResultOrGoesToOnNotify)
{
    ProbeWindow window;
    ASSERT_TRUE(window.Make());
    NotifyingControl wrapped;
    ASSERT_TRUE(wrapped.AttachOrCreate("STATIC", window.Handle(), "", 0, 0, 10, 10));
    NMHDR header = {wrapped.Handle(), 0, NM_CLICK};
    EXPECT_EQ(42, SendMessageA(window.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(static_cast<UINT>(NM_CLICK), wrapped.lastCode);
    EXPECT_TRUE(window.calls.empty() || window.calls.back() != "OnNotify");

    HWND bare = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, window.Handle(), nullptr, nullptr, nullptr);
    NMHDR bareHeader = {bare, 0, NM_CLICK};
    EXPECT_EQ(0, SendMessageA(window.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&bareHeader)));
    EXPECT_EQ("OnNotify", window.calls.back());

    // a framework window's user data holds a Window, which is never taken for a control
    ProbeWindow other;
    ASSERT_TRUE(other.Make());
    NMHDR windowHeader = {other.Handle(), 0, NM_CLICK};
    window.calls.clear();
    EXPECT_EQ(0, SendMessageA(window.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&windowHeader)));
    EXPECT_EQ((std::vector<std::string>{"OnNotify"}), window.calls);
    EXPECT_TRUE(other.Destroy());
    EXPECT_TRUE(window.Destroy());
}

TEST(WindowObject, CommandGoesStraightToOnCommandWithoutControlRouting)
{
    ProbeWindow window;
    ASSERT_TRUE(window.Make());
    Button button;
    int callbacks = 0;
    button.SetCallback(&callbacks, [](void* target, int) { ++*static_cast<int*>(target); });
    ASSERT_TRUE(button.Create(window.Handle(), 1200, "Go", 0, 0, 50, 20));
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(0, callbacks);
    EXPECT_EQ("OnCommand 1200", window.calls.back());
    EXPECT_TRUE(window.Destroy());
}

TEST(WindowObject, MissingCreateShowsTheAppErrorBoxAndAnswersFalse)
{
    std::string boxText;
    LONG_PTR boxStyle = 0;
    HWND boxOwner = reinterpret_cast<HWND>(1);
    ModalDriver driver("#32770", [&](HWND box) {
        HWND text = FindChildWithText(box, "Missing Create");
        boxText = text != nullptr ? WindowTextOf(text) : "";
        boxStyle = GetWindowLongPtrA(box, GWL_STYLE);
        boxOwner = GetWindow(box, GW_OWNER);
        ClickButtonWithText(box, "OK");
    });
    PlainWindow window;
    EXPECT_FALSE(window.Create(nullptr, 0, "", 0, 0, 10, 10));
    ASSERT_EQ(1, driver.Count());
    EXPECT_EQ("App Error", driver.Caption());
    EXPECT_EQ("Missing Create", boxText);
    EXPECT_EQ(nullptr, boxOwner);
    EXPECT_NE(0, boxStyle & WS_VISIBLE);
    EXPECT_FALSE(IsWindow(driver.Handled().front()));
    EXPECT_EQ(nullptr, window.Handle());
}

TEST(WindowObject, AWindowThatOutlivesItsObjectGetsTheDefaultAnswers)
{
    auto* window = new ProbeWindow;
    ASSERT_TRUE(window->Make());
    HWND handle = window->Handle();
    delete window;
    EXPECT_EQ(0, GetWindowLongPtrA(handle, GWLP_USERDATA));
    EXPECT_EQ(11, SendMessageA(handle, WM_GETTEXTLENGTH, 0, 0));
    EXPECT_TRUE(DestroyWindow(handle));
}

TEST(WindowObject, ASubclassedButtonThatOutlivesItsWrapperKeepsWorking)
{
    ProbeWindow window;
    ASSERT_TRUE(window.Make());
    auto* button = new Button(true);
    ASSERT_TRUE(button->Create(window.Handle(), 1201, "Go", 0, 0, 50, 20));
    HWND handle = button->Handle();
    delete button;
    EXPECT_EQ(0, GetWindowLongPtrA(handle, GWLP_USERDATA));
    SendMessageA(handle, BM_CLICK, 0, 0);
    EXPECT_EQ("OnCommand 1201", window.calls.back());
    EXPECT_TRUE(window.Destroy());
}
