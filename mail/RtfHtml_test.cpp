#include <gtest/gtest.h>

#include "mail/RtfHtml.h"

TEST(RtfHtmlTest, ExtractsHtml)
{
    const std::pair<std::string, std::string> cases[] = {
        {"{\\rtf1 junk{\\*\\htmltag64 <p>}x\\par y\\pard z}", "<p>x\r\ny\\pard z"},
        {"{\\*\\htmltag4 a}\\tab b\\tabx", "a   b\\tabx"},
        {"{\\*\\htmltag4 \\li720 \\fi-360 \\fi360 x\\lin3}", "x\\lin3"},
        {"{\\*\\htmltag4 caf\\'e9 \\'zz}", "caf\xE9 \\'zz"},
        {"{\\*\\htmltag4 a\\{b\\}c\\\\par}", "a{b}c\\par"},
        {"{\\*\\htmltag4 x}{\\pntext 1.}y", "xy"},
        {"{\\*\\htmltag4 a}\\htmlrtf {\\b b}\\htmlrtf0 c", "ac"},
        {"{\\*\\htmltag4 a}\\htmlrtf1 b\\htmlrtf01 c\\htmlrtf0 d", "ad"},
        {"{\\*\\htmltag4 a}\\htmlrtf0 b", "ab"},
        {"{\\*\\htmltag4 a}\\htmlrtf never closed", "a"},
        {"{\\*\\htmltag0 }{\\*\\mhtmltag84 <img src=\"cid:1\">}{\\*\\htmltag84 <img src=\"x.jpg\">}<br>", "<img src=\"cid:1\"><br>"},
        {"{\\*\\htmltag0 }{\\*\\mhtmltag84 <a>}{\\*\\htmltag85 <b>}", "<a><b>"},
        {"{\\*\\htmltag4 a\r\nb}", "ab"},
        {"{\\rtf1\\fromhtml1 no tags}", ""},
        // Cut short anywhere: nothing is read past the end.
        {"{\\*\\htmltag4 a\\'e", "a\\'e"},
        {"{\\*\\htmltag4 a\\", "a\\"},
        {"{\\*\\htmltag4 a\\pntext", "a"},
        {"{\\*\\mhtmltag", ""},
        {"{\\*\\htmltag99999999999999999999 x", "x"},
    };
    for (const auto& [rtf, html] : cases)
        EXPECT_EQ(ExtractHtmlFromRtf(rtf), html) << rtf;
}

TEST(RtfHtmlTest, TellsHtmlFromOtherRtf)
{
    const std::pair<std::string, bool> cases[] = {
        {"{\\rtf1\\ansi\\fromhtml1 x}", true},
        {"{\\rtf1\\fromtext x}", false},
        {"{\\rtf1\\fromtext \\fromhtml1}", false},
        {"{\\rtf1\\fromhtm}", false},
        {"", false},
    };
    for (const auto& [rtf, fromHtml] : cases)
        EXPECT_EQ(IsRtfFromHtml(rtf), fromHtml) << rtf;
}
