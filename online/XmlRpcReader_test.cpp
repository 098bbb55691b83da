#include <gtest/gtest.h>

#include <climits>

#include "online/XmlRpcException.h"
#include "online/XmlRpcReader.h"
#include "online/XmlRpcWriter.h"
#include "testing/TestSupport.h"

namespace {
XmlRpcValue Read(std::string_view text)
{
    XmlRpcReader reader(text);
    return reader.ReadValue();
}

std::string ReadError(std::string_view text)
{
    try {
        Read(text);
    } catch (const XmlRpcException& error) {
        return error.Message();
    }
    return "no error";
}

std::string ResponseError(std::string_view body)
{
    try {
        XmlRpcValue result;
        XmlRpcReader::ReadMethodResponse(body, result);
    } catch (const XmlRpcException& error) {
        return error.Message();
    }
    return "no error";
}

XmlRpcValue Date(int year, int month, int day, int hour, int minute, int second)
{
    XmlRpcValue value;
    std::tm& time = value.AsDateTime();
    time.tm_year = year;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return value;
}

XmlRpcValue Double(double number)
{
    XmlRpcValue value;
    value.AsDouble() = number;
    return value;
}

std::string NestedArrays(int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<value><array><data>";
    for (int i = 0; i < depth; ++i)
        text += "</data></array></value>";
    return text;
}

std::string TestData(const wchar_t* name)
{
    return ReadFileBytes(SourcePath((std::wstring(L"online/testdata/") + name).c_str()));
}
} // namespace

TEST(XmlRpcReaderTest, ReadsEveryKindInItsForms)
{
    XmlRpcValue pair;
    pair[0] = "1";
    pair[1] = 2;
    XmlRpcValue member;
    member["a&b"] = "x";
    XmlRpcValue emptyArray, emptyStruct;
    emptyArray.AsArray();
    emptyStruct.AsStruct();

    const struct {
        const char* text;
        XmlRpcValue value;
    } cases[] = {
        {"<value>plain text</value>", XmlRpcValue("plain text")},
        {"<value>  spaced </value>", XmlRpcValue("  spaced ")},
        {"<value></value>", XmlRpcValue("")},
        {"<value/>", XmlRpcValue("")},
        {"<value><string/></value>", XmlRpcValue("")},
        {"<VALUE><I4>12</I4></VALUE>", XmlRpcValue(12)},
        {"<value><int> -7</int></value>", XmlRpcValue(-7)},
        {"<value><int>2147483647</int></value>", XmlRpcValue(INT_MAX)},
        {"<value><int>-2147483648</int></value>", XmlRpcValue(INT_MIN)},
        {"<value><boolean>1</boolean></value>", XmlRpcValue(true)},
        {"<value><double>-1.5e3</double></value>", Double(-1500)},
        {"<value><double> +0.25</double></value>", Double(0.25)},
        {"<value><string>a&lt;b &amp; &apos;c&apos; &#233;</string></value>", XmlRpcValue("a<b & 'c' \xE9")},
        {"<value><dateTime.iso8601>20260315T09:30:05</dateTime.iso8601></value>", Date(2026, 3, 15, 9, 30, 5)},
        {"<value><base64>\nYWJj\n</base64></value>", XmlRpcValue("abc", 3)},
        {"<value><array><data/></array></value>", emptyArray},
        {"<value><array><data>\n<value>1</value> <value><i4>2</i4></value></data></array></value>", pair},
        {"<value><struct/></value>", emptyStruct},
        {"<value><struct> <member><name>a&amp;b</name><value>x</value></member>\n</struct></value>", member},
        {"<value><nil/></value>", XmlRpcValue::MakeNil()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.text), c.value) << c.text;
    EXPECT_EQ(Read("<value><dateTime.iso8601>20260315T09:30:05</dateTime.iso8601></value>").AsDateTime().tm_isdst, -1);
}

