// CMimeCodeBase64: the base64 transfer encoding.
#pragma once

#include "mail/CMimeCodeBase.h"

class CMimeCodeBase64 : public CMimeCodeBase {
public:
    // With line breaks CRLF follows every 76 characters and ends the last line.
    void SetAddLineBreak(bool on) { m_addLineBreak = on; }

    size_t GetEncodeLength() const override;
    size_t GetDecodeLength() const override { return m_length * 3 / 4 + 2; }
    std::string Encode() const override;
    // White space is skipped; decoding stops at the first other character
    // outside the alphabet, padding included.
    std::string Decode() const override;

private:
    bool m_addLineBreak = true;
};
