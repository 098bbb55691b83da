#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cwchar>
#include <random>

#include "document/xml/DecimalText.h"
#include "foundation/EString.h"

namespace {

// The same double, bit for bit: -0 and 0 differ, as a NaN equals itself.
::testing::AssertionResult ReadsAsTheRuntime(const EString& text)
{
    const double fast = DecimalText::Parse(text.c_str(), text.size());
    const double runtime = std::wcstod(text.c_str(), nullptr);
    if (std::bit_cast<std::uint64_t>(fast) == std::bit_cast<std::uint64_t>(runtime))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << std::string(text.begin(), text.end()) << "\" reads as "
                                         << fast << ", the runtime reads " << runtime;
}

} // namespace

TEST(DecimalTextTest, EveryTextReadsAsTheRuntimeReadsIt)
{
    for (const wchar_t* text :
         {L"0", L"0.0", L"-0", L"-0.0", L"2.5", L"12.5", L"0.1", L"-1.0", L"-1", L"5.", L"007.50", L"0.3",
          L"999999999999999", L"99999999999999.9", L"0.000000000000001", L"1234567890123456", L"0.1234567890123456",
          L"123456789.123456789", L"9007199254740993", L"2.5h", L"2.5.1", L"1e3", L"1E-2", L" 2.5", L"+2.5", L".5",
          L"-.5", L"", L"-", L".", L"abc", L"0x1A", L"--1", L"1,5"})
        EXPECT_TRUE(ReadsAsTheRuntime(text));
}

TEST(DecimalTextTest, TextsOfNoFiniteNumberReadAsZero)
{
    for (const wchar_t* text : {L"inf", L"-infinity", L"nan", L"-nan(ind)", L"1e999", L"-1e999"})
        EXPECT_EQ(DecimalText::Parse(text, std::wcslen(text)), 0.0) << text;
}

TEST(DecimalTextTest, HoursAsTheProgramWritesThemReadAsTheRuntimeReadsThem)
{
    for (int tenths = -1000; tenths <= 100000; ++tenths)
        ASSERT_TRUE(ReadsAsTheRuntime(EString::Formatted(L"%.1f", tenths / 10.0)));
    for (int hundredths = 0; hundredths <= 20000; ++hundredths)
        ASSERT_TRUE(ReadsAsTheRuntime(EString::Formatted(L"%.2f", hundredths / 100.0)));
}

TEST(DecimalTextTest, LongDigitStringsReadAsTheRuntimeReadsThem)
{
    // Up to the fifteen digits of the fast form and beyond it, the point anywhere.
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 20000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 18);
        EString text;
        for (int d = 0; d < digits; ++d)
            text += static_cast<wchar_t>(L'0' + random() % 10);
        const size_t point = random() % (text.size() + 1);
        if (point > 0 && point < text.size())
            text.insert(point, L".");
        if (random() % 4 == 0)
            text.insert(0, L"-");
        ASSERT_TRUE(ReadsAsTheRuntime(text));
    }
}
