#include "document/xml/XmlWellFormed.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr char32_t kLargestCharacter = 0x10FFFF;
// The reader keeps an "&" of an attribute value as "&#38;".
constexpr size_t kAmpersandInValue = 5;

bool IsXmlCharacter(char32_t ch)
{
    if (ch < 0x20)
        return ch == 0x9 || ch == 0xA || ch == 0xD;
    return ch <= 0xD7FF || (ch >= 0xE000 && ch <= 0xFFFD) || (ch >= 0x10000 && ch <= kLargestCharacter);
}

bool IsSpace(unsigned char ch)
{
    return ch == 0x20 || ch == 0x9 || ch == 0xA || ch == 0xD;
}

// XML 1.0, fifth edition, as the reader's parser follows it.
bool IsNameStart(char32_t ch)
{
    if (ch < 0x80)
        return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_' || ch == ':';
    return (ch >= 0xC0 && ch <= 0xD6) || (ch >= 0xD8 && ch <= 0xF6) || (ch >= 0xF8 && ch <= 0x2FF) ||
           (ch >= 0x370 && ch <= 0x37D) || (ch >= 0x37F && ch <= 0x1FFF) || (ch >= 0x200C && ch <= 0x200D) ||
           (ch >= 0x2070 && ch <= 0x218F) || (ch >= 0x2C00 && ch <= 0x2FEF) || (ch >= 0x3001 && ch <= 0xD7FF) ||
           (ch >= 0xF900 && ch <= 0xFDCF) || (ch >= 0xFDF0 && ch <= 0xFFFD) || (ch >= 0x10000 && ch <= 0xEFFFF);
}

bool IsNameCharacter(char32_t ch)
{
    return IsNameStart(ch) || (ch >= '0' && ch <= '9') || ch == '-' || ch == '.' || ch == 0xB7 ||
           (ch >= 0x300 && ch <= 0x36F) || (ch >= 0x203F && ch <= 0x2040);
}

EString Hex(char32_t ch)
{
    return EString::Formatted(L"U+%04X", static_cast<unsigned>(ch));
}

EString Quoted(std::string_view name)
{
    EString text = L"\"";
    for (const char ch : name)
        text += static_cast<unsigned char>(ch) < 0x80 ? static_cast<wchar_t>(ch) : L'?';
    return text + L"\"";
}

// The first byte that is not UTF-8 or not a character XML can hold.
std::optional<XmlFault> FindCharacterFault(std::string_view bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    size_t i = 0;
    while (i < size) {
        const unsigned char lead = data[i];
        if (lead >= 0x20 && lead < 0x80) {
            // Most of a plan: eight bytes at a time while none is a control
            // character or part of a longer character.
            constexpr uint64_t kHigh = 0x8080808080808080ull;
            constexpr uint64_t kSpaces = 0x2020202020202020ull;
            uint64_t eight = 0;
            ++i;
            while (i + 8 <= size &&
                   (std::memcpy(&eight, data + i, 8), ((eight | ((eight - kSpaces) & ~eight)) & kHigh) == 0))
                i += 8;
            continue;
        }
        if (lead < 0x20) {
            if (!IsXmlCharacter(lead))
                return XmlFault{i, L"it holds the control character " + Hex(lead)};
            ++i;
            continue;
        }
        size_t length = 0;
        char32_t ch = 0;
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2, ch = lead & 0x1F;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3, ch = lead & 0x0F;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4, ch = lead & 0x07;
        else
            return XmlFault{i, EString::Formatted(L"the byte 0x%02X is not UTF-8", static_cast<unsigned>(lead))};
        for (size_t k = 1; k < length; ++k) {
            if (i + k >= size || (data[i + k] & 0xC0) != 0x80)
                return XmlFault{i, L"a UTF-8 character is cut short"};
            ch = (ch << 6) | (data[i + k] & 0x3F);
        }
        if ((length == 3 && ch < 0x800) || (length == 4 && ch < 0x10000))
            return XmlFault{i, L"a character is written in more UTF-8 bytes than it takes"};
        if (ch >= 0xD800 && ch <= 0xDFFF)
            return XmlFault{i, L"it holds half of a UTF-16 surrogate pair"};
        if (ch > kLargestCharacter)
            return XmlFault{i, L"a UTF-8 sequence lies beyond the last Unicode character"};
        if (!IsXmlCharacter(ch))
            return XmlFault{i, L"it holds the character " + Hex(ch) + L", which XML cannot hold"};
        i += length;
    }
    return std::nullopt;
}

