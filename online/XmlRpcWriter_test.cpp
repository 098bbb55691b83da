#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

#include "online/XmlEscape.h"
#include "online/XmlRpcException.h"
#include "online/XmlRpcReader.h"
#include "online/XmlRpcWriter.h"

namespace {
std::string Written(const XmlRpcValue& value)
{
    std::string text;
    WriteXmlRpcValue(text, value);
    return text;
}

XmlRpcValue Double(double number)
{
    XmlRpcValue value;
    value.AsDouble() = number;
    return value;
}

// Switches the C runtime to a decimal comma for one test, when the system has such a locale.
class DecimalCommaLocale {
public:
    DecimalCommaLocale()
    {
        for (const char* name : {"German_Germany.1252", "de-DE", "French"}) {
            if (std::setlocale(LC_NUMERIC, name)) {
                char text[16];
                std::snprintf(text, sizeof(text), "%.1f", 1.5);
                m_active = std::string(text) == "1,5";
                return;
            }
        }
    }
    ~DecimalCommaLocale() { std::setlocale(LC_NUMERIC, "C"); }
    bool Active() const { return m_active; }

private:
    bool m_active = false;
};
} // namespace

TEST(XmlRpcWriterTest, WritesEveryKind)
{
    XmlRpcValue date;
    std::tm& time = date.AsDateTime();
    time.tm_year = 2026;
    time.tm_mon = 2;
    time.tm_mday = 5;
    time.tm_hour = 9;
    time.tm_min = 30;
    time.tm_sec = 7;

    XmlRpcValue array;
    array[0] = 1;
    array[1] = "x";
    XmlRpcValue members;
    members["b"] = 2;
    members["a&"] = XmlRpcValue::MakeNil();

    const struct {
        XmlRpcValue value;
        const char* text;
    } cases[] = {
        {XmlRpcValue(true), "<value><boolean>1</boolean></value>"},
        {XmlRpcValue(false), "<value><boolean>0</boolean></value>"},
        {XmlRpcValue(-5), "<value><i4>-5</i4></value>"},
        {Double(2.5), "<value><double>2.5</double></value>"},
        {Double(123456789.0), "<value><double>1.23457e+08</double></value>"},
        {Double(0.1), "<value><double>0.1</double></value>"},
        {XmlRpcValue("a<b & 'c'"), "<value>a&lt;b &amp; &apos;c&apos;</value>"},
        {XmlRpcValue("\xE9t\xE9"), "<value>&#233;t&#233;</value>"},
        {XmlRpcValue(""), "<value><string/></value>"},
        {date, "<value><dateTime.iso8601>20260305T09:30:07</dateTime.iso8601></value>"},
        {XmlRpcValue("abc", 3), "<value><base64>YWJj</base64></value>"},
        {array, "<value><array><data><value><i4>1</i4></value><value>x</value></data></array></value>"},
        {members, "<value><struct><member><name>a&amp;</name><value><nil/></value></member>"
                  "<member><name>b</name><value><i4>2</i4></value></member></struct></value>\n"},
        {XmlRpcValue::MakeNil(), "<value><nil/></value>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Written(c.value), c.text);

    XmlRpcValue holey;
    holey[1] = 1;
    EXPECT_THROW(Written(XmlRpcValue()), XmlRpcException);
    EXPECT_THROW(Written(holey), XmlRpcException);
}

TEST(XmlRpcWriterTest, EscapesAndUnescapesByteByByte)
{
    EXPECT_EQ(XmlEscape("&<>\"'"), "&amp;&lt;&gt;&quot;&apos;");
    EXPECT_EQ(XmlEscape(std::string("\x01\x1F \x7F~\xFF\0", 7)), "&#1;&#31; &#127;~&#255;&#0;");

    const struct {
        std::string text;
        std::string plain;
    } cases[] = {
        {"&amp;&quot;&apos;&#039;&lt;&gt;", "&\"''<>"},
        {"&#233;x", "\xE9x"},
        {"&#65", "A"},
        {"a&#0;b", std::string("a\0b", 3)},
        {"&#256;", "&#256;"},
        {"&#99999999999999999999999;", "&#99999999999999999999999;"},
        {"&nbsp; & &#; &#x41;", "&nbsp; & &#; &#x41;"},
        {"&", "&"},
        {"&amp", "&amp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(XmlUnescape(c.text), c.plain) << c.text;
}

TEST(XmlRpcWriterTest, WritesTheLoginCallByteForByte)
{
    XmlRpcValue params;
    params[0] = "dQBzAGUAcgA=";
    params[1] = "cwBlAGMAcgBlAHQA";
    EXPECT_EQ(WriteXmlRpcMethodCall("login", params),
              "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>login</methodName>\r\n"
              "<params><param><value>dQBzAGUAcgA=</value></param>"
              "<param><value>cwBlAGMAcgBlAHQA</value></param></params></methodCall>\r\n");

    EXPECT_EQ(WriteXmlRpcMethodCall("ping", XmlRpcValue(3)),
              "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>ping</methodName>\r\n"
              "<params><param><value><i4>3</i4></value></param>\n</params></methodCall>\r\n");
    EXPECT_EQ(WriteXmlRpcMethodCall("ping", XmlRpcValue()),
              "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>ping</methodName>\r\n"
              "<params></params></methodCall>\r\n");
}

TEST(XmlRpcWriterTest, DoublesUseAPointWhateverTheLocale)
{
    DecimalCommaLocale locale;
    if (!locale.Active())
        GTEST_SKIP() << "no locale with a decimal comma";
    EXPECT_EQ(Written(Double(1.5)), "<value><double>1.5</double></value>");
    XmlRpcReader reader("<value><double>1.5</double></value>");
    EXPECT_EQ(reader.ReadValue().AsDouble(), 1.5);
}
