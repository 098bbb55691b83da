#include <gtest/gtest.h>

#include <string>
#include <vector>

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
