#include "online/XmlRpcReader.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "online/XmlEscape.h"
#include "online/XmlRpcBase64.h"
#include "online/XmlRpcException.h"

namespace {
constexpr size_t kMaxTagLength = 127;
constexpr std::string_view kMemberTag = "<member>";
constexpr std::string_view kFaultTag = "<fault>";

bool IsXmlSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

// The C library's idea of white space, as its number conversions skip it.
bool IsCSpace(char ch)
{
    return IsXmlSpace(ch) || ch == '\v' || ch == '\f';
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

char Lower(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (Lower(text[i]) != Lower(prefix[i]))
            return false;
    return true;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

// A decimal number of at most `width` characters (sign included) after
// optional white space, as "%<width>d" of scanf reads it.
bool ReadField(std::string_view text, size_t& pos, size_t width, int& value)
{
    while (pos < text.size() && IsCSpace(text[pos]))
        ++pos;
    const size_t end = std::min(text.size(), pos + width);
    bool negative = false;
    if (pos < end && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    if (pos >= end || !IsDigit(text[pos]))
        return false;
    int number = 0;
    while (pos < end && IsDigit(text[pos]))
        number = number * 10 + (text[pos++] - '0');
    value = negative ? -number : number;
    return true;
}

bool ReadLiteral(std::string_view text, size_t& pos, char ch)
{
    if (pos >= text.size() || text[pos] != ch)
        return false;
    ++pos;
    return true;
}

class NestingGuard {
public:
    explicit NestingGuard(int& depth) : m_depth(depth)
    {
        if (++m_depth > XmlRpcReader::kMaxNesting) {
            --m_depth;
            throw XmlRpcException("XML-RPC value nested more than 64 levels deep");
        }
    }
    ~NestingGuard() { --m_depth; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    int& m_depth;
};
} // namespace

void XmlRpcReader::SkipSpace()
{
    while (m_pos < m_text.size() && IsXmlSpace(m_text[m_pos]))
        ++m_pos;
}

bool XmlRpcReader::AtText(std::string_view text) const
{
    return m_text.substr(m_pos).starts_with(text);
}

std::string XmlRpcReader::NextTag()
{
    size_t start = m_pos;
    while (start < m_text.size() && IsXmlSpace(m_text[start]))
        ++start;
    if (start >= m_text.size() || m_text[start] != '<')
        return std::string();
    const size_t close = m_text.find('>', start);
    const size_t end = close == std::string_view::npos ? m_text.size() : close + 1;
    m_pos = end;
    return std::string(m_text.substr(start, std::min(end - start, kMaxTagLength)));
}

void XmlRpcReader::ExpectTag(std::string_view tag)
{
    if (!EqualNoCase(NextTag(), tag))
        throw XmlRpcException("Expecting tag: " + std::string(tag));
}

// The text from the cursor up to the next '<', which stays unread; false
// (the cursor unmoved) when no '<' follows.
bool XmlRpcReader::TextUpToTag(std::string_view& text)
{
    const size_t lt = m_text.find('<', m_pos);
    if (lt == std::string_view::npos)
        return false;
    text = m_text.substr(m_pos, lt - m_pos);
    m_pos = lt;
    return true;
}

XmlRpcValue XmlRpcReader::ReadValue()
{
    NestingGuard guard(m_depth);
    const std::string tag = NextTag();
    if (EqualNoCase(tag, "<value/>"))
        return XmlRpcValue(std::string());
    if (!EqualNoCase(tag, "<value>"))
        throw XmlRpcException("Expecting tag: <value>");
    return ReadValueBody();
}

XmlRpcValue XmlRpcReader::ReadValueBody()
{
    const std::string tag = NextTag();
    XmlRpcValue value;
    std::string_view text;
    if (tag.empty()) {
        // Untagged text is a string; without a following tag the check of
        // "</value>" below reports it.
        if (!TextUpToTag(text)) {
            text = m_text.substr(m_pos);
            m_pos = m_text.size();
        }
        value = XmlRpcValue(XmlUnescape(text));
    } else if (EqualNoCase(tag, "<boolean>")) {
        value = ReadBoolean();
    } else if (EqualNoCase(tag, "<i4>")) {
        value = ReadInt("</i4>");
    } else if (EqualNoCase(tag, "<int>")) {
        value = ReadInt("</int>");
    } else if (EqualNoCase(tag, "<double>")) {
        value = ReadDouble();
    } else if (EqualNoCase(tag, "<string>")) {
        if (!TextUpToTag(text))
            throw XmlRpcException("Bad string");
        value = XmlRpcValue(XmlUnescape(text));
        ExpectTag("</string>");
    } else if (EqualNoCase(tag, "<dateTime.iso8601>")) {
        value = ReadDateTime();
    } else if (EqualNoCase(tag, "<base64>")) {
        if (!TextUpToTag(text))
            throw XmlRpcException("Bad base64");
        value.AsBytes() = XmlRpcBase64::Decode(text);
        ExpectTag("</base64>");
    } else if (EqualNoCase(tag, "<array>")) {
        value = ReadArray();
    } else if (EqualNoCase(tag, "<struct>")) {
        value = ReadStruct();
    } else if (EqualNoCase(tag, "<string/>")) {
        value = XmlRpcValue(std::string());
    } else if (EqualNoCase(tag, "<nil/>")) {
        value = XmlRpcValue::MakeNil();
    } else if (EqualNoCase(tag, "<struct/>")) {
        value.AsStruct();
    } else if (EqualNoCase(tag, "</value>")) {
        return XmlRpcValue(std::string());
    } else {
        throw XmlRpcException("Unknown type tag: " + tag);
    }
    ExpectTag("</value>");
    return value;
}

XmlRpcValue XmlRpcReader::ReadBoolean()
{
    if (m_pos + 1 >= m_text.size() || (m_text[m_pos] != '0' && m_text[m_pos] != '1') || m_text[m_pos + 1] != '<')
        throw XmlRpcException("bad BOOL");
    const XmlRpcValue value(m_text[m_pos] == '1');
    ++m_pos;
    ExpectTag("</boolean>");
    return value;
}

XmlRpcValue XmlRpcReader::ReadInt(std::string_view closingTag)
{
    size_t pos = m_pos;
    while (pos < m_text.size() && IsCSpace(m_text[pos]))
        ++pos;
    bool negative = false;
    if (pos < m_text.size() && (m_text[pos] == '-' || m_text[pos] == '+'))
        negative = m_text[pos++] == '-';
    if (pos >= m_text.size() || !IsDigit(m_text[pos]))
        throw XmlRpcException("Bad int");
    long long number = 0;
    for (; pos < m_text.size() && IsDigit(m_text[pos]); ++pos) {
        number = number * 10 + (m_text[pos] - '0');
        if (number > static_cast<long long>(INT_MAX) + 1)
            throw XmlRpcException("Bad int: out of range");
    }
    if (negative)
        number = -number;
    if (number > INT_MAX)
        throw XmlRpcException("Bad int: out of range");
    m_pos = pos;
    const XmlRpcValue value(static_cast<int>(number));
    ExpectTag(closingTag);
    return value;
}

XmlRpcValue XmlRpcReader::ReadDouble()
{
    size_t pos = m_pos;
    while (pos < m_text.size() && IsCSpace(m_text[pos]))
        ++pos;
    if (pos < m_text.size() && m_text[pos] == '+')
        ++pos;
    double number = 0;
    const char* begin = m_text.data() + pos;
    const auto result = std::from_chars(begin, m_text.data() + m_text.size(), number);
    if (result.ec != std::errc() || result.ptr == begin)
        throw XmlRpcException("Bad double");
    m_pos = static_cast<size_t>(result.ptr - m_text.data());
    XmlRpcValue value;
    value.AsDouble() = number;
    ExpectTag("</double>");
    return value;
}

XmlRpcValue XmlRpcReader::ReadDateTime()
{
    std::string_view text;
    if (!TextUpToTag(text))
        throw XmlRpcException("Bad time value");
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    size_t pos = 0;
    if (!(ReadField(text, pos, 4, year) && ReadField(text, pos, 2, month) && ReadField(text, pos, 2, day) &&
          ReadLiteral(text, pos, 'T') && ReadField(text, pos, 2, hour) && ReadLiteral(text, pos, ':') &&
          ReadField(text, pos, 2, minute) && ReadLiteral(text, pos, ':') && ReadField(text, pos, 2, second)))
        throw XmlRpcException("Bad time value");
    XmlRpcValue value;
    std::tm& time = value.AsDateTime();
    time.tm_year = year;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    time.tm_isdst = -1;
    ExpectTag("</dateTime.iso8601>");
    return value;
}

XmlRpcValue XmlRpcReader::ReadArray()
{
    XmlRpcValue value;
    XmlRpcValue::ValueArray& elements = value.AsArray();
    const std::string tag = NextTag();
    if (!EqualNoCase(tag, "<data/>")) {
        if (!EqualNoCase(tag, "<data>"))
            throw XmlRpcException("Expecting tag:  <data>");
        for (;;) {
            SkipSpace();
            if (AtText("</data>"))
                break;
            elements.push_back(ReadValue());
        }
        ExpectTag("</data>");
    }
    ExpectTag("</array>");
    return value;
}

XmlRpcValue XmlRpcReader::ReadStruct()
{
    XmlRpcValue value;
    XmlRpcValue::ValueStruct& members = value.AsStruct();
    SkipSpace();
    while (AtText(kMemberTag)) {
        m_pos += kMemberTag.size();
        ExpectTag("<name>");
        std::string_view name;
        TextUpToTag(name);
        const std::string plainName = XmlUnescape(name);
        ExpectTag("</name>");
        members[plainName] = ReadValue();
        ExpectTag("</member>");
        SkipSpace();
    }
    ExpectTag("</struct>");
    return value;
}

bool XmlRpcReader::ReadMethodResponse(std::string_view body, XmlRpcValue& result)
{
    XmlRpcReader reader(body);
    if (!StartsWithNoCase(reader.NextTag(), "<?xml version"))
        throw XmlRpcException(std::string(body));
    if (!EqualNoCase(reader.NextTag(), "<methodResponse>")) {
        if (body.find("<title>Bad request!</title>") != std::string_view::npos)
            throw XmlRpcException("Talking HTTP to a HTTPS server?");
        if (body.find("Object ! found") != std::string_view::npos)
            throw XmlRpcException("Wrong URL (\"Object ! found\")");
        throw XmlRpcException(std::string(body));
    }
    reader.SkipSpace();
    if (reader.AtText(kFaultTag)) {
        reader.m_pos += kFaultTag.size();
        XmlRpcValue fault = reader.ReadValue();
        reader.ExpectClosingTags({"</fault>", "</methodResponse>"});
        result = std::move(fault);
        return false;
    }
    reader.ExpectTag("<params>");
    reader.ExpectTag("<param>");
    XmlRpcValue value = reader.ReadValue();
    reader.ExpectClosingTags({"</param>", "</params>", "</methodResponse>"});
    result = std::move(value);
    return true;
}

// A reply cut after its value could pass for a whole one: it is not.
void XmlRpcReader::ExpectClosingTags(std::initializer_list<std::string_view> tags)
{
    for (const std::string_view tag : tags) {
        SkipSpace();
        if (m_pos >= m_text.size())
            throw XmlRpcException("Invalid XMLRPC response: the reply ends before " + std::string(tag));
        ExpectTag(tag);
    }
}
