// The docking frame with the main window's four panes: a full layout after a resize, and one step of a splitter drag.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "benchmark/BenchmarkTimer.h"
#include "docking/dockwins/FourPaneFrame.h"

using docking_frame_test::CFourPaneFrame;

namespace {

constexpr int kRuns = 41;

void Pump()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&message);
}

} // namespace

TEST(DockingFrameSpeed, LayingOutTheFourPaneFrameAndOneSplitterStep)
{
    CFourPaneFrame frame;
    ASSERT_TRUE(frame.Open(RECT{0, 0, 1000, 760}));
    Pump();

    // Each run resizes the frame, which lays everything out again, and paints.
    int run = 0;
    const double layout = MedianMilliseconds(kRuns, [&] {
        const int width = (run++ % 2) ? 1000 : 960;
        frame.SetWindowPos(nullptr, RECT{0, 0, width, 760}, SWP_NOZORDER | SWP_NOACTIVATE);
        ::UpdateWindow(frame.m_hWnd);
    });
    Pump();

    // The bar between the categories and the view, moved by ten pixels and
    // back, as a live drag moves it on each mouse move.
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

    std::printf("laying out the four-pane frame:        %.2f ms (median of %d resizes)\n", layout, kRuns);
    std::printf("one splitter step:                     %.2f ms (median of %d steps)\n", step, kRuns);
    frame.Close();
    Pump();
}
