// The docking frame with the main window's four panes: a full layout, a resize of the frame, and one step of a splitter drag.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "benchmark/BenchmarkTimer.h"
#include "docking/dockwins/FourPaneFrame.h"
#include "winlib/WindowImpl.h"

using docking_frame_test::CFourPaneFrame;

namespace {

constexpr int kRuns = 41;

void Pump()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&message);
}

// A top-level window with nothing in it: what a resize costs before any layout.
class CEmptyWindow : public CWindowImpl<CEmptyWindow> {
public:
    BEGIN_MESSAGE_MAP(CEmptyWindow)
    END_MESSAGE_MAP()
};

double ResizeMilliseconds(HWND window)
{
    int run = 0;
    return MedianMilliseconds(kRuns, [&] {
        const int width = (run++ % 2) ? 1000 : 960;
        ::SetWindowPos(window, nullptr, 0, 0, width, 760, SWP_NOZORDER | SWP_NOACTIVATE);
        ::UpdateWindow(window);
    });
}

} // namespace

TEST(DockingFrameSpeed, LayingOutTheFourPaneFrameAndOneSplitterStep)
{
    CFourPaneFrame frame;
    ASSERT_TRUE(frame.Open(RECT{0, 0, 1000, 760}));
    // As the main window starts: the calendar only shows as a label on the top auto-hide bar.
    ASSERT_TRUE(frame.CalendarPinned());
    Pump();

    // The layout below the bars, 40 pixels narrower and back: every row,
    // pane, control and the view is placed again, as after each resize.
    dockwins::CSubWndFramesPackage& outer = frame.OuterPackage();
    const RECT full = outer.Rect();
    int run = 0;
    const double layout = MedianMilliseconds(kRuns, [&] {
        RECT rect = full;
        if (run++ % 2 == 0)
            rect.right -= 40;
        outer.SetRect(rect);
    });
    frame.UpdateLayout();
    Pump();

    // The frame's own layout: the auto-hide bars with their labels measured,
    // everything docked placed again and the splitters and bars drawn. The
    // package is first moved off its place, untimed, so nothing is skipped.
    const double frameLayout = MedianMilliseconds(
        kRuns, [&] { frame.UpdateLayout(false); },
        [&] {
            RECT rect = outer.Rect();
            rect.right -= 40;
            outer.SetRect(rect);
        });
    Pump();

    // The same through a resize of the frame, which adds the system's own
    // work on a top-level window (under Wine, the X server's), and painting.
    const double resize = ResizeMilliseconds(frame.m_hWnd);
    CEmptyWindow empty;
    ASSERT_TRUE(empty.Create(CreateArgs{.style = CFourPaneFrame::CTraits::style | WS_VISIBLE, .rect = {0, 0, 1000, 760}}));
    const double emptyResize = ResizeMilliseconds(empty.m_hWnd);
    empty.DestroyWindow();
    Pump();

    // The bar between the categories and the view, moved by ten pixels and
    // back, as a live drag moves it on each mouse move, with the repaint.
    dockwins::CSubWndFramesPackage& inner = frame.InnerPackage();
    const size_t bar = 1;
    const double from = inner.Frame(bar).position;
    const RECT packageRect = inner.Rect();
    run = 0;
    const double step = MedianMilliseconds(kRuns, [&] {
        inner.MoveSplitter(bar, (run++ % 2) ? from : from + 10);
        inner.Arrange();
        ::RedrawWindow(frame.m_hWnd, &packageRect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    });

    std::printf("laying out the four-pane frame:        %.2f ms (median of %d)\n", layout, kRuns);
    std::printf("  with the auto-hide bars, drawn:      %.2f ms (median of %d)\n", frameLayout, kRuns);
    std::printf("resizing and repainting the frame:     %.2f ms (median of %d)\n", resize, kRuns);
    std::printf("  the same of an empty window:         %.2f ms (median of %d)\n", emptyResize, kRuns);
    std::printf("one splitter step:                     %.2f ms (median of %d)\n", step, kRuns);
    frame.Close();
    Pump();
}
