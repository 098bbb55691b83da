#include <gtest/gtest.h>

#include "foundation/BlankName.h"

TEST(BlankNameTest, OnlyANameWithSomethingToShowIsAName)
{
    const struct {
        const wchar_t* name;
        bool blank;
    } cases[] = {
        {L"", true},
        {L" ", true},
        {L"   \t ", true},
        {L"\r\n", true},
        {L"\x01\x1F\x7F", true},       // control characters show nothing
        {L"\u00A0\u3000", true},       // no-break and ideographic spaces
        {L"\u200B\uFEFF", true},       // zero-width characters
        {L"Ann", false},
        {L"  Ann  ", false},
        {L".", false},
        {L"\u00E9", false},
        {L"\xD83D\xDE00", false},       // an emoji, a surrogate pair
        {L"\xD83D", false},             // an unpaired surrogate still draws a box
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsBlankName(c.name), c.blank) << testing::PrintToString(std::wstring(c.name));
}
