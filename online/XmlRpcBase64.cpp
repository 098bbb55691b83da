#include "online/XmlRpcBase64.h"

#include "foundation/Base64Alphabet.h"

namespace {
constexpr size_t kGroupsPerLine = 18;
} // namespace

namespace XmlRpcBase64 {

std::string Encode(const std::vector<unsigned char>& bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4 + bytes.size() / 54 + 1);
    size_t groups = 0;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t left = bytes.size() - i;
        AppendBase64Group(text, bytes.data() + i, left < 3 ? left : 3);
        if (left >= 3 && ++groups == kGroupsPerLine) {
            text += '\n';
            groups = 0;
        }
    }
    return text;
}

std::vector<unsigned char> Decode(std::string_view text)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(text.size() / 4 * 3 + 3);
    unsigned bits = 0;
    int bitCount = 0;
    for (const char ch : text) {
        if (ch == '=')
            break;
        const int sextet = Base64DigitValue(static_cast<unsigned char>(ch));
        if (sextet < 0)
            continue;
        bits = ((bits << 6) | unsigned(sextet)) & 0xFFFFFF;
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            bytes.push_back(static_cast<unsigned char>(bits >> bitCount));
        }
    }
    return bytes;
}

} // namespace XmlRpcBase64
