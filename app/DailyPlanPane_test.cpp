// The daily plan pane in the real main window on a small plan: the shown day, its navigation, and edits through the pane.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <oleauto.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "dialogs/PlanDialogIds.h"
#include "document/SilentPrompts.h"
#include "foundation/Clock.h"
#include "foundation/FileSystem.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

double Hours(int hours, int minutes = 0)
{
    return (hours + minutes / 60.0) / 24.0;
}

// A Wednesday; the plan has two entries on it and one on the Thursday.
const double kWednesday = MakeOleDate(2026, 3, 11);
const double kThursday = kWednesday + 1;

class DailyPlanPaneTest : public FrameTest {
protected:
    DailyPlanPaneTest() : FrameTest(L"daily_plan_pane") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        // The list, whose rows the tests select; the grid has its own tests.
        Options::SetShowAsLayoutDays(0);
        Clock::SetNowForTesting(kWednesday + Hours(10));
        OpenFrame(m_prompts);
        ASSERT_TRUE(Pane().IsWindow());
        Pane().SetConfirmDelete([this](const EString& question) {
            m_questions.push_back(question);
            return m_answerYes;
        });
        AddSmallPlan();
    }

    CDailyPlanView& Pane() { return m_frame->GetDailyPlan(); }
    void AddSmallPlan()
    {
        TaskCard task(L"Write the report", L"", 2, kThursday, 1, 0, 0, 0, -1);
        ASSERT_TRUE(Doc().AddTask(task));
        m_taskId = task.GetId();
        m_morning = AddEntry(kWednesday, Hours(9), Hours(10), L"morning");
        m_afternoon = AddEntry(kWednesday, Hours(14), Hours(15), L"afternoon");
        m_thursday = AddEntry(kThursday, Hours(9), Hours(11), L"thursday");
        Doc().Notify(nullptr, NotifyCode::kAll);
        Pane().SetDate(kWednesday, true);
    }
    int AddEntry(double day, double start, double end, const wchar_t* description)
    {
        TaskPlanEntry entry(m_taskId, start, end, description, L"", 0, 0);
        TaskCard task;
        EXPECT_TRUE(Doc().GetTask(m_taskId, task));
        entry.SetTask(task);
        EXPECT_TRUE(Doc().AddPlanEntry(day, entry));
        return entry.GetId();
    }
    // What the content shows, by selecting all of it.
    std::vector<int> ShownIds()
    {
        CDayManagerBase& content = Pane().GetContent();
        content.SelectAll();
        std::vector<int> ids;
        content.GetSelectedEntryIds(ids);
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    std::vector<int> DayIds(double day)
    {
        std::vector<TaskPlanEntry> entries;
        Doc().GetDayPlanEntries(day, entries);
        std::vector<int> ids;
        for (const TaskPlanEntry& entry : entries)
            ids.push_back(entry.GetId());
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    void SendPaneCommand(UINT id) { Pane().SendViewMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void SelectOnly(int entryId)
    {
        ListView_SetItemState(Pane().GetContent().GetContentWindow(), -1, 0, LVIS_SELECTED);
        Pane().GetContent().SelectEntryById(entryId);
        ASSERT_EQ(Pane().GetContent().HasSelection(), 1);
        ASSERT_EQ(Pane().GetContent().GetSelectedEntryId(), entryId);
    }

    SilentPrompts m_prompts;
    std::vector<EString> m_questions;
    bool m_answerYes = true;
    int m_taskId = 0;
    int m_morning = 0;
    int m_afternoon = 0;
    int m_thursday = 0;
};

TEST_F(DailyPlanPaneTest, ThePaneShowsTheEntriesOfTheShownDay)
{
    EXPECT_EQ(Pane().GetDate(), kWednesday);
    EXPECT_EQ(ShownIds(), (std::vector<int>{m_morning, m_afternoon}));
    EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"daily_plan_pane_in_frame").IsEmpty());
    EXPECT_FALSE(SaveWindowScreenshot(Pane().GetHwnd(), L"daily_plan_pane").IsEmpty());
}

