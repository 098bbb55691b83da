#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <new>
#include <string>
#include <vector>

#include "winlib/ForwardMessage.h"
#include "winlib/SelfDeletingWindowImpl.h"
#include "winlib/WindowImpl.h"

namespace {

constexpr UINT kDestroyYourself = WM_USER + 1;
std::vector<std::string> g_events;

class CTracedWindow : public CWindowImpl<CTracedWindow> {
public:
    BEGIN_MESSAGE_MAP(CTracedWindow)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(kDestroyYourself, OnDestroyYourself)
    END_MESSAGE_MAP()

    void OnFinalMessage(HWND) override { g_events.push_back(m_hWnd ? "final, still attached" : "final"); }

    LRESULT OnCreate(UINT, WPARAM, LPARAM lParam, bool&)
    {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        g_events.push_back(std::string("create ") + (m_hWnd && GetCurrentMessage()->hwnd == m_hWnd ? "attached" : "?") +
                           (create->lpszName && create->lpszName == std::wstring(L"T") ? " T" : ""));
        return 0;
    }
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
    {
        g_events.push_back("destroy");
        handled = false;
        return 0;
    }
    LRESULT OnDestroyYourself(UINT, WPARAM, LPARAM, bool&)
    {
        DestroyWindow();
        g_events.push_back("handler returns");
        return 0;
    }
};

class CSelfDeletingWindow : public CWindowImpl<CSelfDeletingWindow> {
public:
    explicit CSelfDeletingWindow(bool& deleted) : m_deleted(deleted) {}
    ~CSelfDeletingWindow() override { m_deleted = true; }
    BEGIN_MESSAGE_MAP(CSelfDeletingWindow)
    END_MESSAGE_MAP()
    void OnFinalMessage(HWND) override { delete this; }

private:
    bool& m_deleted;
};

// Counts the characters an edit control receives, through a subclass.
class CCharCounter : public CWindowImpl<CCharCounter> {
public:
    BEGIN_MESSAGE_MAP(CCharCounter)
        ON_MESSAGE(WM_CHAR, OnChar)
    END_MESSAGE_MAP()
    LRESULT OnChar(UINT, WPARAM, LPARAM, bool& handled)
    {
        ++count;
        handled = false;
        return 0;
    }
    int count = 0;
};

// Notes the first messages it receives and whether it was bound then; makes
// a child of another class from its own WM_CREATE when asked.
class CEarlyWindow : public CWindowImpl<CEarlyWindow> {
public:
    BEGIN_MESSAGE_MAP(CEarlyWindow)
        ON_MESSAGE(WM_GETMINMAXINFO, OnNote)
        ON_MESSAGE(WM_NCCREATE, OnNote)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_FORWARDED_MESSAGE(OnForwarded)
    END_MESSAGE_MAP()

    LRESULT OnNote(UINT message, WPARAM, LPARAM, bool& handled)
    {
        events.push_back(std::string(message == WM_GETMINMAXINFO ? "minmax" : "nccreate") +
                         (m_hWnd && GetCurrentMessage()->hwnd == m_hWnd ? " attached" : " ?"));
        handled = false;
        return 0;
    }
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool&)
    {
        if (makeChild)
            child.Create(CreateArgs{.parent = m_hWnd, .style = WS_CHILD});
        return 0;
    }
    bool OnForwarded(MSG* message) { return message->message == WM_KEYDOWN; }

    std::vector<std::string> events;
    bool makeChild = false;
    CTracedWindow child;
};

// A class of the test's own whose procedure notes the window each message
// reached it for: the default processing of the window below.
constexpr UINT kDestroyThenDefault = WM_USER + 2;
std::vector<HWND> g_defaultWindows;

LRESULT CALLBACK NotingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kDestroyThenDefault)
        g_defaultWindows.push_back(hwnd);
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

const wchar_t* NotingClass()
{
    static const ATOM atom = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = NotingProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"WinlibTestNoting";
        return ::RegisterClassExW(&wc);
    }();
    return atom ? L"WinlibTestNoting" : nullptr;
}

// Destroys its own window and leaves the message to the default, by
// declining it or by calling the default itself.
class CDestroyingWindow : public CWindowImpl<CDestroyingWindow> {
public:
    static WindowClass GetWindowClass() { return {.name = L"WinlibTestDestroying", .baseName = NotingClass()}; }
    BEGIN_MESSAGE_MAP(CDestroyingWindow)
        ON_MESSAGE(kDestroyThenDefault, OnDestroyThenDefault)
    END_MESSAGE_MAP()
    LRESULT OnDestroyThenDefault(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        DestroyWindow();
        if (callsDefault)
            return DefWindowProc(message, wParam, lParam);
        handled = false;
        return 0;
    }
    bool callsDefault = false;
};

