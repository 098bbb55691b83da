#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <vector>

#include "foundation/AppWindow.h"
#include "resources/EditCommandIds.h"
#include "testing/TestSupport.h"
#include "views/common/TabOrderProvider.h"

namespace {

// A target that writes down what reaches it.
class RecordingTarget : public ITabOrderTarget {
public:
    RecordingTarget(HWND window, std::vector<UINT>& commands, int& releases)
        : m_window(window), m_commands(commands), m_releases(releases)
    {
    }
    HWND GetWindow() const override { return m_window; }
    void Release() override
    {
        ++m_releases;
        delete this;
    }
    bool DoEditCommand(UINT commandId) override
    {
        m_commands.push_back(commandId);
        return true;
    }

private:
    HWND m_window;
    std::vector<UINT>& m_commands;
    int& m_releases;
};

HWND MakeChild(const wchar_t* className, HWND parent, int x)
{
    return ::CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, 10, 60, 60, parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

// A shown, active frame registered as the main window, with three panes
// (each a container with an inner edit) and one edit no pane entered.
class TabOrderProviderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = ::CreateWindowExW(0, L"STATIC", L"Tab order", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40,
                                  400, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(frame);
        for (int i = 0; i < 3; ++i) {
            panes[i] = MakeChild(L"STATIC", frame, 10 + 80 * i);
            inner[i] = MakeChild(L"EDIT", panes[i], 0);
        }
        outside = MakeChild(L"EDIT", frame, 300);
        SetMainWindow(frame);
        ASSERT_TRUE(WaitFor([&] {
            ::SetForegroundWindow(frame);
            return ::GetActiveWindow() == frame;
        }));
    }
    void TearDown() override
    {
        SetMainWindow(nullptr);
        ::DestroyWindow(frame);
    }

    void EnterPanes(TabOrderProvider& provider)
    {
        for (HWND pane : panes)
            provider.AddTarget(new RecordingTarget(pane, commands[Index(pane)], releases));
    }
    size_t Index(HWND pane) const
    {
        for (size_t i = 0; i < panes.size(); ++i) {
            if (panes[i] == pane)
                return i;
        }
        return panes.size();
    }

    HWND frame = nullptr;
    std::array<HWND, 3> panes{};
    std::array<HWND, 3> inner{};
    HWND outside = nullptr;
    std::array<std::vector<UINT>, 3> commands;
    int releases = 0;
};

TEST_F(TabOrderProviderTest, ASecondTargetForAnEnteredWindowIsRefusedAndReleased)
{
    TabOrderProvider provider;
    std::vector<UINT> secondCommands;
    EXPECT_TRUE(provider.AddTarget(new RecordingTarget(panes[0], commands[0], releases)));
    EXPECT_FALSE(provider.AddTarget(new RecordingTarget(panes[0], secondCommands, releases)));
    EXPECT_FALSE(provider.AddWindow(panes[0]));
    EXPECT_EQ(provider.GetTargetCount(), 1u);
    EXPECT_EQ(releases, 1);

    ::SetFocus(panes[0]);
    EXPECT_TRUE(provider.OnEditCommand(ID_EDIT_COPY));
    EXPECT_EQ(commands[0], std::vector<UINT>{ID_EDIT_COPY}) << "the first target stays";
    EXPECT_TRUE(secondCommands.empty());
}

TEST_F(TabOrderProviderTest, ReleasesEveryTargetWhenDestroyed)
{
    {
        TabOrderProvider provider;
        EnterPanes(provider);
        EXPECT_EQ(provider.GetTargetCount(), 3u);
        EXPECT_EQ(releases, 0);
    }
    EXPECT_EQ(releases, 3);
}

TEST_F(TabOrderProviderTest, TheEditCommandGoesToTheTargetHoldingTheFocus)
{
    enum class Focus { Pane, Inner, Outside, Frame };
    struct Case {
        const char* what;
        Focus focus;
        int pane; // of Pane and Inner
        bool mainWindow;
        int expected; // pane index, -1: nobody
    };
    const Case cases[] = {
        {"the entered window itself", Focus::Pane, 1, true, 1},
        {"the inner control of a pane", Focus::Inner, 2, true, 2},
        {"an inner control without a main window", Focus::Inner, 0, false, -1},
        {"a window nobody entered", Focus::Outside, -1, true, -1},
        {"the frame itself", Focus::Frame, -1, true, -1},
    };
    TabOrderProvider provider;
    EnterPanes(provider);
    for (const Case& c : cases) {
        for (auto& received : commands)
            received.clear();
        SetMainWindow(c.mainWindow ? frame : nullptr);
        const HWND focus = c.focus == Focus::Pane    ? panes[c.pane]
                           : c.focus == Focus::Inner ? inner[c.pane]
                           : c.focus == Focus::Outside ? outside
                                                       : frame;
        ::SetFocus(focus);
        ASSERT_EQ(::GetFocus(), focus) << c.what;

        EXPECT_EQ(provider.OnEditCommand(ID_EDIT_PASTE), c.expected >= 0) << c.what;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(commands[i].size(), i == c.expected ? 1u : 0u) << c.what << ", pane " << i;
        }
    }
}