TEST_F(DailyPlanPaneTest, OnlyNoticesThatCanChangeTheDayReadItAgain)
{
    struct Case {
        const char* notice;
        void (*send)(CPelquornDoc&);
        bool rereads;
    };
    const Case cases[] = {
        {"a change of the data", [](CPelquornDoc& doc) { doc.Notify(nullptr, NotifyCode::kAll); }, true},
        {"a change of the tasks", [](CPelquornDoc& doc) { doc.Notify(nullptr, NotifyCode::kTasksChanged); }, true},
        {"status filter", [](CPelquornDoc& doc) { doc.SetStatusFilter(doc.GetStatusFilter() == 0 ? 1 : 0); }, false},
        {"deadline filter", [](CPelquornDoc& doc) { doc.SetDeadlineFilter(doc.GetDeadlineFilter() == 0 ? 1 : 0); }, false},
        {"priority filter", [](CPelquornDoc& doc) { doc.SetPriorityFilter(doc.GetPriorityFilter() == 0 ? 1 : 0); }, false},
        {"a category chosen", [](CPelquornDoc& doc) { doc.Notify(nullptr, NotifyCode::kCategorySelected); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.notice);
        Pane().SetDate(kWednesday, true);
        // Added without a notice: only a reading of the day shows it.
        const int unheard = AddEntry(kWednesday, Hours(17), Hours(18), L"unheard");
        c.send(Doc());
        const std::vector<int> shown = ShownIds();
        EXPECT_EQ(std::count(shown.begin(), shown.end(), unheard), c.rereads ? 1 : 0);
    }
}

TEST_F(DailyPlanPaneTest, TheDayPickerShowsTheWholeLongDateBeforeTheBars)
{
    const CWindow picker(Pane().GetDayPicker());
    SIZE ideal = {};
    ASSERT_TRUE(picker.SendMessage(DTM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    const RECT shown = picker.GetWindowRect();
    EXPECT_GE(shown.right - shown.left, ideal.cx) << "what the picker's own fields need";
    const HWND bar = ::GetWindow(picker, GW_HWNDNEXT);
    ASSERT_NE(bar, nullptr);
    EXPECT_GE(CWindow(bar).GetWindowRect().left, shown.right);
}

// The picker's fields take the widths of their texts: what it needs beyond the long date's text is the same for
// every day, whatever the lengths of its names.
TEST_F(DailyPlanPaneTest, TheDayPickerLeavesNoGapAfterTheNamesOfTheDay)
{
    const CWindow picker(Pane().GetDayPicker());
    const auto roomBeyondText = [&](double date) {
        Pane().SetDate(date, false);
        SIZE ideal = {};
        EXPECT_TRUE(picker.SendMessage(DTM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
        SYSTEMTIME time = {};
        EXPECT_TRUE(::VariantTimeToSystemTime(date, &time));
        wchar_t text[128] = {};
        const int length = ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &time, nullptr, text, 128);
        const CClientDC dc(picker);
        const CSelectObject font(dc, reinterpret_cast<HFONT>(picker.SendMessage(WM_GETFONT, 0, 0)));
        SIZE size = {};
        ::GetTextExtentPoint32W(dc, text, std::max(length - 1, 0), &size);
        return static_cast<int>(ideal.cx - size.cx);
    };
    // Friday in May against Wednesday in September: days and years of the same digits.
    EXPECT_NEAR(roomBeyondText(MakeOleDate(2026, 5, 15)), roomBeyondText(MakeOleDate(2026, 9, 30)), 2);
    EXPECT_FALSE(SaveWindowScreenshot(picker, L"daily_plan_day_picker").IsEmpty());
}

TEST_F(DailyPlanPaneTest, DayCommandsMoveTheShownDayAndItsEntries)
{
    struct Case {
        const char* name;
        double from;
        UINT command;
        double shown;
    };
    const Case cases[] = {
        {"next day", kWednesday, ID_DAY_NEXT, kThursday},
        {"previous day", kThursday, ID_DAY_PREVIOUS, kWednesday},
        {"today from a week later", kWednesday + 7, ID_DAY_TODAY, kWednesday},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pane().SetDate(c.from, true);
        SendPaneCommand(c.command);
        EXPECT_EQ(Pane().GetDate(), c.shown);
        EXPECT_EQ(ShownIds(), DayIds(c.shown));
    }
    // Through the frame, as from its Plan menu while another view is active.
    Pane().SetDate(kWednesday, true);
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_DAY_NEXT, 0), 0);
    EXPECT_EQ(Pane().GetDate(), kThursday);
}

TEST_F(DailyPlanPaneTest, ANewEntryTypedIntoThePlanDialogLandsInTheSavedDocument)
{
    const EString path = FileSystem::JoinPath(m_folder, L"new-entry.qvr");
    Doc().SetPathName(path);
    Doc().SetSelectedTaskIds({m_taskId});
    SendPaneCommand(ID_TASK_ADD);
    CPlanDialog& dialog = Pane().GetPlanDialog();
    ASSERT_TRUE(WaitFor([&] { return dialog.IsWindowVisible() != FALSE; }));
    EXPECT_FALSE(SaveWindowScreenshot(dialog, L"daily_plan_new_entry").IsEmpty());
    const struct {
        int control;
        const wchar_t* text;
    } typed[] = {{IDC_PLAN_START, L"16:00"}, {IDC_PLAN_FINISH, L"17:30"}, {IDC_PLAN_COMMENTS, L"typed"}};
    for (const auto& field : typed) {
        const HWND edit = ::GetDlgItem(dialog, field.control);
        ::SetFocus(edit);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        TypeText(edit, field.text);
        ASSERT_TRUE(WaitFor([&] { return ItemText(dialog, field.control) == field.text; }));
    }
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return DayIds(kWednesday).size() == 3; }));
    EXPECT_EQ(ShownIds(), DayIds(kWednesday));
    ASSERT_TRUE(Doc().Save());

    CPelquornDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(path));
    std::vector<TaskPlanEntry> entries;
    reread.GetDayPlanEntries(kWednesday, entries);
    const auto added = std::find_if(entries.begin(), entries.end(),
                                    [](const TaskPlanEntry& entry) { return entry.GetDescription() == L"typed"; });
    ASSERT_NE(added, entries.end());
    EXPECT_EQ(added->GetTaskId(), m_taskId);
    EXPECT_EQ(added->GetStartTimeXmlText(), L"16:00");
    EXPECT_EQ(added->GetEndTimeXmlText(), L"17:30");
}

