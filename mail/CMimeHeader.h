// CMimeHeader: the ordered header fields of a MIME part, with the Content-Type readings.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "mail/CMimeField.h"

// Top-level media types in their index order; any other type has index 7.
enum MimeMediaType { MediaText, MediaImage, MediaAudio, MediaVideo, MediaApplication, MediaMultipart, MediaMessage, MediaOther };

class CMimeHeader {
public:
    virtual ~CMimeHeader() = default;
    virtual void Clear() { m_fields.clear(); }
    // An upper bound of Store's output.
    virtual size_t GetLength() const;
    // Appends the fields and the empty line; returns the bytes added, or a
    // negative result when a part cannot be written.
    virtual ptrdiff_t Store(std::string& out) const;
    // Reads fields up to the empty line (CRLF or LF); returns the bytes used,
    // 0 when the header does not end (the fields read stay), negative on failure.
    virtual ptrdiff_t Load(const char* data, size_t length);

    const std::vector<CMimeField>& GetFields() const { return m_fields; }
    // The first field of that name, in any letter case.
    CMimeField* FindField(const char* name);
    const CMimeField* FindField(const char* name) const;
    // Null when the field is absent.
    const char* GetFieldValue(const char* name) const;
    // Replaces the field of that name or appends it.
    void SetFieldValue(const char* name, const std::string& value, const char* charset = nullptr);

    // Null without a Content-Type field.
    const char* GetContentType() const { return GetFieldValue("Content-Type"); }
    // "text" and "plain" without a Content-Type field.
    std::string GetMainType() const;
    std::string GetSubType() const;
    MimeMediaType GetMediaType() const;
    std::string GetTransferEncoding() const;
    std::string GetCharset() const { return GetContentTypeParameter("charset"); }
    std::string GetBoundary() const { return GetContentTypeParameter("boundary"); }
    std::string GetName() const { return GetContentTypeParameter("name"); }

protected:
    std::string GetContentTypeParameter(const char* name) const;

    std::vector<CMimeField> m_fields;
};
