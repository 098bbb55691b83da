#include "mail/CMimeCodeBase64.h"

#include "foundation/Base64Alphabet.h"
#include "mail/MimeChar.h"

namespace {
const size_t LineLength = 76;
} // namespace

size_t CMimeCodeBase64::GetEncodeLength() const
{
    const size_t length = (m_length + 2) / 3 * 4;
    return m_addLineBreak ? length + 2 * (length / LineLength) + 2 : length;
}

std::string CMimeCodeBase64::Encode() const
{
    std::string out;
    out.reserve(GetEncodeLength());
    const unsigned char* in = Bytes();
    size_t lineLength = 0;
    for (size_t i = 0; i < m_length; i += 3) {
        const size_t count = m_length - i < 3 ? m_length - i : 3;
        AppendBase64Group(out, in + i, count);
        lineLength += 4;
        if (m_addLineBreak && lineLength >= LineLength) {
            out += "\r\n";
            lineLength = 0;
        }
    }
    if (m_addLineBreak && lineLength > 0)
        out += "\r\n";
    return out;
}

std::string CMimeCodeBase64::Decode() const
{
    std::string out;
    out.reserve(GetDecodeLength());
    const unsigned char* in = Bytes();
    unsigned group = 0;
    int count = 0;
    for (size_t i = 0; i < m_length; ++i) {
        // Senders leave blanks at line ends; line breaks and blanks carry nothing.
        if (IsMimeSpace(in[i]))
            continue;
        const int value = Base64DigitValue(in[i]);
        if (value < 0)
            break;
        group = (group << 6) | static_cast<unsigned>(value);
        if (++count == 4) {
            out.push_back(static_cast<char>(group >> 16));
            out.push_back(static_cast<char>(group >> 8));
            out.push_back(static_cast<char>(group));
            group = 0;
            count = 0;
        }
    }
    if (count >= 2)
        out.push_back(static_cast<char>(group >> (6 * count - 8)));
    if (count == 3)
        out.push_back(static_cast<char>(group >> 2));
    return out;
}
