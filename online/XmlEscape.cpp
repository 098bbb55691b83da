#include "online/XmlEscape.h"

namespace {
struct Entity {
    std::string_view text;
    char ch;
};

constexpr Entity kEntities[] = {
    {"&amp;", '&'}, {"&quot;", '"'}, {"&apos;", '\''}, {"&lt;", '<'}, {"&gt;", '>'},
};

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// A decimal reference at the start of the text ("&#233;", the semicolon
// optional): its byte and its length, or a length of 0 when there is none.
size_t ReadByteReference(std::string_view text, char& byte)
{
    if (text.size() < 3 || text[0] != '&' || text[1] != '#' || !IsDigit(text[2]))
        return 0;
    unsigned value = 0;
    size_t end = 2;
    for (; end < text.size() && IsDigit(text[end]); ++end) {
        value = value * 10 + unsigned(text[end] - '0');
        if (value > 255)
            return 0;
    }
    byte = static_cast<char>(value);
    if (end < text.size() && text[end] == ';')
        ++end;
    return end;
}
} // namespace

std::string XmlEscape(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        switch (ch) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&apos;"; break;
        default:
            if (byte < 32 || byte >= 127) {
                escaped += "&#";
                escaped += std::to_string(byte);
                escaped += ';';
            } else {
                escaped += ch;
            }
            break;
        }
    }
    return escaped;
}

std::string XmlUnescape(std::string_view text)
{
    std::string plain;
    plain.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t amp = text.find('&', i);
        if (amp == std::string_view::npos) {
            plain.append(text.substr(i));
            break;
        }
        plain.append(text.substr(i, amp - i));
        const std::string_view rest = text.substr(amp);
        size_t used = 0;
        for (const Entity& entity : kEntities) {
            if (rest.starts_with(entity.text)) {
                plain += entity.ch;
                used = entity.text.size();
                break;
            }
        }
        char byte = 0;
        if (!used && (used = ReadByteReference(rest, byte)) != 0)
            plain += byte;
        if (!used) {
            plain += '&';
            used = 1;
        }
        i = amp + used;
    }
    return plain;
}
