#include <gtest/gtest.h>

#include "mail/CMimeCodeBase64.h"

namespace {

std::string Code(CMimeCodeBase& coder, const std::string& input, bool encode)
{
    coder.SetInput(input.data(), input.size(), encode);
    const std::string output = coder.GetOutput();
    EXPECT_LE(output.size(), coder.GetOutputLength()) << input;
    return output;
}

} // namespace

TEST(CMimeCodeBase64Test, Encodes)
{
    struct Case {
        std::string input;
        bool lineBreaks;
        std::string expected;
    } cases[] = {
        {"", true, ""},
        {"M", true, "TQ==\r\n"},
        {"Ma", false, "TWE="},
        {"Man", false, "TWFu"},
        {std::string("\0\xFF\xFE", 3), false, "AP/+"},
        {"\xFB\xFF", true, "+/8=\r\n"},
    };
    for (const Case& c : cases) {
        CMimeCodeBase64 coder;
        coder.SetAddLineBreak(c.lineBreaks);
        const std::string output = Code(coder, c.input, true);
        EXPECT_EQ(output, c.expected) << c.input;
    }

    CMimeCodeBase64 coder;
    // A line of exactly 76 characters gets one line end.
    std::string fullLine;
    for (int i = 0; i < 19; ++i)
        fullLine += "YWFh";
    EXPECT_EQ(Code(coder, std::string(57, 'a'), true), fullLine + "\r\n");
    const std::string longLine = Code(coder, std::string(100, 'z'), true);
    EXPECT_EQ(longLine.find("\r\n"), 76u);
    EXPECT_EQ(longLine.substr(longLine.size() - 2), "\r\n");
    coder.SetAddLineBreak(false);
    EXPECT_EQ(Code(coder, std::string(100, 'z'), true).find_first_of("\r\n"), std::string::npos);
}

TEST(CMimeCodeBase64Test, Decodes)
{
    struct Case {
        std::string input;
        std::string expected;
    } cases[] = {
        {"TWFu", "Man"},
        {"TW\r\nF\nu", "Man"},
        {"TWE=", "Ma"},
        {"TQ==", "M"},
        {"TWFu=TWFu", "Man"},   // stops at padding
        {"TWFu \t\r\nTWFu \r\n", "ManMan"},  // blanks at line ends are skipped
        {"TWFu!TWFu", "Man"},   // and stops at any other stranger
        {"TWFuT", "Man"},       // a lone last character completes nothing
        {"", ""},
    };
    for (const Case& c : cases) {
        CMimeCodeBase64 coder;
        EXPECT_EQ(Code(coder, c.input, false), c.expected) << c.input;
    }
}
