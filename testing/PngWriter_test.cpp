#include <gtest/gtest.h>

#include "testing/PngWriter.h"
#include "testing/TestSupport.h"

namespace {

std::uint32_t BigEndianAt(const std::string& bytes, size_t at)
{
    std::uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

} // namespace

TEST(PngWriterTest, ChecksumsMatchTheirKnownValues)
{
    struct Case {
        const char* text;
        std::uint32_t crc;
        std::uint32_t adler;
    } cases[] = {
        {"", 0x00000000u, 0x00000001u},
        {"123456789", 0xCBF43926u, 0x091E01DEu},
        {"Wikipedia", 0xADAAC02Eu, 0x11E60398u},
        {"IEND", 0xAE426082u, 0x02D70121u},
    };
    for (const Case& c : cases) {
        const size_t size = std::char_traits<char>::length(c.text);
        EXPECT_EQ(Crc32(c.text, size), c.crc) << c.text;
        EXPECT_EQ(Adler32(c.text, size), c.adler) << c.text;
    }
}

TEST(PngWriterTest, WritesChunksWithValidLengthsAndChecksums)
{
    // 300 x 100 RGB rows are larger than one stored deflate block (65535 bytes).
    const int width = 300, height = 100;
    std::vector<std::uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<std::uint8_t>(i * 7);
    const std::string png = EncodePng(width, height, rgb);
    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));

    std::vector<std::string> types;
    std::string idat;
    for (size_t at = 8; at < png.size();) {
        const std::uint32_t length = BigEndianAt(png, at);
        ASSERT_LE(at + 12 + length, png.size());
        const std::string type = png.substr(at + 4, 4);
        EXPECT_EQ(Crc32(png.data() + at + 4, 4 + length), BigEndianAt(png, at + 8 + length)) << type;
        if (type == "IDAT")
            idat = png.substr(at + 8, length);
        if (type == "IHDR") {
            EXPECT_EQ(BigEndianAt(png, at + 8), static_cast<std::uint32_t>(width));
            EXPECT_EQ(BigEndianAt(png, at + 12), static_cast<std::uint32_t>(height));
        }
        types.push_back(type);
        at += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));

    // Undo the stored blocks and compare with the filtered rows.
    std::string raw;
    size_t at = 2;
    bool last = false;
    while (!last) {
        last = idat[at] & 1;
        const size_t length = static_cast<std::uint8_t>(idat[at + 1]) | static_cast<std::uint8_t>(idat[at + 2]) << 8;
        const size_t inverse = static_cast<std::uint8_t>(idat[at + 3]) | static_cast<std::uint8_t>(idat[at + 4]) << 8;
        EXPECT_EQ(length ^ 0xFFFF, inverse);
        raw += idat.substr(at + 5, length);
        at += 5 + length;
    }
    ASSERT_EQ(raw.size(), static_cast<size_t>(height) * (width * 3 + 1));
    EXPECT_EQ(Adler32(raw.data(), raw.size()), BigEndianAt(idat, at));
    EXPECT_EQ(raw[0], '\0');
    EXPECT_EQ(static_cast<std::uint8_t>(raw[1 + 3]), rgb[3]);
    EXPECT_EQ(static_cast<std::uint8_t>(raw[(width * 3 + 1) * 99 + 1]), rgb[static_cast<size_t>(width) * 3 * 99]);
}

TEST(PngWriterTest, RefusesPixelsThatDoNotMatchTheSize)
{
    EXPECT_TRUE(EncodePng(2, 2, std::vector<std::uint8_t>(11)).empty());
    EXPECT_TRUE(EncodePng(0, 2, std::vector<std::uint8_t>()).empty());
    EXPECT_TRUE(EncodePng(-1, -1, std::vector<std::uint8_t>(3)).empty());
    EXPECT_FALSE(EncodePng(1, 1, std::vector<std::uint8_t>(3)).empty());
}
