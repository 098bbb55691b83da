#include "document/xml/ReadableXmlTexts.h"

#include <cwchar>
#include <vector>

namespace {

// The longest reference a text may hold, "&#x10FFFF;" or "&#1114111;".
constexpr size_t kLongestReference = 10;

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

class TextRuns {
public:
    TextRuns(std::wstring_view text, size_t limit) : m_text(text), m_limit(limit) {}

    // Where texts are cut, and where the text goes on after each cut.
    struct Cut {
        size_t at;
        size_t resume;
    };

    std::vector<Cut> Find()
    {
        while (m_at < m_text.size()) {
            if (m_text[m_at] != L'<') {
                Run(L"<", true);
                continue;
            }
            const std::wstring_view rest = m_text.substr(m_at);
            if (rest.starts_with(L"<!--"))
                SkipPast(L"-->");
            else if (rest.starts_with(L"<![CDATA[")) {
                m_at += 9;
                Run(L"]]>", false);
            } else if (rest.starts_with(L"<?"))
                SkipPast(L"?>");
            else if (rest.starts_with(L"<!") || rest.starts_with(L"</"))
                SkipPast(L">");
            else
                StartTag();
        }
        return std::move(m_cuts);
    }

private:
    void SkipPast(std::wstring_view end)
    {
        const size_t found = m_text.find(end, m_at);
        m_at = found == std::wstring_view::npos ? m_text.size() : found + end.size();
    }

    // A start tag to its ">", its quoted values as runs of their own.
    void StartTag()
    {
        ++m_at;
        while (m_at < m_text.size()) {
            const wchar_t ch = m_text[m_at];
            if (ch == L'>') {
                ++m_at;
                return;
            }
            if (ch == L'<')
                return;
            ++m_at;
            if (ch == L'"' || ch == L'\'') {
                const wchar_t quote[] = {ch, 0};
                Run(quote, true);
                if (m_at < m_text.size())
                    ++m_at;
            }
        }
    }

    // The units of the text from the position to `end` (left at it), cut
    // once more than the limit have been counted.
    void Run(std::wstring_view end, bool references)
    {
        size_t counted = 0;
        while (m_at < m_text.size()) {
            if (m_text.substr(m_at).starts_with(end))
                return;
            const size_t step = UnitsAt(references, counted);
            m_at += step;
            if (counted > m_limit) {
                const size_t found = m_text.find(end, m_at);
                const size_t resume = found == std::wstring_view::npos ? m_text.size() : found;
                if (resume > m_at)
                    m_cuts.push_back({m_at, resume});
                m_at = resume;
                return;
            }
        }
    }

    // The length in the text of the character or reference at the position;
    // `counted` gains the units it stands for.
    size_t UnitsAt(bool references, size_t& counted) const
    {
        const wchar_t ch = m_text[m_at];
        if (ch == L'\r' && m_at + 1 < m_text.size() && m_text[m_at + 1] == L'\n') {
            ++counted;
            return 2;
        }
        if (IsHighSurrogate(ch) && m_at + 1 < m_text.size() && IsLowSurrogate(m_text[m_at + 1])) {
            counted += 2;
            return 2;
        }
        if (ch == L'&' && references) {
            const size_t semicolon = m_text.substr(m_at, kLongestReference).find(L';');
            if (semicolon != std::wstring_view::npos) {
                // A reference beyond the basic plane stands for a pair.
                const std::wstring_view reference = m_text.substr(m_at + 1, semicolon - 1);
                unsigned long value = 0;
                if (reference.starts_with(L"#x"))
                    value = std::wcstoul(std::wstring(reference.substr(2)).c_str(), nullptr, 16);
                else if (reference.starts_with(L"#"))
                    value = std::wcstoul(std::wstring(reference.substr(1)).c_str(), nullptr, 10);
                counted += value > 0xFFFF ? 2 : 1;
                return semicolon + 1;
            }
        }
        ++counted;
        return 1;
    }

    std::wstring_view m_text;
    size_t m_limit;
    size_t m_at = 0;
    std::vector<Cut> m_cuts;
};

} // namespace

std::wstring_view ReadableXmlTexts(std::wstring_view text, size_t limit, std::wstring& fitted)
{
    const std::vector<TextRuns::Cut> cuts = TextRuns(text, limit).Find();
    if (cuts.empty())
        return text;
    fitted.clear();
    size_t from = 0;
    for (const TextRuns::Cut& cut : cuts) {
        fitted.append(text.substr(from, cut.at - from));
        from = cut.resume;
    }
    fitted.append(text.substr(from));
    return fitted;
}
