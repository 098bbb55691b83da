#include <gtest/gtest.h>

#include "online/XmlRpcBase64.h"

namespace {
std::vector<unsigned char> Bytes(std::string_view text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}
} // namespace

TEST(XmlRpcBase64Test, EncodesWithPaddingAndLineBreaks)
{
    EXPECT_EQ(XmlRpcBase64::Encode(Bytes("")), "");
    EXPECT_EQ(XmlRpcBase64::Encode(Bytes("a")), "YQ==");
    EXPECT_EQ(XmlRpcBase64::Encode(Bytes("ab")), "YWI=");
    EXPECT_EQ(XmlRpcBase64::Encode(Bytes("abc")), "YWJj");
    EXPECT_EQ(XmlRpcBase64::Encode({0xFB, 0xFF, 0xBF}), "+/+/");

    const std::string full = XmlRpcBase64::Encode(std::vector<unsigned char>(54, 'x'));
    EXPECT_EQ(full.size(), 73u);
    EXPECT_EQ(full.back(), '\n');
    const std::string longer = XmlRpcBase64::Encode(std::vector<unsigned char>(56, 'x'));
    EXPECT_EQ(longer.find('\n'), 72u);
    EXPECT_EQ(longer.size(), 77u);
    EXPECT_EQ(XmlRpcBase64::Encode(std::vector<unsigned char>(53, 'x')).find('\n'), std::string::npos);
}

TEST(XmlRpcBase64Test, DecodesLeniently)
{
    struct Case {
        const char* text;
        const char* bytes;
    } cases[] = {
        {"YWJj", "abc"},
        {"YWI=", "ab"},
        {"YQ==", "a"},
        {"\nYW\r\nJj ZA==\n", "abcd"},
        {"YQ==YWJj", "a"},
        {"YWJjZA", "abcd"},
        {"Y", ""},
        {"*#!", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(XmlRpcBase64::Decode(c.text), Bytes(c.bytes)) << c.text;

    std::vector<unsigned char> all(256);
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<unsigned char>(i);
    EXPECT_EQ(XmlRpcBase64::Decode(XmlRpcBase64::Encode(all)), all);
}