TEST(XmlRpcReaderTest, RefusesBadTextWithItsReason)
{
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"", "Expecting tag: <value>"},
        {"text", "Expecting tag: <value>"},
        {"<value>unterminated", "Expecting tag: </value>"},
        {"<value><boolean>2</boolean></value>", "bad BOOL"},
        {"<value><boolean>10</boolean></value>", "bad BOOL"},
        {"<value><boolean>1", "bad BOOL"},
        {"<value><i4>x</i4></value>", "Bad int"},
        {"<value><i4>", "Bad int"},
        {"<value><i4>12abc</i4></value>", "Expecting tag: </i4>"},
        {"<value><int>5</i4></value>", "Expecting tag: </int>"},
        {"<value><i4>2147483648</i4></value>", "Bad int: out of range"},
        {"<value><i4>-2147483649</i4></value>", "Bad int: out of range"},
        {"<value><i4>99999999999999999999999999</i4></value>", "Bad int: out of range"},
        {"<value><double>abc</double></value>", "Bad double"},
        {"<value><double>1e999</double></value>", "Bad double"},
        {"<value><double>", "Bad double"},
        {"<value><string>abc", "Bad string"},
        {"<value><dateTime.iso8601>2026-03-15T09:30:05</dateTime.iso8601></value>", "Bad time value"},
        {"<value><dateTime.iso8601>20260315", "Bad time value"},
        {"<value><base64>YWJj", "Bad base64"},
        {"<value><array><value>1</value></array></value>", "Expecting tag:  <data>"},
        {"<value><array><data><value>1</value>", "Expecting tag: <value>"},
        {"<value><struct><member><name>a</name><value>1</value></struct></value>", "Expecting tag: </member>"},
        {"<value><struct><member><name>a", "Expecting tag: </name>"},
        {"<value><i8>5</i8></value>", "Unknown type tag: <i8>"},
        {"<value><" + std::string(500, 'x'), "Unknown type tag: <" + std::string(126, 'x')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadError(c.text), c.error) << c.text;
}

TEST(XmlRpcReaderTest, LimitsNestingToSixtyFourLevels)
{
    EXPECT_EQ(Read(NestedArrays(64)).Size(), 1);
    EXPECT_EQ(ReadError(NestedArrays(65)), "XML-RPC value nested more than 64 levels deep");
    EXPECT_EQ(ReadError(NestedArrays(200000)), "XML-RPC value nested more than 64 levels deep");
}

TEST(XmlRpcReaderTest, WrittenValuesReadBackUnchanged)
{
    std::string every;
    for (int byte = 0; byte < 256; ++byte)
        every += static_cast<char>(byte);

    XmlRpcValue all;
    all["boolean"] = true;
    all["int"] = INT_MIN;
    all["double"] = Double(-2.5);
    all["string"] = every;
    all["empty"] = "";
    all["date"] = Date(1999, 12, 31, 23, 59, 58);
    all["bytes"] = XmlRpcValue(every.data(), every.size());
    all["nil"] = XmlRpcValue::MakeNil();
    all["array"][0] = 1;
    all["array"][1]["inner <name>"] = "value";
    all["array"][2].AsArray();
    all["struct"].AsStruct();
    all[every] = "a name of every byte";

    std::string text;
    WriteXmlRpcValue(text, all);
    EXPECT_EQ(Read(text), all);
}

