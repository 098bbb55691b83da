// The daily plan pane on crowded days of the 10,000-task plan: a day of 1,000 entries switched to and shown in
// both layouts, and a day of 100,000 entries opened in the list and in the time grid and scrolled, against the bare parse.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "benchmark/BareParse.h"
#include "benchmark/BenchmarkTimer.h"
#include "benchmark/HostWindow.h"
#include "benchmark/PlanGenerator.h"
#include "document/PelquornDoc.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/OleDate.h"
#include "resources/AppCommandIds.h"
#include "views/calendar/DailyPlanView.h"
#include "winlib/WindowImpl.h"

namespace {

constexpr unsigned kSeed = 20261208;
constexpr int kRuns = 5;
constexpr int kCrowdedEntries = 1000;
constexpr int kPackedEntries = 100000;
// After the generated plan's three years, so no generated entry shares their days, and a month apart:
// the time grid shows up to a week from the day it opens on.
constexpr char kCrowdedDate[] = "2027-03-02";
constexpr char kPackedDate[] = "2027-04-01";

std::string Time(int minutes)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60, minutes % 60);
    return text;
}

// A DAY of `count` entries of random tasks, a quarter to two hours long, anywhere in the day.
std::string DayOf(const char* date, int count, int firstId, std::mt19937& random)
{
    std::uniform_int_distribution<int> task(1, PlanSize().tasks);
    std::uniform_int_distribution<int> start(0, 23 * 60);
    std::uniform_int_distribution<int> length(15, 120);
    std::string xml = std::string("<DAY DATE=\"") + date + "\">";
    for (int i = 0; i < count; ++i) {
        const int from = start(random);
        const int to = std::min(from + length(random), 24 * 60 - 1);
        xml += "<PLANENTRY ID=\"" + std::to_string(firstId + i) + "\" TASKID=\"" + std::to_string(task(random)) +
               "\" STARTTIME=\"" + Time(from) + "\" ENDTIME=\"" + Time(to) + "\" FIXEDTIME=\"0\"><DESCRIPTION>" +
               (i % 4 ? "" : "bring the notes") + "</DESCRIPTION></PLANENTRY>";
    }
    return xml + "</DAY>";
}

double OleDateOf(const char* text)
{
    return MakeOleDate(std::stoi(std::string(text, 4)), std::stoi(std::string(text + 5, 2)),
                       std::stoi(std::string(text + 8, 2)));
}

} // namespace

// The plan on disk and opened, with the pane in a window; one for all the tests.
class CrowdedDaySpeed : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
        ::InitCommonControlsEx(&controls);
        bytes = new std::string(GeneratePlan(PlanSize(), kSeed));
        std::mt19937 random(kSeed);
        const std::string days = DayOf(kCrowdedDate, kCrowdedEntries, 900001, random) +
                                 DayOf(kPackedDate, kPackedEntries, 1000001, random);
        bytes->insert(bytes->find("</DAILY>"), days);
        const Bstr text(Utf8ToWide(bytes->data(), bytes->size()));
        parse = MedianMilliseconds(1, [&] { BareParse(text); });
    }
    static void TearDownTestSuite()
    {
        delete bytes;
        bytes = nullptr;
    }
    void SetUp() override
    {
        path = FileSystem::JoinPath(FileSystem::GetTempFolder(), L"crowded-day-benchmark.qvr");
        {
            std::ofstream file(std::filesystem::path(path.c_str()), std::ios::binary | std::ios::trunc);
            file.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
        }
        ASSERT_TRUE(document.OnOpenDocument(path));
        ASSERT_TRUE(host.Create(CreateArgs{.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .rect = {0, 0, 900, 600}}));
        ASSERT_TRUE(pane.Create(host.m_hWnd));
        ::MoveWindow(pane.m_hWnd, 0, 0, 880, 560, TRUE);
        document.Attach(&pane);
        // The pane takes its document from its first notice.
        document.Notify(nullptr, NotifyCode::kAll);
    }
    void TearDown() override
    {
        document.SetModified(0);
        document.Detach(&pane);
        pane.DestroyWindow();
        host.DestroyWindow();
        std::filesystem::remove(std::filesystem::path(path.c_str()));
    }
    void Command(WORD id)
    {
        pane.SendViewMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
        ::UpdateWindow(pane.m_hWnd);
    }
    void Show(bool list)
    {
        if (pane.IsListShown() != list)
            Command(list ? ID_DAY_SHOW_LIST : ID_DAY_SHOW_CALENDAR);
    }
    // From the day before, as a click on the next day.
    double SwitchTo(double day, int runs)
    {
        pane.SetDate(day - 1, true);
        return MedianMilliseconds(runs, [&] { Command(ID_DAY_NEXT); }, [&] { pane.SetDate(day - 1, true); });
    }

    static std::string* bytes;
    static double parse;
    EString path;
    CPelquornDoc document;
    CHostWindow host;
    CDailyPlanView pane;
};

