#include <gtest/gtest.h>

#include "winlib/FrameWindowImpl.h"
#include "winlib/testdata/winlib_tests_rc.h"

namespace {

class CTestFrame : public CFrameWindowImpl<CTestFrame> {
public:
    BEGIN_MESSAGE_MAP(CTestFrame)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_COMMAND(ID_FRAME_COMMAND, OnFrameCommand)
        CHAIN_MESSAGE_MAP(CFrameWindowImpl<CTestFrame>)
    END_MESSAGE_MAP()

    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool&)
    {
        const DWORD child = WS_CHILD | WS_VISIBLE;
        m_hWndToolBar = ::CreateWindowExW(0, L"STATIC", L"bar", child, 0, 0, 10, 24, m_hWnd, nullptr, nullptr, nullptr);
        m_hWndStatusBar = ::CreateWindowExW(0, L"STATIC", L"status", child, 0, 0, 10, 18, m_hWnd, nullptr, nullptr,
                                            nullptr);
        m_hWndClient = ::CreateWindowExW(0, L"EDIT", L"", child, 0, 0, 10, 10, m_hWnd, nullptr, nullptr, nullptr);
        return 0;
    }
    LRESULT OnFrameCommand(WORD, WORD, HWND, bool&)
    {
        ++commands;
        return 0;
    }
    int commands = 0;
};

RECT ChildRect(HWND frame, HWND child)
{
    RECT rect = {};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

TEST(FrameWindowImplTest, ClientTakesWhatTheBarsLeave)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.Create(CreateArgs{.style = WS_OVERLAPPEDWINDOW, .rect = {50, 50, 450, 350}}));
    frame.ShowWindow(SW_SHOW);
    frame.UpdateLayout();
    const RECT client = frame.GetClientRect();
    RECT view = ChildRect(frame, frame.m_hWndClient);
    EXPECT_EQ(view.top, 24);
    EXPECT_EQ(view.bottom, client.bottom - 18);
    EXPECT_EQ(view.right, client.right);

    // A hidden bar gives its room to the client.
    ::ShowWindow(frame.m_hWndStatusBar, SW_HIDE);
    frame.UpdateLayout();
    view = ChildRect(frame, frame.m_hWndClient);
    EXPECT_EQ(view.bottom, client.bottom);

    // Resizing lays out again.
    ::SetWindowPos(frame, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ChildRect(frame, frame.m_hWndClient).right, frame.GetClientRect().right);

    // The focus goes on to the client view.
    ::SetFocus(frame);
    EXPECT_EQ(::GetFocus(), frame.m_hWndClient);
}

TEST(FrameWindowImplTest, AcceleratorsTurnKeysIntoCommands)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.Create(CreateArgs{}));
    MSG key = {frame, WM_KEYDOWN, 'K', 0, 0, {0, 0}};
    EXPECT_FALSE(frame.TranslateAccelerator(&key)); // none loaded yet
    ASSERT_TRUE(frame.LoadAccelerators(IDR_FRAME_KEYS));
    const BYTE controlDown = 0x80;
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = controlDown;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(frame.TranslateAccelerator(&key));
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
    EXPECT_EQ(frame.commands, 1);
}
