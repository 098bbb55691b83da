#include <gtest/gtest.h>

#include <cstring>

#include "mail/MsgFileBuilder.h"
#include "mail/CompressedRtf.h"

namespace {

std::string Header(size_t bodySize, unsigned rawSize, const char* type)
{
    std::string header(16, '\0');
    const unsigned compressedSize = static_cast<unsigned>(bodySize + 12);
    memcpy(&header[0], &compressedSize, 4);
    memcpy(&header[4], &rawSize, 4);
    memcpy(&header[8], type, 4);
    return header;
}

// The text as literals only, then (when asked) the reference that ends the data.
std::string Literals(const std::string& text, unsigned rawSize, bool endMarker = true)
{
    std::string body;
    size_t next = 0;
    bool ended = !endMarker;
    while (next < text.size() || !ended) {
        const size_t control = body.size();
        body.push_back('\0');
        for (int bit = 0; bit < 8; ++bit) {
            if (next < text.size()) {
                body.push_back(text[next++]);
            } else if (!ended) {
                const unsigned position = (207 + text.size()) % 4096;
                body[control] = static_cast<char>(body[control] | (1 << bit));
                body.push_back(static_cast<char>(position >> 4));
                body.push_back(static_cast<char>((position & 15) << 4));
                ended = true;
                break;
            }
        }
    }
    return Header(body.size(), rawSize, "LZFu") + body;
}

} // namespace

TEST(CompressedRtfTest, Decompresses)
{
    struct Case {
        const char* what;
        std::string stream;
        std::string expected;
    } cases[] = {
        {"published example",
         Hex("2d0000002b0000004c5a4675f1c5c7a703000a007263706731323542320af32068656c090020627705b06c647d0a800fa0"),
         "{\\rtf1\\ansi\\ansicpg1252\\pard hello world}\r\n"},
        {"reference over its own output",
         Hex("1a0000001c0000004c5a4675e2d44b51410004205758595a0d6e7d010eb0"), "{\\rtf1 WXYZWXYZWXYZWXYZWXYZ}"},
        {"stops at the raw size", Literals("{\\rtf1 abcdef}", 5), "{\\rtf"},
        {"stops at the end marker", Literals("{\\rtf1 ab}", 50), "{\\rtf1 ab}"},
        {"data fields removed", Literals("{\\rtf1 a{\\*\\datafield 0102}b}", 30), "{\\rtf1 ab}"},
        {"uncompressed", Header(12, 12, "MELA") + "{\\rtf1 abc}x", "{\\rtf1 abc}x"},
        {"uncompressed, shorter raw size", Header(12, 5, "MELA") + "{\\rtf1 abc}x", "{\\rtf"},
        {"uncompressed, raw size beyond the data", Header(3, 4, "MELA") + "abc", "abc"},
        {"uncompressed keeps data fields", Header(19, 19, "MELA") + "{\\*\\datafield 1}ab}", "{\\*\\datafield 1}ab}"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecompressRtf(c.stream.data(), c.stream.size()), c.expected) << c.what;
}

TEST(CompressedRtfTest, RefusesStreamsThatDoNotFit)
{
    const std::string good = Literals("{\\rtf1 ab}", 10);
    std::string lyingSize = good;
    lyingSize[0] = static_cast<char>(lyingSize[0] + 1);
    std::string hugeRaw = good;
    memcpy(&hugeRaw[4], "\xFF\xFF\xFF\x7F", 4);
    std::string rawBeyondExpansion = good;
    const unsigned beyond = static_cast<unsigned>((good.size() - 16) * 8 + 1);
    memcpy(&rawBeyondExpansion[4], &beyond, 4);
    std::string unknownType = good;
    memcpy(&unknownType[8], "ABCD", 4);
    const std::string cases[] = {
        "",
        good.substr(0, 15),
        good.substr(0, good.size() - 1),
        lyingSize,
        hugeRaw,
        rawBeyondExpansion,
        unknownType,
    };
    for (const std::string& stream : cases)
        EXPECT_EQ(DecompressRtf(stream.data(), stream.size()), "") << stream.size();
    EXPECT_EQ(DecompressRtf(nullptr, 40), "");
}

TEST(CompressedRtfTest, StripsDataFields)
{
    const std::pair<std::string, std::string> cases[] = {
        {"a{\\*\\datafield 01}b", "ab"},
        {"{\\*\\datafield x}{\\*\\datafield y}z", "z"},
        {"a{\\*\\datafield never closed", "a"},
        {"{\\*\\datafiel}", "{\\*\\datafiel}"},
    };
    for (const auto& [rtf, expected] : cases) {
        std::string text = rtf;
        StripRtfDataFields(text);
        EXPECT_EQ(text, expected) << rtf;
    }
}
