#include <gtest/gtest.h>

#include "document/xml/XmlProlog.h"

TEST(XmlPrologTest, FindsADocumentTypeOnlyBeforeTheFirstElement)
{
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"<ROOT/>", false},
        {L"", false},
        {L"<!DOCTYPE ROOT><ROOT/>", true},
        {L"\xFEFF<!DOCTYPE ROOT><ROOT/>", true},
        {L"  \r\n\t<!DOCTYPE ROOT [<!ENTITY a \"x\">]><ROOT>&a;</ROOT>", true},
        {L"<?xml version=\"1.0\"?>\r\n<!-- hand edited -->\r\n<?style x?><!DOCTYPE ROOT><ROOT/>", true},
        {L"<!-- <!DOCTYPE ROOT> --><ROOT/>", false},
        {L"<?pi <!DOCTYPE ROOT> ?><ROOT/>", false},
        {L"<ROOT><![CDATA[<!DOCTYPE ROOT>]]></ROOT>", false},
        {L"<ROOT/><!DOCTYPE ROOT>", false}, // not well-formed: the parser refuses it
        {L"<!-- never closed <!DOCTYPE ROOT>", false},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(XmlProlog::HasDocumentType(text), expected) << text;
}
