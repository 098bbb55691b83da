#include "reports/FindMatcher.h"

#include <map>
#include <string_view>

#include "document/xml/RawNodeWalk.h"
#include "document/xml/XmlNode.h"
#include "foundation/Bstr.h"
#include "foundation/ComError.h"
#include "foundation/Variant.h"

namespace {

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

// Task ids by category id; a category's tasks may lie on both sides of its
// sub-categories.
using TaskGroups = std::map<EString, EString>;

// Only categories hold what is searched: the plan's other sections, its
// hundred thousand plan entries among them, are never entered.
void CollectUnder(IXMLDOMNode* parent, const FindMatcher& matcher, FindMatches& matches, TaskGroups& tasks)
{
    // Tasks outside every category belong to the tree's top item, 0.
    const EString ownId = IdOf(parent);
    const EString parentId = ownId.IsEmpty() ? EString(L"0") : ownId;
    for (ComPtr<IXMLDOMNode> child = RawNodeWalk::FirstChild(parent); child;
         child = RawNodeWalk::NextSibling(child.Get())) {
        if (!RawNodeWalk::IsElement(child.Get()))
            continue;
        if (HasName(child.Get(), L"TASK")) {
            if (ItemMatches(child.Get(), matcher)) {
                EString& group = tasks[parentId];
                group += (group.IsEmpty() ? L"," : L"") + IdOf(child.Get()) + L",";
            }
        } else if (HasName(child.Get(), L"CATEGORY")) {
            if (ItemMatches(child.Get(), matcher))
                matches.categories += IdOf(child.Get()) + L",";
            CollectUnder(child.Get(), matcher, matches, tasks);
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
    TaskGroups tasks;
    if (const XmlNode root = document.GetDocumentElement())
        CollectUnder(root.Get(), matcher, matches, tasks);
    for (const auto& [categoryId, ids] : tasks)
        matches.tasks += categoryId + L":" + ids + L";";
    return matches;
}