// Lives in memory of its own that is marked, not freed, when it is deleted:
// a write to the object after it deleted itself shows.
class CCountedWindow : public CSelfDeletingWindowImpl<CCountedWindow> {
public:
    static constexpr unsigned char kDeleted = 0xDD;

    static void* operator new(size_t size)
    {
        if (size > sizeof(s_memory))
            throw std::bad_alloc();
        s_size = size;
        std::fill_n(s_memory, size, 0);
        return s_memory;
    }
    static void operator delete(void*) { std::fill_n(s_memory, s_size, kDeleted); }
    static bool UntouchedSinceDeleted()
    {
        return std::all_of(s_memory, s_memory + s_size, [](unsigned char byte) { return byte == kDeleted; });
    }

    CCountedWindow(int& destructions, bool refuseCreation) : m_destructions(destructions), m_refuse(refuseCreation) {}
    ~CCountedWindow() override { ++m_destructions; }
    BEGIN_MESSAGE_MAP(CCountedWindow)
        ON_MESSAGE(WM_CREATE, OnCreate)
    END_MESSAGE_MAP()
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool&) { return m_refuse ? -1 : 0; }

private:
    alignas(std::max_align_t) static inline unsigned char s_memory[512] = {};
    static inline size_t s_size = 0;
    int& m_destructions;
    bool m_refuse;
};

} // namespace

TEST(WindowImplTest, TheObjectIsAttachedBeforeCreateAndLetGoAfterDestroy)
{
    g_events.clear();
    CTracedWindow window;
    const HWND hwnd = window.Create(CreateArgs{.title = L"T"});
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(window.m_hWnd, hwnd);
    window.DestroyWindow();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_EQ(g_events, (std::vector<std::string>{"create attached T", "destroy", "final"}));
    // A second Create on the same object makes a new window.
    EXPECT_TRUE(window.Create(CreateArgs{}));
}

TEST(WindowImplTest, FinalMessageWaitsForTheHandlerThatDestroyedTheWindow)
{
    g_events.clear();
    CTracedWindow window;
    ASSERT_TRUE(window.Create(CreateArgs{}));
    g_events.clear();
    window.SendMessage(kDestroyYourself);
    EXPECT_EQ(g_events, (std::vector<std::string>{"destroy", "handler returns", "final"}));
}

TEST(WindowImplTest, DestroyingTheObjectFirstUnhooksThenDestroysTheWindow)
{
    g_events.clear();
    HWND hwnd = nullptr;
    {
        CTracedWindow window;
        hwnd = window.Create(CreateArgs{});
        ASSERT_TRUE(hwnd);
    }
    EXPECT_FALSE(::IsWindow(hwnd));
    // No message reached the object once its destructor had begun.
    EXPECT_EQ(g_events, (std::vector<std::string>{"create attached"}));
}

TEST(WindowImplTest, TheDefaultOfAHandlerThatDestroyedItsWindowGoesToThatWindow)
{
    for (const bool callsDefault : {false, true}) {
        g_defaultWindows.clear();
        CDestroyingWindow window;
        window.callsDefault = callsDefault;
        const HWND hwnd = window.Create(CreateArgs{});
        ASSERT_TRUE(hwnd) << callsDefault;
        ::SendMessageW(hwnd, kDestroyThenDefault, 0, 0);
        EXPECT_FALSE(::IsWindow(hwnd)) << callsDefault;
        EXPECT_EQ(window.m_hWnd, nullptr) << callsDefault;
        EXPECT_EQ(g_defaultWindows, std::vector<HWND>{hwnd}) << callsDefault;
    }
}

TEST(WindowImplTest, AnObjectMayDeleteItselfInItsFinalMessage)
{
    bool deleted = false;
    auto* window = new CSelfDeletingWindow(deleted);
    const HWND hwnd = window->Create(CreateArgs{});
    ASSERT_TRUE(hwnd);
    ::DestroyWindow(hwnd);
    EXPECT_TRUE(deleted);
}

