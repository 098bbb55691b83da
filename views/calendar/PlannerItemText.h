// PlannerItemText: an item's name in the lines of its box, broken between words; what does not fit ends in "...".
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// How wide a text is drawn: the planner measures with its device context, tests with widths of their own.
class ITextMeasure {
public:
    virtual ~ITextMeasure() = default;
    virtual int Width(std::wstring_view text) const = 0;
    // How many characters from the start fit in the width.
    virtual size_t Fit(std::wstring_view text, int width) const = 0;
};

// The text's lines of at most `width`, at most `maxLines` of them. Lines
// break between words and at the text's own line breaks; a word too long for
// a line is cut and ends in "...", as does the last line when more of the
// text would follow it; a word of which nothing but "..." fits ends the
// lines. Only what can be shown is measured, so a long text costs no more
// than a short one.
std::vector<std::wstring> ItemTextLines(std::wstring_view text, int width, int maxLines, const ITextMeasure& measure);

// Measures with the font selected into the device context.
class CDeviceTextMeasure : public ITextMeasure {
public:
    explicit CDeviceTextMeasure(HDC dc) : m_dc(dc) {}
    int Width(std::wstring_view text) const override;
    size_t Fit(std::wstring_view text, int width) const override;

private:
    HDC m_dc;
};
