#include "docking/dockwins/AutoHideGeometry.h"

#include <algorithm>

namespace dockwins {

namespace {

int ExtentAcross(const RECT& rect, CDockingSide side)
{
    return side.IsHorizontal() ? rect.bottom - rect.top : rect.right - rect.left;
}

} // namespace

std::array<RECT, 4> LayOutAutoHideBars(RECT& client, int thickness, const std::array<bool, 4>& hasLabels)
{
    std::array<RECT, 4> bars = {};
    const int before = hasLabels[CDockingSide::Left] ? thickness : 0;
    const int after = hasLabels[CDockingSide::Right] ? thickness : 0;
    if (hasLabels[CDockingSide::Top]) {
        bars[CDockingSide::Top] = {client.left + before, client.top, client.right - after, client.top + thickness};
        client.top += thickness;
    }
    if (hasLabels[CDockingSide::Bottom]) {
        bars[CDockingSide::Bottom] = {client.left + before, client.bottom - thickness, client.right - after,
                                      client.bottom};
        client.bottom -= thickness;
    }
    if (hasLabels[CDockingSide::Left]) {
        bars[CDockingSide::Left] = {client.left, client.top, client.left + thickness, client.bottom};
        client.left += thickness;
    }
    if (hasLabels[CDockingSide::Right]) {
        bars[CDockingSide::Right] = {client.right - thickness, client.top, client.right, client.bottom};
        client.right -= thickness;
    }
    return bars;
}

std::vector<int> AutoHideLabelWidths(int length, const std::vector<int>& desired)
{
    std::vector<int> widths = desired;
    const int room = length - 1;
    int total = 0;
    for (const int width : desired)
        total += width + AutoHideLabelGap;
    if (desired.empty() || total <= room)
        return widths;

    // Labels narrower than an equal share give their spare room to the others.
    int count = static_cast<int>(desired.size());
    int share = room / count;
    int rest = room % count;
    for (size_t i = 0; i < desired.size() && count > 0;) {
        const int width = desired[i] + AutoHideLabelGap;
        if (share - width > 0) {
            rest += share - width;
            --count;
            ++i;
        } else if (rest < count) {
            break;
        } else {
            share += rest / count;
            rest %= count;
        }
    }
    const int limit = share - AutoHideLabelGap < AutoHideLabelGap ? 0 : share - AutoHideLabelGap;
    for (int& width : widths)
        width = std::min(width, limit);
    return widths;
}

RECT AutoHideFlyOutRect(const RECT& area, CDockingSide side, int size)
{
    const int extent = size + AutoHideSizingBar;
    const int room = std::max(ExtentAcross(area, side) - AutoHideSizingBar, AutoHideSizingBar);
    const int across = std::min(extent, room);
    RECT rect = area;
    switch (side.GetEdge()) {
    case CDockingSide::Top:
        rect.bottom = rect.top + across;
        break;
    case CDockingSide::Bottom:
        rect.top = rect.bottom - across;
        break;
    case CDockingSide::Left:
        rect.right = rect.left + across;
        break;
    default:
        rect.left = rect.right - across;
        break;
    }
    return rect;
}

int SizingBounds::Clamp(int edge) const
{
    // An area too small for both margins keeps the edge at the lower bound.
    return std::max(lower, std::min(edge, upper));
}

SizingBounds AutoHideSizingBounds(const RECT& area, CDockingSide side)
{
    if (side.IsHorizontal())
        return {area.top + AutoHideSizingBar, area.bottom - AutoHideSizingBar};
    return {area.left + AutoHideSizingBar, area.right - AutoHideSizingBar};
}

int InnerEdge(const RECT& flyOut, CDockingSide side)
{
    switch (side.GetEdge()) {
    case CDockingSide::Top:
        return flyOut.bottom;
    case CDockingSide::Bottom:
        return flyOut.top;
    case CDockingSide::Left:
        return flyOut.right;
    default:
        return flyOut.left;
    }
}

RECT WithInnerEdge(RECT flyOut, CDockingSide side, int edge)
{
    switch (side.GetEdge()) {
    case CDockingSide::Top:
        flyOut.bottom = edge;
        break;
    case CDockingSide::Bottom:
        flyOut.top = edge;
        break;
    case CDockingSide::Left:
        flyOut.right = edge;
        break;
    default:
        flyOut.left = edge;
        break;
    }
    return flyOut;
}

RECT AutoHideSlideStep(const RECT& flyOut, CDockingSide side, int step)
{
    if (step >= AutoHideSlideSteps)
        return flyOut;
    // A fly-out under 10 pixels across steps by nothing until its last step.
    const int stepSize = ExtentAcross(flyOut, side) / AutoHideSlideSteps;
    // The edge at the bar stays; the inner edge starts at the bar.
    const int travelled = stepSize * step;
    switch (side.GetEdge()) {
    case CDockingSide::Top:
        return WithInnerEdge(flyOut, side, flyOut.top + travelled);
    case CDockingSide::Bottom:
        return WithInnerEdge(flyOut, side, flyOut.bottom - travelled);
    case CDockingSide::Left:
        return WithInnerEdge(flyOut, side, flyOut.left + travelled);
    default:
        return WithInnerEdge(flyOut, side, flyOut.right - travelled);
    }
}

} // namespace dockwins
