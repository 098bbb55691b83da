#include "testing/PngWriter.h"

#include <array>
#include <filesystem>
#include <fstream>


namespace {

const std::array<std::uint32_t, 256>& CrcTable()
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t = {};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void PutBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutChunk(std::string& out, const char type[4], const std::string& data)
{
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::string typed(type, 4);
    typed += data;
    out += typed;
    PutBigEndian(out, Crc32(typed.data(), typed.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string StoredZlib(const std::string& raw)
{
    std::string out = "\x78\x01";
    constexpr std::size_t kMaxBlock = 65535;
    std::size_t at = 0;
    do {
        const std::size_t length = std::min(kMaxBlock, raw.size() - at);
        const bool last = at + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<char>(length & 0xFF));
        out.push_back(static_cast<char>(length >> 8));
        out.push_back(static_cast<char>(~length & 0xFF));
        out.push_back(static_cast<char>((~length >> 8) & 0xFF));
        out.append(raw, at, length);
        at += length;
    } while (at < raw.size());
    PutBigEndian(out, Adler32(raw.data(), raw.size()));
    return out;
}

} // namespace

std::uint32_t Crc32(const void* data, std::size_t size, std::uint32_t crc)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i)
        crc = CrcTable()[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::uint32_t a = 1, b = 0;
    for (std::size_t i = 0; i < size; ++i) {
        a = (a + bytes[i]) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb)
{
    if (width <= 0 || height <= 0 || rgb.size() != static_cast<std::size_t>(width) * height * 3)
        return std::string();
    std::string header;
    PutBigEndian(header, static_cast<std::uint32_t>(width));
    PutBigEndian(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter, no interlace

    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    std::string raw;
    raw.reserve((rowBytes + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back('\0'); // filter: none
        raw.append(reinterpret_cast<const char*>(rgb.data()) + y * rowBytes, rowBytes);
    }

    std::string png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", std::string());
    return png;
}

bool WritePng(const EString& path, int width, int height, const std::vector<std::uint8_t>& rgb)
{
    const std::string png = EncodePng(width, height, rgb);
    if (png.empty())
        return false;
    std::ofstream file(std::filesystem::path(path.c_str()), std::ios::binary | std::ios::trunc);
    file.write(png.data(), static_cast<std::streamsize>(png.size()));
    file.close();
    return !file.fail();
}
