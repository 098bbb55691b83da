#include "document/xml/XmlWellFormed.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "document/xml/XmlDoc.h"
#include "foundation/CTFile.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "testing/TestSupport.h"

namespace {

struct ByteCase {
    std::string name;
    std::string bytes;
    bool readable;
};

std::string Nested(size_t depth)
{
    std::string text;
    for (size_t i = 0; i < depth; ++i)
        text += "<C>";
    for (size_t i = 0; i < depth; ++i)
        text += "</C>";
    return text;
}

std::vector<ByteCase> Cases()
{
    std::vector<ByteCase> cases = {
        {"tabs, line ends and a text", "<ROOT>\t\r\n one\ttwo\r\n</ROOT>", true},
        {"astral and other UTF-8 in names, values and texts",
         "<ROOT N\xC3\x84=\"\xF0\x9F\x98\x80\xEF\xBF\xBD\xEE\x80\x80\">\xF0\x90\x80\x80\xE2\x82\xAC"
         "\xF4\x8F\xBF\xBD</ROOT>",
         true},
        {"byte order mark, declaration, comment, CDATA, PI and references",
         "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- kept --><ROOT a='1' b=\"&lt;&amp;&#x1F600;&#65;\">"
         "<![CDATA[<x>]]]]><?pi data?>&gt;&quot;&apos;</ROOT>\n",
         true},
        {"elements as deep as the reader goes", Nested(kDeepestReadableElement), true},
        {"an escape character in a text", "<ROOT>a\x1B" "b</ROOT>", false},
        {"an escape character in a value", "<ROOT N=\"a\x1B\"/>", false},
        {"U+FFFE", "<ROOT>\xEF\xBF\xBE</ROOT>", false},
        {"U+FFFF", "<ROOT N=\"\xEF\xBF\xBF\"/>", false},
        {"an unpaired high surrogate", "<ROOT>\xED\xA0\x80</ROOT>", false},
        {"an unpaired low surrogate", "<ROOT>\xED\xB0\x80</ROOT>", false},
        {"an overlong two-byte form", "<ROOT>\xC0\xBC</ROOT>", false},
        {"an overlong three-byte form", "<ROOT>\xE0\x80\xBC</ROOT>", false},
        {"an overlong four-byte form", "<ROOT>\xF0\x80\x80\xBC</ROOT>", false},
        {"beyond U+10FFFF", "<ROOT>\xF4\x90\x80\x80</ROOT>", false},
        {"a multi-byte sequence cut short", "<ROOT>\xE2\x82</ROOT>", false},
        {"a multi-byte sequence cut short by the end", "<ROOT/>\xF0\x9F\x98", false},
        {"a lone continuation byte", "<ROOT>\x80</ROOT>", false},
        {"a byte never in UTF-8", "<ROOT>\xFF</ROOT>", false},
        {"Latin-1 instead of UTF-8", "<ROOT>caf\xE9</ROOT>", false},
        {"an empty file", "", false},
        {"blanks only", " \r\n\t", false},
        {"cut inside a tag", "<ROOT><TASK ID=\"1\" NA", false},
        {"cut inside a value", "<ROOT><TASK ID=\"1", false},
        {"cut between elements", "<ROOT><CATEGORY><TASK/>", false},
        {"cut inside a comment", "<ROOT><!-- a", false},
        {"a reference to an escape character", "<ROOT>&#27;</ROOT>", false},
        {"a hexadecimal reference to an escape character", "<ROOT N=\"&#x1B;\"/>", false},
        {"a reference to NUL", "<ROOT>&#0;</ROOT>", false},
        {"a reference to U+FFFE", "<ROOT>&#xFFFE;</ROOT>", false},
        {"a reference to a surrogate", "<ROOT>&#xD800;</ROOT>", false},
        {"a reference beyond U+10FFFF", "<ROOT>&#x110000;</ROOT>", false},
        {"a reference of many digits", "<ROOT>&#99999999999999999999;</ROOT>", false},
        {"an entity that is not defined", "<ROOT>&nbsp;</ROOT>", false},
        {"a bare ampersand", "<ROOT>a & b</ROOT>", false},
        {"elements deeper than the reader goes", Nested(kDeepestReadableElement + 2), false},
        {"a document type", "<!DOCTYPE ROOT><ROOT/>", false},
        {"an end tag of another name", "<ROOT><A></B></ROOT>", false},
        {"an attribute twice", "<ROOT A=\"1\" B=\"2\" A=\"3\"/>", false},
        {"an attribute without a value", "<ROOT A/>", false},
        {"\"--\" in a comment", "<ROOT><!-- a -- b --></ROOT>", false},
        {"\"]]>\" in a text", "<ROOT>a]]>b</ROOT>", false},
        {"\"<\" in a value", "<ROOT A=\"<\"/>", false},
        {"a second document element", "<ROOT/><ROOT/>", false},
        {"text after the document element", "<ROOT/>x", false},
        {"a name that starts with a digit", "<1ROOT/>", false},
        {"a declaration after the start", "<ROOT/><?xml version=\"1.0\"?>", false},
    };
    // Every C0 control character but tab, line feed and carriage return.
    for (int ch = 0; ch < 0x20; ++ch)
        if (ch != '\t' && ch != '\n' && ch != '\r')
            cases.push_back({"control character " + std::to_string(ch),
                             std::string("<ROOT>") + static_cast<char>(ch) + "</ROOT>", false});
    // Wherever it falls in a run of plain text, and a character of more bytes too.
    for (size_t run = 0; run <= 17; ++run) {
        cases.push_back({"an escape character after " + std::to_string(run) + " letters",
                         "<ROOT>" + std::string(run, 'x') + "\x1B</ROOT>", false});
        cases.push_back({"a euro sign after " + std::to_string(run) + " letters",
                         "<ROOT>" + std::string(run, 'x') + "\xE2\x82\xAC</ROOT>", true});
    }
    return cases;
}

bool ReaderTakes(const EString& path)
{
    try {
        XmlDoc::ParseFile(path, false);
        return true;
    } catch (const ComError&) {
        return false;
    }
}

} // namespace

