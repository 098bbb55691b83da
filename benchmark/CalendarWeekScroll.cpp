// The deadlines calendar on the large plan: a week's scroll shown, and the reload after the task list changes, against the bare parse.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "benchmark/BareParse.h"
#include "benchmark/BenchmarkTimer.h"
#include "benchmark/LargePlan.h"
#include "document/PelquornDoc.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "views/calendar/CalendarView.h"
#include "views/common/ViewMessages.h"
#include "winlib/WindowImpl.h"

namespace {

constexpr int kRuns = 21;
constexpr int kWeek = 7 * CalendarImage::kDayWidth;

// The window both views live in, as the main frame and its pane.
class CCalendarHost : public CWindowImpl<CCalendarHost> {
public:
    BEGIN_MESSAGE_MAP(CCalendarHost)
    END_MESSAGE_MAP()
};

} // namespace

TEST(CalendarWeekScroll, TheLargePlansCalendarScrolledByAWeekAgainstTheBareParse)
{
    const INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    const std::string bytes = LargePlanXml();
    const EString path = FileSystem::JoinPath(FileSystem::GetTempFolder(), L"calendar-benchmark.qvr");
    {
        std::ofstream file(std::filesystem::path(path.c_str()), std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    CPelquornDoc document;
    ASSERT_TRUE(document.OnOpenDocument(path));
    document.SetStatusFilter(0);

    CCalendarHost host;
    ASSERT_TRUE(host.Create(CreateArgs{.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .rect = {0, 0, 1200, 700}}));
    CCalendarView calendar;
    ASSERT_TRUE(calendar.Create(host.m_hWnd));
    ::MoveWindow(calendar.m_hWnd, 0, 0, 1180, 240, TRUE);
    document.Attach(&calendar);
    calendar.Update(&document, NotifyCode::kTasksSorted);
    ::UpdateWindow(calendar.m_hWnd);
    const size_t boxes = calendar.GetTasks().size();
    const int days = static_cast<int>(calendar.GetImage().GetLastDate() - calendar.GetImage().GetFirstDate()) + 1;

    // What the user waits for on a week's scroll: the new days painted.
    const double scroll = MedianMilliseconds(
        kRuns,
        [&] {
            const POINT offset = calendar.GetScrollOffset();
            calendar.ScrollContentTo({offset.x + kWeek, 0});
            ::UpdateWindow(calendar.m_hWnd);
        },
        [&] {
            if (calendar.GetScrollOffset().x + 2 * kWeek > calendar.GetImage().GetImageSize().cx)
                calendar.ScrollContentTo({0, 0});
            ::UpdateWindow(calendar.m_hWnd);
        });
    const double reload = MedianMilliseconds(5, [&] {
        calendar.Update(&document, NotifyCode::kTasksSorted);
        ::UpdateWindow(calendar.m_hWnd);
    });
    const Bstr text(Utf8ToWide(bytes.data(), bytes.size()));
    const double parse = MedianMilliseconds(5, [&] { BareParse(text); });

    std::printf("calendar week scroll:                  %.2f ms (median of %d, %zu boxes over %d days)\n", scroll, kRuns,
                boxes, days);
    std::printf("  calendar reload (task list's order): %.2f ms (median of 5)\n", reload);
    std::printf("  bare parse of the plan:              %.2f ms (median of 5)\n", parse);
    EXPECT_GT(boxes, 1000u);
    EXPECT_GT(days, 60);
    document.Detach(&calendar);
    calendar.DestroyWindow();
    host.DestroyWindow();
    std::filesystem::remove(std::filesystem::path(path.c_str()));
}
