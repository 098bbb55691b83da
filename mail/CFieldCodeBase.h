// CFieldCodeBase and its kinds: the coders of header field values (plain, text, addresses, parameters).
#pragma once

#include "mail/CMimeCodeBase.h"

class CFieldCodeBase : public CMimeCodeBase {
public:
    // Before encoding: the charset of the value's non-ASCII words (the
    // process default when empty). After decoding: the charset of the
    // decoded value, as the encoded words give it.
    void SetCharset(const std::string& charset) { m_charset = charset; }
    const std::string& GetCharset() const { return m_charset; }

    size_t GetEncodeLength() const override { return Encode().size(); }
    // As the encoded words it decodes.
    size_t GetDecodeLength() const override { return m_length * 3; }
    std::string Encode() const override;
    std::string Decode() const override;

    // A character after which the encoded value starts a new folded line.
    virtual bool IsDelimiter(char) const { return false; }
    // 0: quotes, comments and angle brackets group text; 255: never.
    virtual int GetInitialQuoteState() const { return 0; }

private:
    mutable std::string m_charset;
};

// Subject and the like: the whole value is free text.
class CFieldCodeText : public CFieldCodeBase {
public:
    int GetInitialQuoteState() const override { return 255; }
};

class CFieldCodeAddress : public CFieldCodeBase {
public:
    bool IsDelimiter(char ch) const override { return ch == ',' || ch == ':'; }
};

class CFieldCodeParameter : public CFieldCodeBase {
public:
    bool IsDelimiter(char ch) const override { return ch == ';'; }
};
