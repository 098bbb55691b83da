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
#include "foundation/UniqueHandle.h"
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

const std::ctype<wchar_t>& LetterCase()
{
    return std::use_facet<std::ctype<wchar_t>>(SystemLetterCaseLocale());
}

// What may stand around a whole word: white space and , . ( ) : ? ! + - [ ].
bool IsSeparator(wchar_t ch)
{
    return LetterCase().is(std::ctype_base::space, ch) || std::wstring_view(L",.():?!+-[]").find(ch) != std::wstring_view::npos;
}

// How many characters and classes an expression stands for once its counted
// repeats are written out, as the matcher writes them out: its work per
// character of a text grows with that. "(?:(?:a?){150}){100}" is 26 characters
// typed and 15,000 matched, which holds the window for minutes on a long
// description. Counted in one pass; a group's size is kept on a stack.
constexpr size_t kLargestExpandedExpression = 1000;

size_t ExpandedSize(std::wstring_view pattern)
{
    constexpr size_t kCap = 1000000;
    std::vector<size_t> groups{0}; // the size so far of each open group
    size_t lastAtom = 0;
    for (size_t at = 0; at < pattern.size(); ++at) {
        size_t atom = 1;
        switch (pattern[at]) {
        case L'\\':
            ++at;
            break;
        case L'[':
            // A class is one atom: skip to its closing bracket, which may stand first.
            for (at += (at + 1 < pattern.size() && pattern[at + 1] == L']') ? 2 : 1;
                 at < pattern.size() && pattern[at] != L']'; ++at)
                at += pattern[at] == L'\\' ? 1 : 0;
            break;
        case L'(':
            groups.push_back(0);
            lastAtom = 0;
            continue;
        case L')':
            if (groups.size() > 1) {
                atom = groups.back();
                groups.pop_back();
            }
            break;
        case L'{': {
            size_t end = pattern.find(L'}', at);
            if (end == std::wstring_view::npos)
                break;
            // The larger bound counts: "{2,40}" writes the atom out forty times.
            size_t count = 0, largest = 0;
            for (size_t digit = at + 1; digit < end; ++digit) {
                if (pattern[digit] >= L'0' && pattern[digit] <= L'9')
                    count = std::min(kCap, count * 10 + (pattern[digit] - L'0'));
                else
                    count = 0;
                largest = std::max(largest, count);
            }
            const size_t repeated = std::min(kCap, lastAtom * std::max<size_t>(largest, 1));
            groups.back() = std::min(kCap, groups.back() - lastAtom + repeated);
            lastAtom = 0;
            at = end;
            continue;
        }
        default:
            break;
        }
        groups.back() = std::min(kCap, groups.back() + atom);
        lastAtom = atom;
    }
    size_t total = 0;
    for (size_t size : groups)
        total = std::min(kCap, total + size);
    return total;
}

constexpr auto kExpressionFlags = std::regex_constants::ECMAScript | std::regex_constants::multiline;

// An expression compiled as given, so that an error names the user's own text.
std::wregex Compiled(const std::wstring& pattern, std::regex_constants::syntax_option_type flags,
                     const EString& criteria)
{
    std::wregex expression;
    expression.imbue(SystemLetterCaseLocale());
    try {
        expression.assign(pattern, flags);
    } catch (const std::regex_error& error) {
        // Only a back-reference is refused by the matcher that takes every way at once.
        if (error.code() == std::regex_constants::error_complexity)
            throw;
        ThrowComError(E_INVALIDARG, L"\"" + criteria + L"\" is not a valid regular expression.");
    }
    return expression;
}

// The backtracking matcher takes a few hundred bytes of stack per character
// of the text: a long text gets a thread whose stack holds that twice over.
constexpr size_t kLongestTextOnThisStack = 1000;
constexpr size_t kStackBytesPerCharacter = 1024;
constexpr size_t kLongestBacktrackedText = 1000000;

// Nor has its work a bound of its own: "((\w*)*)*\1#" takes hours on a
// paragraph. It reads and moves through the text only by its iterator, so a
// position that counts those steps bounds the work of a whole find; once the
// find's steps are spent, the search gives up.
struct OutOfSteps {};

class CountedPosition {
public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = wchar_t;
    using difference_type = std::ptrdiff_t;
    using pointer = const wchar_t*;
    using reference = const wchar_t&;

    CountedPosition() = default;
    CountedPosition(const wchar_t* at, size_t* stepsLeft) : m_at(at), m_stepsLeft(stepsLeft) {}

    reference operator*() const
    {
        Step(m_stepsLeft);
        return *m_at;
    }
    CountedPosition& operator++()
    {
        Step(m_stepsLeft);
        ++m_at;
        return *this;
    }
    CountedPosition operator++(int)
    {
        CountedPosition before = *this;
        ++*this;
        return before;
    }
    CountedPosition& operator--()
    {
        Step(m_stepsLeft);
        --m_at;
        return *this;
    }
    CountedPosition operator--(int)
    {
        CountedPosition before = *this;
        --*this;
        return before;
    }
    // The matcher also compares with positions it made empty, which count nothing.
    friend bool operator==(const CountedPosition& a, const CountedPosition& b)
    {
        Step(a.m_stepsLeft ? a.m_stepsLeft : b.m_stepsLeft);
        return a.m_at == b.m_at;
    }

private:
    static void Step(size_t* stepsLeft)
    {
        if (!stepsLeft)
            return;
        if (*stepsLeft == 0)
            throw OutOfSteps();
        --*stepsLeft;
    }

    const wchar_t* m_at = nullptr;
    size_t* m_stepsLeft = nullptr;
};

