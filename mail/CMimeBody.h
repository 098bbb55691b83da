// CMimeBody: a MIME part: its header, its decoded content and its child parts.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foundation/EString.h"
#include "mail/CMimeHeader.h"

class CMimeMessage;

class CMimeBody : public CMimeHeader {
public:
    void Clear() override;
    size_t GetLength() const override;
    // The header, the content in its transfer encoding, then the parts
    // between boundary lines; -1 when parts exist without a boundary.
    ptrdiff_t Store(std::string& out) const override;
    // Reads the header, decodes the content and splits multipart content into
    // parts. What was read stays when a later piece fails.
    ptrdiff_t Load(const char* data, size_t length) override;

    // A length of 0 takes the text up to its NUL.
    void SetContent(const char* data, size_t length = 0);
    const std::string& GetContent() const { return m_content; }
    // At most room bytes; returns the bytes copied.
    size_t GetContent(char* buffer, size_t room) const;

    const std::vector<std::unique_ptr<CMimeBody>>& GetParts() const { return m_parts; }
    // Multipart parts give the leaves of their parts in order, others themselves.
    size_t GetLeaves(std::vector<CMimeBody*>& leaves);
    // The leaves that carry a "name" parameter.
    size_t GetAttachments(std::vector<CMimeBody*>& attachments);
    // A new part of that media type, before the given part or at the end.
    CMimeBody* CreatePart(const char* mediaType, const CMimeBody* before = nullptr);
    void ErasePart(const CMimeBody* part);

    // Null makes a fresh boundary. The Content-Type becomes multipart.
    void SetBoundary(const char* boundary = nullptr);
    void SetCharset(const std::string& charset);
    // The "name" parameter; without a Content-Type one is chosen by the extension.
    void SetName(const std::string& fileName);
    // The file's bytes as content, named after the file; false when it cannot be read.
    bool AttachFile(const EString& path);

    // Loads the message carried in the content.
    ptrdiff_t GetMessage(CMimeMessage& message) const;
    // Stores the message as the content, typed message/rfc822.
    void SetMessage(const CMimeMessage& message);

    // The "Date" field for a local time; false, and the field unchanged, when
    // the time cannot be represented.
    bool SetDate(int year, int month, int day, int hour, int minute, int second);
    bool SetDate();

private:
    void DecodeContent(const char* data, size_t length);

    std::string m_content;
    std::vector<std::unique_ptr<CMimeBody>> m_parts;
    // How deep this part is nested: deeper multiparts are not split.
    int m_depth = 0;
};