TEST_F(DailyPlanPaneTest, EditingAnEntryInThePlanDialogChangesItsEndAndKeepsItSelected)
{
    SelectOnly(m_afternoon);
    SendPaneCommand(ID_TASK_EDIT);
    CPlanDialog& dialog = Pane().GetPlanDialog();
    ASSERT_TRUE(WaitFor([&] { return dialog.IsWindowVisible() != FALSE; }));
    EXPECT_EQ(dialog.entryId, m_afternoon);
    const HWND finish = ::GetDlgItem(dialog, IDC_PLAN_FINISH);
    ::SetFocus(finish);
    ::SendMessageW(finish, EM_SETSEL, 0, -1);
    TypeText(finish, L"16:15");
    ASSERT_TRUE(WaitFor([&] { return ItemText(dialog, IDC_PLAN_FINISH) == L"16:15"; }));
    ClickButton(dialog, IDOK);
    TaskPlanEntry edited;
    ASSERT_TRUE(WaitFor([&] {
        return Doc().GetPlanEntry(m_afternoon, edited) && edited.GetEndTimeXmlText() == L"16:15";
    }));
    EXPECT_EQ(edited.GetStartTimeXmlText(), L"14:00");
    EXPECT_EQ(Pane().GetContent().GetSelectedEntryId(), m_afternoon) << "the edited entry stays selected";
}

