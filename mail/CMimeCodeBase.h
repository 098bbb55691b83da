// CMimeCodeBase: a transfer-encoding coder; this base copies its input unchanged.
#pragma once

#include <cstddef>
#include <string>

class CMimeCodeBase {
public:
    CMimeCodeBase() = default;
    CMimeCodeBase(const CMimeCodeBase&) = delete;
    CMimeCodeBase& operator=(const CMimeCodeBase&) = delete;
    virtual ~CMimeCodeBase() = default;

    // The input is not copied: it must outlive the coder's use.
    void SetInput(const char* input, size_t length, bool encode);

    // An upper bound of the output.
    size_t GetOutputLength() const { return m_encode ? GetEncodeLength() : GetDecodeLength(); }
    // Never writes more than room bytes; returns the bytes written.
    size_t GetOutput(char* buffer, size_t room) const;
    std::string GetOutput() const { return m_encode ? Encode() : Decode(); }

    virtual size_t GetEncodeLength() const { return m_length; }
    virtual size_t GetDecodeLength() const { return m_length; }
    virtual std::string Encode() const { return Input(); }
    virtual std::string Decode() const { return Input(); }

protected:
    std::string Input() const { return std::string(m_input ? m_input : "", m_input ? m_length : 0); }

    const unsigned char* Bytes() const { return reinterpret_cast<const unsigned char*>(m_input); }

    const char* m_input = nullptr;
    size_t m_length = 0;
    bool m_encode = true;
};
