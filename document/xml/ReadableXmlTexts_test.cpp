#include "document/xml/ReadableXmlTexts.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/TestSupport.h"

// Cut after one character more than the limit of 3, so what is read is still too long and told.
TEST(ReadableXmlTexts, CutsEachTextJustPastTheLimitAtAWholeCharacter)
{
    const struct {
        const char* name;
        std::wstring text;
        std::wstring kept;
    } cases[] = {
        {"texts and values at the limit", L"<A N=\"abc\">def</A>", L"<A N=\"abc\">def</A>"},
        {"a value", L"<A N=\"abcdef\" M='xyzuvw'/>", L"<A N=\"abcd\" M='xyzu'/>"},
        {"a text", L"<A>abcdef<B/>ghijkl</A>", L"<A>abcd<B/>ghij</A>"},
        {"a CDATA section, its \"&\" a character", L"<A><![CDATA[&amp;cdef]]></A>", L"<A><![CDATA[&amp]]></A>"},
        {"references count as their characters and stay whole", L"<A N=\"a&amp;&#x1F600;b\">&lt;&gt;&quot;&apos;x</A>",
         L"<A N=\"a&amp;&#x1F600;\">&lt;&gt;&quot;&apos;</A>"},
        {"a pair at the cut stays whole", L"<A>ab\xD83D\xDE00" L"cd</A>", L"<A>ab\xD83D\xDE00</A>"},
        {"a CR LF counts once", L"<A>a\r\nb\r\ncd</A>", L"<A>a\r\nb\r\n</A>"},
        {"a bare ampersand is a character", L"<A>a & b c</A>", L"<A>a & </A>"},
        {"comments and instructions stay", L"<A><!-- a long comment --><?p a long one?></A>",
         L"<A><!-- a long comment --><?p a long one?></A>"},
        {"a value with \">\" in it", L"<A N=\"a>bcdef\">x</A>", L"<A N=\"a>bc\">x</A>"},
        {"unclosed markup", L"<A N=\"abcdefg", L"<A N=\"abcd"},
    };
    for (const auto& c : cases) {
        std::wstring fitted;
        const std::wstring_view kept = ReadableXmlTexts(c.text, 3, fitted);
        EXPECT_EQ(std::wstring(kept), c.kept) << c.name;
        if (c.kept == c.text) {
            EXPECT_EQ(kept.data(), c.text.data()) << c.name << ": nothing is copied";
        }
    }
}
