// The real main window shows what it would paint afresh after a change of its size and while the deadlines
// calendar's fly-out comes and goes: nothing it uncovers or resizes is left unpainted.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "document/SilentPrompts.h"
#include "foundation/Clock.h"
#include "foundation/OleDate.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

const double kWednesday = MakeOleDate(2026, 3, 11);

// The frame's pixels above its status bar, whose clock may turn between two pictures.
struct FramePicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

class FramePaintingTest : public FrameTest {
protected:
    FramePaintingTest() : FrameTest(L"frame_painting") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        // Off the frame: a cursor resting on the calendar's label would fly it out unasked.
        ::SetCursorPos(1270, 1010);
        Clock::SetNowForTesting(kWednesday + 9.0 / 24);
        OpenFrame(m_prompts);
        NewPlanEntry(kWednesday, NewTask(L"Write the report", 2, kWednesday + 2), 9.0 / 24, 11.0 / 24);
        Doc().Notify(nullptr, NotifyCode::kAll);
        // The frame passes mouse moves on to the auto-hide bars only while it is active.
        ASSERT_TRUE(WaitFor([&] {
            ::SetForegroundWindow(*m_frame);
            return ::GetActiveWindow() == m_frame->m_hWnd;
        }));
        PumpUntilIdle();
    }

    // Every message and paint the thread has waiting is handled.
    static void PumpUntilIdle()
    {
        EXPECT_TRUE(WaitFor([] { return HIWORD(::GetQueueStatus(QS_ALLINPUT)) == 0; }));
    }
    FramePicture Picture(const wchar_t* shotName)
    {
        FramePicture picture;
        picture.rgb = CaptureWindowRgb(*m_frame, picture.width, picture.height);
        EXPECT_FALSE(WriteScreenshot(shotName, picture.width, picture.height, picture.rgb).empty()) << shotName;
        RECT status = {};
        ::GetWindowRect(m_frame->m_hWndStatusBar, &status);
        const RECT frame = m_frame->GetWindowRect();
        picture.height = std::min<int>(picture.height, status.top - frame.top);
        picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
        return picture;
    }
    // The visible windows below the frame that still wait for a paint.
    std::vector<HWND> WaitingForPaint()
    {
        std::vector<HWND> found;
        ::EnumChildWindows(
            *m_frame,
            [](HWND window, LPARAM list) {
                if (::IsWindowVisible(window) && ::GetUpdateRect(window, nullptr, FALSE))
                    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    // How many pixels of what the frame shows now differ from what it paints when every window of it paints
    // afresh: a window that moved or grew without its paint shows what lay there before.
    int PixelsUnlikeAFreshPaint(const wchar_t* shotName)
    {
        EXPECT_TRUE(WaitingForPaint().empty()) << shotName;
        const FramePicture shown = Picture(shotName);
        ::RedrawWindow(*m_frame, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const FramePicture fresh = Picture((EString(shotName) + L"_repainted").c_str());
        if (shown.width != fresh.width || shown.height != fresh.height)
            return shown.width * shown.height;
        // Wine's list view leaves its header's old edge on its border where it shrinks: the task list's header
        // row, to the list's edges, is the system's.
        RECT header = {};
        ::GetWindowRect(ListView_GetHeader(m_frame->GetTaskView()), &header);
        RECT list = {};
        ::GetWindowRect(m_frame->GetTaskView(), &list);
        header.left = list.left;
        header.right = list.right;
        const RECT frame = m_frame->GetWindowRect();
        ::OffsetRect(&header, -frame.left, -frame.top);
        int unlike = 0;
        for (int y = 0; y < shown.height; ++y)
            for (int x = 0; x < shown.width; ++x) {
                const size_t i = (static_cast<size_t>(y) * shown.width + x) * 3;
                const bool same = shown.rgb[i] == fresh.rgb[i] && shown.rgb[i + 1] == fresh.rgb[i + 1] &&
                                  shown.rgb[i + 2] == fresh.rgb[i + 2];
                unlike += !same && !::PtInRect(&header, POINT{x, y});
            }
        return unlike;
    }

    // The widths of the status bar's summary and clock, which stand at its right whatever its width.
    std::pair<int, int> SummaryAndClockWidths()
    {
        RECT summary = {};
        RECT clock = {};
        const HWND bar = m_frame->m_hWndStatusBar;
        ::SendMessageW(bar, SB_GETRECT, CMainFrame::kSummaryPane, reinterpret_cast<LPARAM>(&summary));
        ::SendMessageW(bar, SB_GETRECT, CMainFrame::kClockPane, reinterpret_cast<LPARAM>(&clock));
        return {summary.right - summary.left, clock.right - clock.left};
    }

    dockwins::CAutoHideManager& AutoHide() { return m_frame->AutoHideManager(); }
    // The mouse rests on the calendar's label on the top bar, as the frame hears of it.
    void HoverCalendarLabel()
    {
        const RECT bar = AutoHide().Bar(2).Rect();
        POINT at = {bar.left + 8, (bar.top + bar.bottom) / 2};
        POINT screen = at;
        ::ClientToScreen(*m_frame, &screen);
        ::SetCursorPos(screen.x, screen.y);
        m_frame->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        m_frame->PostMessage(WM_MOUSEHOVER, 0, MAKELPARAM(at.x, at.y));
    }

    SilentPrompts m_prompts;
};

TEST_F(FramePaintingTest, MaximisedAndRestoredEveryPaneShowsWhatItPaints)
{
    ASSERT_FALSE(::IsZoomed(*m_frame));
    EXPECT_EQ(PixelsUnlikeAFreshPaint(L"frame_painting_restored_before"), 0);
    const std::pair<int, int> statusWidths = SummaryAndClockWidths();
    const struct {
        const char* name;
        const wchar_t* shot;
        void (*change)(HWND);
        bool zoomed;
    } cases[] = {
        {"maximised from its menu", L"frame_painting_maximised",
         [](HWND frame) { ::SendMessageW(frame, WM_SYSCOMMAND, SC_MAXIMIZE, 0); }, true},
        {"restored", L"frame_painting_restored",
         [](HWND frame) { ::SendMessageW(frame, WM_SYSCOMMAND, SC_RESTORE, 0); }, false},
        {"maximised again, by ShowWindow", L"frame_painting_maximised_again",
         [](HWND frame) { ::ShowWindow(frame, SW_MAXIMIZE); }, true},
    };
    for (const auto& c : cases) {
        c.change(*m_frame);
        PumpUntilIdle();
        EXPECT_EQ(::IsZoomed(*m_frame) != FALSE, c.zoomed) << c.name;
        EXPECT_EQ(PixelsUnlikeAFreshPaint(c.shot), 0) << c.name;
        EXPECT_EQ(SummaryAndClockWidths(), statusWidths) << c.name;
    }
}

TEST_F(FramePaintingTest, ThePanesUnderTheCalendarsFlyOutShowWhatTheyPaintWhileItIsOutAndAfterIt)
{
    CTabbedAutoHideDockingWindow* calendar = m_frame->GetPane(CMainFrame::CalendarPane);
    const struct {
        const char* name;
        const wchar_t* shot;
        DWORD style;
        bool maximised;
    } cases[] = {
        {"sliding", L"frame_painting_fly_out_sliding", dockwins::CDockingSettings::FullDrag, false},
        {"shown at once", L"frame_painting_fly_out_at_once", dockwins::CDockingSettings::GhostDrag, false},
        {"sliding in the maximised window", L"frame_painting_fly_out_maximised", dockwins::CDockingSettings::FullDrag,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_frame->SetDockingStyle(c.style);
        if (c.maximised) {
            ::SendMessageW(*m_frame, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            PumpUntilIdle();
        }
        HoverCalendarLabel();
        ASSERT_TRUE(
            WaitFor([&] { return AutoHide().ShownWindow() == calendar->m_hWnd && AutoHide().IsWindowVisible(); }));
        PumpUntilIdle();
        EXPECT_EQ(PixelsUnlikeAFreshPaint(c.shot), 0);

        // The mouse leaves for the middle of the task list and the hide check comes.
        RECT list = {};
        ::GetWindowRect(m_frame->GetTaskView(), &list);
        ::SetCursorPos((list.left + list.right) / 2, (list.top + list.bottom) / 2);
        AutoHide().PostMessage(WM_TIMER, dockwins::CAutoHideManager::HideTimer);
        ASSERT_TRUE(WaitFor([&] { return !AutoHide().IsWindowVisible(); }));
        PumpUntilIdle();
        EXPECT_EQ(PixelsUnlikeAFreshPaint((EString(c.shot) + L"_gone").c_str()), 0);
    }
}

} // namespace
