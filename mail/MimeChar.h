// The character classes of MIME header text (7-bit only: a byte with the high bit belongs to none).
#pragma once

inline bool IsMimeControl(unsigned char ch) { return ch < 0x20 || ch == 0x7F; }
inline bool IsMimeSpace(unsigned char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }
inline bool IsMimeSpecial(unsigned char ch)
{
    switch (ch) {
    case '"': case '(': case ')': case ',': case '.': case ':': case ';':
    case '<': case '=': case '>': case '@': case '[': case '\\': case ']':
        return true;
    default:
        return false;
    }
}
// Upper case only, as the quoted-printable text it reads.
inline bool IsMimeHexDigit(unsigned char ch) { return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F'); }
inline bool IsMimeHighBit(unsigned char ch) { return ch >= 0x80; }
