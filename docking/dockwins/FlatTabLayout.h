// FlatTabLayout: the widths and places of flat tabs, their text room, and the strip's colours and thickness.
#pragma once

#include <windows.h>

#include <vector>

namespace dockwins {

// Gaps of the flat look, in pixels.
inline constexpr int kTabStripMargin = 5;
inline constexpr int kTabItemMargin = 3;
inline constexpr int kTabTextMargin = 4;
inline constexpr int kTabMinTextWidth = 12;
// Narrowest a shrunk tab gets before every tab is given an equal share.
inline constexpr int kTabMinWidth = kTabMinTextWidth + 2 * kTabItemMargin + kTabTextMargin;

// A tab's width when nothing has to shrink: margins, icon, and its text
// with text margins when it has any.
int NaturalTabWidth(int iconWidth, int textWidth, bool hasText);

// Widths that fit `areaWidth` without scrolling: the natural ones when they
// fit or nothing is selected; else the selected tab keeps its width and the
// others shrink in proportion (or share what is left when that would make
// them narrower than a minimum tab), or every tab gets an equal share when
// the others cannot have a minimum tab each. Never negative.
std::vector<int> FitTabWidths(const std::vector<int>& natural, int areaWidth, int selected);

// Left edges of tabs standing side by side from the strip margin.
std::vector<int> TabLefts(const std::vector<int>& widths);

// Where a tab's text goes: the item rectangle less the item margins and the
// image, less the text margins; false when fewer than the minimum text width
// pixels would be left, and the tab then shows no text.
bool TabTextRect(const RECT& item, int imageWidth, RECT* text);

// The strip's background from the button face: each channel brightened in
// proportion to the brightest one, which ends at most at 255.
COLORREF LightenTabColor(COLORREF color);
// The inactive text from the gray text: dark channels halved, others
// pulled down in proportion to the brightest one.
COLORREF DarkenTabColor(COLORREF color);

// The strip's thickness for a font of this ascent (24 for an 11-pixel ascent).
int TabStripThickness(int fontAscent);

} // namespace dockwins
