#include "mail/MimeCharset.h"


namespace {

struct NamedCodePage {
    const char* name;
    UINT codePage;
};

const NamedCodePage CodePages[] = {
    {"utf-8", CP_UTF8},       {"utf8", CP_UTF8},         {"utf-7", CP_UTF7},       {"us-ascii", 20127},
    {"ascii", 20127},         {"koi8-r", 20866},         {"koi8-u", 21866},        {"big5", 950},
    {"gb2312", 936},          {"gbk", 936},              {"gb18030", 54936},       {"shift_jis", 932},
    {"shift-jis", 932},       {"euc-jp", 20932},         {"iso-2022-jp", 50220},   {"euc-kr", 949},
    {"ks_c_5601-1987", 949},  {"tis-620", 874},          {"latin1", 28591},
};

std::string Normalized(const std::string& charset)
{
    std::string name;
    for (const char ch : charset) {
        // RFC 2231 puts a language after "*".
        if (ch == '*')
            break;
        if (ch != ' ' && ch != '\t' && ch != '"')
            name.push_back(ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + 32) : ch);
    }
    return name;
}

// The number after a prefix, or 0 when the name is not prefix + digits.
unsigned NumberAfter(const std::string& name, const char* prefix)
{
    const size_t length = std::char_traits<char>::length(prefix);
    if (name.size() <= length || name.compare(0, length, prefix) != 0 || name.size() - length > 5)
        return 0;
    unsigned value = 0;
    for (size_t i = length; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        value = value * 10 + static_cast<unsigned>(name[i] - '0');
    }
    return value;
}

UINT KnownCodePage(const std::string& name)
{
    for (const NamedCodePage& entry : CodePages)
        if (name == entry.name)
            return entry.codePage;
    if (const unsigned part = NumberAfter(name, "iso-8859-"); part >= 1 && part <= 16)
        return 28590 + part;
    if (const unsigned page = NumberAfter(name, "windows-"))
        return page;
    if (const unsigned page = NumberAfter(name, "cp"))
        return page;
    return 0;
}

} // namespace

UINT CodePageOfCharset(const std::string& charset)
{
    const UINT codePage = KnownCodePage(Normalized(charset));
    return codePage && ::IsValidCodePage(codePage) ? codePage : CP_ACP;
}

namespace {

EString ToWide(const std::string& bytes, UINT codePage, DWORD flags)
{
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return EString();
    EString text(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, flags, bytes.data(), size, text.data(), length);
    return text;
}

// No charset, or one of 7-bit characters only: 8-bit bytes in such text
// were written by a client that sent UTF-8 without saying so.
bool IsSevenBitCharset(const std::string& charset)
{
    const std::string name = Normalized(charset);
    return name.empty() || KnownCodePage(name) == KnownCodePage("us-ascii");
}

} // namespace

EString MimeTextToWide(const std::string& bytes, const std::string& charset)
{
    if (bytes.empty())
        return EString();
    if (IsSevenBitCharset(charset)) {
        const EString text = ToWide(bytes, CP_UTF8, MB_ERR_INVALID_CHARS);
        if (!text.empty())
            return text;
    }
    return ToWide(bytes, CodePageOfCharset(charset), 0);
}

std::string MimeTextToUtf8(const std::string& bytes, const std::string& charset)
{
    const EString text = MimeTextToWide(bytes, charset);
    if (text.empty())
        return std::string();
    const int size = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string utf8(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}