TEST(WindowImplTest, SubclassingSeesTheControlsMessagesAndKeepsItsBehaviour)
{
    const HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(edit);
    {
        CCharCounter counter;
        ASSERT_TRUE(counter.SubclassWindow(edit));
        EXPECT_FALSE(counter.SubclassWindow(edit)); // one window per object
        ::SendMessageW(edit, WM_CHAR, L'a', 1);
        ::SendMessageW(edit, WM_CHAR, L'b', 1);
        EXPECT_EQ(counter.count, 2);
        EXPECT_EQ(CWindow(edit).GetWindowText(), L"ab");
    }
    // The object went; the control lives on with its own procedure only.
    ASSERT_TRUE(::IsWindow(edit));
    ::SendMessageW(edit, WM_CHAR, L'c', 1);
    EXPECT_EQ(CWindow(edit).GetWindowText(), L"abc");

    CCharCounter again;
    ASSERT_TRUE(again.SubclassWindow(edit));
    EXPECT_EQ(again.UnsubclassWindow(), edit);
    ::SendMessageW(edit, WM_CHAR, L'd', 1);
    EXPECT_EQ(again.count, 0);
    ::DestroyWindow(edit);
}

TEST(WindowImplTest, TheObjectIsBoundAtTheFirstMessageEvenBeforeNcCreate)
{
    CEarlyWindow window;
    ASSERT_TRUE(window.Create(CreateArgs{.rect = {0, 0, 200, 100}}));
    // A top-level window receives WM_GETMINMAXINFO first.
    ASSERT_GE(window.events.size(), 2u);
    EXPECT_EQ(window.events[0], "minmax attached");
    EXPECT_EQ(window.events[1], "nccreate attached");
}

TEST(WindowImplTest, AWindowMadeInsideAnothersCreationBindsItsOwnObject)
{
    g_events.clear();
    CEarlyWindow window;
    window.makeChild = true;
    ASSERT_TRUE(window.Create(CreateArgs{}));
    ASSERT_TRUE(window.child.m_hWnd);
    EXPECT_EQ(::GetParent(window.child.m_hWnd), window.m_hWnd);
    EXPECT_EQ(g_events, (std::vector<std::string>{"create attached"}));
    // A window of the class made without an object runs on the default processing.
    const HWND bare = ::CreateWindowExW(0, MAKEINTATOM(::GetClassLongPtrW(window.m_hWnd, GCW_ATOM)), L"", WS_POPUP, 0, 0,
                                        10, 10, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(bare);
    EXPECT_EQ(window.events.size(), 2u);
    ::DestroyWindow(bare);
}

TEST(WindowImplTest, ASelfDeletingWindowGoesWithItsWindowOrWhenCreationFails)
{
    struct Case {
        const char* name;
        bool refuseCreation;
        bool windowMade;
        bool destroyedByTheObject;
    };
    for (const Case& c : {Case{"destroyed by the system", false, true, false},
                          Case{"destroyed by the object", false, true, true},
                          Case{"creation refused", true, false, false}}) {
        int destructions = 0;
        CCountedWindow* window = CCountedWindow::New(CreateArgs{.style = WS_POPUP}, destructions, c.refuseCreation);
        EXPECT_EQ(window != nullptr, c.windowMade) << c.name;
        if (window) {
            EXPECT_EQ(destructions, 0) << c.name;
            if (c.destroyedByTheObject)
                EXPECT_TRUE(window->DestroyWindow()) << c.name;
            else
                ::DestroyWindow(window->m_hWnd);
        }
        EXPECT_EQ(destructions, 1) << c.name;
        EXPECT_TRUE(CCountedWindow::UntouchedSinceDeleted()) << c.name;
    }
}

TEST(WindowImplTest, AForwardedMessageIsTakenOnlyByAWindowThatAnswersIt)
{
    CEarlyWindow taker;
    CTracedWindow other;
    ASSERT_TRUE(taker.Create(CreateArgs{}));
    ASSERT_TRUE(other.Create(CreateArgs{}));
    MSG key = {taker.m_hWnd, WM_KEYDOWN, VK_F2, 0, 0, {0, 0}};
    MSG character = {taker.m_hWnd, WM_CHAR, L'a', 0, 0, {0, 0}};
    EXPECT_TRUE(ForwardMessage(taker.m_hWnd, &key));
    EXPECT_FALSE(ForwardMessage(taker.m_hWnd, &character));
    EXPECT_FALSE(ForwardMessage(other.m_hWnd, &key));
}