// "10,000,005": a count the user reads at a glance.
EString Grouped(size_t count)
{
    std::wstring digits = std::to_wstring(count);
    for (size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, L',');
    return EString(std::move(digits));
}

size_t Utf8Length(char32_t ch)
{
    return ch < 0x80 ? 1 : ch < 0x800 ? 2 : ch < 0x10000 ? 3 : 4;
}

void AppendUtf16(EString& text, char32_t ch)
{
    if (ch < 0x10000) {
        text += static_cast<wchar_t>(ch);
        return;
    }
    ch -= 0x10000;
    text += static_cast<wchar_t>(0xD800 + (ch >> 10));
    text += static_cast<wchar_t>(0xDC00 + (ch & 0x3FF));
}

// The start of a quoted value, its raw UTF-8 (known to be well-formed) and
// references read, enough to know the record by; "..." when there is more.
EString ShownValue(std::string_view raw)
{
    constexpr size_t kShown = 40;
    static const struct {
        std::string_view name;
        char32_t ch;
    } kEntities[] = {{"amp;", '&'}, {"lt;", '<'}, {"gt;", '>'}, {"quot;", '"'}, {"apos;", '\''}};
    EString shown;
    size_t at = 0;
    for (size_t characters = 0; at < raw.size() && characters < kShown; ++characters) {
        const auto lead = static_cast<unsigned char>(raw[at]);
        char32_t ch = lead;
        size_t length = 1;
        if (lead == '&') {
            const size_t end = raw.find(';', at);
            const std::string_view reference = raw.substr(at + 1, end - at);
            length = reference.size() + 1;
            if (reference.starts_with('#')) {
                const bool hex = reference.size() > 1 && reference[1] == 'x';
                ch = 0;
                for (const char digit : reference.substr(hex ? 2 : 1, reference.size() - (hex ? 3 : 2)))
                    ch = ch * (hex ? 16 : 10) +
                         static_cast<char32_t>(digit <= '9' ? digit - '0' : (digit | 0x20) - 'a' + 10);
            } else {
                for (const auto& entity : kEntities)
                    if (reference == entity.name)
                        ch = entity.ch;
            }
        } else if (lead >= 0x80) {
            length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
            ch = lead & (0x3F >> (length - 1));
            for (size_t k = 1; k < length && at + k < raw.size(); ++k)
                ch = (ch << 6) | (static_cast<unsigned char>(raw[at + k]) & 0x3F);
        }
        // A line break or tab of a name shows as a blank.
        AppendUtf16(shown, ch < 0x20 ? U' ' : ch);
        at += length;
    }
    return at < raw.size() ? shown + L"..." : shown;
}

// The plan's records as the user knows them.
struct RecordNoun {
    std::string_view element;
    const wchar_t* noun;
};
constexpr RecordNoun kRecordNouns[] = {{"TASK", L"task"}, {"CATEGORY", L"category"}, {"PERSON", L"person"},
                                       {"MOOD", L"mood"}, {"GOAL", L"goal"},         {"PLANENTRY", L"plan entry"}};

const wchar_t* NounOf(std::string_view element)
{
    for (const RecordNoun& record : kRecordNouns)
        if (record.element == element)
            return record.noun;
    return nullptr;
}

