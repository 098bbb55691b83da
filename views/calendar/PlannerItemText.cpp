#include "views/calendar/PlannerItemText.h"

#include <algorithm>

namespace {

constexpr std::wstring_view kEllipsis = L"...";

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool IsLineBreak(wchar_t c)
{
    return c == L'\r' || c == L'\n';
}

// No character is narrower than a pixel, bar the few of no width: a line of
// `width` pixels never holds more characters than this.
size_t MostCharactersIn(int width)
{
    return static_cast<size_t>(width) + 1;
}

size_t SkipBlanks(std::wstring_view text, size_t at)
{
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

std::wstring_view TrimmedRight(std::wstring_view text)
{
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    return text.substr(0, end);
}

// As much of the text as fits beside "...", then "..."; never half of a surrogate pair.
std::wstring CutWithEllipsis(std::wstring_view text, int width, const ITextMeasure& measure)
{
    const int room = width - measure.Width(kEllipsis);
    const std::wstring_view measured = text.substr(0, std::min(text.size(), MostCharactersIn(width)));
    size_t keep = room > 0 ? std::min(measure.Fit(measured, room), measured.size()) : 0;
    if (keep > 0 && keep < text.size() && IsLowSurrogate(text[keep]))
        --keep;
    std::wstring line(TrimmedRight(text.substr(0, keep)));
    line += kEllipsis;
    return line;
}

// The next line of a paragraph from `at`, which moves past it and the blanks after it.
// `nothingShown` tells of a word cut down to its "..." alone.
std::wstring NextLine(std::wstring_view paragraph, size_t& at, int width, const ITextMeasure& measure,
                      bool& nothingShown)
{
    nothingShown = false;
    for (;;) {
        const std::wstring_view rest = paragraph.substr(at);
        const std::wstring_view measured = rest.substr(0, std::min(rest.size(), MostCharactersIn(width)));
        const size_t fit = std::min(measure.Fit(measured, width), measured.size());
        if (fit == rest.size()) {
            at = paragraph.size();
            return std::wstring(rest);
        }
        // Blanks that fill the line on their own are a break: the word after them begins the line.
        if (SkipBlanks(measured, 0) >= std::max<size_t>(fit, 1)) {
            at = SkipBlanks(paragraph, at);
            continue;
        }
        // The last blank the line may end at: the one just past what fits, or one before.
        for (size_t i = std::min(fit, measured.size() - 1); i > 0; --i) {
            if (!IsBlank(measured[i]))
                continue;
            const std::wstring_view line = TrimmedRight(measured.substr(0, i));
            if (line.empty())
                break;
            at = SkipBlanks(paragraph, at + i);
            return std::wstring(line);
        }
        // The first word alone is too long for the line.
        size_t wordEnd = SkipBlanks(rest, 0);
        while (wordEnd < rest.size() && !IsBlank(rest[wordEnd]))
            ++wordEnd;
        at = SkipBlanks(paragraph, at + wordEnd);
        std::wstring cut = CutWithEllipsis(rest.substr(0, wordEnd), width, measure);
        nothingShown = cut == kEllipsis;
        return cut;
    }
}

bool HoldsMoreThanBlanks(std::wstring_view text)
{
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return !IsBlank(c) && !IsLineBreak(c); });
}

} // namespace

std::vector<std::wstring> ItemTextLines(std::wstring_view text, int width, int maxLines, const ITextMeasure& measure)
{
    std::vector<std::wstring> lines;
    if (width <= 0 || maxLines <= 0)
        return lines;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t found = text.find_first_of(L"\r\n", start);
        const size_t end = found == std::wstring_view::npos ? text.size() : found;
        const std::wstring_view paragraph = text.substr(start, end - start);
        size_t at = 0;
        do {
            if (static_cast<int>(lines.size()) == maxLines) {
                if (HoldsMoreThanBlanks(text.substr(start + at)) && !lines.back().ends_with(kEllipsis))
                    lines.back() = CutWithEllipsis(lines.back(), width, measure);
                return lines;
            }
            bool nothingShown = false;
            lines.push_back(NextLine(paragraph, at, width, measure, nothingShown));
            // Lines of "..." and a letter or two after it would tell nothing more.
            if (nothingShown)
                return lines;
        } while (at < paragraph.size());
        if (end == text.size())
            break;
        start = end + (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n' ? 2 : 1);
    }
    return lines;
}

int CDeviceTextMeasure::Width(std::wstring_view text) const
{
    SIZE size = {};
    ::GetTextExtentPoint32W(m_dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

size_t CDeviceTextMeasure::Fit(std::wstring_view text, int width) const
{
    int fit = 0;
    SIZE size = {};
    if (!::GetTextExtentExPointW(m_dc, text.data(), static_cast<int>(text.size()), width, &fit, nullptr, &size))
        return 0;
    return static_cast<size_t>(std::max(fit, 0));
}
