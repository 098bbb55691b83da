// The auto-hide geometry: bar rectangles, label widths, the fly-out's extent and its sizing bounds.
#pragma once

#include <windows.h>

#include <array>
#include <vector>

#include "docking/dockwins/DockingSide.h"

namespace dockwins {

// The thickness of the fly-out's sizing bar, which the fly-out adds to its pane.
constexpr int AutoHideSizingBar = 5;
// The room between two labels on a bar.
constexpr int AutoHideLabelGap = 5;
constexpr int AutoHideSlideSteps = 10;

// Bar rectangles by side index (0 bottom, 1 right, 2 top, 3 left); a bar
// without labels gets an empty rectangle. The top and bottom bars leave the
// corners to the left and right bars. `client` loses the bars.
std::array<RECT, 4> LayOutAutoHideBars(RECT& client, int thickness, const std::array<bool, 4>& hasLabels);

// The widths the labels of a bar `length` pixels long get from their desired
// widths: all of them when they fit, else each one cut to a shared limit.
std::vector<int> AutoHideLabelWidths(int length, const std::vector<int>& desired);

// The fly-out of a pane `size` pixels across its side, at the bar's edge of
// `area`: the pane plus its sizing bar, at most the area less 5, at least 5.
RECT AutoHideFlyOutRect(const RECT& area, CDockingSide side, int size);

// The coordinate the fly-out's inner edge moves along: y beside a top or
// bottom bar, x beside a left or right one.
struct SizingBounds {
    int lower;
    int upper;
    int Clamp(int edge) const;
};
// The area's edges across the side, each 5 pixels inward.
SizingBounds AutoHideSizingBounds(const RECT& area, CDockingSide side);
// The edge of the fly-out away from its bar, and the rectangle with that edge moved.
int InnerEdge(const RECT& flyOut, CDockingSide side);
RECT WithInnerEdge(RECT flyOut, CDockingSide side, int edge);

// Step `step` of the slide, the last being the whole fly-out; a fly-out of
// no extent slides by nothing.
RECT AutoHideSlideStep(const RECT& flyOut, CDockingSide side, int step);

} // namespace dockwins
