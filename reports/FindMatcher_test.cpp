#include "reports/FindMatcher.h"

#include <gtest/gtest.h>

#include "document/xml/XmlDoc.h"
#include "foundation/ComError.h"

namespace {

// Two categories and a sub-category; names and descriptions with near misses.
constexpr const wchar_t* kPlan =
    L"<ROOT>"
    L"<CATEGORY ID=\"1\" NAME=\"Garden\" STATUS=\"0\"><DESCRIPTION></DESCRIPTION>"
    L"<TASK ID=\"11\" NAME=\"Water the plants\" STATUS=\"0\"><DESCRIPTION/></TASK>"
    L"<TASK ID=\"12\" NAME=\"Buy cat food\" STATUS=\"0\"><DESCRIPTION/></TASK>"
    L"<TASK ID=\"13\" NAME=\"Sort the category labels\" STATUS=\"1\"><DESCRIPTION/></TASK>"
    L"<TASK ID=\"14\" NAME=\"Tidy up\" STATUS=\"2\"><DESCRIPTION>see a.b notes</DESCRIPTION></TASK>"
    L"</CATEGORY>"
    L"<CATEGORY ID=\"2\" NAME=\"Attic\" STATUS=\"0\"><DESCRIPTION>Where the\nCat sleeps</DESCRIPTION>"
    L"<TASK ID=\"21\" NAME=\"axb plan\" STATUS=\"0\"><DESCRIPTION/></TASK>"
    L"<CATEGORY ID=\"3\" NAME=\"Cat boxes\" STATUS=\"1\"><DESCRIPTION/>"
    L"<TASK ID=\"31\" NAME=\"(cat) toys\" STATUS=\"2\"><DESCRIPTION/></TASK>"
    L"</CATEGORY></CATEGORY>"
    L"<DAILY><DAY DATE=\"2024-05-14\"><PLANENTRY ID=\"1\" TASKID=\"12\"><DESCRIPTION>cat</DESCRIPTION></PLANENTRY>"
    L"</DAY></DAILY>"
    L"</ROOT>";

// The categories whose own text matches as ",2,3,", the matching tasks by category as ";1:,12,13,;3:,31,;".
struct Listed {
    EString categories = L",";
    EString tasks = L";";
};

Listed Collect(const EString& criteria, bool matchCase, bool wholeWord, bool regularExpression)
{
    XmlDoc plan;
    plan.LoadXml(kPlan);
    Listed listed;
    for (const auto& [id, hits] :
         CollectFindMatches(plan.GetDocument(false), FindMatcher(criteria, matchCase, wholeWord, regularExpression))) {
        if (hits.own)
            listed.categories += id + L",";
        if (!hits.tasks.IsEmpty())
            listed.tasks += id + L":" + hits.tasks + L";";
    }
    return listed;
}

} // namespace

TEST(FindMatcher, CategoriesAndTasksMatchByNameOrDescriptionAsTheSwitchesSay)
{
    const struct {
        const char* name;
        const wchar_t* criteria;
        bool matchCase, wholeWord, regularExpression;
        const wchar_t* categories;
        const wchar_t* tasks;
    } cases[] = {
        {"plain text in any case", L"cat", false, false, false, L",2,3,", L";1:,12,13,;3:,31,;"},
        {"whole word skips category", L"cat", false, true, false, L",2,3,", L";1:,12,;3:,31,;"},
        {"match case", L"Cat", true, false, false, L",2,3,", L";"},
        {"a dot is a dot", L"a.b", false, false, false, L",", L";1:,14,;"},
        {"a dot is any character in an expression", L"a.b", false, false, true, L",", L";1:,14,;2:,21,;"},
        {"a blank stands for any run", L"water plants", false, false, false, L",", L";1:,11,;"},
        {"whole words keep their blanks", L"water plants", false, true, false, L",", L";"},
        {"an expression's line start", L"^cat", false, false, true, L",2,3,", L";"},
        {"brackets match themselves", L"(cat)", false, false, false, L",", L";3:,31,;"},
    };
    for (const auto& test : cases) {
        const Listed matches = Collect(test.criteria, test.matchCase, test.wholeWord, test.regularExpression);
        EXPECT_EQ(matches.categories, test.categories) << test.name;
        EXPECT_EQ(matches.tasks, test.tasks) << test.name;
    }
}

