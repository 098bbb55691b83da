#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "views/calendar/PlannerItemText.h"

namespace {

using Lines = std::vector<std::wstring>;

// Every character ten pixels wide; notes the longest text it was given.
class TenPixelMeasure : public ITextMeasure {
public:
    int Width(std::wstring_view text) const override
    {
        Note(text);
        return 10 * static_cast<int>(text.size());
    }
    size_t Fit(std::wstring_view text, int width) const override
    {
        Note(text);
        return std::min(text.size(), static_cast<size_t>(std::max(width, 0) / 10));
    }
    mutable size_t longest = 0;
    mutable int calls = 0;

private:
    void Note(std::wstring_view text) const
    {
        longest = std::max(longest, text.size());
        ++calls;
    }
};

} // namespace

// 100 pixels hold ten characters; "..." takes three of them.
TEST(PlannerItemTextTest, NamesBreakBetweenWordsAndWhatDoesNotFitEndsInAnEllipsis)
{
    struct Case {
        const char* name;
        std::wstring text;
        int maxLines;
        Lines lines;
    };
    const Case cases[] = {
        {"a name that fits", L"Call Ann", 3, {L"Call Ann"}},
        {"breaks at the last blank that fits", L"Call the bank", 3, {L"Call the", L"bank"}},
        {"a blank just past the line", L"three four five", 3, {L"three four", L"five"}},
        {"blanks at a break are not drawn", L"Call the    bank", 3, {L"Call the", L"bank"}},
        {"a word too long for the line is cut", L"Supercalifragilistic", 3, {L"Superca..."}},
        {"and the words after it go on", L"Supercalifragilistic is long", 3, {L"Superca...", L"is long"}},
        {"a long word after a short one starts its own line", L"A Supercalifragilistic", 3,
         {L"A", L"Superca..."}},
        {"the last line tells that more follows", L"one two three four five six", 2, {L"one two", L"three f..."}},
        {"a last line with room keeps its words", L"Pack it up now", 1, {L"Pack it..."}},
        {"text that ends on the last line needs no ellipsis", L"Call the bank", 2, {L"Call the", L"bank"}},
        {"blanks after the last line are nothing more", L"Call the     ", 1, {L"Call the"}},
        {"blanks that fill a line begin none", L"           Call", 3, {L"Call"}},
        {"blanks before a long word stay with it", L"  Supercalifragilistic", 3, {L"  Super..."}},
        {"the name's own line breaks", L"First\r\nSecond\nThird\rFourth", 4,
         {L"First", L"Second", L"Third", L"Fourth"}},
        {"an empty line of its own", L"First\n\nThird", 3, {L"First", L"", L"Third"}},
        {"an empty name", L"", 3, {L""}},
        {"a pair of surrogates is never split", L"\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600", 3,
         {L"\U0001F600\U0001F600\U0001F600..."}},
    };
    for (const Case& c : cases) {
        const TenPixelMeasure measure;
        EXPECT_EQ(ItemTextLines(c.text, 100, c.maxLines, measure), c.lines) << c.name;
    }
    const TenPixelMeasure measure;
    EXPECT_TRUE(ItemTextLines(L"Call the bank", 0, 3, measure).empty()) << "no room";
    EXPECT_TRUE(ItemTextLines(L"Call the bank", 100, 0, measure).empty()) << "no line";
}

// In a narrow box, a line of "..." alone ends the name: lines of single letters after it would tell nothing.
TEST(PlannerItemTextTest, AWordOfWhichNothingButTheEllipsisFitsEndsTheLines)
{
    const struct {
        const char* name;
        int width;
        std::wstring text;
        Lines lines;
    } cases[] = {
        {"room for four characters", 45, L"Pack the books", {L"Pack", L"the", L"b..."}},
        {"room for three", 35, L"Pack the books", {L"..."}},
        {"a short word before it shows", 35, L"Go to the bank", {L"Go", L"to", L"the", L"..."}},
        {"room for less than the ellipsis", 20, L"Gone", {L"..."}},
    };
    for (const auto& c : cases) {
        const TenPixelMeasure measure;
        EXPECT_EQ(ItemTextLines(c.text, c.width, 5, measure), c.lines) << c.name;
    }
}

TEST(PlannerItemTextTest, OnlyWhatTheLinesCanHoldIsMeasured)
{
    std::wstring words;
    for (int i = 0; i < 20000; ++i)
        words += L"ab cd ";
    const struct {
        const char* name;
        std::wstring text;
        Lines lines;
    } cases[] = {
        {"one word of 100,000 characters", std::wstring(100000, L'x'), {L"xxxxxxx..."}},
        {"20,000 short words", words, {L"ab cd ab", L"cd ab cd", L"ab cd a..."}},
        {"100,000 blanks before a word", std::wstring(100000, L' ') + L"word", {L"word"}},
    };
    for (const auto& c : cases) {
        const TenPixelMeasure measure;
        EXPECT_EQ(ItemTextLines(c.text, 100, 3, measure), c.lines) << c.name;
        EXPECT_LE(measure.longest, 101u) << c.name;
        EXPECT_LE(measure.calls, 12) << c.name;
    }
}