TEST(XmlRpcReaderTest, ReadsResponsesAsPythonWritesThem)
{
    XmlRpcValue result;
    EXPECT_TRUE(XmlRpcReader::ReadMethodResponse(TestData(L"response_string.xml"), result));
    EXPECT_EQ(result.AsString(), "session-1234");

    ASSERT_TRUE(XmlRpcReader::ReadMethodResponse(TestData(L"response_all_kinds.xml"), result));
    EXPECT_EQ(result.Size(), 15);
    EXPECT_EQ(result["int"], XmlRpcValue(42));
    EXPECT_EQ(result["negative"], XmlRpcValue(INT_MIN));
    EXPECT_EQ(result["yes"], XmlRpcValue(true));
    EXPECT_EQ(result["no"], XmlRpcValue(false));
    EXPECT_EQ(result["double"], Double(2.5));
    EXPECT_EQ(result["tiny"], Double(1e-300));
    EXPECT_EQ(result["text"], XmlRpcValue("a<b & \"c\" 'd'"));
    EXPECT_EQ(result["empty"], XmlRpcValue(""));
    EXPECT_EQ(result["utf8"], XmlRpcValue("caf\xC3\xA9"));
    EXPECT_EQ(result["when"], Date(2026, 3, 15, 9, 30, 5));
    EXPECT_EQ(result["bytes"], XmlRpcValue("abc\0\xFF", 5));
    EXPECT_EQ(result["list"][1], XmlRpcValue("two"));
    EXPECT_EQ(result["list"][2][0], Double(3.0));
    EXPECT_EQ(result["list"][2][1], XmlRpcValue::MakeNil());
    EXPECT_EQ(result["nothing"], XmlRpcValue::MakeNil());
    EXPECT_EQ(result["emptylist"].Size(), 0);
    EXPECT_EQ(result["emptystruct"].GetKind(), XmlRpcValue::KindStruct);

    const struct {
        const wchar_t* file;
        int code;
        XmlRpcValue text;
    } faults[] = {
        {L"fault_string.xml", 1, XmlRpcValue("Wrong user name or password")},
        {L"fault_int.xml", 3, XmlRpcValue(42)},
        {L"fault_empty.xml", 2, XmlRpcValue("")},
    };
    for (const auto& fault : faults) {
        EXPECT_FALSE(XmlRpcReader::ReadMethodResponse(TestData(fault.file), result));
        EXPECT_EQ(result["faultCode"].AsInt(), fault.code);
        EXPECT_EQ(result["faultString"], fault.text);
    }
}

TEST(XmlRpcReaderTest, TellsWhatABodyThatIsNoResponseIs)
{
    const struct {
        const char* body;
        const char* error;
    } cases[] = {
        {"<?xml version=\"1.0\"?><html><head><title>Bad request!</title></head></html>",
         "Talking HTTP to a HTTPS server?"},
        {"<?xml version='1.0'?><html>Object ! found</html>", "Wrong URL (\"Object ! found\")"},
        {"<?xml version='1.0'?><other/>", "<?xml version='1.0'?><other/>"},
        {"<html><title>Bad request!</title></html>", "<html><title>Bad request!</title></html>"},
        {"Service down", "Service down"},
        {"<?xml version='1.0'?><methodResponse><params><value>x</value>", "Expecting tag: <param>"},
        {"<?xml version='1.0'?><methodResponse><fault><value>x</value></params>", "Expecting tag: </fault>"},
        {"<?xml version='1.0'?><methodResponse><params><param><value>x</value></param><params>",
         "Expecting tag: </params>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResponseError(c.body), c.error) << c.body;

    XmlRpcValue result;
    EXPECT_TRUE(XmlRpcReader::ReadMethodResponse(
        "<?XML VERSION='1.0'?><METHODRESPONSE>\n<params><param><value>x</value></param>\n</params></METHODRESPONSE>\n",
        result));
    EXPECT_EQ(result, XmlRpcValue("x"));
}

TEST(XmlRpcReaderTest, AReplyCutShortIsNoResult)
{
    const std::string whole = TestData(L"response_string.xml");
    const std::string fault = TestData(L"fault_string.xml");
    const struct {
        std::string body;
        const char* error;
    } cases[] = {
        {whole.substr(0, whole.find("</param>")), "Invalid XMLRPC response: the reply ends before </param>"},
        {whole.substr(0, whole.find("</params>")), "Invalid XMLRPC response: the reply ends before </params>"},
        {whole.substr(0, whole.find("</methodResponse>")),
         "Invalid XMLRPC response: the reply ends before </methodResponse>"},
        {fault.substr(0, fault.find("</fault>")), "Invalid XMLRPC response: the reply ends before </fault>"},
        {fault.substr(0, fault.find("</methodResponse>")),
         "Invalid XMLRPC response: the reply ends before </methodResponse>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResponseError(c.body), c.error) << c.body;
}