enum class SearchEnd { kFound, kNotFound, kOutOfSteps, kRefused };

SearchEnd SearchCounted(const std::wregex& expression, const EString& text, size_t* stepsLeft)
{
    try {
        const wchar_t* begin = text.c_str();
        return std::regex_search(CountedPosition(begin, stepsLeft), CountedPosition(begin + text.size(), stepsLeft),
                                 expression)
                   ? SearchEnd::kFound
                   : SearchEnd::kNotFound;
    } catch (const OutOfSteps&) {
        return SearchEnd::kOutOfSteps;
    } catch (...) {
        // std::regex_error for a text the matcher gives up on.
        return SearchEnd::kRefused;
    }
}

struct BacktrackingSearch {
    const std::wregex* expression;
    const EString* text;
    size_t* stepsLeft;
    SearchEnd end = SearchEnd::kRefused;
};

DWORD WINAPI RunBacktrackingSearch(void* parameter)
{
    auto* search = static_cast<BacktrackingSearch*>(parameter);
    search->end = SearchCounted(*search->expression, *search->text, search->stepsLeft);
    return 0;
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

FindMatcher::FindMatcher(const EString& criteria, bool matchCase, bool wholeWord, bool regularExpression)
    : m_matchCase(matchCase)
{
    const auto flags = kExpressionFlags | (matchCase ? std::regex_constants::syntax_option_type{}
                                                      : std::regex_constants::icase);
    if (regularExpression) {
        m_mode = Mode::kExpression;
        if (ExpandedSize(criteria) > kLargestExpandedExpression)
            ThrowComError(E_INVALIDARG, L"\"" + criteria + L"\" repeats too much to be searched for: give smaller counts.");
        try {
            // Checked alone first: wrapped in a group, a text such as "a)|(b" would compile.
            Compiled(criteria, flags | std::regex_constants::__polynomial, criteria);
            // Any run of characters, then the pattern, tried from the text's
            // start only: one pass over the text instead of one per start.
            m_expression = Compiled(L"[\\s\\S]*?(?:" + criteria + L")", flags | std::regex_constants::__polynomial,
                                    criteria);
        } catch (const std::regex_error&) {
            m_mode = Mode::kBacktracking;
            m_expression = Compiled(criteria, flags, criteria);
        }
        return;
    }
    const std::wstring folded(Folded(criteria));
    if (wholeWord) {
        m_mode = Mode::kWholeWord;
        m_words.push_back(folded);
        return;
    }
    for (size_t start = 0; start <= folded.size();) {
        size_t end = folded.find(L' ', start);
        if (end == std::wstring::npos)
            end = folded.size();
        if (end > start)
            m_words.push_back(folded.substr(start, end - start));
        start = end + 1;
    }
}

std::wstring_view FindMatcher::Folded(const EString& text) const
{
    if (m_matchCase)
        return text;
    m_folded.assign(text.begin(), text.end());
    LetterCase().tolower(m_folded.data(), m_folded.data() + m_folded.size());
    return m_folded;
}

bool FindMatcher::ContainsWordsInOrder(std::wstring_view text) const
{
    size_t from = 0;
    for (const std::wstring& word : m_words) {
        const size_t at = text.find(word, from);
        if (at == std::wstring_view::npos)
            return false;
        from = at + word.size();
    }
    return true;
}

bool FindMatcher::ContainsWholeWord(std::wstring_view text) const
{
    const std::wstring& word = m_words.front();
    for (size_t at = text.find(word); at != std::wstring_view::npos; at = text.find(word, at + 1)) {
        const size_t end = at + word.size();
        if ((at == 0 || IsSeparator(text[at - 1])) && (end == text.size() || IsSeparator(text[end])))
            return true;
    }
    return false;
}

bool FindMatcher::SearchesWithBacktracking(const EString& text) const
{
    if (text.size() > kLongestBacktrackedText)
        ThrowComError(E_INVALIDARG, L"A text of the plan is too long for a regular expression with back-references.");
    BacktrackingSearch search{&m_expression, &text, &m_backtrackingStepsLeft};
    if (text.size() <= kLongestTextOnThisStack) {
        search.end = SearchCounted(m_expression, text, search.stepsLeft);
    } else {
        const UniqueHandle thread(::CreateThread(nullptr, text.size() * kStackBytesPerCharacter,
                                                 RunBacktrackingSearch, &search, STACK_SIZE_PARAM_IS_A_RESERVATION,
                                                 nullptr));
        if (!thread)
            ThrowLastWin32Error();
        // The steps bound the wait: a few seconds at most.
        ::WaitForSingleObject(thread.Get(), INFINITE);
    }
    switch (search.end) {
    case SearchEnd::kFound:
        return true;
    case SearchEnd::kNotFound:
        return false;
    case SearchEnd::kOutOfSteps:
        ThrowComError(E_INVALIDARG, L"The regular expression takes too long to search the plan with: "
                                    L"write it without back-references or with fewer repeats.");
    case SearchEnd::kRefused:
        break;
    }
    ThrowComError(E_INVALIDARG, L"A text of the plan is too long for a regular expression with back-references.");
}

bool FindMatcher::Matches(const EString& text) const
{
    if (text.IsEmpty())
        return false;
    switch (m_mode) {
    case Mode::kWords:
        return ContainsWordsInOrder(Folded(text));
    case Mode::kWholeWord:
        return ContainsWholeWord(Folded(text));
    case Mode::kExpression:
        return std::regex_search(text.begin(), text.end(), m_expression, std::regex_constants::match_continuous);
    case Mode::kBacktracking:
        return SearchesWithBacktracking(text);
    }
    return false;
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
