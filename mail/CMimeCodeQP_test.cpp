#include <gtest/gtest.h>

#include "mail/CMimeCodeQP.h"

namespace {

std::string Code(const std::string& input, bool encode, bool binary = false)
{
    CMimeCodeQP coder;
    coder.SetBinary(binary);
    coder.SetInput(input.data(), input.size(), encode);
    const std::string output = coder.GetOutput();
    EXPECT_LE(output.size(), coder.GetOutputLength()) << input;
    return output;
}

} // namespace

TEST(CMimeCodeQPTest, Encodes)
{
    struct Case {
        std::string input;
        bool binary;
        std::string expected;
    } cases[] = {
        {"a=b", false, "a=3Db"},
        {"end ", false, "end=20"},
        {"tab\t", false, "tab=09"},
        {"x \r\ny", false, "x=20\r\ny"},
        {"caf\xE9", false, "caf=E9"},
        {"line\r\n.\r\nmore", false, "line\r\n=2E\r\nmore"},
        {"a\r\nb", true, "a=0D=0Ab"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Code(c.input, true, c.binary), c.expected) << c.input;

    // 80 letters: a soft break after 75 characters.
    EXPECT_EQ(Code(std::string(80, 'a'), true), std::string(75, 'a') + "=\r\n" + std::string(5, 'a'));
    // With a blank on the line, the break comes after it.
    const std::string words = std::string(40, 'a') + " " + std::string(40, 'b');
    EXPECT_EQ(Code(words, true), std::string(40, 'a') + " =\r\n" + std::string(40, 'b'));
}

TEST(CMimeCodeQPTest, Decodes)
{
    struct Case {
        std::string input;
        std::string expected;
    } cases[] = {
        {"a=3Db", "a=b"},
        {"caf=E9!", "caf\xE9!"},
        {"=4a=4A", "JJ"},           // the second digit is read by its low bits
        {"caf=e9!", "cafe9!"},      // the first one must be upper case
        {"soft=\r\nbreak", "softbreak"},
        {"bare=\nfeed", "barefeed"},
        {"odd=Xy", "oddXy"},
        {"cut=4", "cut"},
        {"cut=", "cut"},
        {"under_score", "under_score"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Code(c.input, false), c.expected) << c.input;
    EXPECT_EQ(CMimeCodeQP::DecodeText("Re:_Meeting", 11, true), "Re: Meeting");
}

TEST(CMimeCodeQPTest, RoundTrips)
{
    const std::string texts[] = {
        "Plain text with = signs, trailing blanks   \r\nand a second line.\t\r\n",
        std::string(300, 'x') + " " + std::string(10, '\xE4'),
        std::string("\0\x01\x7F\x80\xFF", 5),
    };
    for (const std::string& text : texts)
        EXPECT_EQ(Code(Code(text, true), false), text);
}
