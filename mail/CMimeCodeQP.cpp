#include "mail/CMimeCodeQP.h"

#include "mail/MimeChar.h"

namespace {

const size_t MaxLine = 75;
const char SoftBreak[] = "=\r\n";

bool IsAlphanumeric(unsigned char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
}

void AppendEscape(std::string& out, unsigned char ch)
{
    static const char digits[] = "0123456789ABCDEF";
    out.push_back('=');
    out.push_back(digits[ch >> 4]);
    out.push_back(digits[ch & 15]);
}

} // namespace

size_t CMimeCodeQP::GetEncodeLength() const
{
    size_t length = m_length;
    for (size_t i = 0; i < m_length; ++i)
        if (!IsAlphanumeric(Bytes()[i]))
            length += 2;
    return length + 6 * (length / 74) + 6;
}

std::string CMimeCodeQP::Encode() const
{
    const unsigned char* in = Bytes();
    const size_t n = m_length;
    std::string out;
    out.reserve(GetEncodeLength());
    size_t lineLength = 0;
    size_t breakPoint = std::string::npos; // just after a blank of the line
    for (size_t i = 0; i < n; ++i) {
        const unsigned char ch = in[i];
        bool escape;
        if (ch == ' ' || ch == '\t') {
            escape = i + 1 == n || (!m_binary && in[i + 1] == '\r');
        } else if (!m_binary && (ch == '\r' || ch == '\n')) {
            out.push_back(static_cast<char>(ch));
            lineLength = 0;
            breakPoint = std::string::npos;
            continue;
        } else {
            escape = ch < '!' || ch > '~' || ch == '=';
            // A lone "." line ends a message in some transports.
            if (!m_binary && ch == '.' && i >= 2 && in[i - 2] == '\r' && in[i - 1] == '\n' && i + 2 < n &&
                in[i + 1] == '\r' && in[i + 2] == '\n')
                escape = true;
        }
        const size_t width = escape ? 3 : 1;
        if (lineLength + width > MaxLine) {
            if (breakPoint != std::string::npos) {
                out.insert(breakPoint, SoftBreak);
                lineLength = out.size() - (breakPoint + 3);
            } else {
                out += SoftBreak;
                lineLength = 0;
            }
            breakPoint = std::string::npos;
        }
        if (escape)
            AppendEscape(out, ch);
        else
            out.push_back(static_cast<char>(ch));
        lineLength += width;
        if ((ch == ' ' || ch == '\t') && lineLength > width)
            breakPoint = out.size();
    }
    return out;
}

std::string CMimeCodeQP::Decode() const
{
    return DecodeText(m_input, m_length, false);
}

std::string CMimeCodeQP::DecodeText(const char* data, size_t length, bool underscoreIsSpace)
{
    const auto* in = reinterpret_cast<const unsigned char*>(data);
    std::string out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        const unsigned char ch = in[i];
        if (ch == '_' && underscoreIsSpace) {
            out.push_back(' ');
        } else if (ch != '=') {
            out.push_back(static_cast<char>(ch));
        } else if (i + 2 >= length) {
            break;
        } else if (in[i + 1] == '\r' && in[i + 2] == '\n') {
            i += 2; // soft line break
        } else if (in[i + 1] == '\n') {
            i += 1; // soft line break of a text with bare line feeds
        } else if (IsMimeHexDigit(in[i + 1])) {
            const int high = in[i + 1] <= '9' ? in[i + 1] - '0' : in[i + 1] - 55;
            const int low = (in[i + 2] <= '9' ? in[i + 2] - '0' : in[i + 2] - 55) & 15;
            out.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            out.push_back(static_cast<char>(in[i + 1]));
            i += 1;
        }
    }
    return out;
}
