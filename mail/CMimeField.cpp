#include "mail/CMimeField.h"

#include "mail/CFieldCodeBase.h"
#include "mail/MimeChar.h"
#include "mail/MimeRegistry.h"

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

// An unquoted value ends at the ";" of the next parameter, a blank, a quote
// or a comment. Clients write specials into unquoted values
// (boundary=----=_NextPart_000_0001_01C1B2A3.4D5E6F70, name=report.pdf), and
// stopping at them would cut the boundary short and lose every part.
bool EndsToken(unsigned char ch)
{
    return IsMimeSpace(ch) || IsMimeControl(ch) || ch == ';' || ch == '"' || ch == '(';
}

} // namespace

size_t CMimeField::Load(const char* data, size_t length)
{
    size_t pos = 0;
    // Lines that begin with a blank belong to no field.
    while (pos < length && IsMimeSpace(static_cast<unsigned char>(data[pos]))) {
        if (data[pos] == '\r' || data[pos] == '\n')
            return 0;
        while (pos < length && data[pos] != '\n')
            ++pos;
        if (pos >= length)
            return 0;
        ++pos;
    }
    if (pos >= length)
        return 0;

    size_t colon = pos;
    while (colon < length && data[colon] != ':' && data[colon] != '\0' && data[colon] != '\r' && data[colon] != '\n')
        ++colon;
    size_t valueStart = pos;
    m_name.clear();
    if (colon < length && data[colon] == ':') {
        m_name.assign(data + pos, colon - pos);
        valueStart = colon + 1;
    }
    while (valueStart < length && IsBlank(data[valueStart]))
        ++valueStart;

    // The value ends at the first line end that no blank continues.
    size_t lineFeed = valueStart;
    for (;;) {
        while (lineFeed < length && data[lineFeed] != '\n')
            ++lineFeed;
        if (lineFeed >= length)
            return 0;
        if (lineFeed + 1 < length && IsBlank(data[lineFeed + 1])) {
            ++lineFeed;
            continue;
        }
        break;
    }
    size_t valueEnd = lineFeed;
    if (valueEnd > valueStart && data[valueEnd - 1] == '\r')
        --valueEnd;

    const std::unique_ptr<CFieldCodeBase> coder = CreateFieldCoder(m_name.c_str());
    coder->SetInput(data + valueStart, valueEnd - valueStart, false);
    m_value = coder->Decode();
    m_charset = coder->GetCharset();
    return lineFeed + 1;
}

size_t CMimeField::Store(std::string& out) const
{
    const size_t before = out.size();
    const std::unique_ptr<CFieldCodeBase> coder = CreateFieldCoder(m_name.c_str());
    coder->SetCharset(m_charset);
    coder->SetInput(m_value.data(), m_value.size(), true);
    out += m_name;
    out += ": ";
    out += coder->Encode();
    out += "\r\n";
    return out.size() - before;
}

size_t CMimeField::GetLength() const
{
    const std::unique_ptr<CFieldCodeBase> coder = CreateFieldCoder(m_name.c_str());
    coder->SetCharset(m_charset);
    coder->SetInput(m_value.data(), m_value.size(), true);
    return m_name.size() + 4 + coder->GetEncodeLength();
}

std::string CMimeField::GetMainValue() const
{
    size_t end = m_value.find(';');
    if (end == std::string::npos)
        end = m_value.size();
    while (end > 0 && IsMimeSpace(static_cast<unsigned char>(m_value[end - 1])))
        --end;
    return m_value.substr(0, end);
}

bool CMimeField::FindParameter(const char* name, size_t& valueStart, size_t& valueEnd) const
{
    const size_t nameLength = std::char_traits<char>::length(name);
    const size_t n = m_value.size();
    size_t pos = m_value.find(';');
    while (pos != std::string::npos && pos < n) {
        ++pos;
        while (pos < n && IsMimeSpace(static_cast<unsigned char>(m_value[pos])))
            ++pos;
        size_t after = pos + nameLength;
        if (after <= n && MimeNameStartsWith(m_value.substr(pos, nameLength), name) &&
            (after == n || m_value[after] == '=' || IsMimeSpace(static_cast<unsigned char>(m_value[after])))) {
            while (after < n && IsMimeSpace(static_cast<unsigned char>(m_value[after])))
                ++after;
            if (after < n && m_value[after] == '=') {
                ++after;
                while (after < n && IsMimeSpace(static_cast<unsigned char>(m_value[after])))
                    ++after;
                valueStart = after;
                if (after < n && m_value[after] == '"') {
                    const size_t close = m_value.find('"', after + 1);
                    valueEnd = close == std::string::npos ? n : close + 1;
                } else {
                    valueEnd = after;
                    while (valueEnd < n && !EndsToken(static_cast<unsigned char>(m_value[valueEnd])))
                        ++valueEnd;
                }
                return true;
            }
        }
        // On to the next ";" outside quotes.
        bool quoted = false;
        while (pos < n && (quoted || m_value[pos] != ';')) {
            if (m_value[pos] == '"')
                quoted = !quoted;
            ++pos;
        }
        if (pos >= n)
            break;
    }
    return false;
}

bool CMimeField::GetParameter(const char* name, std::string& value) const
{
    size_t start = 0;
    size_t end = 0;
    if (!FindParameter(name, start, end))
        return false;
    if (start < end && m_value[start] == '"') {
        ++start;
        if (end > start && end <= m_value.size() && m_value[end - 1] == '"' && end - 1 >= start)
            --end;
    }
    value = m_value.substr(start, end - start);
    return true;
}

void CMimeField::SetParameter(const char* name, const std::string& value)
{
    std::string quoted = value;
    if (value.empty() || value.front() != '"')
        quoted.insert(quoted.begin(), '"');
    if (value.size() < 2 || value.back() != '"')
        quoted.push_back('"');
    size_t start = 0;
    size_t end = 0;
    if (FindParameter(name, start, end))
        m_value.replace(start, end - start, quoted);
    else
        m_value += std::string("; ") + name + "=" + quoted;
}
