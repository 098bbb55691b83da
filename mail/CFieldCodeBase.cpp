#include "mail/CFieldCodeBase.h"

#include "mail/CMimeEncodedWord.h"
#include "mail/MimeChar.h"
#include "mail/MimeRegistry.h"

namespace {

const size_t MaxLine = 75;
const char FoldBreak[] = "\r\n\t";

// Breaks every line longer than the limit before its last blank that has
// text before it (so a line made only of its own leading blank stays whole).
std::string Fold(std::string text)
{
    size_t lineStart = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = text.find("\r\n", lineStart);
        if (lineEnd == std::string::npos)
            lineEnd = text.size();
        if (lineEnd - lineStart <= MaxLine) {
            lineStart = lineEnd + 2;
            continue;
        }
        size_t breakAt = std::string::npos;
        bool textBefore = false;
        for (size_t i = lineStart; i < lineEnd; ++i) {
            if (IsMimeSpace(static_cast<unsigned char>(text[i]))) {
                if (textBefore)
                    breakAt = i;
            } else {
                textBefore = true;
            }
        }
        if (breakAt == std::string::npos) {
            lineStart = lineEnd + 2;
            continue;
        }
        text.insert(breakAt, FoldBreak);
    }
    return text;
}

std::string EncodeSegment(const std::string& segment, size_t highBits, const std::string& charset)
{
    if (highBits == 0 || charset.empty())
        return segment;
    const size_t length = segment.size();
    const bool base64 = (length + 2) / 3 * 4 < length + 2 * highBits && length < 5 * highBits;
    CMimeEncodedWord word;
    word.SetEncoding(base64 ? 'B' : 'Q', charset);
    word.SetInput(segment.data(), segment.size(), true);
    return word.Encode();
}

} // namespace

std::string CFieldCodeBase::Decode() const
{
    CMimeEncodedWord words;
    words.SetInput(m_input, m_length, false);
    std::string value = words.Decode();
    m_charset = words.GetCharset();
    if (!IsMimeFolding())
        return value;
    std::string unfolded;
    unfolded.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') {
            i += 2;
            while (i < value.size() && IsMimeSpace(static_cast<unsigned char>(value[i])))
                ++i;
            --i;
            unfolded.push_back(' ');
        } else {
            unfolded.push_back(value[i]);
        }
    }
    return unfolded;
}

std::string CFieldCodeBase::Encode() const
{
    const std::string charset = m_charset.empty() ? GetDefaultMimeCharset() : m_charset;
    if (charset.empty() && !IsMimeFolding())
        return Input();

    const unsigned char* in = Bytes();
    const size_t n = m_length;
    std::string out;
    bool afterWord = false;
    size_t i = 0;
    while (i < n) {
        // A segment runs to the first blank or special outside quotes.
        const size_t start = i;
        size_t highBits = 0;
        int closing = GetInitialQuoteState() == 255 ? 255 : 0;
        for (; i < n; ++i) {
            const unsigned char ch = in[i];
            if (IsMimeHighBit(ch))
                ++highBits;
            if (closing != 0 && closing != 255) {
                if (ch == closing)
                    break;
                continue;
            }
            if (closing == 0 && (ch == '"' || ch == '(' || ch == '<')) {
                closing = ch == '"' ? '"' : ch == '(' ? ')' : '>';
                continue;
            }
            if (IsMimeSpace(ch) || IsMimeSpecial(ch))
                break;
        }
        std::string segment(m_input + start, i - start);
        const bool word = highBits > 0 && !charset.empty();
        // Blanks between two encoded words vanish when read: carry the blank
        // inside the second word.
        if (word && afterWord) {
            while (!out.empty() && IsMimeSpace(static_cast<unsigned char>(out.back()))) {
                segment.insert(segment.begin(), out.back());
                out.pop_back();
            }
        }
        out += EncodeSegment(segment, highBits, charset);
        afterWord = word || (afterWord && segment.empty());
        if (i >= n)
            break;
        const char ending = static_cast<char>(in[i++]);
        out.push_back(ending);
        if (!IsMimeSpace(static_cast<unsigned char>(ending)))
            afterWord = false;
        if (IsDelimiter(ending) && i < n) {
            out += FoldBreak;
            while (i < n && IsMimeSpace(in[i]))
                ++i;
        }
    }
    return IsMimeFolding() ? Fold(out) : out;
}