TEST_F(TabOrderProviderTest, NextPaneFocusesTheNextVisibleTargetWrappingAround)
{
    struct Case {
        const char* what;
        std::array<bool, 3> visible;
        int focused; // pane index, -1: the edit nobody entered
        bool moved;
        int expected; // pane index, -1: the focus stays outside
    };
    const Case cases[] = {
        {"from outside", {true, true, true}, -1, true, 0},
        {"to the next", {true, true, true}, 0, true, 1},
        {"from the last to the first", {true, true, true}, 2, true, 0},
        {"over a hidden pane", {true, false, true}, 0, true, 2},
        {"from outside over a hidden first", {false, true, true}, -1, true, 1},
        {"back to itself when alone visible", {false, true, false}, 1, true, 1},
        {"nowhere when none is visible", {false, false, false}, -1, false, -1},
    };
    TabOrderProvider provider;
    for (HWND pane : panes)
        provider.AddWindow(pane);
    for (const Case& c : cases) {
        for (int i = 0; i < 3; ++i)
            ::ShowWindow(panes[i], c.visible[i] ? SW_SHOWNA : SW_HIDE);
        const HWND start = c.focused >= 0 ? panes[c.focused] : outside;
        ::SetFocus(start);
        ASSERT_EQ(::GetFocus(), start) << c.what;

        EXPECT_EQ(provider.NextTarget(), c.moved) << c.what;
        EXPECT_EQ(::GetFocus(), c.expected >= 0 ? panes[c.expected] : outside) << c.what;
    }
}

TEST_F(TabOrderProviderTest, ADestroyedTargetWindowIsSkippedAndNeverHoldsTheFocus)
{
    TabOrderProvider provider;
    EnterPanes(provider);
    ::DestroyWindow(panes[1]);
    ::SetFocus(panes[0]);

    EXPECT_TRUE(provider.NextTarget());
    EXPECT_EQ(::GetFocus(), panes[2]);
    EXPECT_TRUE(provider.OnEditCommand(ID_EDIT_UNDO));
    EXPECT_EQ(commands[2], std::vector<UINT>{ID_EDIT_UNDO});
    EXPECT_TRUE(commands[1].empty());
    EXPECT_EQ(provider.GetTargetCount(), 3u) << "the target stays in the list";
}

TEST_F(TabOrderProviderTest, AnEmptyProviderDoesNothing)
{
    TabOrderProvider provider;
    ::SetFocus(outside);
    EXPECT_FALSE(provider.NextTarget());
    EXPECT_FALSE(provider.OnEditCommand(ID_EDIT_COPY));
    EXPECT_EQ(::GetFocus(), outside);
}

} // namespace
