#include "mail/RtfHtml.h"

namespace {

bool IsLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

int HexValue(char ch)
{
    if (IsDigit(ch))
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// Reads the RTF at one position, never looking past its end.
class RtfScanner {
public:
    explicit RtfScanner(const std::string& text) : m_text(text) {}

    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek(size_t ahead = 0) const { return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : '\0'; }
    char Next() { return m_text[m_pos++]; }
    void Skip(size_t count) { m_pos = m_pos + count < m_text.size() ? m_pos + count : m_text.size(); }

    bool StartsWith(const char* literal) const { return m_text.compare(m_pos, std::char_traits<char>::length(literal), literal) == 0; }

    // A control word matched whole, so "\pard" is never taken for "\par".
    bool AtWord(const char* word) const
    {
        const size_t length = std::char_traits<char>::length(word);
        return StartsWith(word) && !IsLetter(Peek(length));
    }

    // A decimal parameter (digits capped so that hostile input cannot overflow); -1 without one.
    long ReadNumber()
    {
        long value = -1;
        for (int count = 0; IsDigit(Peek()); ++count) {
            if (count < 9)
                value = (value < 0 ? 0 : value * 10) + (Next() - '0');
            else
                Next();
        }
        return value;
    }
    void SkipSignedNumber()
    {
        if (Peek() == '-')
            Skip(1);
        ReadNumber();
    }
    void SkipBlank()
    {
        if (Peek() == ' ')
            Skip(1);
    }
    // Moves past the next occurrence of the text, or to the end without one.
    void SkipPast(const char* literal)
    {
        const size_t found = m_text.find(literal, m_pos);
        m_pos = found == std::string::npos ? m_text.size() : found + std::char_traits<char>::length(literal);
    }
    void SkipPastWord(const char* word)
    {
        const size_t length = std::char_traits<char>::length(word);
        for (size_t found = m_text.find(word, m_pos); found != std::string::npos; found = m_text.find(word, found + 1)) {
            const size_t after = found + length;
            if (after >= m_text.size() || (!IsLetter(m_text[after]) && !IsDigit(m_text[after]))) {
                m_pos = after;
                return;
            }
        }
        m_pos = m_text.size();
    }
    void MoveTo(size_t pos) { m_pos = pos; }

private:
    const std::string& m_text;
    size_t m_pos = 0;
};

// One control sequence at a backslash; false when it is none of those the
// extraction knows, and the backslash is then copied.
bool TranslateControl(RtfScanner& in, std::string& out, long& pendingTag)
{
    if (in.StartsWith("\\*\\mhtmltag")) {
        in.Skip(11);
        pendingTag = in.ReadNumber();
        in.SkipBlank();
        return true;
    }
    if (in.StartsWith("\\*\\htmltag")) {
        in.Skip(10);
        const long tag = in.ReadNumber();
        in.SkipBlank();
        // Its HTML was already given by the matching "\*\mhtmltag".
        if (tag >= 0 && tag == pendingTag)
            in.SkipPast("}");
        pendingTag = -1;
        return true;
    }
    if (in.AtWord("\\par")) {
        in.Skip(4);
        in.SkipBlank();
        out += "\r\n";
        return true;
    }
    if (in.AtWord("\\tab")) {
        in.Skip(4);
        in.SkipBlank();
        out += "   ";
        return true;
    }
    if (in.AtWord("\\li") || in.AtWord("\\fi")) {
        in.Skip(3);
        in.SkipSignedNumber();
        in.SkipBlank();
        return true;
    }
    if (in.Peek(1) == '\'') {
        const int high = HexValue(in.Peek(2));
        const int low = HexValue(in.Peek(3));
        if (high < 0 || low < 0)
            return false;
        in.Skip(4);
        out.push_back(static_cast<char>(high * 16 + low));
        return true;
    }
    if (in.AtWord("\\pntext")) {
        in.SkipPast("}");
        return true;
    }
    if (in.AtWord("\\htmlrtf")) {
        in.Skip(8);
        const long state = in.ReadNumber();
        // "\htmlrtf0" alone only ends a stretch that was never opened.
        if (state != 0)
            in.SkipPastWord("\\htmlrtf0");
        in.SkipBlank();
        return true;
    }
    const char escaped = in.Peek(1);
    if (escaped == '{' || escaped == '}' || escaped == '\\') {
        in.Skip(2);
        out.push_back(escaped);
        return true;
    }
    return false;
}

} // namespace

bool IsRtfFromHtml(const std::string& rtf)
{
    const size_t found = rtf.find("\\from");
    return found != std::string::npos && rtf.compare(found, 9, "\\fromhtml") == 0;
}

std::string ExtractHtmlFromRtf(const std::string& rtf)
{
    std::string html;
    const size_t start = rtf.find("{\\*\\htmltag");
    if (start == std::string::npos)
        return html;
    RtfScanner in(rtf);
    in.MoveTo(start);
    long pendingTag = -1;
    while (!in.AtEnd()) {
        const char ch = in.Peek();
        if (ch == '{' || ch == '}' || ch == '\r' || ch == '\n') {
            in.Skip(1);
        } else if (ch == '\\') {
            if (!TranslateControl(in, html, pendingTag))
                html.push_back(in.Next());
        } else {
            html.push_back(in.Next());
        }
    }
    return html;
}
