#include "mail/CMimeEncodedWord.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "mail/CMimeCodeBase64.h"
#include "mail/CMimeCodeQP.h"
#include "mail/MimeChar.h"
#include "mail/MimeCharset.h"

namespace {

// Longest text of one word beside its charset.
size_t WordBudget(const std::string& charset)
{
    const size_t overhead = charset.size();
    // Never so small that a word could not hold one character.
    return overhead + 12 < 68 ? 68 - overhead : 12;
}

bool IsQPlain(unsigned char ch)
{
    return (ch >= '!' && ch <= '<') || ch == '>' || (ch >= '@' && ch <= '^') || (ch >= '`' && ch <= '~');
}

size_t Find(const char* data, size_t length, size_t from, const char* what)
{
    const size_t size = std::strlen(what);
    for (size_t i = from; i + size <= length; ++i)
        if (std::memcmp(data + i, what, size) == 0)
            return i;
    return std::string::npos;
}

struct DecodedPiece {
    std::string bytes;
    std::string charset; // empty for plain text
    bool word;
};

// One charset names the decoded bytes unless words of two charsets meet, or
// raw 8-bit text stands beside a word: each piece is then read in its own
// charset and the whole becomes UTF-8.
bool NeedsUtf8(const std::vector<DecodedPiece>& pieces)
{
    const DecodedPiece* firstWord = nullptr;
    bool rawHighBits = false;
    for (const DecodedPiece& piece : pieces) {
        if (!piece.word) {
            rawHighBits = rawHighBits || std::any_of(piece.bytes.begin(), piece.bytes.end(),
                                                     [](char ch) { return IsMimeHighBit(static_cast<unsigned char>(ch)); });
        } else if (!firstWord) {
            firstWord = &piece;
        } else if (CodePageOfCharset(piece.charset) != CodePageOfCharset(firstWord->charset)) {
            return true;
        }
    }
    return firstWord && rawHighBits;
}

std::string Joined(const std::vector<DecodedPiece>& pieces)
{
    std::string out;
    for (const DecodedPiece& piece : pieces)
        out += piece.bytes;
    return out;
}

} // namespace

std::string CMimeEncodedWord::Encode() const
{
    if (m_charset.empty())
        return Input();
    if (m_length == 0)
        return {};
    return (m_letter == 'Q' || m_letter == 'q') ? EncodeQ() : EncodeB();
}

std::string CMimeEncodedWord::EncodeB() const
{
    const size_t perWord = WordBudget(m_charset) / 4 * 3;
    std::string out;
    for (size_t start = 0; start < m_length; start += perWord) {
        const size_t count = m_length - start < perWord ? m_length - start : perWord;
        CMimeCodeBase64 base64;
        base64.SetAddLineBreak(false);
        base64.SetInput(m_input + start, count, true);
        if (!out.empty())
            out.push_back(' ');
        out += "=?" + m_charset + "?B?" + base64.Encode() + "?=";
    }
    return out;
}

std::string CMimeEncodedWord::EncodeQ() const
{
    static const char digits[] = "0123456789ABCDEF";
    const size_t budget = WordBudget(m_charset);
    const std::string opening = "=?" + m_charset + "?Q?";
    std::string out = opening;
    size_t width = 0;
    for (size_t i = 0; i < m_length; ++i) {
        const unsigned char ch = Bytes()[i];
        const size_t charWidth = IsQPlain(ch) ? 1 : 3;
        if (width + charWidth > budget && width > 0) {
            out += "?= " + opening;
            width = 0;
        }
        if (charWidth == 1) {
            out.push_back(static_cast<char>(ch));
        } else {
            out.push_back('=');
            out.push_back(digits[ch >> 4]);
            out.push_back(digits[ch & 15]);
        }
        width += charWidth;
    }
    return out + "?=";
}

std::string CMimeEncodedWord::Decode() const
{
    const char* in = m_input ? m_input : "";
    const size_t n = m_length;
    std::vector<DecodedPiece> pieces;
    m_charset.clear();
    bool haveWord = false;
    bool afterWord = false;
    size_t i = 0;
    while (i < n) {
        if (in[i] == '=' && i + 1 < n && in[i + 1] == '?') {
            // "=?" charset "?" letter "?" text "?="
            const size_t charsetEnd = Find(in, n, i + 2, "?");
            if (charsetEnd != std::string::npos && charsetEnd + 3 < n && in[charsetEnd + 2] == '?') {
                const char letter = static_cast<char>(in[charsetEnd + 1] | 0x20);
                if (letter == 'b' || letter == 'q') {
                    const size_t textStart = charsetEnd + 3;
                    size_t textEnd = Find(in, n, textStart, "?=");
                    const size_t next = textEnd == std::string::npos ? n : textEnd + 2;
                    if (textEnd == std::string::npos)
                        textEnd = n;
                    DecodedPiece word{std::string(), std::string(in + i + 2, charsetEnd - (i + 2)), true};
                    if (letter == 'b') {
                        CMimeCodeBase64 base64;
                        base64.SetInput(in + textStart, textEnd - textStart, false);
                        word.bytes = base64.Decode();
                    } else {
                        word.bytes = CMimeCodeQP::DecodeText(in + textStart, textEnd - textStart, true);
                    }
                    if (!haveWord) {
                        m_charset = word.charset;
                        m_letter = static_cast<char>(letter - 0x20);
                        haveWord = true;
                    }
                    pieces.push_back(std::move(word));
                    afterWord = true;
                    i = next;
                    continue;
                }
            }
        }
        // Plain text up to the next "=?".
        size_t end = Find(in, n, i + 1, "=?");
        if (end == std::string::npos)
            end = n;
        bool blank = true;
        for (size_t j = i; j < end && blank; ++j)
            blank = IsMimeSpace(static_cast<unsigned char>(in[j]));
        if (!(blank && afterWord && end < n)) {
            if (pieces.empty() || pieces.back().word)
                pieces.push_back({std::string(), std::string(), false});
            pieces.back().bytes.append(in + i, end - i);
        }
        afterWord = false;
        i = end;
    }
    if (!NeedsUtf8(pieces))
        return Joined(pieces);
    m_charset = "UTF-8";
    std::string out;
    for (const DecodedPiece& piece : pieces)
        out += MimeTextToUtf8(piece.bytes, piece.charset);
    return out;
}