std::string* CrowdedDaySpeed::bytes = nullptr;
double CrowdedDaySpeed::parse = 0;

TEST_F(CrowdedDaySpeed, ADayOfAThousandEntriesSwitchedToAndShownInBothLayouts)
{
    const double day = OleDateOf(kCrowdedDate);
    const double read = MedianMilliseconds(3, [&] {
        std::vector<TaskPlanEntry> entries;
        document.GetDayPlanEntries(day, entries);
    });
    Show(true);
    const double switchList = SwitchTo(day, kRuns);
    Show(false);
    const double switchGrid = SwitchTo(day, kRuns);
    pane.SetDate(day, true);
    int layout = 0;
    const double layoutSwitch = MedianMilliseconds(kRuns, [&] { Show(++layout % 2 == 1); });
    std::printf("daily plan, a day of %d entries:\n", kCrowdedEntries);
    std::printf("  the document's read of the day:      %.2f ms (median of 3)\n", read);
    std::printf("  switch to it, list:                  %.2f ms (median of %d)\n", switchList, kRuns);
    std::printf("  switch to it, time grid:             %.2f ms (median of %d)\n", switchGrid, kRuns);
    std::printf("  layout switch on it:                 %.2f ms (median of %d)\n", layoutSwitch, kRuns);
    std::printf("  bare parse of the plan:              %.2f ms (one run)\n", parse);
}

TEST_F(CrowdedDaySpeed, ADayOfAHundredThousandEntriesOpenedAndScrolledInBothLayouts)
{
    const double day = OleDateOf(kPackedDate);
    // Each of this day's figures runs for seconds: one run of each but the scrolls.
    const double read = MedianMilliseconds(1, [&] {
        std::vector<TaskPlanEntry> entries;
        document.GetDayPlanEntries(day, entries);
    });
    Show(true);
    const double openList = SwitchTo(day, 1);
    const HWND list = pane.GetContent().GetContentWindow();
    const double scrollList = MedianMilliseconds(kRuns, [&] {
        ::SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
        ::UpdateWindow(list);
    });
    Show(false);
    const double openGrid = SwitchTo(day, 1);
    const HWND grid = pane.GetContent().GetContentWindow();
    int step = 0;
    const double scrollGrid = MedianMilliseconds(kRuns, [&] {
        ::SendMessageW(grid, WM_VSCROLL, ++step % 8 < 4 ? SB_LINEDOWN : SB_LINEUP, 0);
        ::UpdateWindow(grid);
    });
    std::printf("daily plan, a day of %d entries:\n", kPackedEntries);
    std::printf("  the document's read of the day:      %.2f ms (one run)\n", read);
    std::printf("  opened in the list:                  %.2f ms (one run)\n", openList);
    std::printf("  list scrolled a page:                %.2f ms (median of %d)\n", scrollList, kRuns);
    std::printf("  opened in the time grid:             %.2f ms (one run)\n", openGrid);
    std::printf("  time grid scrolled an hour:          %.2f ms (median of %d)\n", scrollGrid, kRuns);
    std::printf("  bare parse of the plan:              %.2f ms (one run)\n", parse);
}