// The dialog is made when first opened; each road opens it, made afresh.
TEST_F(DailyPlanPaneTest, EachRoadOpensThePlanDialogWhenItIsNotYetMade)
{
    const HWND list = Pane().GetContent().GetContentWindow();
    const auto doubleClick = [&] {
        RECT row = {};
        ASSERT_TRUE(ListView_GetItemRect(list, ListView_GetNextItem(list, -1, LVNI_SELECTED), &row, LVIR_LABEL));
        const LPARAM middle = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
        ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, middle);
    };
    const struct {
        const char* road;
        std::function<void()> open;
        int entryId;
    } cases[] = {
        {"the add command", [&] { SendPaneCommand(ID_TASK_ADD); }, 0},
        {"the edit command", [&] { SendPaneCommand(ID_TASK_EDIT); }, m_afternoon},
        {"a double-click on the entry", doubleClick, m_afternoon},
    };
    Doc().SetSelectedTaskIds({m_taskId});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.road);
        CPlanDialog& dialog = Pane().GetPlanDialog();
        if (dialog.IsWindow())
            dialog.DestroyWindow();
        SelectOnly(m_afternoon);
        c.open();
        ASSERT_TRUE(WaitFor([&] { return dialog.IsWindow() && dialog.IsWindowVisible() != FALSE; }));
        EXPECT_EQ(dialog.entryId, c.entryId);
        dialog.ShowWindow(SW_HIDE);
    }
}

TEST_F(DailyPlanPaneTest, DeleteAsksAndRemovesOnlyOnYes)
{
    struct Case {
        const char* name;
        bool yes;
        std::vector<int> left;
    };
    const Case cases[] = {
        {"no keeps the entry", false, {0, 1}},
        {"yes removes it", true, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_questions.clear();
        m_answerYes = c.yes;
        SelectOnly(m_morning);
        SendPaneCommand(ID_TASK_DELETE);
        ASSERT_EQ(m_questions.size(), 1u);
        std::vector<int> left;
        for (const int index : c.left)
            left.push_back(index == 0 ? m_morning : m_afternoon);
        EXPECT_EQ(DayIds(kWednesday), left);
        EXPECT_EQ(ShownIds(), left);
    }
}

TEST_F(DailyPlanPaneTest, DeletingSeveralEntriesAsksOnceWithTheirNumber)
{
    Pane().GetContent().SelectAll();
    SendPaneCommand(ID_TASK_DELETE);
    ASSERT_EQ(m_questions.size(), 1u);
    EXPECT_NE(m_questions.front().find(L"2"), EString::npos) << m_questions.front().c_str();
    EXPECT_TRUE(DayIds(kWednesday).empty());
}

TEST_F(DailyPlanPaneTest, RescheduleToTheNextWorkDayShowsThatDay)
{
    SendPaneCommand(ID_RESCHEDULE_TOMORROW);
    EXPECT_EQ(Pane().GetDate(), kThursday);
    EXPECT_EQ(DayIds(kThursday).size(), 2u) << "one copy of the task's open entries";
    EXPECT_EQ(ShownIds(), DayIds(kThursday));
}

TEST_F(DailyPlanPaneTest, SwitchingListAndGridKeepsTheDayAndStoresTheChoice)
{
    Pane().SetDate(kThursday, true);
    struct Case {
        UINT command;
        bool listShown;
        DWORD stored;
    };
    const Case cases[] = {{ID_DAY_SHOW_CALENDAR, false, 1}, {ID_DAY_SHOW_LIST, true, 0}, {ID_DAY_SHOW_LIST, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
        EXPECT_EQ(Pane().IsListShown(), c.listShown);
        EXPECT_EQ(Options::GetShowAsLayoutDays(), c.stored);
        EXPECT_EQ(Pane().GetDate(), kThursday);
        EXPECT_TRUE(::IsWindowVisible(Pane().GetContent().GetContentWindow()));
        // The grid has no select-all: the entry is found by its id in both.
        CDayManagerBase& content = Pane().GetContent();
        content.SelectEntryById(m_thursday);
        EXPECT_EQ(content.GetSelectedEntryId(), m_thursday);
        if (!c.listShown) {
            EXPECT_FALSE(SaveWindowScreenshot(Pane().GetHwnd(), L"daily_plan_pane_grid").IsEmpty());
        }
    }
}

TEST_F(DailyPlanPaneTest, TheHolidayCommandMarksTheShownDayAndTogglesBack)
{
    Pane().SetDate(kThursday, true);
    for (const bool marked : {true, false}) {
        SCOPED_TRACE(marked);
        m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_DAY_HOLIDAY, 0), 0);
        std::vector<double> holidays;
        Doc().GetHolidays(holidays);
        EXPECT_EQ(std::count(holidays.begin(), holidays.end(), kThursday), marked ? 1 : 0);
        EXPECT_EQ(Pane().GetDate(), kThursday);
    }
}

} // namespace
