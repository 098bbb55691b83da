// dockwins::CWndFramesPackageBase: lays frames out along one direction with a splitter bar at the start of each.
#pragma once

#include <windows.h>

#include <algorithm>
#include <deque>
#include <utility>

#include "docking/dockwins/SimpleSplitterBar.h"
#include "docking/dockwins/SplitterMoveTracker.h"

namespace dockwins {

// TFrame: a frame record with a `position` (double) and MinDistance,
// GetMinMaxInfo, DeferFramePos and GetHwnd (CPtrFrame, CWndFrame).
//
// A frame's span runs from its position to the next frame's (the last one's
// to the upper bound); its first 5 pixels are its bar. The lower bound lies
// 5 pixels before the package rectangle, so the first frame's bar is hidden.
template <class TFrame>
class CWndFramesPackageBase {
public:
    using CSplitterBar = CSimpleSplitterBar<5>;
    static constexpr int splitterSize = CSplitterBar::thickness;

    // `sideBySide`: frames stand along x; else they are stacked along y.
    explicit CWndFramesPackageBase(bool sideBySide) : m_sideBySide(sideBySide) {}

    bool IsSideBySide() const { return m_sideBySide; }
    size_t Count() const { return m_frames.size(); }
    TFrame& Frame(size_t i) { return m_frames[i]; }
    const TFrame& Frame(size_t i) const { return m_frames[i]; }
    double Lower() const { return m_lower; }
    double Upper() const { return m_upper; }
    const RECT& Rect() const { return m_rect; }
    // The frame that absorbs size changes first; -1 for none (a row).
    int Central() const { return m_central; }
    void SetCentral(int index) { m_central = index; }

    double SpanEnd(size_t i) const { return i + 1 < m_frames.size() ? m_frames[i + 1].position : m_upper; }
    double Span(size_t i) const { return SpanEnd(i) - m_frames[i].position; }
    // A frame's minimum extent with its bar.
    double MinExtent(size_t i) const { return m_frames[i].MinDistance() + splitterSize; }
    // The minimum extents of the frames in [first, last).
    double MinExtents(size_t first, size_t last) const
    {
        double sum = 0;
        for (size_t i = first; i < last && i < m_frames.size(); ++i)
            sum += MinExtent(i);
        return sum;
    }

    // The frame whose span holds the coordinate along the package, else -1.
    int FrameAt(double c) const
    {
        for (size_t i = m_frames.size(); i-- > 0;)
            if (c >= m_frames[i].position)
                return c < SpanEnd(i) ? static_cast<int>(i) : -1;
        return -1;
    }

    void SetRect(const RECT& rect)
    {
        if (::EqualRect(&rect, &m_rect))
            return;
        const double oldExtent = m_upper - m_lower;
        m_rect = rect;
        m_lower = (m_sideBySide ? rect.left : rect.top) - splitterSize;
        m_upper = m_sideBySide ? rect.right : rect.bottom;
        // Too small for the frames: the package overflows instead of squeezing them.
        m_upper = std::max(m_upper, m_lower + MinExtents(0, m_frames.size()));
        const double newExtent = m_upper - m_lower;
        if (!m_frames.empty()) {
            if (m_central >= 0 && static_cast<size_t>(m_central) < m_frames.size()) {
                // The first layout: the frames were placed for these bounds,
                // but the first one still starts at the new lower bound.
                if (oldExtent > 0)
                    ResizeAroundCentral(oldExtent, newExtent);
                else
                    Scale(1.0);
            } else {
                // A package laid out before with an extent of 0 has nothing to scale by.
                Scale(oldExtent > 0 ? newExtent / oldExtent : 1.0);
            }
        }
        Arrange();
    }

    // Places every frame in one deferred batch; false when a deferral failed.
    bool Arrange()
    {
        if (m_frames.empty())
            return true;
        HDWP batch = ::BeginDeferWindowPos(static_cast<int>(m_frames.size()));
        if (!batch)
            return false;
        for (size_t i = 0; i < m_frames.size(); ++i) {
            const int start = static_cast<int>(m_frames[i].position) + splitterSize;
            const int end = static_cast<int>(SpanEnd(i));
            batch = m_sideBySide ? m_frames[i].DeferFramePos(batch, start, m_rect.top, end, m_rect.bottom)
                                 : m_frames[i].DeferFramePos(batch, m_rect.left, start, m_rect.right, end);
            // A failed deferral has freed the batch; the frames deferred so far stay where they were.
            if (!batch)
                return false;
        }
        return ::EndDeferWindowPos(batch) != FALSE;
    }

