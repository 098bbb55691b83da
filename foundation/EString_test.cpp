#include <gtest/gtest.h>

#include "foundation/EString.h"

TEST(EStringTest, FormatFollowsTheMicrosoftRuntime)
{
    EString text;
    text.Format(L"%s-%d", L"ab", 5);
    EXPECT_EQ(text, L"ab-5");

    text.Format(L"%06X|%.2f|%%|%c", 0xA0B0C, 2.5, L'z');
    EXPECT_EQ(text, L"0A0B0C|2.50|%|z");

    EString unchanged = L"keep";
    unchanged.Format(nullptr);
    EXPECT_EQ(unchanged, L"keep");

    const EString longText(5000, L'x');
    text.Format(L"[%s]", longText.c_str());
    EXPECT_EQ(text.GetLength(), 5002);
}

TEST(EStringTest, SubstringsRespectTheirBounds)
{
    const EString abc = L"abc";
    EXPECT_EQ(abc.Left(3), L"abc");
    EXPECT_EQ(abc.Left(4), L"");
    EXPECT_EQ(abc.Left(0), L"");
    EXPECT_EQ(abc.Left(-1), L"");
    EXPECT_EQ(abc.Right(2), L"bc");
    EXPECT_EQ(abc.Right(4), L"");
    EXPECT_EQ(abc.Right(0), L"");
    EXPECT_EQ(abc.Mid(1), L"bc");
    EXPECT_EQ(abc.Mid(0), L"");
    EXPECT_EQ(abc.Mid(3), L"");
    EXPECT_THROW(abc.Right(-1), std::out_of_range);
}

TEST(EStringTest, ReplaceCountsAndSkipsInsertedText)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* find;
        const wchar_t* with;
        const wchar_t* expected;
        int count;
    } cases[] = {
        {L"aXa", L"a", L"aa", L"aaXaa", 2},
        {L"hello", L"z", L"y", L"hello", 0},
        {L"a\\tb\\t", L"\\t", L"\t", L"a\tb\t", 2},
        {L"1,5", L",", L".", L"1.5", 1},
        {L"aaaa", L"aa", L"b", L"bb", 2},
        {L"abc", L"", L"x", L"abc", 0},
        {L"abc", L"b", L"", L"ac", 1},
        {L"", L"a", L"b", L"", 0},
    };
    for (const Case& c : cases) {
        EString text = c.text;
        EXPECT_EQ(text.Replace(c.find, c.with), c.count) << c.text;
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST(EStringTest, TrimmingBySet)
{
    EString decimal = L"2.50";
    EXPECT_EQ(decimal.TrimRight(L"0"), L"2.5");
    EXPECT_EQ(decimal, L"2.5");

    EString spaced = L"  x y  ";
    EXPECT_EQ(spaced.Trim(L" "), L"x y");

    EString blanks = L"   ";
    EXPECT_EQ(blanks.Trim(L" "), L"");
    EString zeros = L"000";
    EXPECT_EQ(zeros.TrimRight(L"0"), L"");
    EString empty;
    EXPECT_EQ(empty.Trim(L" "), L"");

    EString quoted = L"\"C:\\My plans\\a.qvr\"";
    EXPECT_EQ(quoted.Trim(L"\""), L"C:\\My plans\\a.qvr");
    EString tabs = L"\t a \t";
    EXPECT_EQ(tabs.Trim(L" \t"), L"a");
}

TEST(EStringTest, CompareNoCaseAndConstruction)
{
    EXPECT_EQ(EString(L"exit").CompareNoCase(L"EXIT"), 0);
    EXPECT_LT(EString(L"apple").CompareNoCase(L"Banana"), 0);
    EXPECT_GT(EString(L"b").CompareNoCase(L"A"), 0);

    const EString* none = nullptr;
    EXPECT_TRUE(EString(none).IsEmpty());
    const EString source = L"copy";
    EXPECT_EQ(EString(&source), L"copy");
    const wchar_t* nullText = nullptr;
    EXPECT_TRUE(EString(nullText).IsEmpty());
}

TEST(EStringTest, LoadStringFromResources)
{
    EString text = L"unchanged";
    EXPECT_FALSE(text.LoadString(65000));
    EXPECT_EQ(text, L"unchanged");

    EXPECT_TRUE(text.LoadString(128));
    EXPECT_EQ(text, L"Quorvane");

    // Resource 60001 holds 1600 characters; the buffer keeps 1499 of them.
    ASSERT_TRUE(text.LoadString(60001));
    EXPECT_EQ(text.GetLength(), 1499);
}
