// Each shipped report run over a generated plan of a thousand tasks; the HTML is left for the browser check.
#include <gtest/gtest.h>

#include "benchmark/PlanGenerator.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "reports/ReportRun.h"
#include "testing/TestSupport.h"

namespace {

constexpr const wchar_t* kShippedReports[] = {L"TasksByCategory", L"DailyPlan", L"PlanAgainstReality"};

EString ReadUtf16File(const EString& path)
{
    const std::string bytes = ReadFileBytes(path);
    if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE", 2) != 0)
        return EString();
    return EString(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
}

TEST(ShippedReportsOverAPlan, EachShippedReportWritesItsHtmlWithEveryTextFilledIn)
{
    Text::Dictionary().Clear();
    ASSERT_TRUE(Text::LoadReportLanguageFile());
    // build/bin/report-html: the browser check reads the plan, the parameters and the reports there.
    const EString folder = FileSystem::GetProgramFolderPath(L"report-html");
    ASSERT_TRUE(FileSystem::EnsureFolder(folder));
    const EString plan = folder + L"\\plan.qvr";
    WriteFileBytes(plan, GeneratePlan(PlanSize::Tenth(), 7));

    ReportParameters parameters;
    parameters.affectedCategory = 3;
    parameters.startOfWeek = 2;
    parameters.is24HoursFormat = false;
    parameters.periodStart = 45355; // Monday 4 March 2024
    parameters.periodEnd = 45368;   // Sunday 17 March 2024
    parameters.regularHours = 7.5;
    WriteFileBytes(folder + L"\\parameters.txt", "AffectedCategory=3\nStartOfWeek=2\nIs24HoursFormat=0\n"
                                                 "ReportingPeriodStart=45355\nReportingPeriodEnd=45368\n"
                                                 "RegularHours=7.5\n");

    for (const wchar_t* report : kShippedReports) {
        const EString output = folder + L"\\" + report + L".htm";
        RunReport(FileSystem::GetProgramFolderPath(EString(L"Reports\\") + report + L".xsl"), plan, output,
                  parameters);
        const EString html = ReadUtf16File(output);
        ASSERT_FALSE(html.IsEmpty()) << "UTF-16 with its mark: " << output.c_str();
        EXPECT_NE(html.find(L"</TABLE>"), EString::npos) << output.c_str();
        for (const auto& [key, text] : Text::Dictionary().Entries())
            EXPECT_EQ(html.find(L"{" + key + L"}"), EString::npos) << "{" << WideToUtf8(key) << "} in " << output.c_str();
    }
    EXPECT_NE(ReadUtf16File(folder + L"\\DailyPlan.htm").find(L"<TITLE>Daily plan</TITLE>"), EString::npos);
    // A blank alone between two values survives the stylesheet's parse.
    EXPECT_NE(ReadUtf16File(folder + L"\\DailyPlan.htm").find(L"Mon 2024-03-04"), EString::npos);
    EXPECT_NE(ReadUtf16File(folder + L"\\PlanAgainstReality.htm").find(L"2024-03-04 \u2013 2024-03-17"), EString::npos);
    EXPECT_NE(ReadUtf16File(folder + L"\\PlanAgainstReality.htm").find(L"Plan against reality"), EString::npos);
    EXPECT_NE(ReadUtf16File(folder + L"\\TasksByCategory.htm").find(L"Tasks by category"), EString::npos);
    Text::Dictionary().Clear();
}

} // namespace
