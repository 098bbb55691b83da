#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "document/PelquornDoc.h"
#include "testing/TestSupport.h"
#include "views/tasks/BlankView.h"
#include "views/tasks/ViewTestSupport.h"

namespace {

class BlankViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.IsWindow());
        ASSERT_TRUE(creatable->Create(frame.m_hWnd));
        frame.Clear();
    }

    RecordingFrame frame;
    CPelquornDoc document;
    CBlankView view;
    ICreatableWindow* creatable = &view;
};

TEST_F(BlankViewTest, IsAVisibleChildWithoutTextThatErasesWhite)
{
    const HWND window = creatable->GetHwnd();
    ASSERT_EQ(window, view.m_hWnd);
    EXPECT_EQ(::GetParent(window), frame.m_hWnd);
    EXPECT_TRUE(view.GetStyle() & WS_CHILD);
    EXPECT_TRUE(view.IsWindowVisible());
    EXPECT_TRUE(view.GetWindowText().empty());

    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 8, 8);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    const RECT all = {0, 0, 8, 8};
    ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));

    creatable->SendViewMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    const COLORREF pixel = ::GetPixel(memory, 4, 4);

    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(pixel, RGB(255, 255, 255));
}

TEST_F(BlankViewTest, WhenActiveOnlyTheDocumentPushesStates)
{
    view.Update(&document, NotifyCode::kAll);

    ASSERT_TRUE(creatable->PostViewMessage(WM_VIEW_ACTIVATE, 0, 0));
    ASSERT_TRUE(WaitFor([&] { return document.GetDocumentWindow() == view.m_hWnd; }));

    const std::vector<UINT> expected = {WM_PELQUORN_RESET_COMMANDS, WM_PELQUORN_DOC_CHANGED, WM_PELQUORN_COMMAND_STATE};
    EXPECT_EQ(frame.messages, expected);
    ASSERT_EQ(frame.states.size(), 1u);
    EXPECT_EQ(frame.states[0].commandId, ID_TRANSPARENT_CATEGORIES);
}

} // namespace