    void GetMinMaxInfo(MINMAXINFO* info) const
    {
        if (m_frames.empty())
            return;
        const LONG along = static_cast<LONG>(MinExtents(0, m_frames.size())) - splitterSize;
        LONG across = 0;
        for (const TFrame& frame : m_frames) {
            MINMAXINFO frameInfo = {};
            frame.GetMinMaxInfo(&frameInfo);
            across = std::max(across, m_sideBySide ? frameInfo.ptMinTrackSize.y : frameInfo.ptMinTrackSize.x);
        }
        LONG& infoAlong = m_sideBySide ? info->ptMinTrackSize.x : info->ptMinTrackSize.y;
        LONG& infoAcross = m_sideBySide ? info->ptMinTrackSize.y : info->ptMinTrackSize.x;
        infoAlong = std::max(infoAlong, along);
        infoAcross = std::max(infoAcross, across);
    }

    // The positions frame i may take: every frame keeps its minimum.
    std::pair<double, double> GetBounds(size_t i) const
    {
        return {m_lower + MinExtents(0, i), m_upper - MinExtents(i, m_frames.size())};
    }

    // Moves frame i's bar to p (already within GetBounds); the frames before
    // it shrink and those after it move only when they would lose their minimum.
    void MoveSplitter(size_t i, double p)
    {
        LimitFramesForward(0, i, p - MinExtents(0, i));
        m_frames[i].position = p;
        LimitFramesBackward(i, p + MinExtents(i, m_frames.size()));
    }

    // Inserts a frame before `where`, asking for [start, start + size].
    void Insert(size_t where, TFrame frame, double start, double size)
    {
        const double before = MinExtents(0, where);
        const double after = MinExtents(where, m_frames.size());
        const double low = m_lower + before;
        const double high = m_upper - after;
        size = std::max(0.0, std::min(size, high - low));
        start = std::min(start, high - size);
        start = std::max(start, low);
        LimitFramesBackward(where, start + size + after);
        LimitFramesForward(0, where, start - before);
        frame.position = where == 0 ? m_lower : start;
        m_frames.insert(m_frames.begin() + static_cast<std::ptrdiff_t>(where), std::move(frame));
        if (m_central >= 0 && where <= static_cast<size_t>(m_central))
            ++m_central;
    }

    // Where a frame dropped at `start` goes: before the frame found there, or
    // after it when the start lies beyond the first third of its span.
    size_t InsertionPointAt(double start) const
    {
        if (m_frames.empty() || start < m_frames.front().position)
            return 0;
        const int found = FrameAt(start);
        if (found < 0)
            return m_frames.size();
        const auto i = static_cast<size_t>(found);
        return start > m_frames[i].position + Span(i) / 3 ? i + 1 : i;
    }

    // Adds a frame where a rectangle (client coordinates) lies along the package.
    void AddAtRect(TFrame frame, const RECT& rect)
    {
        const double start = m_sideBySide ? rect.left : rect.top;
        const double size = m_sideBySide ? rect.right - rect.left : rect.bottom - rect.top;
        Insert(InsertionPointAt(start), std::move(frame), start, size);
    }

    // Removes a frame of a row: its span goes to the frame before it.
    TFrame Remove(size_t i)
    {
        TFrame removed = std::move(m_frames[i]);
        m_frames.erase(m_frames.begin() + static_cast<std::ptrdiff_t>(i));
        if (i == 0 && !m_frames.empty())
            m_frames.front().position = m_lower;
        if (m_central >= 0) {
            if (static_cast<int>(i) == m_central)
                m_central = -1;
            else if (static_cast<int>(i) < m_central)
                --m_central;
        }
        return removed;
    }

