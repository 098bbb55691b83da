// dockwins::CAutoHideBar: one edge's auto-hide bar, the labels of the panes pinned to it.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "docking/dockwins/DockingSide.h"
#include "docking/dockwins/PinnedLabel.h"

namespace dockwins {

class CAutoHideBar {
public:
    CDockingSide Side() const { return m_side; }
    void SetSide(CDockingSide side) { m_side = side; }
    bool IsHorizontal() const { return m_side.IsHorizontal(); }
    bool IsEmpty() const { return m_labels.empty(); }
    size_t Count() const { return m_labels.size(); }
    const RECT& Rect() const { return m_rect; }
    // The frame's layout; the labels are measured again for the new length.
    void SetRect(HDC dc, const RECT& rect);

    void Add(std::unique_ptr<IPinnedLabel> label) { m_labels.push_back(std::move(label)); }
    // The label holding the window, and its index on the bar; null when none.
    IPinnedLabel* Find(HWND window, size_t* index = nullptr) const;
    // Takes the window off its label; with `position` the label's panes all go
    // back to the frame. True when a label of this bar held the window.
    bool Remove(HWND window, HWND frame, HWND manager, DockingPosition* position);

    // Gives each label its width within the bar's length.
    void CalculateLabelWidths(HDC dc);
    // The entry under a point of the frame's client area; null outside the labels.
    const CPinnedWindow* FromPoint(POINT point, bool activate) const;
    void Draw(HDC dc, bool erase) const;

private:
    // The labels' span: the bar less 2 pixels on its inner side and 3 at each end.
    RECT DrawingRect() const;
    HFONT Font() const;

    RECT m_rect = {};
    CDockingSide m_side;
    std::vector<std::unique_ptr<IPinnedLabel>> m_labels;
};

} // namespace dockwins
