#include "mail/CMimeBody.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <new>
#include <random>

#include "foundation/CTFile.h"
#include "mail/CMimeCodeBase.h"
#include "mail/CMimeMessage.h"
#include "mail/MimeRegistry.h"

namespace {

const int MaxDepth = 32;
// Parts past this many are not kept: a file of empty parts must not grow
// into many times its size.
const size_t MaxParts = 10000;

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r'; }

// A delimiter line is "--boundary", "--" more on the closing one, then blanks
// only: a body line that merely starts like one stays text.
bool IsDelimiterLine(const char* line, size_t length, const std::string& delimiter)
{
    if (length < delimiter.size() || std::memcmp(line, delimiter.data(), delimiter.size()) != 0)
        return false;
    size_t pos = delimiter.size();
    if (pos + 1 < length && line[pos] == '-' && line[pos + 1] == '-')
        pos += 2;
    return std::all_of(line + pos, line + length, IsBlank);
}

// Where the line feed that ends the line at from stands; length without one.
size_t LineEnd(const char* data, size_t length, size_t from)
{
    const void* lineFeed = from < length ? std::memchr(data + from, '\n', length - from) : nullptr;
    return lineFeed ? static_cast<size_t>(static_cast<const char*>(lineFeed) - data) : length;
}

// Where the next delimiter line begins, at or after from; npos without one.
// Only line starts are compared, so the search stays linear in the length
// however often the body repeats the boundary's characters.
size_t FindDelimiter(const char* data, size_t length, size_t from, const std::string& delimiter)
{
    size_t line = from > 0 && from < length && data[from - 1] != '\n' ? LineEnd(data, length, from) + 1 : from;
    while (line < length) {
        const size_t end = LineEnd(data, length, line);
        if (IsDelimiterLine(data + line, end - line, delimiter))
            return line;
        line = end + 1;
    }
    return std::string::npos;
}

// The end of a part's text: the line end before its delimiter belongs to the delimiter.
size_t TextEnd(const char* data, size_t start, size_t delimiter)
{
    if (delimiter >= start + 2 && data[delimiter - 2] == '\r' && data[delimiter - 1] == '\n')
        return delimiter - 2;
    if (delimiter >= start + 1 && data[delimiter - 1] == '\n')
        return delimiter - 1;
    return std::max(start, delimiter);
}

struct ExtensionType {
    const char* extension;
    const char* type;
};

const ExtensionType ExtensionTypes[] = {
    {"xml", "application/xml"},
    {"doc", "application/msword"},
    {"rtf", "application/rtf"},
    {"xls", "application/vnd.ms-excel"},
    {"ppt", "application/vnd.ms-powerpoint"},
    {"pdf", "application/pdf"},
    {"zip", "application/zip"},
    {"jpeg", "image/jpeg"},
    {"jpg", "image/jpeg"},
    {"gif", "image/gif"},
    {"tif", "image/tiff"},
    {"tiff", "image/tiff"},
    {"wav", "audio/basic"},
    {"mp3", "audio/basic"},
    {"mpg", "video/mpeg"},
    {"mpeg", "video/mpeg"},
};

int g_boundaryCounter = 0;

} // namespace

void CMimeBody::Clear()
{
    m_parts.clear();
    m_content.clear();
    CMimeHeader::Clear();
}

