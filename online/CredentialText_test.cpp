#include <gtest/gtest.h>

#include "online/CredentialText.h"

TEST(CredentialTextTest, EncodesTheUtf16BytesOnOneLine)
{
    const struct {
        const wchar_t* text;
        const char* base64;
    } cases[] = {
        {L"user", "dQBzAGUAcgA="},
        {L"\u00FC", "/AA="},
        {L"", ""},
        {L"\u20AC", "rCA="},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CredentialText::Encode(c.text), c.base64);
        EXPECT_EQ(CredentialText::Decode(c.base64), c.text);
    }
    const std::string longText = CredentialText::Encode(EString(60, L'x'));
    EXPECT_EQ(longText.size(), 160u);
    EXPECT_EQ(longText.find('\n'), std::string::npos);
}

TEST(CredentialTextTest, DecodingStaysWithinTheStoredBytes)
{
    const struct {
        std::vector<unsigned char> bytes;
        const wchar_t* text;
    } cases[] = {
        {{'s', 0, 'e', 0, 'c'}, L"se"},        // an odd byte is no character
        {{'a', 0, 0, 0, 'b', 0}, L"a"},        // a zero character ends the text
        {{'a', 0, 'b', 0}, L"ab"},             // no terminator stored
        {{}, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CredentialText::FromUtf16Bytes(c.bytes), c.text);
}
