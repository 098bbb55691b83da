#include "online/XmlRpcBase64.h"

namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kGroupsPerLine = 18;

int SextetOf(char ch)
{
    if (ch >= 'A' && ch <= 'Z')
        return ch - 'A';
    if (ch >= 'a' && ch <= 'z')
        return ch - 'a' + 26;
    if (ch >= '0' && ch <= '9')
        return ch - '0' + 52;
    if (ch == '+')
        return 62;
    if (ch == '/')
        return 63;
    return -1;
}
} // namespace

namespace XmlRpcBase64 {

std::string Encode(const std::vector<unsigned char>& bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4 + bytes.size() / 54 + 1);
    size_t groups = 0;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t left = bytes.size() - i;
        const unsigned triple = (unsigned(bytes[i]) << 16) | (left > 1 ? unsigned(bytes[i + 1]) << 8 : 0u) |
                                (left > 2 ? unsigned(bytes[i + 2]) : 0u);
        text += kAlphabet[(triple >> 18) & 63];
        text += kAlphabet[(triple >> 12) & 63];
        text += left > 1 ? kAlphabet[(triple >> 6) & 63] : '=';
        text += left > 2 ? kAlphabet[triple & 63] : '=';
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
        const int sextet = SextetOf(ch);
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
