// FindMatcher: the find's text test, and the categories and tasks of a plan that pass it.
#pragma once

#include <map>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "document/xml/XmlDocument.h"
#include "foundation/EString.h"

// The find dialog's text and switches as one test. Without regular
// expressions the text matches itself; whole words must stand between
// separators or the text's ends and keep their blanks, otherwise a blank
// stands for any run of characters. Letter case counts only when asked;
// otherwise letters of every alphabet fold as the system folds them.
//
// Texts from a plan run to any length (a description filled from a dropped
// mail), so nothing here may recurse or backtrack once per character: plain
// text and whole words are looked for in the folded text, and an expression
// runs on the matcher that follows every way through the pattern at once.
// Only an expression with back-references needs the backtracking matcher; a
// long text then gets a thread with a stack of its own size, and the steps it
// takes over all the texts of one find are bounded.
class FindMatcher {
public:
    // A regular expression that does not compile raises E_INVALIDARG.
    FindMatcher(const EString& criteria, bool matchCase, bool wholeWord, bool regularExpression);

    // A text too long for an expression with back-references, or one whose
    // search would take longer than the find allows, raises E_INVALIDARG.
    bool Matches(const EString& text) const;

private:
    enum class Mode { kWords, kWholeWord, kExpression, kBacktracking };

    std::wstring_view Folded(const EString& text) const;
    bool ContainsWordsInOrder(std::wstring_view text) const;
    bool ContainsWholeWord(std::wstring_view text) const;
    bool SearchesWithBacktracking(const EString& text) const;

    Mode m_mode = Mode::kWords;
    bool m_matchCase = false;
    // Plain text: the words, folded unless the case counts; whole words: one.
    std::vector<std::wstring> m_words;
    std::wregex m_expression;
    // The text folded, kept from one call to the next.
    mutable std::wstring m_folded;
    // What the backtracking matcher may still do in this find, in steps
    // through the texts: a few seconds' work.
    static constexpr size_t kBacktrackingSteps = 200000000;
    mutable size_t m_backtrackingStepsLeft = kBacktrackingSteps;
};

// What matched, by category id: whether the category's own text matches and
// its matching tasks as a ",31,32," list, which a stylesheet tests with
// contains(): the program's own walk over the plan, since the processor offers
// no script to match texts with. Category 0 is the tree's top item, which
// holds the tasks outside every category. A category's own list keeps the
// test of each task short when thousands of tasks match, and a category
// whose every task matches needs no test of each.
struct CategoryHits {
    bool own = false;
    EString tasks;
    bool everyTask = false;
};
using FindMatches = std::map<EString, CategoryHits>;

// A category or task matches by its name or its description.
FindMatches CollectFindMatches(const XmlDocument& document, const FindMatcher& matcher);
