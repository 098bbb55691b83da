#include <gtest/gtest.h>

#include <string>

#include "document/xml/StorableXmlText.h"

TEST(StorableXmlTextTest, LeavesOutWhatXmlCannotHoldAndKeepsTheRest)
{
    const struct {
        const char* name;
        std::wstring text;
        std::wstring expected;
    } cases[] = {
        {"plain", L"Write offer", L"Write offer"},
        {"empty", L"", L""},
        {"tab, LF and CR", L"a\tb\nc\rd", L"a\tb\nc\rd"},
        {"every other C0 control", std::wstring(L"a\x01\x08\x0B\x0C\x0E\x1B\x1F" L"b"), L"ab"},
        {"NUL", std::wstring(L"a\0b", 3), L"ab"},
        {"space, DEL and C1 controls", L" \x7F\x85\x9F", L" \x7F\x85\x9F"},
        {"U+FFFE and U+FFFF", L"\xFFFE" L"a\xFFFF", L"a"},
        {"U+FFFD, private use and the last of the BMP before the surrogates", L"\xFFFD\xE000\xD7FF",
         L"\xFFFD\xE000\xD7FF"},
        {"a surrogate pair", L"a\xD83D\xDE00" L"b", L"a\xD83D\xDE00" L"b"},
        {"pairs at the ends", L"\xDBFF\xDFFF" L"a\xD800\xDC00", L"\xDBFF\xDFFF" L"a\xD800\xDC00"},
        {"a high surrogate alone", L"a\xD800" L"b", L"ab"},
        {"a high surrogate at the end", L"a\xD83D", L"a"},
        {"a low surrogate alone", L"\xDC00" L"a", L"a"},
        {"a reversed pair", L"a\xDE00\xD83D" L"b", L"ab"},
        {"two highs then a low: the second pairs", L"\xD800\xD83D\xDE00", L"\xD83D\xDE00"},
        {"only what is left out", std::wstring(L"\x1B\xFFFF\xDC00\0", 4), L""},
    };
    for (const auto& c : cases) {
        std::wstring cleaned;
        EXPECT_EQ(StorableXmlText(c.text, cleaned), c.expected) << c.name;
    }
}

TEST(StorableXmlTextTest, ATextWithNothingToLeaveOutIsGivenBackUncopied)
{
    const std::wstring text = L"Plan the week\t\xD83D\xDE00";
    std::wstring cleaned;
    const std::wstring_view storable = StorableXmlText(text, cleaned);
    EXPECT_EQ(storable.data(), text.data());
    EXPECT_EQ(storable.size(), text.size());
    EXPECT_TRUE(cleaned.empty());
}
