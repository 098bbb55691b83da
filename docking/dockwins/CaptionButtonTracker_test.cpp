#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "docking/dockwins/CaptionButtonTracker.h"
#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/VC7LikeExCaption.h"
#include "testing/WindowShot.h"
#include "winlib/DeviceContext.h"
#include "winlib/WindowImpl.h"

using dockwins::CCaptionBase;
using docking_test::DispatchWaiting;

namespace {

// A window with a caption band of its own at the top, hit-tested as a
// docking window does it. Only the test's own hit test starts tracking: the
// hit tests of the pointer's moves on the display would start more, each
// waiting for a mouse that no one moves.
class CCaptionedWindow : public CWindowImpl<CCaptionedWindow> {
public:
    BEGIN_MESSAGE_MAP(CCaptionedWindow)
        ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
        ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
        ON_MESSAGE(WM_NCPAINT, OnNcPaint)
        ON_MESSAGE(WM_NCLBUTTONUP, OnNcLButtonUp)
        ON_MESSAGE(dockwins::CaptionButtonTrackMessage, OnTrackButton)
    END_MESSAGE_MAP()

    LRESULT OnNcCalcSize(UINT, WPARAM, LPARAM lParam, bool&)
    {
        RECT* proposed = reinterpret_cast<RECT*>(lParam);
        RECT local = {0, 0, proposed->right - proposed->left, proposed->bottom - proposed->top};
        caption.CalculateRect(local, true);
        proposed->top += caption.Thickness();
        return 0;
    }
    LRESULT OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool&)
    {
        const RECT rect = GetWindowRect();
        const POINT point = {static_cast<short>(LOWORD(lParam)) - rect.left, static_cast<short>(HIWORD(lParam)) - rect.top};
        const int hit = caption.HitTest(point);
        if (hit == CCaptionBase::HitNothing)
            return HTCLIENT;
        if (armed)
            CCaptionBase::PostButtonTracking(m_hWnd, hit);
        armed = false;
        return hit;
    }
    LRESULT OnNcPaint(UINT, WPARAM, LPARAM, bool&)
    {
        const CWindowDC dc(m_hWnd);
        caption.Draw(m_hWnd, dc);
        return 0;
    }
    LRESULT OnNcLButtonUp(UINT, WPARAM wParam, LPARAM, bool&)
    {
        releasedOn.push_back(static_cast<int>(wParam));
        return 0;
    }
    LRESULT OnTrackButton(UINT, WPARAM wParam, LPARAM, bool&)
    {
        caption.TrackButton(m_hWnd, static_cast<int>(wParam));
        return 0;
    }

    dockwins::CVC7LikeExCaption caption;
    std::vector<int> releasedOn;
    bool armed = false;
};

POINT Center(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace

TEST(CaptionButtonTrackerTest, TrackingStartsFromAPostedMessageAndAReleaseOnTheButtonActs)
{
    struct Case {
        const char* name;
        int button;
        bool leaveFirst;       // a move off the button before the release
        bool cursorGoneBefore; // the cursor left before the posted message came
        std::vector<int> released;
    };
    const Case cases[] = {
        {"close clicked", CCaptionBase::HitClose, false, false, {CCaptionBase::HitClose}},
        {"pin clicked", CCaptionBase::HitPin, false, false, {CCaptionBase::HitPin}},
        {"moved off first", CCaptionBase::HitClose, true, false, {}},
        {"cursor gone", CCaptionBase::HitClose, false, true, {}},
    };
    for (const Case& c : cases) {
        CCaptionedWindow window;
        ASSERT_TRUE(window.Create(
            CreateArgs{.title = L"Categories", .style = WS_POPUP | WS_VISIBLE, .rect = {100, 100, 400, 300}}));
        DispatchWaiting();
        if (c.button == CCaptionBase::HitClose && c.released.size() == 1)
            SaveWindowScreenshot(window.m_hWnd, L"docking-vc7-caption");
        const RECT windowRect = window.GetWindowRect();
        const POINT onButton = Center(window.caption.Button(c.button)->Rect());
        const POINT screen = {windowRect.left + onButton.x, windowRect.top + onButton.y};
        ASSERT_TRUE(::SetCursorPos(screen.x, screen.y));
        window.armed = true;
        EXPECT_EQ(window.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)), c.button) << c.name;
        // Nothing runs inside the hit test itself.
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;

        POINT client = screen;
        ::ScreenToClient(window.m_hWnd, &client);
        if (c.cursorGoneBefore)
            ::SetCursorPos(windowRect.left + 150, windowRect.top + 150);
        if (c.leaveFirst)
            window.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(150, 150));
        window.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        window.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
        DispatchWaiting();
        EXPECT_EQ(window.releasedOn, c.released) << c.name;
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;
    }
}
