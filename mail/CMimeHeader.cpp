#include "mail/CMimeHeader.h"

#include "mail/MimeChar.h"
#include "mail/MimeRegistry.h"

namespace {

// Fields past this many are read but not kept: a header of tiny lines must
// not turn a file into a hundred times its size.
const size_t MaxFields = 10000;

const char* const MediaTypeNames[] = {"text", "image", "audio", "video", "application", "multipart", "message"};

std::string Trimmed(const std::string& text)
{
    size_t start = 0;
    size_t end = text.size();
    while (start < end && IsMimeSpace(static_cast<unsigned char>(text[start])))
        ++start;
    while (end > start && IsMimeSpace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(start, end - start);
}

} // namespace

size_t CMimeHeader::GetLength() const
{
    size_t length = 2;
    for (const CMimeField& field : m_fields)
        length += field.GetLength();
    return length;
}

ptrdiff_t CMimeHeader::Store(std::string& out) const
{
    const size_t before = out.size();
    for (const CMimeField& field : m_fields)
        field.Store(out);
    out += "\r\n";
    return static_cast<ptrdiff_t>(out.size() - before);
}

ptrdiff_t CMimeHeader::Load(const char* data, size_t length)
{
    size_t pos = 0;
    for (;;) {
        // Continuation lines with no field before them are skipped.
        while (pos < length && (data[pos] == ' ' || data[pos] == '\t')) {
            while (pos < length && data[pos] != '\n')
                ++pos;
            if (pos < length)
                ++pos;
        }
        if (pos >= length)
            return 0;
        if (data[pos] == '\n')
            return static_cast<ptrdiff_t>(pos + 1);
        if (data[pos] == '\r')
            return static_cast<ptrdiff_t>(pos + 1 < length && data[pos + 1] == '\n' ? pos + 2 : pos + 1);
        CMimeField field;
        const size_t used = field.Load(data + pos, length - pos);
        if (used == 0)
            return 0;
        if (m_fields.size() < MaxFields)
            m_fields.push_back(std::move(field));
        pos += used;
    }
}

CMimeField* CMimeHeader::FindField(const char* name)
{
    for (CMimeField& field : m_fields)
        if (MimeNameEquals(field.GetName().c_str(), name))
            return &field;
    return nullptr;
}

const CMimeField* CMimeHeader::FindField(const char* name) const
{
    return const_cast<CMimeHeader*>(this)->FindField(name);
}

const char* CMimeHeader::GetFieldValue(const char* name) const
{
    const CMimeField* field = FindField(name);
    return field ? field->GetValue().c_str() : nullptr;
}

void CMimeHeader::SetFieldValue(const char* name, const std::string& value, const char* charset)
{
    CMimeField replacement(name, value, charset ? charset : "");
    if (CMimeField* field = FindField(name))
        *field = std::move(replacement);
    else
        m_fields.push_back(std::move(replacement));
}

std::string CMimeHeader::GetMainType() const
{
    const CMimeField* field = FindField("Content-Type");
    if (!field)
        return "text";
    const std::string main = field->GetMainValue();
    return Trimmed(main.substr(0, main.find('/')));
}

std::string CMimeHeader::GetSubType() const
{
    const CMimeField* field = FindField("Content-Type");
    if (!field)
        return "plain";
    const std::string main = field->GetMainValue();
    const size_t slash = main.find('/');
    return slash == std::string::npos ? std::string() : Trimmed(main.substr(slash + 1));
}

MimeMediaType CMimeHeader::GetMediaType() const
{
    const char* type = GetContentType();
    if (!type)
        return MediaText;
    for (int i = 0; i < MediaOther; ++i)
        if (MimeNameStartsWith(type, MediaTypeNames[i]))
            return static_cast<MimeMediaType>(i);
    return MediaOther;
}

std::string CMimeHeader::GetTransferEncoding() const
{
    const CMimeField* field = FindField("Content-Transfer-Encoding");
    return field ? Trimmed(field->GetMainValue()) : std::string();
}

std::string CMimeHeader::GetContentTypeParameter(const char* name) const
{
    std::string value;
    if (const CMimeField* field = FindField("Content-Type"))
        field->GetParameter(name, value);
    return value;
}
