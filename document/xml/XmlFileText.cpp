#include "document/xml/XmlFileText.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "foundation/ComError.h"
#include "foundation/UniqueHandle.h"

namespace {

// Far beyond any plan; a bigger file is refused rather than read into memory.
constexpr LONGLONG kLargestFile = 1LL << 30;

const HRESULT kNotText = HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION);

Bstr AllocateText(size_t length)
{
    if (length > 0x3FFFFFFF)
        ThrowComError(HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE), L"The file is too large.");
    Bstr text;
    text.Attach(::SysAllocStringLen(nullptr, static_cast<UINT>(length)));
    if (!text)
        ThrowComError(E_OUTOFMEMORY);
    return text;
}

// Every well-formed sequence, U+FFFE and U+FFFF too, which the system's
// decoder under Wine refuses: a script's output or a hand-made file may hold
// them, and they are left out of a text from outside before its parse.
// False for bytes that are no UTF-8 (overlong forms, surrogates, cut short).
bool DecodeUtf8(const char* data, size_t size, std::wstring& text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    text.reserve(size);
    for (size_t i = 0; i < size;) {
        const unsigned char lead = bytes[i];
        size_t length = 0;
        char32_t ch = 0;
        if (lead < 0x80)
            length = 1, ch = lead;
        else if (lead >= 0xC2 && lead <= 0xDF)
            length = 2, ch = lead & 0x1F;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3, ch = lead & 0x0F;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4, ch = lead & 0x07;
        else
            return false;
        if (i + length > size)
            return false;
        for (size_t k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                return false;
            ch = (ch << 6) | (bytes[i + k] & 0x3F);
        }
        if ((length == 3 && ch < 0x800) || (length == 4 && ch < 0x10000) || (ch >= 0xD800 && ch <= 0xDFFF) ||
            ch > 0x10FFFF)
            return false;
        if (ch < 0x10000) {
            text += static_cast<wchar_t>(ch);
        } else {
            text += static_cast<wchar_t>(0xD800 + ((ch - 0x10000) >> 10));
            text += static_cast<wchar_t>(0xDC00 + ((ch - 0x10000) & 0x3FF));
        }
        i += length;
    }
    return true;
}

Bstr FromUtf8(const char* data, size_t size)
{
    if (size == 0)
        return AllocateText(0);
    if (size > 0x7FFFFFFF)
        ThrowComError(HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE), L"The file is too large.");
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, data, static_cast<int>(size), nullptr, 0);
    if (length <= 0) {
        std::wstring decoded;
        if (!DecodeUtf8(data, size, decoded))
            ThrowComError(kNotText, L"The file is neither UTF-8 nor UTF-16 text.");
        Bstr text = AllocateText(decoded.size());
        std::copy(decoded.begin(), decoded.end(), text.Get());
        return text;
    }
    Bstr text = AllocateText(static_cast<size_t>(length));
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, data, static_cast<int>(size), text.Get(), length);
    return text;
}

Bstr FromUtf16(const char* data, size_t size, bool bigEndian)
{
    if (size % 2 != 0)
        ThrowComError(kNotText, L"The UTF-16 file ends in half a character.");
    Bstr text = AllocateText(size / 2);
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    wchar_t* out = text.Get();
    for (size_t i = 0; i < size / 2; ++i) {
        const unsigned first = bytes[2 * i], second = bytes[2 * i + 1];
        out[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return text;
}

bool StartsWith(std::string_view bytes, const char* prefix, size_t length)
{
    return bytes.substr(0, length) == std::string_view(prefix, length);
}

// An encoding the text declares would be honoured when MSXML reads bytes, and
// ignored when it reads the decoded text.
bool DeclaresEncoding(std::string_view bytes)
{
    if (!bytes.starts_with("<?xml"))
        return false;
    return bytes.substr(0, bytes.find("?>")).find("encoding") != std::string_view::npos;
}

} // namespace

EString XmlFileText::Decode(const std::string& bytes)
{
    return DecodeToBstr(bytes).ToString();
}

Bstr XmlFileText::DecodeToBstr(std::string_view bytes)
{
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3))
        return FromUtf8(bytes.data() + 3, bytes.size() - 3);
    if (StartsWith(bytes, "\xFF\xFE", 2))
        return FromUtf16(bytes.data() + 2, bytes.size() - 2, false);
    if (StartsWith(bytes, "\xFE\xFF", 2))
        return FromUtf16(bytes.data() + 2, bytes.size() - 2, true);
    if (StartsWith(bytes, "<\0", 2))
        return FromUtf16(bytes.data(), bytes.size(), false);
    if (StartsWith(bytes, "\0<", 2))
        return FromUtf16(bytes.data(), bytes.size(), true);
    return FromUtf8(bytes.data(), bytes.size());
}

std::optional<std::string_view> XmlFileText::PlainUtf8(std::string_view bytes)
{
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3))
        bytes.remove_prefix(3);
    if (bytes.empty() || bytes.size() > 0x7FFFFFFF || DeclaresEncoding(bytes))
        return std::nullopt;
    // One pass for everything the checks of the text look for.
    unsigned char seen = 0;
    const char* const data = bytes.data();
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(data[i]);
        seen |= ch;
        if (ch <= '\r' && (ch == '\0' || ch == '\r'))
            return std::nullopt;
        if (ch == '<' && i + 1 < bytes.size() && data[i + 1] == '!' && bytes.substr(i, 9) == "<!DOCTYPE")
            return std::nullopt;
    }
    if ((seen & 0x80) != 0 && ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, data,
                                                    static_cast<int>(bytes.size()), nullptr, 0) <= 0)
        return std::nullopt;
    return bytes;
}

EString XmlFileText::Read(const EString& path)
{
    return ReadToBstr(path).ToString();
}

Bstr XmlFileText::ReadToBstr(const EString& path)
{
    return DecodeToBstr(ReadBytes(path));
}

std::string XmlFileText::ReadBytes(const EString& path)
{
    const UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        ThrowLastWin32Error();
    std::string bytes;
    LARGE_INTEGER size = {};
    DWORD error = ERROR_SUCCESS;
    if (!::GetFileSizeEx(file.Get(), &size))
        error = ::GetLastError();
    else if (size.QuadPart > kLargestFile)
        error = ERROR_FILE_TOO_LARGE;
    else {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
            error = ::GetLastError();
        bytes.resize(read);
    }
    if (error != ERROR_SUCCESS)
        ThrowComError(HRESULT_FROM_WIN32(error), SystemErrorText(HRESULT_FROM_WIN32(error)));
    return bytes;
}
