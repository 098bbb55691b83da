#include "mail/CompressedRtf.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

const uint32_t TypeCompressed = 0x75465A4C;   // "LZFu"
const uint32_t TypeUncompressed = 0x414C454D; // "MELA"
const size_t HeaderSize = 16;
const size_t DictionarySize = 4096;
// A control byte and eight two-byte references give at most 8 x 17 bytes:
// a raw size beyond eight times the data cannot be honest.
const size_t MaxExpansion = 8;
const size_t MaxRawSize = 64 * 1024 * 1024;

const char InitialDictionary[] =
    "{\\rtf1\\ansi\\mac\\deff0\\deftab720{\\fonttbl;}{\\f0\\fnil \\froman \\fswiss \\fmodern \\fscript "
    "\\fdecor MS Sans SerifSymbolArialTimes New RomanCourier{\\colortbl\\red0\\green0\\blue0\r\n\\par "
    "\\pard\\plain\\f0\\fs20\\b\\i\\u\\tab\\tx";
static_assert(sizeof(InitialDictionary) - 1 == 207);

uint32_t ReadUint32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

std::string Decompress(const unsigned char* in, size_t inSize, size_t rawSize)
{
    std::string out;
    out.reserve(rawSize);
    unsigned char dictionary[DictionarySize] = {};
    const size_t initialSize = sizeof(InitialDictionary) - 1;
    std::memcpy(dictionary, InitialDictionary, initialSize);
    size_t write = initialSize;

    size_t pos = 0;
    while (pos < inSize && out.size() < rawSize) {
        const unsigned control = in[pos++];
        for (int bit = 0; bit < 8 && out.size() < rawSize; ++bit) {
            if (!(control & (1u << bit))) {
                if (pos >= inSize)
                    return out;
                const unsigned char ch = in[pos++];
                out.push_back(static_cast<char>(ch));
                dictionary[write] = ch;
                write = (write + 1) % DictionarySize;
                continue;
            }
            if (pos + 2 > inSize)
                return out;
            const unsigned token = (in[pos] << 8) | in[pos + 1];
            pos += 2;
            size_t offset = token >> 4;
            const size_t length = (token & 0xF) + 2;
            if (offset == write)
                return out; // the end marker
            // Byte by byte: a reference may overlap the bytes it writes.
            for (size_t i = 0; i < length && out.size() < rawSize; ++i) {
                const unsigned char ch = dictionary[offset];
                offset = (offset + 1) % DictionarySize;
                out.push_back(static_cast<char>(ch));
                dictionary[write] = ch;
                write = (write + 1) % DictionarySize;
            }
        }
    }
    return out;
}

} // namespace

std::string DecompressRtf(const char* data, size_t size)
{
    if (!data || size < HeaderSize)
        return {};
    const auto* header = reinterpret_cast<const unsigned char*>(data);
    const uint32_t compressedSize = ReadUint32(header);
    const uint32_t rawSize = ReadUint32(header + 4);
    const uint32_t type = ReadUint32(header + 8);
    if (static_cast<uint64_t>(compressedSize) + 4 != size)
        return {};
    const unsigned char* body = header + HeaderSize;
    const size_t bodySize = size - HeaderSize;

    // A raw size beyond the data is a writer's slip: the text there is stays readable.
    if (type == TypeUncompressed)
        return std::string(reinterpret_cast<const char*>(body), std::min<size_t>(rawSize, bodySize));
    if (type == TypeCompressed) {
        if (rawSize > MaxRawSize || rawSize > bodySize * MaxExpansion)
            return {};
        std::string rtf = Decompress(body, bodySize, rawSize);
        StripRtfDataFields(rtf);
        return rtf;
    }
    return {};
}

void StripRtfDataFields(std::string& rtf)
{
    static const std::string group = "{\\*\\datafield";
    size_t start = 0;
    while ((start = rtf.find(group, start)) != std::string::npos) {
        const size_t close = rtf.find('}', start + group.size());
        rtf.erase(start, close == std::string::npos ? std::string::npos : close + 1 - start);
    }
}
