// Each shipped report over the large plan, from its file to the written HTML, against the bare parse; and one as the program runs it, with how long its window took at most to answer meanwhile.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "benchmark/BareParse.h"
#include "benchmark/BenchmarkTimer.h"
#include "benchmark/HostWindow.h"
#include "benchmark/LargePlan.h"
#include "foundation/AppWindow.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/UniqueHandle.h"
#include "foundation/WaitPumpingMessages.h"
#include "reports/ReportRun.h"
#include "reports/ReportServices.h"
#include "testing/TestSupport.h"

namespace {

constexpr int kRuns = 3;

struct ReportCase {
    const char* label;
    const wchar_t* stylesheet;
    int category;
    int days;
};

// Sends WM_NULL to the window, one after another, until told to stop, and
// keeps the slowest round trip; a send still waiting at the stop counts
// until the stop.
class AnswerProbe {
public:
    explicit AnswerProbe(HWND window) : m_window(window)
    {
        m_thread.Reset(::CreateThread(nullptr, 0, &AnswerProbe::Run, this, 0, nullptr));
    }
    AnswerProbe(const AnswerProbe&) = delete;
    AnswerProbe& operator=(const AnswerProbe&) = delete;
    ~AnswerProbe() { Stop(); }

    // Milliseconds; the probe ends.
    double Stop()
    {
        if (m_thread) {
            m_stoppedAt = Now();
            WaitPumpingMessages(m_thread.Get());
            m_thread.Reset();
        }
        return m_slowest;
    }

private:
    static long long Now()
    {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return now.QuadPart;
    }

    static DWORD WINAPI Run(void* self)
    {
        auto& probe = *static_cast<AnswerProbe*>(self);
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        while (probe.m_stoppedAt == 0) {
            const long long before = Now();
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(probe.m_window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &result);
            const long long stoppedAt = probe.m_stoppedAt;
            const long long after = stoppedAt != 0 ? std::min(Now(), stoppedAt) : Now();
            const double ms = 1000.0 * static_cast<double>(after - before) / static_cast<double>(frequency.QuadPart);
            probe.m_slowest = std::max(probe.m_slowest, ms);
        }
        return 0;
    }

    HWND m_window;
    UniqueHandle m_thread;
    std::atomic<long long> m_stoppedAt = 0;
    double m_slowest = 0;
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

    // As the user gives it: the window answers while the report is made.
    CHostWindow mainWindow;
    ASSERT_TRUE(mainWindow.Create({.title = L"Plan", .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE}));
    SetMainWindow(mainWindow.m_hWnd);
    ReportRequest request;
    request.stylesheet = FileSystem::GetProgramFolderPath(L"Reports\\TasksByCategory.xsl");
    request.outputPath = output;
    ReportServices services;
    AnswerProbe probe(mainWindow.m_hWnd);
    const double whole = MedianMilliseconds(kRuns, [&] { services.RunReport(request, plan); });
    const double slowestAnswer = probe.Stop();
    SetMainWindow(nullptr);
    ::DestroyWindow(mainWindow.m_hWnd);
    std::printf("report tasks by category, the whole plan, in the program %9.1f ms (median of %d)\n", whole, kRuns);
    std::printf("  the window's slowest answer meanwhile          %9.1f ms\n", slowestAnswer);
    EXPECT_GT(ReadFileBytes(output).size(), 1000u);

    const Bstr text(Utf8ToWide(bytes.data(), bytes.size()));
    const double parse = MedianMilliseconds(kRuns, [&] { BareParse(text); });
    std::printf("  bare parse of the plan:                     %9.1f ms (median of %d, %zu KB of plan)\n", parse,
                kRuns, bytes.size() / 1024);
}
