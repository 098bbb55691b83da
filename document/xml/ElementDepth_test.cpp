#include <gtest/gtest.h>

#include "document/xml/ElementDepth.h"

TEST(ElementDepthTest, CountsOnlyElementsWhateverElseTheTextHolds)
{
    const struct {
        const wchar_t* text;
        size_t depth;
    } cases[] = {
        {L"", 0},
        {L"plain text", 0},
        {L"<ROOT/>", 1},
        {L"<?xml version=\"1.0\"?><!-- <a><b><c> --><ROOT><A/><B></B></ROOT>", 2},
        {L"<ROOT><A N=\"x>y\" M='/>'><B><![CDATA[<c><d><e>]]></B></A></ROOT>", 3},
        {L"<!DOCTYPE ROOT [<!ENTITY a \"<b>\">]><ROOT><A><B><C/></B></A></ROOT>", 4},
        // Unclosed, as a broken file is: still counted as far as it goes.
        {L"<ROOT><A><B><C>", 4},
        {L"</A></B><ROOT>", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DeepestElement(c.text), c.depth) << testing::PrintToString(std::wstring(c.text));
}