// What holds a text, in the plan's own words: the task "Buy milk", a plan entry.
EString HolderOf(std::string_view element, std::string_view label, bool named)
{
    if (const wchar_t* noun = NounOf(element))
        return named ? EString(L"the ") + noun + L" \"" + ShownValue(label) + L"\"" : EString(L"a ") + noun;
    return L"the element " + Quoted(element) + (named ? L" named \"" + ShownValue(label) + L"\"" : EString());
}

// Walks the markup of bytes already known to be UTF-8 of XML characters.
class MarkupScan {
    struct OpenElement {
        std::string_view name;
        // The raw value of its NAME attribute, which the user knows it by.
        std::string_view label;
        bool named = false;
    };

public:
    explicit MarkupScan(std::string_view bytes) : m_bytes(bytes) {}

    std::optional<XmlFault> Run()
    {
        if (m_bytes.starts_with("\xEF\xBB\xBF"))
            m_position = 3;
        if (At("<?xml") && m_position + 5 < m_bytes.size() && IsSpace(Byte(m_position + 5)))
            if (!SkipPast(m_position + 5, "?>", L"the XML declaration does not end"))
                return m_fault;
        while (!m_fault && m_position < m_bytes.size()) {
            if (Byte(m_position) == '<')
                Markup();
            else if (m_open.empty())
                Outside();
            else
                CharacterData();
        }
        if (m_fault)
            return m_fault;
        if (!m_open.empty())
            return XmlFault{m_bytes.size(), L"it ends inside the element " + Quoted(m_open.back().name)};
        if (!m_sawRoot)
            return XmlFault{m_bytes.size(), m_bytes.find_first_not_of(" \t\r\n\xEF\xBB\xBF") == std::string_view::npos
                                                ? EString(L"it is empty")
                                                : EString(L"it holds no element")};
        return std::nullopt;
    }

private:
    unsigned char Byte(size_t at) const { return static_cast<unsigned char>(m_bytes[at]); }

    bool At(std::string_view text) const { return m_bytes.substr(m_position).starts_with(text); }

    bool Fail(size_t at, EString reason, bool tooLong = false)
    {
        if (!m_fault)
            m_fault = XmlFault{at, std::move(reason), tooLong};
        return false;
    }

    // A text of `bytes` at `at`, of the start tag being read or of the
    // element open around it, longer than the reader takes: told with the
    // nearest record the user knows by its name or kind.
    bool FailTooLong(size_t at, size_t bytes, const OpenElement* tag = nullptr)
    {
        auto known = [](const OpenElement& element) { return element.named || NounOf(element.name); };
        const OpenElement* holder = tag ? tag : m_open.empty() ? nullptr : &m_open.back();
        if (!tag || !known(*tag))
            for (size_t i = m_open.size(); i > 0; --i)
                if (known(m_open[i - 1])) {
                    holder = &m_open[i - 1];
                    break;
                }
        return Fail(at,
                    (holder ? HolderOf(holder->name, holder->label, holder->named) : EString(L"it")) +
                        L" holds a text too long to be read back: " + Grouped(bytes) +
                        L" bytes, where the XML reader takes " + Grouped(kLongestReadableText),
                    true);
    }

    // A comment, CDATA section or processing instruction's data of `bytes`, which the reader takes as one piece.
    bool FitsReader(size_t at, size_t bytes, const wchar_t* what)
    {
        return bytes <= kLongestReadableText ||
               Fail(at,
                    EString(what) + L" of " + Grouped(bytes) + L" bytes is longer than the " +
                        Grouped(kLongestReadableText) + L" the XML reader takes",
                    true);
    }

    // The character at `at`, and its length in bytes.
    char32_t Decode(size_t at, size_t& length) const
    {
        const unsigned char lead = Byte(at);
        if (lead < 0x80) {
            length = 1;
            return lead;
        }
        length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t ch = lead & (0x3F >> (length - 1));
        for (size_t k = 1; k < length && at + k < m_bytes.size(); ++k)
            ch = (ch << 6) | (Byte(at + k) & 0x3F);
        return ch;
    }

