#include <gtest/gtest.h>

#include "mail/CMimeEncodedWord.h"

namespace {

std::string Decode(const std::string& input, std::string* charset = nullptr)
{
    CMimeEncodedWord coder;
    coder.SetInput(input.data(), input.size(), false);
    const std::string output = coder.GetOutput();
    EXPECT_LE(output.size(), coder.GetOutputLength()) << input;
    if (charset)
        *charset = coder.GetCharset();
    return output;
}

std::string Encode(const std::string& input, char letter, const std::string& charset)
{
    CMimeEncodedWord coder;
    coder.SetEncoding(letter, charset);
    coder.SetInput(input.data(), input.size(), true);
    return coder.GetOutput();
}

} // namespace

TEST(CMimeEncodedWordTest, Decodes)
{
    struct Case {
        std::string input;
        std::string expected;
        std::string charset;
    } cases[] = {
        {"=?UTF-8?Q?Re:_Meeting?=", "Re: Meeting", "UTF-8"},
        {"=?utf-8?q?Caf=C3=A9?=", "Caf\xC3\xA9", "utf-8"},
        {"=?ISO-8859-1?B?Q2Fm6Q==?=", "Caf\xE9", "ISO-8859-1"},
        {"=?UTF-8?B?YQ==?= \r\n =?UTF-8?B?Yg==?=", "ab", "UTF-8"},  // blanks between words vanish
        {"=?UTF-8?Q?a?= and =?UTF-8?Q?b?=", "a and b", "UTF-8"},       // other text stays
        {"Hello =?UTF-8?Q?W=C3=B6rld?= !", "Hello W\xC3\xB6rld !", "UTF-8"},
        {"plain text", "plain text", ""},
        {"=?broken", "=?broken", ""},
        {"=?UTF-8?X?what?=", "=?UTF-8?X?what?=", ""},
        {"=?UTF-8?Q?open ended", "open ended", "UTF-8"},
        {"=?A?Q?x?= =?B?Q?y?=", "xy", "A"},  // one code page: the first word's charset is kept
        {"=?iso-8859-1?Q?a?= =?ISO-8859-1?Q?=E9?=", "a\xE9", "iso-8859-1"},
        // Two charsets, or raw 8-bit text beside a word: each read in its own, all in UTF-8.
        {"=?ISO-8859-1?Q?=E9?= =?UTF-8?Q?=C3=A9?=", "\xC3\xA9\xC3\xA9", "UTF-8"},
        {"\xC3\xA9 =?ISO-8859-1?Q?=E9?=", "\xC3\xA9 \xC3\xA9", "UTF-8"},
        {"\xE9 =?ISO-8859-1?Q?=E9?=", "\xC3\xA9 \xC3\xA9", "UTF-8"},
    };
    for (const Case& c : cases) {
        std::string charset;
        EXPECT_EQ(Decode(c.input, &charset), c.expected) << c.input;
        EXPECT_EQ(charset, c.charset) << c.input;
    }
}

TEST(CMimeEncodedWordTest, EncodesAndReadsBack)
{
    const std::string text = "Gr\xC3\xBC\xC3\x9F" "e an alle, " + std::string(120, 'x') + " Ende";
    for (const char letter : {'B', 'Q'}) {
        const std::string encoded = Encode(text, letter, "UTF-8");
        EXPECT_EQ(encoded.find_first_of("\r\n"), std::string::npos);
        EXPECT_EQ(encoded.compare(0, 10, std::string("=?UTF-8?") + letter + "?"), 0) << encoded;
        size_t start = 0;
        // Every word fits the line limit of encoded words.
        for (size_t space = encoded.find(' '); ; space = encoded.find(' ', start)) {
            const size_t end = space == std::string::npos ? encoded.size() : space;
            EXPECT_LE(end - start, 75u) << letter;
            if (space == std::string::npos)
                break;
            start = space + 1;
        }
        EXPECT_EQ(Decode(encoded), text) << letter;
    }
    // A charset too long for the word budget still gives whole words.
    const std::string longCharset(80, 'c');
    for (const char letter : {'B', 'Q'})
        EXPECT_EQ(Decode(Encode(text, letter, longCharset)), text) << letter;
    EXPECT_EQ(Encode("same", 'B', ""), "same");
    EXPECT_EQ(Encode("", 'Q', "UTF-8"), "");
}
