// XmlRpcReader: reads XML-RPC values and method responses from a server's text.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "online/XmlRpcValue.h"

// A small tag scanner, not an XML parser. The text is untrusted: every scan
// stops at its end, numbers are range-checked and nesting is limited.
class XmlRpcReader {
public:
    static constexpr int kMaxNesting = 64;

    explicit XmlRpcReader(std::string_view text) : m_text(text) {}

    // Reads "<value>...</value>" at the cursor; throws XmlRpcException.
    XmlRpcValue ReadValue();

    // Reads a whole response body, through its closing tags: true with the
    // result, false with the fault value. A body that is no response, or one
    // cut short, throws its own text (or a hint).
    static bool ReadMethodResponse(std::string_view body, XmlRpcValue& result);

private:
    void SkipSpace();
    bool AtText(std::string_view text) const;
    std::string NextTag();
    void ExpectTag(std::string_view tag);
    void ExpectClosingTags(std::initializer_list<std::string_view> tags);
    bool TextUpToTag(std::string_view& text);

    XmlRpcValue ReadValueBody();
    XmlRpcValue ReadBoolean();
    XmlRpcValue ReadInt(std::string_view closingTag);
    XmlRpcValue ReadDouble();
    XmlRpcValue ReadDateTime();
    XmlRpcValue ReadArray();
    XmlRpcValue ReadStruct();

    std::string_view m_text;
    size_t m_pos = 0;
    int m_depth = 0;
};