    // Moves past the first `end` at or after `from`.
    bool SkipPast(size_t from, std::string_view end, const wchar_t* unterminated)
    {
        const size_t found = m_bytes.find(end, from);
        if (found == std::string_view::npos)
            return Fail(m_bytes.size(), unterminated);
        m_position = found + end.size();
        return true;
    }

    void SkipSpace()
    {
        while (m_position < m_bytes.size() && IsSpace(Byte(m_position)))
            ++m_position;
    }

    // A name at the position, moved past; empty (with the fault) when there is none.
    std::string_view Name(const wchar_t* what)
    {
        const size_t start = m_position;
        size_t length = 0;
        if (m_position >= m_bytes.size() || !IsNameStart(Decode(m_position, length))) {
            Fail(start, EString(L"it lacks ") + what);
            return {};
        }
        m_position += length;
        while (m_position < m_bytes.size() && IsNameCharacter(Decode(m_position, length)))
            m_position += length;
        if (m_position - start > kLongestReadableName) {
            Fail(start,
                 L"a name of " + Grouped(m_position - start) + L" bytes is longer than the " +
                     Grouped(kLongestReadableName) + L" the XML reader takes",
                 true);
            return {};
        }
        return m_bytes.substr(start, m_position - start);
    }

    // "&...;" at the position, moved past; `counted` gains the bytes the
    // reader counts for it in a text or, inValue, in an attribute value.
    bool Reference(bool inValue, size_t& counted)
    {
        const size_t start = m_position++;
        if (m_position < m_bytes.size() && Byte(m_position) == '#') {
            const bool hex = ++m_position < m_bytes.size() && Byte(m_position) == 'x';
            if (hex)
                ++m_position;
            char32_t value = 0;
            size_t digits = 0;
            for (; m_position < m_bytes.size(); ++m_position, ++digits) {
                const unsigned char ch = Byte(m_position);
                int digit = -1;
                if (ch >= '0' && ch <= '9')
                    digit = ch - '0';
                else if (hex && ch >= 'a' && ch <= 'f')
                    digit = ch - 'a' + 10;
                else if (hex && ch >= 'A' && ch <= 'F')
                    digit = ch - 'A' + 10;
                if (digit < 0)
                    break;
                // Past the last character it stays there, without overflow.
                value = std::min<char32_t>(value * (hex ? 16 : 10) + digit, kLargestCharacter + 1);
            }
            if (digits == 0 || m_position >= m_bytes.size() || Byte(m_position) != ';')
                return Fail(start, L"a character reference is not closed by \";\"");
            ++m_position;
            if (!IsXmlCharacter(value))
                return Fail(start, L"it refers to the character " +
                                       (value > kLargestCharacter ? EString(L"beyond U+10FFFF") : Hex(value)) +
                                       L", which XML cannot hold");
            counted += inValue && value == '&' ? kAmpersandInValue : Utf8Length(value);
            return true;
        }
        const std::string_view name = Name(L"a name after \"&\"");
        if (name.empty())
            return false;
        if (m_position >= m_bytes.size() || Byte(m_position) != ';')
            return Fail(start, L"a reference is not closed by \";\"");
        ++m_position;
        if (name != "lt" && name != "gt" && name != "amp" && name != "quot" && name != "apos")
            return Fail(start, L"it refers to the entity " + Quoted(name) + L", which is not defined");
        counted += inValue && name == "amp" ? kAmpersandInValue : 1;
        return true;
    }

    // Between the elements only blanks, comments and processing instructions.
    void Outside()
    {
        if (!IsSpace(Byte(m_position))) {
            Fail(m_position, m_sawRoot ? L"text follows the document element" : L"text precedes the document element");
            return;
        }
        SkipSpace();
    }

