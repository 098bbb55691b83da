#include "mail/PropertyStream.h"

#include "foundation/CTFile.h"

DWORD PropertyTagOfStreamName(const wchar_t* name)
{
    const size_t length = name ? wcslen(name) : 0;
    if (length <= 8)
        return 0;
    DWORD tag = 0;
    for (const wchar_t* p = name + length - 8; *p; ++p) {
        int digit = -1;
        if (*p >= L'0' && *p <= L'9')
            digit = *p - L'0';
        else if (*p >= L'A' && *p <= L'F')
            digit = *p - L'A' + 10;
        else if (*p >= L'a' && *p <= L'f')
            digit = *p - L'a' + 10;
        if (digit < 0)
            return 0;
        tag = tag * 16 + static_cast<DWORD>(digit);
    }
    return tag;
}

std::string ReadStreamWhole(IStream* stream, size_t limit)
{
    std::string bytes;
    char chunk[1024];
    while (bytes.size() < limit) {
        const size_t wanted = limit - bytes.size() < sizeof(chunk) ? limit - bytes.size() : sizeof(chunk);
        ULONG read = 0;
        if (FAILED(stream->Read(chunk, static_cast<ULONG>(wanted), &read)) || read == 0)
            break;
        bytes.append(chunk, read < wanted ? read : wanted);
    }
    return bytes;
}

EString PropertyText(const std::string& bytes, WORD type)
{
    if (type == PropertyTypeUnicode) {
        EString text;
        text.reserve(bytes.size() / 2);
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            const wchar_t ch = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                                    (static_cast<unsigned char>(bytes[i + 1]) << 8));
            if (!ch)
                break;
            text.push_back(ch);
        }
        return text;
    }
    const size_t end = bytes.find('\0');
    return AnsiToWide(bytes.data(), end == std::string::npos ? bytes.size() : end);
}

EString HexText(const std::string& bytes)
{
    static const wchar_t digits[] = L"0123456789abcdef";
    EString text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text.push_back(digits[value >> 4]);
        text.push_back(digits[value & 15]);
    }
    return text;
}
