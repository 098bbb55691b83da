// The daily plan pane on the large plan (about 92 entries a day): a day switch and the reload after an entry is edited, against the bare parse.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <oleauto.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "benchmark/BareParse.h"
#include "benchmark/BenchmarkTimer.h"
#include "benchmark/HostWindow.h"
#include "benchmark/LargePlan.h"
#include "document/PelquornDoc.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/OleDate.h"
#include "resources/AppCommandIds.h"
#include "views/calendar/DailyPlanView.h"
#include "winlib/WindowImpl.h"

namespace {

constexpr int kRuns = 21;

} // namespace

TEST(DailyPlanSpeed, DaySwitchAndReloadAfterAnEditAgainstTheBareParse)
{
    const INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&controls);
    const std::string bytes = LargePlanXml();
    const EString path = FileSystem::JoinPath(FileSystem::GetTempFolder(), L"daily-plan-benchmark.qvr");
    {
        std::ofstream file(std::filesystem::path(path.c_str()), std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    CPelquornDoc document;
    ASSERT_TRUE(document.OnOpenDocument(path));

    CHostWindow host;
    ASSERT_TRUE(host.Create(CreateArgs{.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .rect = {0, 0, 900, 600}}));
    CDailyPlanView pane;
    ASSERT_TRUE(pane.Create(host.m_hWnd));
    ::MoveWindow(pane.m_hWnd, 0, 0, 880, 560, TRUE);
    document.Attach(&pane);
    const double day = MakeOleDate(2023, 6, 10);
    pane.SetDate(day, true);
    std::vector<TaskPlanEntry> entries;
    document.GetDayPlanEntries(day, entries);
    ASSERT_FALSE(entries.empty());

    // What the user waits for after a click on the next or previous day.
    int step = 0;
    const double daySwitch = MedianMilliseconds(kRuns, [&] {
        pane.SendViewMessage(WM_COMMAND, MAKEWPARAM(++step % 2 ? ID_DAY_NEXT : ID_DAY_PREVIOUS, 0), 0);
        ::UpdateWindow(pane.m_hWnd);
    });
    // The first edit of a day of the large plan, whose days all hold 46
    // hours: it repairs the day's overlaps and carries what no longer fits on
    // to the following days, as far as a repair goes. Then the pane reloads.
    pane.SetDate(day, true);
    TaskPlanEntry edited = entries.front();
    const double firstEdit = MedianMilliseconds(1, [&] {
        edited.SetDescription(L"bring the notes");
        document.UpdatePlanEntry(edited);
        document.Notify(nullptr, NotifyCode::kAll);
        ::UpdateWindow(pane.m_hWnd);
    });
    // The plan-entry dialog's OK on an entry of the shown day: the document
    // updates the entry (untimed), then the pane reloads the day as the
    // document's notice tells it to.
    document.GetPlanEntry(edited.GetId(), edited);
    int minute = 0;
    const double reload = MedianMilliseconds(kRuns, [&] {
        pane.Update(&document, NotifyCode::kAll);
        ::UpdateWindow(pane.m_hWnd);
    }, [&] {
        edited.SetStartKeepDuration((9 * 60 + ++minute % 30) / (24.0 * 60));
        document.UpdatePlanEntry(edited);
    });
    // The document's whole notice to every observer (here only the pane), the edit included.
    const double reloadOnly = MedianMilliseconds(kRuns, [&] {
        edited.SetStartKeepDuration((9 * 60 + ++minute % 30) / (24.0 * 60));
        document.UpdatePlanEntry(edited);
        document.Notify(nullptr, NotifyCode::kAll);
        ::UpdateWindow(pane.m_hWnd);
    });
    // The day's summary for the status bar, which every reload asks for.
    const double summary = MedianMilliseconds(kRuns, [&] { document.UpdateDaySummary(day); }, [&] {
        edited.SetStartKeepDuration((9 * 60 + ++minute % 30) / (24.0 * 60));
        document.UpdatePlanEntry(edited);
    });
    const Bstr text(Utf8ToWide(bytes.data(), bytes.size()));
    const double parse = MedianMilliseconds(5, [&] { BareParse(text); });

    std::printf("daily plan day switch:                 %.2f ms (median of %d, %zu entries a day)\n", daySwitch,
                kRuns, entries.size());
    std::printf("first edit, the day's overlaps repaired: %.2f ms\n", firstEdit);
    std::printf("daily plan reload after an edit:       %.2f ms (median of %d)\n", reload, kRuns);
    std::printf("  edit and the document's notice:      %.2f ms (median of %d)\n", reloadOnly, kRuns);
    std::printf("  the day's summary after an edit:     %.2f ms (median of %d)\n", summary, kRuns);
    std::printf("  bare parse of the plan:              %.2f ms (median of 5)\n", parse);
    document.SetModified(0);
    document.Detach(&pane);
    pane.DestroyWindow();
    host.DestroyWindow();
    std::filesystem::remove(std::filesystem::path(path.c_str()));
}
