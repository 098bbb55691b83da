// CMimeCodeQP: the quoted-printable transfer encoding.
#pragma once

#include "mail/CMimeCodeBase.h"

class CMimeCodeQP : public CMimeCodeBase {
public:
    // Binary data has its line ends escaped like any other control byte.
    void SetBinary(bool on) { m_binary = on; }

    size_t GetEncodeLength() const override;
    std::string Encode() const override;
    std::string Decode() const override;

    // The decoding of encoded words, where "_" also stands for a space.
    static std::string DecodeText(const char* data, size_t length, bool underscoreIsSpace);

private:
    bool m_binary = false;
};
