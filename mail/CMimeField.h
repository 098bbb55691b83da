// CMimeField: one header field of a MIME message, its value held decoded.
#pragma once

#include <cstddef>
#include <string>

class CMimeField {
public:
    CMimeField() = default;
    CMimeField(std::string name, std::string value, std::string charset = std::string())
        : m_name(std::move(name)), m_value(std::move(value)), m_charset(std::move(charset)) {}

    const std::string& GetName() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    const std::string& GetValue() const { return m_value; }
    void SetValue(const std::string& value) { m_value = value; }
    // The charset of the value's encoded words (UTF-8 when they mixed
    // charsets; empty without any), or the one to encode with.
    const std::string& GetCharset() const { return m_charset; }
    void SetCharset(const std::string& charset) { m_charset = charset; }

    // Reads one field (folded lines included, CRLF or LF line ends) and
    // returns the bytes used; 0 at the end of the header or when the field
    // has no line end.
    size_t Load(const char* data, size_t length);
    // Appends name, ": ", the encoded value and CRLF; returns the bytes added.
    size_t Store(std::string& out) const;
    // An upper bound of Store's output.
    size_t GetLength() const;

    // The value before its first ";", without trailing blanks.
    std::string GetMainValue() const;
    // A "name=value" parameter after the first ";"; quotes are removed, and a
    // quote left open runs to the end of the value. An unquoted value runs to
    // the next ";", blank, quote or comment.
    bool GetParameter(const char* name, std::string& value) const;
    // Puts the value in quotes; replaces the parameter or appends it.
    void SetParameter(const char* name, const std::string& value);

private:
    // Where the parameter's value starts and ends in m_value; false when absent.
    bool FindParameter(const char* name, size_t& valueStart, size_t& valueEnd) const;

    std::string m_name;
    std::string m_value;
    std::string m_charset;
};
