#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "winlib/WindowImpl.h"

namespace {

constexpr UINT kBoth = WM_USER + 1;      // handled by the derived map and by the base
constexpr UINT kPassOn = WM_USER + 2;    // the derived handler lets it go on to the base
constexpr UINT kBaseOnly = WM_USER + 3;
constexpr UINT kRangeFirst = WM_USER + 10;
constexpr UINT kRangeLast = WM_USER + 12;

std::vector<std::string> g_calls;

class CRouteBase : public CWindowImpl<CRouteBase> {
public:
    BEGIN_MESSAGE_MAP(CRouteBase)
        ON_MESSAGE(kBoth, OnBaseMessage)
        ON_MESSAGE(kPassOn, OnBaseMessage)
        ON_MESSAGE(kBaseOnly, OnBaseMessage)
        ON_COMMAND(7, OnBaseCommand)
    END_MESSAGE_MAP()

    LRESULT OnBaseMessage(UINT, WPARAM, LPARAM, bool&)
    {
        g_calls.push_back("base");
        return 2;
    }
    LRESULT OnBaseCommand(WORD, WORD, HWND, bool&)
    {
        g_calls.push_back("base command");
        return 0;
    }
};

class CRouteWindow : public CRouteBase {
public:
    BEGIN_MESSAGE_MAP(CRouteWindow)
        ON_MESSAGE(kBoth, OnMessage)
        ON_MESSAGE(kPassOn, OnPassOn)
        ON_MESSAGE_RANGE(kRangeFirst, kRangeLast, OnRange)
        ON_COMMAND_CODE(5, BN_CLICKED, OnCommandCode)
        ON_COMMAND(5, OnCommand)
        ON_COMMAND_RANGE(20, 29, OnCommandRange)
        ON_CONTROL_CODE(EN_KILLFOCUS, OnControlCode)
        ON_NOTIFY(3, NM_CLICK, OnNotify)
        ON_NOTIFY_CODE_RANGE(30, 39, NM_DBLCLK, OnNotifyCodeRange)
        ON_NOTIFY_RANGE(30, 39, OnNotifyRange)
        ON_NOTIFY_CODE(NM_RCLICK, OnNotifyCode)
        CHAIN_MESSAGE_MAP(CRouteBase)
    END_MESSAGE_MAP()

    LRESULT OnMessage(UINT, WPARAM, LPARAM, bool&)
    {
        g_calls.push_back("own");
        return 1;
    }
    LRESULT OnPassOn(UINT, WPARAM, LPARAM, bool& handled)
    {
        g_calls.push_back("own, passed on");
        handled = false;
        return 1;
    }
    LRESULT OnRange(UINT message, WPARAM, LPARAM, bool&)
    {
        g_calls.push_back("range " + std::to_string(message - kRangeFirst));
        return 3;
    }
    LRESULT OnCommandCode(WORD, WORD id, HWND, bool&)
    {
        g_calls.push_back("clicked " + std::to_string(id));
        return 0;
    }
    LRESULT OnCommand(WORD code, WORD id, HWND, bool&)
    {
        g_calls.push_back("command " + std::to_string(id) + "/" + std::to_string(code));
        return 0;
    }
    LRESULT OnCommandRange(WORD, WORD id, HWND, bool&)
    {
        g_calls.push_back("command range " + std::to_string(id));
        return 0;
    }
    LRESULT OnControlCode(WORD, WORD id, HWND, bool&)
    {
        g_calls.push_back("kill focus " + std::to_string(id));
        return 0;
    }
    LRESULT OnNotify(int id, NMHDR*, bool&)
    {
        g_calls.push_back("notify " + std::to_string(id));
        return 4;
    }
    LRESULT OnNotifyCodeRange(int id, NMHDR*, bool&)
    {
        g_calls.push_back("double click " + std::to_string(id));
        return 5;
    }
    LRESULT OnNotifyRange(int id, NMHDR*, bool&)
    {
        g_calls.push_back("notify range " + std::to_string(id));
        return 6;
    }
    LRESULT OnNotifyCode(int id, NMHDR*, bool&)
    {
        g_calls.push_back("right click " + std::to_string(id));
        return 7;
    }
};

LRESULT SendNotify(HWND window, UINT_PTR id, UINT code)
{
    NMHDR header = {window, id, code};
    return ::SendMessageW(window, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
}

struct Routed {
    UINT message;
    WPARAM wParam;
    LRESULT result;
    std::vector<std::string> calls;
};

} // namespace

TEST(MessageMapTest, OwnMapFirstThenBaseThenDefault)
{
    CRouteWindow window;
    ASSERT_TRUE(window.Create(CreateArgs{}));
    const Routed cases[] = {
        {kBoth, 0, 1, {"own"}},
        {kPassOn, 0, 2, {"own, passed on", "base"}},
        {kBaseOnly, 0, 2, {"base"}},
        {kRangeFirst + 1, 0, 3, {"range 1"}},
        {kRangeLast + 1, 0, 0, {}},
        {WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), 0, {"clicked 5"}},
        {WM_COMMAND, MAKEWPARAM(5, BN_DOUBLECLICKED), 0, {"command 5/5"}},
        {WM_COMMAND, MAKEWPARAM(7, 0), 0, {"base command"}},
        {WM_COMMAND, MAKEWPARAM(29, 0), 0, {"command range 29"}},
        {WM_COMMAND, MAKEWPARAM(30, 0), 0, {}},
        {WM_COMMAND, MAKEWPARAM(41, EN_KILLFOCUS), 0, {"kill focus 41"}},
    };
    for (const Routed& c : cases) {
        g_calls.clear();
        EXPECT_EQ(window.SendMessage(c.message, c.wParam, 0), c.result) << c.message << "/" << c.wParam;
        EXPECT_EQ(g_calls, c.calls) << c.message << "/" << c.wParam;
    }
}

