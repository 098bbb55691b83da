// Base64Alphabet: the standard alphabet's groups and digits, shared by the coders
// of mail bodies and of XML-RPC values (which differ in line breaks and padding rules).
#pragma once

#include <cstddef>
#include <string>

// Appends one group of one to three bytes as four characters, padded with "=".
inline void AppendBase64Group(std::string& out, const unsigned char* bytes, size_t count)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const unsigned group = (unsigned(bytes[0]) << 16) | (count > 1 ? unsigned(bytes[1]) << 8 : 0u) |
                           (count > 2 ? unsigned(bytes[2]) : 0u);
    out += alphabet[(group >> 18) & 63];
    out += alphabet[(group >> 12) & 63];
    out += count > 1 ? alphabet[(group >> 6) & 63] : '=';
    out += count > 2 ? alphabet[group & 63] : '=';
}

// The six-bit value of a digit; -1 for any other character, "=" included.
inline int Base64DigitValue(unsigned char ch)
{
    if (ch >= 'A' && ch <= 'Z')
        return ch - 'A';
    if (ch >= 'a' && ch <= 'z')
        return ch - 'a' + 26;
    if (ch >= '0' && ch <= '9')
        return ch - '0' + 52;
    if (ch == '+')
        return 62;
    if (ch == '/')
        return 63;
    return -1;
}
