#include <gtest/gtest.h>

#include "document/xml/XmlFileText.h"
#include "foundation/ComError.h"
#include "testing/TestSupport.h"

namespace {

struct DecodeCase {
    const char* name;
    std::string bytes;
    const wchar_t* text;
};

} // namespace

TEST(XmlFileTextTest, DecodesUtf8AndUtf16WithOrWithoutMark)
{
    using namespace std::string_literals;
    const DecodeCase cases[] = {
        {"UTF-8 as the program writes it", "<R N=\"Caf\xC3\xA9\"/>"s, L"<R N=\"Caf\u00E9\"/>"},
        {"UTF-8 with a mark", "\xEF\xBB\xBF<R/>"s, L"<R/>"},
        {"UTF-8 outside the BMP", "<R>\xF0\x9F\x98\x80</R>"s, L"<R>\U0001F600</R>"},
        {"UTF-16 LE with a mark", "\xFF\xFE<\0R\0\xE9\0/\0>\0"s, L"<R\u00E9/>"},
        {"UTF-16 BE with a mark", "\xFE\xFF\0<\0R\x20\xAC\0/\0>"s, L"<R\u20AC/>"},
        {"UTF-16 LE without a mark", "<\0R\0/\0>\0"s, L"<R/>"},
        {"UTF-16 BE without a mark", "\0<\0R\0/\0>"s, L"<R/>"},
        {"empty file", ""s, L""},
        {"mark only", "\xEF\xBB\xBF"s, L""},
        // Which the system's decoder under Wine refuses; a text from outside may hold them.
        {"UTF-8 of U+FFFE and U+FFFF beside others", "<R N=\"\xEF\xBF\xBE\xC3\xA9\xF0\x9F\x98\x80\">\xEF\xBF\xBF</R>"s,
         L"<R N=\"\xFFFE\u00E9\U0001F600\">\xFFFF</R>"},
    };
    for (const DecodeCase& c : cases)
        EXPECT_EQ(XmlFileText::Decode(c.bytes), c.text) << c.name;
}

TEST(XmlFileTextTest, RefusesBytesThatAreNoUnicodeText)
{
    using namespace std::string_literals;
    const std::pair<const char*, std::string> cases[] = {
        {"Latin-1 without a mark", "<R N=\"Caf\xE9\"/>"s},
        {"cut UTF-8 sequence", "<R>\xE6\x97</R>"s},
        {"overlong UTF-8", "<R>\xC0\xBC</R>"s},
        {"UTF-8 of a surrogate beside U+FFFF", "<R>\xEF\xBF\xBF\xED\xA0\x80</R>"s},
        {"UTF-8 cut short beside U+FFFF", "<R>\xEF\xBF\xBF\xF0\x9F\x98</R>"s},
        {"an overlong form beside U+FFFF", "<R>\xEF\xBF\xBF\xE0\x80\xBC</R>"s},
        {"odd UTF-16", "\xFF\xFE<\0R"s},
    };
    for (const auto& [name, bytes] : cases) {
        try {
            XmlFileText::Decode(bytes);
            ADD_FAILURE() << name << ": decoded";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Error(), HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION)) << name;
        }
    }
}

TEST(XmlFileTextTest, ReadsTheSameTextFromEveryEncoding)
{
    const EString expected = XmlFileText::Read(SourcePath(L"document/xml/testdata/utf8.qvr"));
    ASSERT_NE(expected.find(L"NAME=\"Caf\u00E9\""), EString::npos);
    EXPECT_EQ(XmlFileText::Read(SourcePath(L"document/xml/testdata/utf8_bom.qvr")), expected);
    EXPECT_EQ(XmlFileText::Read(SourcePath(L"document/xml/testdata/utf16be.qvr")), expected);
    EXPECT_EQ(XmlFileText::Read(SourcePath(L"document/xml/testdata/utf16le.qvr")),
              L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n" + expected);

    try {
        XmlFileText::Read(SourcePath(L"document/xml/testdata/missing.qvr"));
        FAIL() << "read a missing file";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Error(), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    }
}