// The check refuses what the program's own reader refuses, and takes what it takes.
TEST(XmlWellFormed, RefusesExactlyWhatTheReaderRefuses)
{
    const EString file = FileSystem::JoinPath(MakeScratchFolder(L"wellformed"), L"case.qvr");
    for (const ByteCase& c : Cases()) {
        const std::optional<XmlFault> fault = FindXmlFault(c.bytes);
        EXPECT_EQ(!fault, c.readable) << c.name << (fault ? ": " + WideToAnsi(fault->reason) : std::string());
        if (fault) {
            EXPECT_LE(fault->offset, c.bytes.size()) << c.name;
            EXPECT_FALSE(fault->reason.IsEmpty()) << c.name;
        }
        WriteFileBytes(file, c.bytes);
        EXPECT_EQ(ReaderTakes(file), c.readable) << c.name << ": the reader";
    }
}

namespace {

std::string Repeated(std::string_view unit, size_t count)
{
    std::string text;
    text.reserve(unit.size() * count);
    for (size_t i = 0; i < count; ++i)
        text += unit;
    return text;
}

// A plan's file with this among its records and a last element. (The
// reader under Wine may refuse a token of megabytes in the last few hundred
// bytes of a file: a plan ends with its properties, and the check does not
// follow the reader that far.)
std::string Around(const std::string& inner)
{
    const std::string records = Repeated("<TASK ID=\"1\" NAME=\"A task\"><DESCRIPTION>Text</DESCRIPTION></TASK>", 50);
    return "<ROOT>" + records + inner + records + "<END/></ROOT>";
}

// The reader itself, as it takes a plan's bytes, and whether it kept the
// whole document: it may take a text too long by dropping all that follows.
bool MsxmlKeepsWhole(const std::string& bytes)
{
    XmlDocument document = XmlDoc::CreateDocument(false);
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    ::SafeArrayAccessData(array, &data);
    std::memcpy(data, bytes.data(), bytes.size());
    ::SafeArrayUnaccessData(array);
    VARIANT source;
    ::VariantInit(&source);
    source.vt = VT_ARRAY | VT_UI1;
    source.parray = array;
    VARIANT_BOOL parsed = VARIANT_FALSE;
    const HRESULT hr = document.Get()->load(source, &parsed);
    ::SafeArrayDestroy(array);
    return SUCCEEDED(hr) && parsed == VARIANT_TRUE && document.SelectSingleNode(L"/ROOT/END");
}

} // namespace

