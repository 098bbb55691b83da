// FindMatcher: the find's text test, and the categories and tasks of a plan that pass it.
#pragma once

#include <map>
#include <regex>

#include "document/xml/XmlDocument.h"
#include "foundation/EString.h"

// The find dialog's text and switches as one expression. Without regular
// expressions the text matches itself; whole words must stand between
// separators or the text's ends and keep their blanks, otherwise a blank
// stands for any run of characters. Letter case counts only when asked;
// otherwise letters of every alphabet fold as the system folds them.
class FindMatcher {
public:
    // A regular expression that does not compile raises E_INVALIDARG.
    FindMatcher(const EString& criteria, bool matchCase, bool wholeWord, bool regularExpression);

    bool Matches(const EString& text) const;

private:
    std::wregex m_expression;
};

// The expression the find tests with.
std::wstring MakeFindPattern(const EString& criteria, bool wholeWord, bool regularExpression);

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
