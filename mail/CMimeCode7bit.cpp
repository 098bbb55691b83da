#include "mail/CMimeCode7bit.h"

#include "mail/MimeChar.h"

std::string CMimeCode7bit::Encode() const
{
    const unsigned char* in = Bytes();
    std::string out;
    out.reserve(GetEncodeLength());
    size_t lineLength = 0;
    size_t blank = std::string::npos;
    for (size_t i = 0; i < m_length; ++i) {
        const unsigned char ch = in[i];
        if (ch == '\r' || ch == '\n') {
            out.push_back(static_cast<char>(ch));
            lineLength = 0;
            blank = std::string::npos;
            continue;
        }
        if (lineLength > 75 && blank != std::string::npos) {
            // The blank begins the next line.
            out.insert(blank, "\r\n");
            lineLength = out.size() - (blank + 2);
            blank = std::string::npos;
        }
        out.push_back(static_cast<char>(ch));
        ++lineLength;
        if (IsMimeSpace(ch) && lineLength > 1)
            blank = out.size() - 1;
    }
    return out;
}