ptrdiff_t CMimeBody::Load(const char* data, size_t length)
{
    Clear();
    try {
        const ptrdiff_t headerLength = CMimeHeader::Load(data, length);
        if (headerLength < 1)
            return headerLength;
        const size_t contentStart = static_cast<size_t>(headerLength);
        const std::string boundary = GetMediaType() == MediaMultipart && m_depth < MaxDepth ? GetBoundary() : "";
        const std::string delimiter = "--" + boundary;
        size_t next = boundary.empty() ? std::string::npos : FindDelimiter(data, length, contentStart, delimiter);
        const size_t contentEnd = next == std::string::npos ? length : TextEnd(data, contentStart, next);
        if (contentEnd > contentStart)
            DecodeContent(data + contentStart, contentEnd - contentStart);

        while (next != std::string::npos) {
            const size_t afterDelimiter = next + delimiter.size();
            const bool closing = afterDelimiter + 1 < length && data[afterDelimiter] == '-' && data[afterDelimiter + 1] == '-';
            const size_t lineFeed = LineEnd(data, length, afterDelimiter);
            if (lineFeed >= length)
                break;
            const size_t partStart = lineFeed + 1;
            if (closing)
                return static_cast<ptrdiff_t>(partStart);
            next = FindDelimiter(data, length, partStart, delimiter);
            const size_t partEnd = next == std::string::npos ? length : TextEnd(data, partStart, next);
            if (m_parts.size() >= MaxParts)
                continue;
            CMimeHeader header;
            header.Load(data + partStart, partEnd - partStart);
            std::unique_ptr<CMimeBody> part = CreateMimeBody(header.GetMainType().c_str());
            part->m_depth = m_depth + 1;
            const ptrdiff_t result = part->Load(data + partStart, partEnd - partStart);
            if (result < 0)
                return result;
            m_parts.push_back(std::move(part));
        }
        return static_cast<ptrdiff_t>(length);
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

void CMimeBody::DecodeContent(const char* data, size_t length)
{
    const std::unique_ptr<CMimeCodeBase> coder = CreateMimeCoder(GetTransferEncoding().c_str());
    coder->SetInput(data, length, false);
    m_content = coder->Decode();
}

size_t CMimeBody::GetLength() const
{
    const std::unique_ptr<CMimeCodeBase> coder = CreateMimeCoder(GetTransferEncoding().c_str());
    coder->SetInput(m_content.data(), m_content.size(), true);
    size_t length = CMimeHeader::GetLength() + coder->GetEncodeLength();
    if (m_parts.empty())
        return length;
    const size_t boundaryLength = GetBoundary().size();
    for (const auto& part : m_parts)
        length += boundaryLength + 6 + part->GetLength();
    return length + boundaryLength + 8;
}

ptrdiff_t CMimeBody::Store(std::string& out) const
{
    const size_t before = out.size();
    const ptrdiff_t headerLength = CMimeHeader::Store(out);
    if (headerLength <= 0)
        return headerLength;
    const std::unique_ptr<CMimeCodeBase> coder = CreateMimeCoder(GetTransferEncoding().c_str());
    coder->SetInput(m_content.data(), m_content.size(), true);
    out += coder->Encode();
    if (!m_parts.empty()) {
        const std::string boundary = GetBoundary();
        if (boundary.empty())
            return -1;
        // The first delimiter's line end stands in for the one the text ends with.
        if (out.size() - before >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0)
            out.resize(out.size() - 2);
        for (const auto& part : m_parts) {
            out += "\r\n--" + boundary + "\r\n";
            const ptrdiff_t result = part->Store(out);
            if (result < 0)
                return result;
        }
        out += "\r\n--" + boundary + "--\r\n";
    }
    return static_cast<ptrdiff_t>(out.size() - before);
}

void CMimeBody::SetContent(const char* data, size_t length)
{
    if (!data)
        m_content.clear();
    else
        m_content.assign(data, length ? length : std::strlen(data));
}

size_t CMimeBody::GetContent(char* buffer, size_t room) const
{
    const size_t count = std::min(room, m_content.size());
    if (count)
        std::memcpy(buffer, m_content.data(), count);
    return count;
}

size_t CMimeBody::GetLeaves(std::vector<CMimeBody*>& leaves)
{
    if (GetMediaType() != MediaMultipart) {
        leaves.push_back(this);
        return 1;
    }
    size_t count = 0;
    for (const auto& part : m_parts)
        count += part->GetLeaves(leaves);
    return count;
}

size_t CMimeBody::GetAttachments(std::vector<CMimeBody*>& attachments)
{
    std::vector<CMimeBody*> leaves;
    GetLeaves(leaves);
    size_t count = 0;
    for (CMimeBody* leaf : leaves) {
        if (!leaf->GetName().empty()) {
            attachments.push_back(leaf);
            ++count;
        }
    }
    return count;
}

CMimeBody* CMimeBody::CreatePart(const char* mediaType, const CMimeBody* before)
{
    std::unique_ptr<CMimeBody> part = CreateMimeBody(mediaType);
    part->m_depth = m_depth + 1;
    CMimeBody* created = part.get();
    const auto at = std::find_if(m_parts.begin(), m_parts.end(), [&](const auto& p) { return p.get() == before; });
    m_parts.insert(before ? at : m_parts.end(), std::move(part));
    return created;
}

void CMimeBody::ErasePart(const CMimeBody* part)
{
    std::erase_if(m_parts, [&](const auto& p) { return p.get() == part; });
}

void CMimeBody::SetBoundary(const char* boundary)
{
    std::string text;
    if (boundary) {
        text = boundary;
    } else {
        if (++g_boundaryCounter > 8)
            g_boundaryCounter = 0;
        std::minstd_rand random(static_cast<unsigned>(std::time(nullptr) ^ reinterpret_cast<uintptr_t>(this)));
        char made[64];
        std::snprintf(made, sizeof(made), "__=_Part_Boundary_%03d_%06d.%06d", g_boundaryCounter,
                      static_cast<int>(random() % 1000000), static_cast<int>(random() % 1000000));
        text = made;
    }
    CMimeField* type = FindField("Content-Type");
    if (!type)
        SetFieldValue("Content-Type", "multipart/mixed");
    else if (!MimeNameStartsWith(type->GetValue(), "multipart"))
        type->SetValue("multipart/mixed");
    FindField("Content-Type")->SetParameter("boundary", text);
}

void CMimeBody::SetCharset(const std::string& charset)
{
    if (!FindField("Content-Type"))
        SetFieldValue("Content-Type", "text/plain");
    FindField("Content-Type")->SetParameter("charset", charset);
}

void CMimeBody::SetName(const std::string& fileName)
{
    if (CMimeField* type = FindField("Content-Type")) {
        type->SetParameter("name", fileName);
        return;
    }
    const size_t dot = fileName.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
    const char* mediaType = "application/octet-stream";
    for (const ExtensionType& entry : ExtensionTypes)
        if (MimeNameEquals(entry.extension, extension.c_str()))
            mediaType = entry.type;
    SetFieldValue("Content-Type", mediaType);
    FindField("Content-Type")->SetParameter("name", fileName);
}

bool CMimeBody::AttachFile(const EString& path)
{
    CTFile file(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (!file.IsOpen())
        return false;
    m_content = file.ReadBytes();
    const size_t slash = path.find_last_of(L'\\');
    SetName(WideToAnsi(slash == EString::npos ? path : EString(path.substr(slash + 1))));
    return true;
}

ptrdiff_t CMimeBody::GetMessage(CMimeMessage& message) const
{
    return message.Load(m_content.data(), m_content.size());
}

void CMimeBody::SetMessage(const CMimeMessage& message)
{
    std::string stored;
    message.Store(stored);
    m_content = std::move(stored);
    const char* type = GetContentType();
    if (!type || !MimeNameStartsWith(type, "message"))
        SetFieldValue("Content-Type", "message/rfc822");
}

bool CMimeBody::SetDate(int year, int month, int day, int hour, int minute, int second)
{
    static const char* const weekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    SYSTEMTIME local = {};
    local.wYear = static_cast<WORD>(year);
    local.wMonth = static_cast<WORD>(month);
    local.wDay = static_cast<WORD>(day);
    local.wHour = static_cast<WORD>(hour);
    local.wMinute = static_cast<WORD>(minute);
    local.wSecond = static_cast<WORD>(second);
    FILETIME localFile;
    SYSTEMTIME utc;
    FILETIME utcFile;
    if (year < 1601 || year > 30827 || !::SystemTimeToFileTime(&local, &localFile) ||
        !::FileTimeToSystemTime(&localFile, &local) || !::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) ||
        !::SystemTimeToFileTime(&utc, &utcFile))
        return false;
    // The zone is the offset of local time from UTC at that instant.
    const long long difference = static_cast<long long>(ULARGE_INTEGER{{localFile.dwLowDateTime, localFile.dwHighDateTime}}.QuadPart) -
                                 static_cast<long long>(ULARGE_INTEGER{{utcFile.dwLowDateTime, utcFile.dwHighDateTime}}.QuadPart);
    const long long minutes = difference / 600000000LL;
    const long long offset = minutes < 0 ? -minutes : minutes;
    char text[64];
    std::snprintf(text, sizeof(text), "%s, %d %s %d %02d:%02d:%02d %c%02d%02d", weekdays[local.wDayOfWeek], day,
                  months[month - 1], year, hour, minute, second, minutes < 0 ? '-' : '+', static_cast<int>(offset / 60),
                  static_cast<int>(offset % 60));
    SetFieldValue("Date", text);
    return true;
}

bool CMimeBody::SetDate()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return SetDate(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
}
