#include "docking/dockwins/FlatTabLayout.h"

#include <algorithm>
#include <numeric>

namespace dockwins {

int NaturalTabWidth(int iconWidth, int textWidth, bool hasText)
{
    return kTabItemMargin + std::max(iconWidth, 0) + (hasText ? textWidth + 2 * kTabTextMargin : 0) +
           kTabItemMargin;
}

std::vector<int> FitTabWidths(const std::vector<int>& natural, int areaWidth, int selected)
{
    const int count = static_cast<int>(natural.size());
    const int total = kTabStripMargin + std::accumulate(natural.begin(), natural.end(), 0) + kTabStripMargin;
    if (areaWidth >= total || selected < 0 || selected >= count)
        return natural;
    std::vector<int> widths(natural);
    const int selectedWidth = natural[static_cast<size_t>(selected)];
    const int avail = areaWidth - 2 * kTabStripMargin - selectedWidth;
    const int need = total - 2 * kTabStripMargin - selectedWidth;
    const double ratio = need != 0 ? static_cast<double>(avail) / need : 0.0;
    if ((count - 1) * kTabMinWidth < avail) {
        int narrowest = INT_MAX;
        for (int i = 0; i < count; ++i)
            if (i != selected)
                narrowest = std::min(narrowest, natural[static_cast<size_t>(i)]);
        const bool share = count > 1 && kTabMinWidth > narrowest * ratio;
        for (int i = 0; i < count; ++i) {
            if (i == selected)
                continue;
            widths[static_cast<size_t>(i)] =
                share ? avail / (count - 1) : static_cast<int>(natural[static_cast<size_t>(i)] * ratio + 0.5);
        }
    } else {
        std::fill(widths.begin(), widths.end(), std::max(areaWidth - 2 * kTabStripMargin, 0) / count);
    }
    for (int& width : widths)
        width = std::max(width, 0);
    return widths;
}

std::vector<int> TabLefts(const std::vector<int>& widths)
{
    std::vector<int> lefts;
    lefts.reserve(widths.size());
    int x = kTabStripMargin;
    for (int width : widths) {
        lefts.push_back(x);
        x += width;
    }
    return lefts;
}

bool TabTextRect(const RECT& item, int imageWidth, RECT* text)
{
    RECT room = {item.left + kTabItemMargin + std::max(imageWidth, 0), item.top, item.right - kTabItemMargin,
                 item.bottom};
    if (room.left + kTabMinTextWidth >= room.right)
        return false;
    room.left += kTabTextMargin;
    room.right -= kTabTextMargin;
    *text = room;
    return true;
}

namespace {

BYTE Channel(double value)
{
    return static_cast<BYTE>(static_cast<int>(value) & 0xFF);
}

} // namespace

COLORREF LightenTabColor(COLORREF color)
{
    const int channels[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    const int brightest = std::max({channels[0], channels[1], channels[2]});
    const int lift = brightest > 220 ? 255 - brightest : 35;
    BYTE out[3];
    for (int i = 0; i < 3; ++i) {
        const int c = channels[i];
        out[i] = brightest == 0 ? Channel(c + lift) : Channel(c + lift * (static_cast<double>(c) / brightest) + 0.5);
    }
    return RGB(out[0], out[1], out[2]);
}

COLORREF DarkenTabColor(COLORREF color)
{
    const int channels[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    const int brightest = std::max({channels[0], channels[1], channels[2]});
    if (brightest == 0)
        return color;
    BYTE out[3];
    for (int i = 0; i < 3; ++i) {
        const int c = channels[i];
        out[i] = c < 43 ? static_cast<BYTE>(c / 2)
                        : Channel(c - (static_cast<double>(c) / brightest * 43 + 0.5));
    }
    return RGB(out[0], out[1], out[2]);
}

int TabStripThickness(int fontAscent)
{
    return static_cast<BYTE>(static_cast<int>(24 + ((fontAscent / 11.0) * 24 - 24) / 2));
}

} // namespace dockwins