    // Removes a row of the frame-level package: the frames between it and
    // the central frame close the gap, so the central frame takes its space.
    TFrame RemoveTowardsCentral(size_t i)
    {
        if (m_central < 0 || static_cast<int>(i) == m_central)
            return Remove(i);
        const double span = Span(i);
        const auto central = static_cast<size_t>(m_central);
        if (i < central) {
            for (size_t j = i + 1; j <= central; ++j)
                m_frames[j].position -= span;
        } else {
            for (size_t j = central + 1; j < i; ++j)
                m_frames[j].position += span;
        }
        TFrame removed = std::move(m_frames[i]);
        m_frames.erase(m_frames.begin() + static_cast<std::ptrdiff_t>(i));
        if (i < central)
            --m_central;
        if (!m_frames.empty())
            m_frames.front().position = m_lower;
        return removed;
    }

    // The bar of frame i (the first frame's lies outside the rectangle).
    CSplitterBar SplitterBar(size_t i) const
    {
        return CSplitterBar(static_cast<int>(m_frames[i].position), m_rect, m_sideBySide);
    }
    // The frame whose bar lies under the point, else -1; the first has none.
    int SplitterAt(POINT point) const
    {
        const int i = FrameAt(m_sideBySide ? point.x : point.y);
        if (i <= 0 || !SplitterBar(static_cast<size_t>(i)).HitTest(point))
            return -1;
        return i;
    }
    HCURSOR SplitterCursor(POINT point) const
    {
        const int i = SplitterAt(point);
        return i < 0 ? nullptr : SplitterBar(static_cast<size_t>(i)).Cursor();
    }
    // Runs a drag of the bar under the point (client coordinates of the
    // owner), live or as an outline; false when no bar lies there.
    bool StartSplitterDrag(HWND owner, POINT point, bool ghost)
    {
        if (SplitterAt(point) < 1)
            return false;
        if (ghost) {
            CSplitterMoveTrackerGhost<CWndFramesPackageBase> tracker(*this, owner, point);
            TrackDragAndDrop(tracker, owner);
        } else {
            CSplitterMoveTrackerFull<CWndFramesPackageBase> tracker(*this, owner, point);
            TrackDragAndDrop(tracker, owner);
        }
        return true;
    }
    void DrawSplitters(HDC dc) const
    {
        for (size_t i = 1; i < m_frames.size(); ++i)
            SplitterBar(i).Draw(dc);
    }

protected:
    // Caps the positions of frames [first, last) at a limit that grows by each one's minimum.
    void LimitFramesForward(size_t first, size_t last, double limit)
    {
        for (size_t i = first; i < last; ++i) {
            m_frames[i].position = std::min(m_frames[i].position, limit);
            limit += MinExtent(i);
        }
    }
    // From the last frame down to `first`, raises each position to a limit
    // that drops by each one's minimum.
    void LimitFramesBackward(size_t first, double limit)
    {
        for (size_t i = m_frames.size(); i-- > first;) {
            limit -= MinExtent(i);
            m_frames[i].position = std::max(m_frames[i].position, limit);
        }
    }

private:
    void ResizeAroundCentral(double oldExtent, double newExtent)
    {
        const auto central = static_cast<size_t>(m_central);
        double delta = newExtent - oldExtent;
        // Shrinking takes from the central frame down to its minimum, then from everyone.
        if (delta < 0)
            delta = std::max(delta, -std::max(0.0, Span(central) - MinExtent(central)));
        for (size_t i = central + 1; i < m_frames.size(); ++i)
            m_frames[i].position += delta;
        const double scaledFrom = oldExtent + delta;
        Scale(scaledFrom > 0 ? newExtent / scaledFrom : 1.0);
    }

    void Scale(double ratio)
    {
        const double shift = m_lower - m_frames.front().position;
        m_frames.front().position = m_lower;
        for (size_t i = 1; i < m_frames.size(); ++i) {
            double p = m_lower + (m_frames[i].position + shift - m_lower) * ratio;
            p = std::min(p, m_upper - MinExtents(i, m_frames.size()));
            p = std::max(p, m_frames[i - 1].position + MinExtent(i - 1));
            m_frames[i].position = p;
        }
    }

    bool m_sideBySide;
    std::deque<TFrame> m_frames;
    double m_lower = 0;
    double m_upper = 0;
    RECT m_rect = {};
    int m_central = -1;
};

} // namespace dockwins
