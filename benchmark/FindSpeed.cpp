// The find and the plan-entry search on the large plan's live document, against the bare parse.
#include <gtest/gtest.h>

#include <cstdio>

#include "benchmark/BareParse.h"
#include "benchmark/BenchmarkTimer.h"
#include "benchmark/LargePlan.h"
#include "document/xml/XmlDoc.h"
#include "foundation/CTFile.h"
#include "reports/FindMatcher.h"
#include "reports/PlanEntryFinder.h"
#include "reports/SearchResults.h"

namespace {

constexpr int kRuns = 5;

} // namespace

TEST(FindSpeed, TheLargePlansFindAndPlanEntrySearchAgainstTheBareParse)
{
    const std::string bytes = LargePlanXml();
    const Bstr text(Utf8ToWide(bytes.data(), bytes.size()));
    XmlDoc plan;
    plan.LoadXml(text.ToString());
    const XmlDocument document = plan.GetDocument(false);

    SearchResults search;
    search.SetDocument(document);
    search.SetSelection(150, 0);
    const auto find = [&](const wchar_t* criteria, const FindOptions& options) {
        search.SetCriteria(criteria);
        search.SetOptions(options);
        int hits = 0;
        const double ms = MedianMilliseconds(kRuns, [&] { hits += search.Run() ? 1 : 0; });
        EXPECT_EQ(hits, kRuns) << "every run finds a hit";
        return ms;
    };
    // Names "Task number 17", descriptions "Notes on task 17": few hits, or every task.
    const double plain = find(L"number 977", {});
    const double wholeWord = find(L"9770", {.wholeWord = true});
    const double expression = find(L"task 9[0-9]{3}$", {.regularExpression = true});
    const double every = find(L"Task number", {.matchCase = true});
    const FindMatcher matcher(L"number 977", false, false, false);
    const double walk = MedianMilliseconds(kRuns, [&] { CollectFindMatches(document, matcher); });

    PlanEntryFinder finder;
    finder.SetDocument(document);
    finder.SetTaskId(77);
    finder.SetSecondId(-1);
    bool found = false;
    const double entries = MedianMilliseconds(kRuns, [&] { found = finder.Run(); });
    EXPECT_TRUE(found);
    const double parse = MedianMilliseconds(kRuns, [&] { BareParse(text); });

    std::printf("find, plain text:                      %.1f ms (median of %d)\n", plain, kRuns);
    std::printf("find, whole word:                      %.1f ms\n", wholeWord);
    std::printf("find, regular expression:              %.1f ms\n", expression);
    std::printf("find, every task a hit, match case:    %.1f ms\n", every);
    std::printf("  of which the walk over the texts:    %.1f ms\n", walk);
    std::printf("plan entries of one task:              %.1f ms\n", entries);
    std::printf("bare parse of the plan:                %.1f ms\n", parse);
}