TEST(MessageMapTest, NotificationsRouteByIdCodeAndRange)
{
    CRouteWindow window;
    ASSERT_TRUE(window.Create(CreateArgs{}));
    struct Case {
        UINT_PTR id;
        UINT code;
        LRESULT result;
        const char* call;
    } cases[] = {
        {3, NM_CLICK, 4, "notify 3"},
        {3, NM_RCLICK, 7, "right click 3"},
        {31, NM_DBLCLK, 5, "double click 31"},
        {31, NM_CLICK, 6, "notify range 31"},
        {40, NM_RCLICK, 7, "right click 40"},
        {40, NM_CLICK, 0, nullptr},
    };
    for (const Case& c : cases) {
        g_calls.clear();
        EXPECT_EQ(SendNotify(window, c.id, c.code), c.result) << c.id;
        EXPECT_EQ(g_calls, c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{}) << c.id;
    }
}

TEST(MessageMapTest, UnhandledMessagesGetTheDefaultProcessing)
{
    CRouteWindow window;
    ASSERT_TRUE(window.Create(CreateArgs{.title = L"before"}));
    EXPECT_EQ(window.GetWindowText(), L"before");
    window.SetWindowText(L"after");
    EXPECT_EQ(window.GetWindowText(), L"after");
}

namespace {

class CReflectingParent : public CWindowImpl<CReflectingParent> {
public:
    BEGIN_MESSAGE_MAP(CReflectingParent)
        REFLECT_NOTIFICATIONS()
    END_MESSAGE_MAP()
};

// A button of its own class that answers the notifications reflected to it.
class CReflectButton : public CWindowImpl<CReflectButton> {
public:
    static WindowClass GetWindowClass()
    {
        WindowClass info;
        info.name = L"WinlibTestReflectButton";
        info.baseName = L"BUTTON";
        return info;
    }
    BEGIN_MESSAGE_MAP(CReflectButton)
        ON_MESSAGE(OCM_COMMAND, OnReflectedCommand)
        ON_MESSAGE(OCM_NOTIFY, OnReflectedNotify)
    END_MESSAGE_MAP()

    LRESULT OnReflectedCommand(UINT, WPARAM wParam, LPARAM, bool&)
    {
        g_calls.push_back("reflected command " + std::to_string(HIWORD(wParam)));
        return 0;
    }
    LRESULT OnReflectedNotify(UINT, WPARAM, LPARAM, bool&)
    {
        g_calls.push_back("reflected notify");
        return 9;
    }
};

} // namespace

TEST(MessageMapTest, ReflectedNotificationsReachTheControl)
{
    CReflectingParent parent;
    ASSERT_TRUE(parent.Create(CreateArgs{}));
    CReflectButton button;
    ASSERT_TRUE(button.Create(CreateArgs{.parent = parent, .title = L"B", .style = WS_CHILD | WS_VISIBLE, .id = 12}));

    // The extended class keeps the button's own behaviour.
    EXPECT_EQ(button.GetWindowText(), L"B");
    EXPECT_EQ(button.SendMessage(BM_GETCHECK), BST_UNCHECKED);

    g_calls.clear();
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(12, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(g_calls, std::vector<std::string>{"reflected command 0"});

    g_calls.clear();
    NMHDR header = {button, 12, NM_CLICK};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 12, reinterpret_cast<LPARAM>(&header)), 9);
    EXPECT_EQ(g_calls, std::vector<std::string>{"reflected notify"});

    // A menu command names no control: nothing to reflect, the default runs.
    g_calls.clear();
    EXPECT_EQ(parent.SendMessage(WM_COMMAND, MAKEWPARAM(12, 0), 0), 0);
    EXPECT_TRUE(g_calls.empty());
}
