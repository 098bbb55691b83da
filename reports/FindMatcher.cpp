#include "reports/FindMatcher.h"

#include <algorithm>
#include <locale>
#include <numeric>
#include <set>
#include <string_view>
#include <vector>

#include "document/xml/RawNodeWalk.h"
#include "document/xml/XmlNode.h"
#include "foundation/Bstr.h"
#include "foundation/ComError.h"
#include "foundation/Variant.h"

namespace {

// The system's letter case for every character of the basic plane: the C
// library's locale folds only A to Z. The expression folds both its own
// characters and the text's through this facet, escapes, classes and ranges
// included; each table is one call over a buffer.
class SystemLetterCase : public std::ctype<wchar_t> {
public:
    SystemLetterCase() : m_lower(Mapped(LCMAP_LOWERCASE)), m_upper(Mapped(LCMAP_UPPERCASE)) {}

protected:
    wchar_t do_tolower(wchar_t ch) const override { return m_lower[ch]; }
    wchar_t do_toupper(wchar_t ch) const override { return m_upper[ch]; }
    const wchar_t* do_tolower(wchar_t* low, const wchar_t* high) const override { return Map(m_lower, low, high); }
    const wchar_t* do_toupper(wchar_t* low, const wchar_t* high) const override { return Map(m_upper, low, high); }

private:
    static constexpr int kCount = 0x10000;

    std::vector<wchar_t> Mapped(DWORD caseFlag) const
    {
        std::vector<wchar_t> every(kCount);
        std::iota(every.begin(), every.end(), L'\0');
        std::vector<wchar_t> mapped(every);
        if (::LCMapStringEx(LOCALE_NAME_INVARIANT, caseFlag, every.data(), kCount, mapped.data(), kCount, nullptr,
                            nullptr, 0) != kCount) {
            // The C library's A to Z at least.
            mapped = every;
            if (caseFlag == LCMAP_LOWERCASE)
                std::ctype<wchar_t>::do_tolower(mapped.data(), mapped.data() + kCount);
            else
                std::ctype<wchar_t>::do_toupper(mapped.data(), mapped.data() + kCount);
        }
        // Half a surrogate pair is no letter.
        std::copy(every.begin() + 0xD800, every.begin() + 0xE000, mapped.begin() + 0xD800);
        return mapped;
    }
    static const wchar_t* Map(const std::vector<wchar_t>& table, wchar_t* low, const wchar_t* high)
    {
        for (; low < high; ++low)
            *low = table[*low];
        return high;
    }

    const std::vector<wchar_t> m_lower;
    const std::vector<wchar_t> m_upper;
};

const std::locale& SystemLetterCaseLocale()
{
    static const std::locale locale(std::locale::classic(), new SystemLetterCase);
    return locale;
}

constexpr std::wstring_view kSpecialCharacters = L"\\$()*+.[]?/^{}|";
// What may stand around a whole word.
constexpr const wchar_t* kSeparatorRun = L"[\\s,.():?!+\\-\\[\\]]+";

std::wstring Escaped(const EString& criteria)
{
    std::wstring escaped;
    for (const wchar_t ch : criteria) {
        if (kSpecialCharacters.find(ch) != std::wstring_view::npos)
            escaped += L'\\';
        escaped += ch;
    }
    return escaped;
}

bool HasName(IXMLDOMNode* node, std::wstring_view name)
{
    Bstr nodeName;
    return SUCCEEDED(node->get_nodeName(&nodeName)) && std::wstring_view(nodeName.Get(), nodeName.Length()) == name;
}

EString NameOf(IXMLDOMNode* node)
{
    ComPtr<IXMLDOMElement> element;
    Variant value;
    if (FAILED(node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&element))) ||
        element->getAttribute(Bstr(L"NAME"), value.Out()) != S_OK || value.vt != VT_BSTR)
        return EString();
    return value.ToString();
}