TEST(FindMatcher, LetterCaseIsFoldedForEveryAlphabetUnlessMatchCaseIsOn)
{
    const struct {
        const wchar_t* criteria;
        const wchar_t* text;
        bool matchCase, wholeWord, regularExpression;
        bool matches;
    } cases[] = {
        {L"cat", L"CAT FOOD", false, false, false, true},
        {L"cat", L"CAT FOOD", true, false, false, false},
        {L"Müller", L"Herr MÜLLER", false, false, false, true},
        {L"Müller", L"Herr MÜLLER", true, false, false, false},
        {L"Zoë", L"chez ZOË", false, false, false, true},
        {L"élan", L"ÉLAN VITAL", false, false, false, true},
        {L"αθήνα", L"ΑΘΉΝΑ", false, false, false, true},
        {L"москва", L"МОСКВА", false, false, false, true},
        {L"Москва", L"москва", true, false, false, false},
        {L"müller", L"Herr MÜLLER, bitte", false, true, false, true},
        {L"ller", L"Herr MÜLLER, bitte", false, true, false, false}, // Ü is a letter of the word
        {L"m[üu]ller$", L"Herr MÜLLER", false, false, true, true},
        {L"zo[à-ÿ]", L"ZOË", false, false, true, true},
        {L"^Ё", L"ёлка", false, false, true, true},
        {L"\\S+ÿ", L"aŸ", false, false, true, true}, // an escape keeps its letter's case
    };
    for (const auto& c : cases) {
        const FindMatcher matcher(c.criteria, c.matchCase, c.wholeWord, c.regularExpression);
        EXPECT_EQ(matcher.Matches(c.text), c.matches) << c.criteria << L" in " << c.text << (c.matchCase ? L", match case" : L"");
    }
}

TEST(FindMatcher, AnExpressionThatDoesNotCompileIsAnInvalidArgumentNamingTheText)
{
    try {
        FindMatcher(L"ca[t", false, false, true);
        FAIL() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Error(), E_INVALIDARG);
        EXPECT_NE(error.Description().find(L"ca[t"), EString::npos);
    }
    EXPECT_NO_THROW(FindMatcher(L"ca[t", false, false, false)) << "as plain text it is only characters";
}

TEST(FindMatcher, ALongDescriptionIsSearchedWithoutEndingTheProgram)
{
    // A description dropped from a mail: "meeting", 100,000 characters, then "notes".
    const EString text = L"Meeting " + EString(50000, L'x') + L"\r\n" + EString(50000, L'y') + L" notes, (end)";
    const struct {
        const wchar_t* criteria;
        bool wholeWord, regularExpression;
        bool matches;
    } cases[] = {
        {L"meeting notes", false, false, true},
        {L"meeting absent", false, false, false},
        {L"notes meeting", false, false, false}, // the words in their order
        {L"end", true, false, true},
        {L"note", true, false, false},
        {L"meeting[\\s\\S]*notes", false, true, true},
        {L"meeting.*notes", false, true, false}, // a dot stops at the line break
        {L"meeting[\\s\\S]*absent", false, true, false},
        {L"^y+ notes", false, true, true},
        {L"(x+x+)+z", false, true, false},
        {L"(meeting)[\\s\\S]*\\1", false, true, false}, // a back-reference backtracks
        {L"(x)\\1[\\s\\S]*notes", false, true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindMatcher(c.criteria, false, c.wholeWord, c.regularExpression).Matches(text), c.matches)
            << c.criteria;
}

// An expression with back-references whose ways through a text grow without
// bound gives up with a word instead of holding the window for hours.
TEST(FindMatcher, ABacktrackingSearchThatWouldNotEndIsRefused)
{
    const struct {
        const wchar_t* criteria;
        size_t length;
    } cases[] = {
        {L"((\\w*)*)*\\1#", 100000}, // on a thread of its own
        {L"((\\w*)*)*\\1#", 200},    // on the window's own stack
        {L"(\\w*)*\\1#", 100000},
    };
    for (const auto& c : cases) {
        const FindMatcher matcher(c.criteria, false, false, true);
        try {
            matcher.Matches(EString(c.length, L'a'));
            ADD_FAILURE() << c.criteria << " over " << c.length << " characters: no error";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Error(), E_INVALIDARG);
            EXPECT_NE(error.Description().find(L"takes too long"), EString::npos) << c.criteria;
        }
    }
    // The steps are the whole find's: a search that ends in time still answers after many texts.
    const FindMatcher usual(L"(ab)\\1", false, false, true);
    for (int text = 0; text < 1000; ++text)
        ASSERT_FALSE(usual.Matches(EString(2000, L'a')));
    EXPECT_TRUE(usual.Matches(EString(2000, L'a') + L"abab"));
}

TEST(FindMatcher, AnExpressionIsCheckedAsTypedAndATextTooLongToBacktrackIsRefused)
{
    // Valid only inside the group the matcher puts around an expression.
    EXPECT_THROW(FindMatcher(L"a)|(b", false, false, true), ComError);
    // Short to type, but thousands of steps per character of every text once its counts are written out.
    for (const wchar_t* tooLarge : {L"(?:(?:a?){150}){100}c", L"(?:a|b){2,5000}", L"[a-z]{900}\\d{200}"})
        EXPECT_THROW(FindMatcher(tooLarge, false, false, true), ComError) << tooLarge;
    for (const wchar_t* usual : {L"\\d{4}-\\d{2}-\\d{2}", L"(?:[({]x){1,40}", L"a{2}b{3}"})
        EXPECT_NO_THROW(FindMatcher(usual, false, false, true)) << usual;
    const FindMatcher backReference(L"(a)\\1", false, false, true);
    try {
        backReference.Matches(EString(1000001, L'a'));
        FAIL() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Error(), E_INVALIDARG);
    }
}