// At each limit and one past it, measured with the reader under Wine.
TEST(XmlWellFormed, RefusesTextsLongerThanTheReaderTakes)
{
    constexpr size_t kLimit = kLongestReadableText;
    const std::string cjk = "\xE4\xB8\x80";
    const struct {
        const char* name;
        std::function<std::string()> bytes;
        bool readable;
    } cases[] = {
        {"a value at the limit", [] { return Around("<T A=\"" + std::string(kLimit, 'x') + "\"/>"); }, true},
        {"a value past it", [] { return Around("<T A=\"" + std::string(kLimit + 1, 'x') + "\"/>"); }, false},
        {"a value of ampersands, five bytes each, at the limit",
         [] { return Around("<T A=\"" + Repeated("&amp;", kLimit / 5) + "\"/>"); }, true},
        {"a value of ampersands past it", [] { return Around("<T A=\"" + Repeated("&amp;", kLimit / 5 + 1) + "\"/>"); },
         false},
        {"a value of \"&lt;\", one byte each, longer in the file",
         [] { return Around("<T A=\"" + Repeated("&lt;", kLimit / 4 + 1) + "\"/>"); }, true},
        {"a value of three-byte characters at the limit",
         [&] { return Around("<T A=\"" + Repeated(cjk, kLimit / 3) + "\"/>"); }, true},
        {"a value of three-byte characters past it",
         [&] { return Around("<T A=\"" + Repeated(cjk, kLimit / 3 + 1) + "\"/>"); }, false},
        {"a text with a reference at the limit",
         [] { return Around("<D>" + std::string(kLimit - 1, 'x') + "&amp;</D>"); }, true},
        {"a text with a reference past it", [] { return Around("<D>" + std::string(kLimit, 'x') + "&amp;</D>"); },
         false},
        {"a text of three-byte characters at the limit", [&] { return Around("<D>" + Repeated(cjk, kLimit / 3) + "</D>"); },
         true},
        {"a text of three-byte characters past it",
         [&] { return Around("<D>" + Repeated(cjk, kLimit / 3 + 1) + "</D>"); }, false},
        {"two texts with a comment between, each under it",
         [] { return Around("<D>" + std::string(6000000, 'x') + "<!---->" + std::string(6000000, 'y') + "&amp;</D>"); },
         true},
        {"two texts with a CDATA section between",
         [] {
             return Around("<D>" + std::string(6000000, 'x') + "<![CDATA[c]]>" + std::string(6000000, 'y') + "&amp;</D>");
         },
         true},
        {"a CDATA section at the limit", [] { return Around("<D><![CDATA[" + std::string(kLimit, 'x') + "]]></D>"); },
         true},
        {"a CDATA section past it", [] { return Around("<D><![CDATA[" + std::string(kLimit + 1, 'x') + "]]></D>"); },
         false},
        {"a comment at the limit", [] { return Around("<!--" + std::string(kLimit, 'x') + "-->"); }, true},
        {"a comment past it", [] { return Around("<!--" + std::string(kLimit + 1, 'x') + "-->"); }, false},
        {"a processing instruction at the limit", [] { return Around("<?p " + std::string(kLimit, 'x') + "?>"); },
         true},
        {"a processing instruction past it", [] { return Around("<?p " + std::string(kLimit + 1, 'x') + "?>"); },
         false},
        {"an element's name at the limit", [] { return Around("<" + std::string(kLongestReadableName, 'e') + "/>"); },
         true},
        {"an element's name past it", [] { return Around("<" + std::string(kLongestReadableName + 1, 'e') + "/>"); },
         false},
        {"an attribute's name past it",
         [] { return Around("<T " + std::string(kLongestReadableName + 1, 'a') + "=\"1\"/>"); }, false},
    };
    for (const auto& c : cases) {
        const std::string bytes = c.bytes();
        const std::optional<XmlFault> fault = FindXmlFault(bytes);
        EXPECT_EQ(!fault, c.readable) << c.name << (fault ? ": " + WideToAnsi(fault->reason) : std::string());
        if (fault) {
            EXPECT_TRUE(fault->tooLong) << c.name;
        }
        EXPECT_EQ(MsxmlKeepsWhole(bytes), c.readable) << c.name << ": the reader";
    }
    // Letters only, which the reader happens to take in one piece at any
    // length: refused as well, no reader being counted on for that.
    EXPECT_TRUE(FindXmlFault(Around("<D>" + std::string(kLimit + 1, 'x') + "</D>")));
}

TEST(XmlWellFormed, ATextTooLongIsToldWithTheRecordThatHoldsIt)
{
    const std::string huge(kLongestReadableText + 1, 'x');
    const struct {
        const char* name;
        std::string bytes;
        const wchar_t* told;
    } cases[] = {
        {"a task's name", "<ROOT><TASK ID=\"1\" NAME=\"" + huge + "\"/></ROOT>",
         L"the task \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" holds a text too long to be read back: "
         L"10,000,001 bytes, where the XML reader takes 10,000,000"},
        {"a task's description", "<ROOT><CATEGORY NAME=\"Home\"><TASK NAME=\"Fish &amp; chips\">"
                                 "<DESCRIPTION>" + huge + "</DESCRIPTION></TASK></CATEGORY></ROOT>",
         L"the task \"Fish & chips\" holds"},
        {"a value before the name", "<ROOT><TASK COLOR=\"" + huge + "\" NAME=\"Later&#10;named\"/></ROOT>",
         L"the task \"Later named\" holds"},
        {"a plan entry's comment",
         "<ROOT><DAILY><DAY><PLANENTRY TASKID=\"1\"><DESCRIPTION>" + huge + "</DESCRIPTION></PLANENTRY></DAY></DAILY></ROOT>",
         L"a plan entry holds"},
        {"the properties' title", "<ROOT><PROPERTIES TITLE=\"" + huge + "\"/></ROOT>",
         L"the element \"PROPERTIES\" holds"},
    };
    for (const auto& c : cases) {
        const std::optional<XmlFault> fault = FindXmlFault(c.bytes);
        ASSERT_TRUE(fault) << c.name;
        EXPECT_TRUE(fault->reason.starts_with(c.told)) << c.name << ": " << WideToAnsi(fault->reason);
    }
}