    // One text node: the run up to the next markup, its references read.
    void CharacterData()
    {
        const size_t start = m_position;
        const size_t size = m_bytes.size();
        size_t bytes = 0;
        while (m_position < size) {
            const unsigned char ch = Byte(m_position);
            if (ch == '<')
                break;
            if (ch == '&') {
                if (!Reference(false, bytes))
                    return;
                continue;
            }
            if (ch == '>' && m_position >= 2 && Byte(m_position - 1) == ']' && Byte(m_position - 2) == ']') {
                Fail(m_position - 2, L"the text holds \"]]>\"");
                return;
            }
            bytes += IsLineEndPair(m_position) ? 0 : 1;
            ++m_position;
        }
        if (bytes > kLongestReadableText)
            FailTooLong(start, bytes);
    }

    // The CR of a CR LF, which reaches the reader as one line feed.
    bool IsLineEndPair(size_t at) const
    {
        return Byte(at) == '\r' && at + 1 < m_bytes.size() && Byte(at + 1) == '\n';
    }

    void Markup()
    {
        const size_t start = m_position;
        if (At("<!--")) {
            Comment();
        } else if (At("<?")) {
            m_position += 2;
            const std::string_view target = Name(L"the target of a processing instruction");
            if (target.empty())
                return;
            if (target.size() == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' &&
                (target[2] | 0x20) == 'l') {
                Fail(start, L"an XML declaration stands after the start");
                return;
            }
            if (!At("?>") && (m_position >= m_bytes.size() || !IsSpace(Byte(m_position)))) {
                Fail(m_position, L"the target of a processing instruction runs on without a blank");
                return;
            }
            SkipSpace();
            const size_t data = m_position;
            if (SkipPast(m_position, "?>", L"a processing instruction does not end"))
                FitsReader(start, m_position - 2 - data, L"a processing instruction");
        } else if (At("<![CDATA[")) {
            if (m_open.empty())
                Fail(start, L"a CDATA section stands outside the document element");
            else if (SkipPast(m_position + 9, "]]>", L"a CDATA section does not end"))
                FitsReader(start, m_position - 3 - (start + 9), L"a CDATA section");
        } else if (At("<!DOCTYPE")) {
            Fail(start, L"it declares a document type");
        } else if (At("<!")) {
            Fail(start, L"it holds a declaration XML does not know");
        } else if (At("</")) {
            EndTag();
        } else {
            StartTag();
        }
    }

    // The first "--" after "<!--" must be its end.
    void Comment()
    {
        const size_t found = m_bytes.find("--", m_position + 4);
        if (found == std::string_view::npos || found + 2 >= m_bytes.size())
            Fail(m_bytes.size(), L"a comment does not end");
        else if (Byte(found + 2) != '>')
            Fail(found, L"a comment holds \"--\"");
        else if (FitsReader(m_position, found - (m_position + 4), L"a comment"))
            m_position = found + 3;
    }

    void EndTag()
    {
        const size_t start = m_position;
        m_position += 2;
        const std::string_view name = Name(L"the name of an end tag");
        if (name.empty())
            return;
        SkipSpace();
        if (m_position >= m_bytes.size() || Byte(m_position) != '>') {
            Fail(m_position >= m_bytes.size() ? m_bytes.size() : start,
                 L"the end tag " + Quoted(name) + L" does not end");
            return;
        }
        ++m_position;
        if (m_open.empty() || m_open.back().name != name) {
            Fail(start, L"the end tag " + Quoted(name) + L" closes no element of that name");
            return;
        }
        m_open.pop_back();
    }

