// CMimeCode7bit: 7bit and 8bit content, folding long lines when encoding.
#pragma once

#include "mail/CMimeCodeBase.h"

class CMimeCode7bit : public CMimeCodeBase {
public:
    size_t GetEncodeLength() const override { return m_length + 4 * (m_length / 76) + 4; }
    // A line of more than 75 characters is broken before its last blank.
    std::string Encode() const override;
};
