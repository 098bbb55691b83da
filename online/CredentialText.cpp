#include "online/CredentialText.h"

#include <algorithm>

#include "online/XmlRpcBase64.h"

namespace CredentialText {

std::vector<unsigned char> ToUtf16Bytes(const EString& text)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(text.size() * 2);
    for (const wchar_t ch : text) {
        bytes.push_back(static_cast<unsigned char>(ch & 0xFF));
        bytes.push_back(static_cast<unsigned char>((ch >> 8) & 0xFF));
    }
    return bytes;
}

EString FromUtf16Bytes(const std::vector<unsigned char>& bytes)
{
    EString text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const wchar_t ch = static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
        if (ch == L'\0')
            break;
        text.push_back(ch);
    }
    return text;
}

std::string Encode(const EString& text)
{
    std::string base64 = XmlRpcBase64::Encode(ToUtf16Bytes(text));
    base64.erase(std::remove(base64.begin(), base64.end(), '\n'), base64.end());
    return base64;
}

EString Decode(std::string_view base64)
{
    return FromUtf16Bytes(XmlRpcBase64::Decode(base64));
}

} // namespace CredentialText
