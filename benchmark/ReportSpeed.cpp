// Each shipped report over the large plan, from its file to the written HTML, against the bare parse.
#include <gtest/gtest.h>

#include <cstdio>

#include "benchmark/BareParse.h"
#include "benchmark/BenchmarkTimer.h"
#include "benchmark/LargePlan.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "reports/ReportRun.h"
#include "testing/TestSupport.h"

namespace {

constexpr int kRuns = 3;

struct ReportCase {
    const char* label;
    const wchar_t* stylesheet;
    int category;
    int days;
};

} // namespace

TEST(ReportSpeed, EachShippedReportOverTheLargePlanAgainstTheBareParse)
{
    ASSERT_TRUE(Text::LoadReportLanguageFile());
    const std::string bytes = LargePlanXml();
    const EString folder = MakeScratchFolder(L"ReportSpeed");
    const EString plan = folder + L"\\plan.qvr";
    WriteFileBytes(plan, bytes);
    const EString output = folder + L"\\Report.htm";

    const ReportCase cases[] = {
        {"tasks by category, the whole plan", L"TasksByCategory", 0, 7},
        {"tasks by category, category 3", L"TasksByCategory", 3, 7},
        {"daily plan, four weeks", L"DailyPlan", 0, 28},
        {"plan against reality, four weeks", L"PlanAgainstReality", 0, 28},
        {"plan against reality, a year", L"PlanAgainstReality", 0, 366},
    };
    for (const ReportCase& test : cases) {
        ReportParameters parameters;
        parameters.affectedCategory = test.category;
        parameters.periodStart = 45355; // Monday 4 March 2024
        parameters.periodEnd = parameters.periodStart + test.days - 1;
        const EString stylesheet =
            FileSystem::GetProgramFolderPath(EString(L"Reports\\") + test.stylesheet + L".xsl");
        const double run = MedianMilliseconds(kRuns, [&] { RunReport(stylesheet, plan, output, parameters); });
        const size_t written = ReadFileBytes(output).size();
        std::printf("report %-36s %9.1f ms (median of %d, %zu KB written)\n", test.label, run, kRuns, written / 1024);
        EXPECT_GT(written, 1000u);
    }
    const Bstr text(Utf8ToWide(bytes.data(), bytes.size()));
    const double parse = MedianMilliseconds(kRuns, [&] { BareParse(text); });
    std::printf("  bare parse of the plan:                     %9.1f ms (median of %d, %zu KB of plan)\n", parse,
                kRuns, bytes.size() / 1024);
}