EString DescriptionOf(IXMLDOMNode* node)
{
    for (ComPtr<IXMLDOMNode> child = RawNodeWalk::FirstChild(node); child;
         child = RawNodeWalk::NextSibling(child.Get())) {
        if (!RawNodeWalk::IsElement(child.Get()) || !HasName(child.Get(), L"DESCRIPTION"))
            continue;
        Bstr text;
        ThrowIfFailed(child->get_text(&text));
        return text.ToString();
    }
    return EString();
}

bool ItemMatches(IXMLDOMNode* node, const FindMatcher& matcher)
{
    return matcher.Matches(NameOf(node)) || matcher.Matches(DescriptionOf(node));
}

EString IdOf(IXMLDOMNode* node)
{
    ComPtr<IXMLDOMElement> element;
    Variant value;
    if (FAILED(node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&element))) ||
        element->getAttribute(Bstr(L"ID"), value.Out()) != S_OK || value.vt != VT_BSTR)
        return EString();
    return value.ToString();
}

// Only categories hold what is searched: the plan's other sections, its
// hundred thousand plan entries among them, are never entered.
void CollectUnder(IXMLDOMNode* parent, const FindMatcher& matcher, FindMatches& matches,
                  std::set<EString>& missedTasks)
{
    // Tasks outside every category belong to the tree's top item, 0.
    const EString ownId = IdOf(parent);
    const EString parentId = ownId.IsEmpty() ? EString(L"0") : ownId;
    for (ComPtr<IXMLDOMNode> child = RawNodeWalk::FirstChild(parent); child;
         child = RawNodeWalk::NextSibling(child.Get())) {
        if (!RawNodeWalk::IsElement(child.Get()))
            continue;
        if (HasName(child.Get(), L"TASK")) {
            // A category's tasks may lie on both sides of its sub-categories.
            if (ItemMatches(child.Get(), matcher)) {
                EString& group = matches[parentId].tasks;
                group += (group.IsEmpty() ? L"," : L"") + IdOf(child.Get()) + L",";
            } else {
                missedTasks.insert(parentId);
            }
        } else if (HasName(child.Get(), L"CATEGORY")) {
            if (ItemMatches(child.Get(), matcher))
                matches[IdOf(child.Get())].own = true;
            CollectUnder(child.Get(), matcher, matches, missedTasks);
        }
    }
}

} // namespace

std::wstring MakeFindPattern(const EString& criteria, bool wholeWord, bool regularExpression)
{
    if (regularExpression)
        return criteria;
    const std::wstring escaped = Escaped(criteria);
    if (wholeWord)
        return std::wstring(L"(^|") + kSeparatorRun + L")" + escaped + L"(" + kSeparatorRun + L"|$)";
    std::wstring pattern;
    for (const wchar_t ch : escaped)
        pattern += ch == L' ' ? std::wstring(L"[\\s\\S]*") : std::wstring(1, ch);
    return pattern;
}

FindMatcher::FindMatcher(const EString& criteria, bool matchCase, bool wholeWord, bool regularExpression)
{
    auto flags = std::regex_constants::ECMAScript | std::regex_constants::multiline;
    if (!matchCase)
        flags |= std::regex_constants::icase;
    m_expression.imbue(SystemLetterCaseLocale());
    try {
        m_expression.assign(MakeFindPattern(criteria, wholeWord, regularExpression), flags);
    } catch (const std::regex_error&) {
        ThrowComError(E_INVALIDARG, L"\"" + criteria + L"\" is not a valid regular expression.");
    }
}

bool FindMatcher::Matches(const EString& text) const
{
    return !text.IsEmpty() && std::regex_search(text.begin(), text.end(), m_expression);
}

FindMatches CollectFindMatches(const XmlDocument& document, const FindMatcher& matcher)
{
    FindMatches matches;
    std::set<EString> missedTasks;
    if (const XmlNode root = document.GetDocumentElement())
        CollectUnder(root.Get(), matcher, matches, missedTasks);
    for (auto& [id, hits] : matches)
        hits.everyTask = !hits.tasks.IsEmpty() && !missedTasks.contains(id);
    return matches;
}
