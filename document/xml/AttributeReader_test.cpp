#include <gtest/gtest.h>

#include "document/xml/AttributeReader.h"
#include "document/xml/ElementsTestSupport.h"
#include "foundation/Bstr.h"

namespace {

class AttributeReaderTest : public ElementsTest {
protected:
    XmlNode Parsed(const wchar_t* xml)
    {
        m_doc.LoadXml(EString(L"<ROOT>") + xml + L"</ROOT>");
        return m_doc.GetRoot().GetFirstChildElement();
    }

    XmlDataElements m_doc;
};

} // namespace

TEST_F(AttributeReaderTest, EachValueFormReadsAsTheElementLayerReadsIt)
{
    const XmlNode element = Parsed(L"<TASK ID=\"12\" N=\"+7\" H=\"2.5h\" E=\"\" X=\"inf\" T=\"a &amp; b\"/>");
    AttributeReader attributes(element);
    const struct {
        const wchar_t* name;
        bool present;
        const wchar_t* text;
        long number; // as Int reads it
        double hours;
    } cases[] = {
        {L"ID", true, L"12", 12, 12},   {L"N", true, L"+7", 7, 7},       {L"H", true, L"2.5h", -1, 2.5},
        {L"X", true, L"inf", -1, 0},    {L"T", true, L"a & b", -1, 0},   {L"MISSING", false, L"", 0, 0},
    };
    for (const auto& c : cases) {
        const Bstr name(c.name);
        EXPECT_EQ(attributes.Read(name), c.present) << c.name;
        EXPECT_EQ(attributes.Text(), c.text) << c.name;
        EXPECT_EQ(attributes.Text(name), c.text) << c.name;
        EXPECT_EQ(attributes.Hours(name), c.hours) << c.name;
        if (c.number >= 0) {
            EXPECT_EQ(attributes.Int(name), c.number) << c.name;
        }
    }
    EXPECT_TRUE(attributes.Read(Bstr(L"E")));
    EXPECT_EQ(attributes.Text(), L"");
}

TEST_F(AttributeReaderTest, WholeNumberThatIsNoNumberRaisesNamingElementAttributeAndText)
{
    const XmlNode element = Parsed(L"<TASK STATUS=\"done\" LONG=\"0123456789012345678901234567890123456789tail\"/>");
    AttributeReader attributes(element);
    for (const wchar_t* name : {L"STATUS", L"LONG"}) {
        const ComError error = RaisedError([&] { attributes.Int(Bstr(name)); });
        EXPECT_EQ(error.Error(), DISP_E_TYPEMISMATCH) << name;
        EXPECT_NE(error.Description().find(name), EString::npos) << error.Description().c_str();
        EXPECT_NE(error.Description().find(L"TASK"), EString::npos) << error.Description().c_str();
    }
    const ComError error = RaisedError([&] { attributes.Int(Bstr(L"LONG")); });
    EXPECT_NE(error.Description().find(L"0123456789012345678901234567890123456789...\""), EString::npos)
        << "a long text is cut";
    EXPECT_NE(RaisedError([&] { attributes.Int(Bstr(L"STATUS")); }).Description().find(L"\"done\""), EString::npos);
}