    void StartTag()
    {
        const size_t start = m_position;
        if (m_sawRoot && m_open.empty()) {
            Fail(start, L"a second document element follows the first");
            return;
        }
        ++m_position;
        const std::string_view name = Name(L"the name of an element");
        if (name.empty())
            return;
        if (m_open.size() >= kDeepestReadableElement) {
            Fail(start, EString::Formatted(L"its elements nest deeper than %u levels",
                                           static_cast<unsigned>(kDeepestReadableElement)));
            return;
        }
        m_attributes.clear();
        m_tag = OpenElement{name, {}, false};
        m_longValue.reset();
        const size_t size = m_bytes.size();
        for (;;) {
            const size_t beforeSpace = m_position;
            SkipSpace();
            if (m_position >= size) {
                Fail(size, L"the start tag " + Quoted(name) + L" does not end");
                return;
            }
            const unsigned char ch = Byte(m_position);
            if (ch == '>' || ch == '/')
                break;
            if (m_position == beforeSpace) {
                Fail(m_position, L"the start tag " + Quoted(name) + L" runs on without a blank");
                return;
            }
            if (!Attribute(name))
                return;
        }
        m_sawRoot = true;
        if (!UniqueAttributes(name))
            return;
        // Told once the whole tag is read: its NAME may follow the long value.
        if (m_longValue) {
            FailTooLong(m_longValue->first, m_longValue->second, &m_tag);
            return;
        }
        if (Byte(m_position) == '/') {
            if (m_position + 1 >= size || Byte(m_position + 1) != '>') {
                Fail(m_position, L"the start tag " + Quoted(name) + L" does not end");
                return;
            }
            m_position += 2;
            return;
        }
        ++m_position;
        m_open.push_back(m_tag);
    }

    bool Attribute(std::string_view element)
    {
        const std::string_view name = Name(L"the name of an attribute");
        if (name.empty())
            return false;
        m_attributes.push_back(name);
        SkipSpace();
        if (m_position >= m_bytes.size() || Byte(m_position) != '=')
            return Fail(m_position, L"the attribute " + Quoted(name) + L" of " + Quoted(element) + L" has no value");
        ++m_position;
        SkipSpace();
        if (m_position >= m_bytes.size() || (Byte(m_position) != '"' && Byte(m_position) != '\''))
            return Fail(m_position, L"the value of the attribute " + Quoted(name) + L" is not quoted");
        const unsigned char quote = Byte(m_position++);
        const size_t start = m_position;
        const size_t size = m_bytes.size();
        size_t bytes = 0;
        while (m_position < size) {
            const unsigned char ch = Byte(m_position);
            if (ch == quote) {
                if (name == "NAME")
                    m_tag.label = m_bytes.substr(start, m_position - start), m_tag.named = true;
                if (bytes > kLongestReadableText && !m_longValue)
                    m_longValue.emplace(start, bytes);
                ++m_position;
                return true;
            }
            if (ch == '<')
                return Fail(m_position, L"the value of the attribute " + Quoted(name) + L" holds \"<\"");
            if (ch == '&') {
                if (!Reference(true, bytes))
                    return false;
                continue;
            }
            bytes += IsLineEndPair(m_position) ? 0 : 1;
            ++m_position;
        }
        return Fail(size, L"the value of the attribute " + Quoted(name) + L" does not end");
    }

    bool UniqueAttributes(std::string_view element)
    {
        if (m_attributes.size() < 2)
            return true;
        std::sort(m_attributes.begin(), m_attributes.end());
        const auto twice = std::adjacent_find(m_attributes.begin(), m_attributes.end());
        if (twice == m_attributes.end())
            return true;
        return Fail(m_position, L"the element " + Quoted(element) + L" has the attribute " + Quoted(*twice) +
                                    L" twice");
    }

    std::string_view m_bytes;
    size_t m_position = 0;
    std::optional<XmlFault> m_fault;
    bool m_sawRoot = false;
    // The elements open around the position, outermost first.
    std::vector<OpenElement> m_open;
    std::vector<std::string_view> m_attributes;
    // The start tag being read, and where its first value too long for the
    // reader starts and how many bytes the reader counts in it.
    OpenElement m_tag;
    std::optional<std::pair<size_t, size_t>> m_longValue;
};

} // namespace

std::optional<XmlFault> FindXmlFault(std::string_view bytes)
{
    if (std::optional<XmlFault> fault = FindCharacterFault(bytes))
        return fault;
    return MarkupScan(bytes).Run();
}
