// dockwins::CDockingFrameTraitsT: what a docking frame is made of: its docking windows' look, its splitter bar, its own styles.
#pragma once

#include <windows.h>

#include "docking/dockwins/OutlookLikeExCaption.h"
#include "docking/dockwins/SimpleSplitterBar.h"

namespace dockwins {

// Docking windows as children of the frame: WS_CHILD | WS_CLIPSIBLINGS |
// WS_CLIPCHILDREN | WS_CAPTION, a tool window.
template <class TCaption, DWORD Style, DWORD ExStyle>
struct CDockingWindowTraitsT {
    using CCaption = TCaption;
    static constexpr DWORD style = Style;
    static constexpr DWORD exStyle = ExStyle;
};
using CDockingWindowTraits = CDockingWindowTraitsT<COutlookLikeCaption, 0x46C00000, WS_EX_TOOLWINDOW>;

template <class TWindowTraits, class TSplitterBar, DWORD Style, DWORD ExStyle>
struct CDockingFrameTraitsT {
    using CWindowTraits = TWindowTraits;
    using CSplitterBar = TSplitterBar;
    static constexpr DWORD style = Style;
    static constexpr DWORD exStyle = ExStyle;
};

// WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS; WS_EX_APPWINDOW | WS_EX_WINDOWEDGE.
using CDockingFrameTraits =
    CDockingFrameTraitsT<CDockingWindowTraits, CSimpleSplitterBar<5>, 0x06CF0000, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE>;

static_assert(CDockingFrameTraits::style == (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS));
static_assert(CDockingWindowTraits::style == (WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION));

} // namespace dockwins
