#include <gtest/gtest.h>

#include "document/DocumentText.h"

TEST(DocumentText, FillsConversionsInOrderWithoutAFormatter)
{
    const std::vector<EString> values = {L"3", L"1.5", L"12"};
    const struct {
        EString format;
        EString expected;
    } cases[] = {
        {L"Day: %d entries, %s h, %d tasks", L"Day: 3 entries, 1.5 h, 12 tasks"},
        {L"%5d|%-3s|%ld", L"3|1.5|12"},
        {L"100%% done: %d", L"100% done: 3"},
        {L"%s %s %s %s %n", L"3 1.5 12  "},
        {L"no conversions", L"no conversions"},
        {L"trailing %", L"trailing %"},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillTextFormat(c.format, values), c.expected) << testing::PrintToString(c.format);
}
