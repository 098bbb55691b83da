// dockwins::CDockingFrameTraitsT: what a docking frame is made of: its docking windows' look, its splitter bar, its own styles.
#pragma once

#include <windows.h>

#include "docking/dockwins/OutlookLikeExCaption.h"
#include "docking/dockwins/SimpleSplitterBar.h"

namespace dockwins {

// Docking windows as children of the frame, tool windows with a caption.
template <class TCaption, DWORD Style, DWORD ExStyle>
struct CDockingWindowTraitsT {
    using CCaption = TCaption;
    static constexpr DWORD style = Style;
    static constexpr DWORD exStyle = ExStyle;
};
using CDockingWindowTraits = CDockingWindowTraitsT<COutlookLikeCaption,
                                                   WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION,
                                                   WS_EX_TOOLWINDOW>;

template <class TWindowTraits, class TSplitterBar, DWORD Style, DWORD ExStyle>
struct CDockingFrameTraitsT {
    using CWindowTraits = TWindowTraits;
    using CSplitterBar = TSplitterBar;
    static constexpr DWORD style = Style;
    static constexpr DWORD exStyle = ExStyle;
};

using CDockingFrameTraits = CDockingFrameTraitsT<CDockingWindowTraits, CSimpleSplitterBar<5>,
                                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                                 WS_EX_APPWINDOW | WS_EX_WINDOWEDGE>;

} // namespace dockwins
