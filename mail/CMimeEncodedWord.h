// CMimeEncodedWord: header text in encoded words ("=?charset?B?...?=", "=?charset?Q?...?=").
#pragma once

#include "mail/CMimeCodeBase.h"

class CMimeEncodedWord : public CMimeCodeBase {
public:
    // Encoding letter 'B' or 'Q'.
    void SetEncoding(char letter, const std::string& charset)
    {
        m_letter = letter;
        m_charset = charset;
    }
    char GetEncoding() const { return m_letter; }
    // After decoding: the charset of the first encoded word, empty without
    // one; "UTF-8" when the text mixed charsets and was turned into UTF-8.
    const std::string& GetCharset() const { return m_charset; }

    size_t GetEncodeLength() const override { return Encode().size(); }
    // Text turned into UTF-8 takes at most three bytes for each input byte.
    size_t GetDecodeLength() const override { return m_length * 3; }
    std::string Encode() const override;
    // Words are decoded and plain text copied; the blanks between two words
    // vanish, so adjacent words join.
    std::string Decode() const override;

private:
    std::string EncodeB() const;
    std::string EncodeQ() const;

    // Decoding records the first word's encoding and charset.
    mutable char m_letter = 'B';
    mutable std::string m_charset;
};
