#include <gtest/gtest.h>

#include <windows.h>

#include "docking/dockwins/DockingFocusHandler.h"
#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/PackageWindowImpl.h"

using dockwins::CDockingFocusHandler;
using namespace docking_test;

namespace {

class CFocusFrame : public CWindowImpl<CFocusFrame> {
public:
    BEGIN_MESSAGE_MAP(CFocusFrame)
        CHAIN_MESSAGE_MAP_MEMBER(focus)
    END_MESSAGE_MAP()
    CDockingFocusHandler focus;
};

// A frame with a column holding a pane with an edit box, and a floating window.
class DockingFocusHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Create(CreateArgs{.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .rect = {0, 0, 400, 400}}));
        ASSERT_EQ(frame.focus.AddFrame(frame.m_hWnd), S_OK);
        row = dockwins::CPackageWindowImpl::New(
            CreateArgs{.parent = frame.m_hWnd, .style = WS_CHILD | WS_VISIBLE, .rect = {0, 0, 200, 300}}, false);
        ASSERT_NE(row, nullptr);
        ASSERT_TRUE(pane.Create(CreateArgs{.parent = row->m_hWnd, .style = WS_CHILD | WS_VISIBLE, .rect = {0, 0, 200, 300}}));
        edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, pane.m_hWnd, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(edit, nullptr);
        ASSERT_TRUE(floating.Create(CreateArgs{.parent = frame.m_hWnd, .style = WS_POPUP | WS_VISIBLE,
                                               .rect = {500, 0, 600, 100}}));
        ::SetForegroundWindow(frame.m_hWnd);
        ::SetActiveWindow(frame.m_hWnd);
        DispatchWaiting();
    }
    void TearDown() override
    {
        frame.focus.RemoveFrame(frame.m_hWnd);
        floating.DestroyWindow();
        frame.DestroyWindow();
        DispatchWaiting();
    }

    CFocusFrame frame;
    dockwins::CPackageWindowImpl* row = nullptr;
    CPlainWindow pane;
    CPlainWindow floating;
    HWND edit = nullptr;
};

} // namespace

TEST_F(DockingFocusHandlerTest, TheDockedChildIsFoundFromAnyWindowInsideIt)
{
    struct Case {
        const char* name;
        HWND window;
        HWND expected;
    };
    const Case cases[] = {
        {"a control inside", edit, pane.m_hWnd},
        {"the docked window", pane.m_hWnd, pane.m_hWnd},
        {"the column", row->m_hWnd, nullptr},
        {"the frame", frame.m_hWnd, nullptr},
        {"a floating window", floating.m_hWnd, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDockingFocusHandler::FindPackageChild(c.window), c.expected) << c.name;
}

TEST_F(DockingFocusHandlerTest, EachFocusChangeIsRememberedAndAClickGivesItBack)
{
    ::SetFocus(edit);
    EXPECT_EQ(frame.focus.RememberedFocus(pane.m_hWnd), edit);
    ::SetFocus(frame.m_hWnd);
    EXPECT_EQ(frame.focus.RememberedFocus(pane.m_hWnd), edit);

    LRESULT result = -1;
    EXPECT_TRUE(frame.focus.ProcessWindowMessage(pane.m_hWnd, WM_MOUSEACTIVATE, 0, 0, result));
    EXPECT_EQ(::GetFocus(), edit);
    EXPECT_FALSE(frame.focus.ProcessWindowMessage(floating.m_hWnd, WM_MOUSEACTIVATE, 0, 0, result));

    pane.DestroyWindow();
    EXPECT_EQ(frame.focus.RememberedFocus(pane.m_hWnd), nullptr);
}

TEST_F(DockingFocusHandlerTest, SwitchingAwayAndBackReturnsTheFocusInsideThePane)
{
    CPlainWindow other;
    ASSERT_TRUE(other.Create(CreateArgs{.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .rect = {0, 450, 200, 550}}));
    ::SetFocus(edit);
    ::SetForegroundWindow(other.m_hWnd);
    ::SetActiveWindow(other.m_hWnd);
    DispatchWaiting();
    ASSERT_NE(::GetFocus(), edit);
    EXPECT_EQ(frame.focus.SavedFocus(), edit);

    ::SetForegroundWindow(frame.m_hWnd);
    ::SetActiveWindow(frame.m_hWnd);
    DispatchWaiting();
    EXPECT_EQ(::GetFocus(), edit);
    other.DestroyWindow();
}

TEST(DockingFocusSafeTest, InsideADialogTheDialogMovesTheFocus)
{
    const HWND dialog = ::CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                          nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    const HWND first = ::CreateWindowExW(0, L"BUTTON", L"A", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 20,
                                         dialog, nullptr, nullptr, nullptr);
    const HWND second = ::CreateWindowExW(0, L"BUTTON", L"B", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 60, 0, 50, 20,
                                          dialog, nullptr, nullptr, nullptr);
    ::SetActiveWindow(dialog);
    ::SetFocus(first);
    EXPECT_EQ(CDockingFocusHandler::SetFocusSafe(second), first);
    EXPECT_EQ(::GetFocus(), second);
    ::DestroyWindow(dialog);
}
