// The day contents' shared base: edge navigation, drops, completion, dragging entries out and the running-entry notice, the notice also on a stand-in of the daily plan's face.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "dialogs/BatchDialogIds.h"
#include "dialogs/TrayPopupWindow.h"
#include "document/Clipboard.h"
#include "document/IDailyPlanDocument.h"
#include "document/InertServices.h"
#include "document/PelquornDragData.h"
#include "foundation/Clock.h"
#include "foundation/ComPtr.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"
#include "resources/AppCommandIds.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "views/calendar/DayManagerBase.h"
#include "views/calendar/DayTestSupport.h"
#include "views/common/AtlDropSource.h"
#include "views/common/FakeViewDocument.h"

namespace {

// A content window that keeps the scroll requests it gets.
class ScrollRecorder : public CWindowImpl<ScrollRecorder> {
public:
    static WindowClass GetWindowClass() { return {.name = L"QuorvaneTestScrollRecorder"}; }
    std::vector<WPARAM> scrolls;

    BEGIN_MESSAGE_MAP(ScrollRecorder)
        ON_MESSAGE(WM_VSCROLL, OnScroll)
    END_MESSAGE_MAP()

private:
    LRESULT OnScroll(UINT, WPARAM wParam, LPARAM, bool&)
    {
        scrolls.push_back(wParam);
        return 0;
    }
};

// The base with a plain 200 x 100 content window and a selection of its own.
class StubContent : public CDayManagerBase {
public:
    HWND Create(ICreatableWindow* owner, const RECT& rect) override
    {
        if (!owner)
            return nullptr;
        SetOwnerView(owner);
        window.Create({.parent = owner->GetHwnd(), .style = WS_CHILD | WS_VISIBLE, .rect = rect});
        RegisterDropTarget(window.m_hWnd);
        return window.m_hWnd;
    }
    HWND GetContentWindow() const override { return window.m_hWnd; }
    bool GetFocusedItemRect(RECT&) override { return false; }
    void LoadEntries() override {}
    int HasSelection() override { return selected ? 1 : 0; }
    void SelectEntryById(int id) override { selected = id; }
    int GetSelectedEntryId() override { return selected; }
    void GetSelectedEntryIds(std::vector<int>& ids) override { ids.assign(selected ? 1 : 0, selected); }
    int GetSelectedIndex() override { return selected ? 0 : -1; }
    void SelectIndex(int) override {}
    void SelectAll() override {}
    void ShowDropTarget(int x, int y) override { dropTargets.push_back({x, y}); }

    ScrollRecorder window;
    int selected = 0;
    std::vector<POINT> dropTargets;
};

ComPtr<CAtlDropSource> DragOf(std::int32_t kind, std::vector<std::int32_t> ids)
{
    ComPtr<CAtlDropSource> source(new CAtlDropSource);
    source->SetPayload(Clipboard::GetPrivateClipboardFormat(), PelquornDragData(kind, std::move(ids)).CreateBlock());
    return source;
}

class CodeObserver : public IObserver {
public:
    void Update(ISubject*, DocNotifyCode code) override { codes.push_back(code); }
    void OnAttach(ITabOrderProvider*) override {}
    std::vector<DocNotifyCode> codes;
};

// The tasks and the plan entries of each day, in the order added, each entry
// read with its task and under its task's name, as the document reads them;
// nothing is arranged, scheduled, found or tracked.
class FakeDailyPlanDocument : public FakeViewDocument, public IDailyPlanDocument {
public:
    bool GetPlanEntry(int id, TaskPlanEntry& entry) override
    {
        for (const DayEntry& held : m_entries)
            if (held.entry.GetId() == id) {
                entry = WithTask(held.entry);
                return true;
            }
        return false;
    }
    void GetDayPlanEntries(double day, std::vector<TaskPlanEntry>& entries) override
    {
        entries.clear();
        for (const DayEntry& held : m_entries)
            if (held.day == std::floor(day))
                entries.push_back(WithTask(held.entry));
    }
    bool AddPlanEntry(double day, const TaskPlanEntry& entry) override
    {
        m_entries.push_back({std::floor(day), entry});
        return true;
    }
    bool UpdatePlanEntry(const TaskPlanEntry& entry) override
    {
        for (DayEntry& held : m_entries)
            if (held.entry.GetId() == entry.GetId()) {
                held.entry = entry;
                return true;
            }
        return false;
    }
    bool UpdatePlanEntries(const std::vector<TaskPlanEntry>& entries) override
    {
        bool all = true;
        for (const TaskPlanEntry& entry : entries)
            all = UpdatePlanEntry(entry) && all;
        return all;
    }
    void DeletePlanEntries(const std::vector<int>& ids) override
    {
        std::erase_if(m_entries, [&](const DayEntry& held) {
            return std::find(ids.begin(), ids.end(), held.entry.GetId()) != ids.end();
        });
    }
    bool ArrangePlanEntries(double, double, const std::vector<int>&, bool) override { return false; }
    bool ScheduleTasks(double, double, const std::vector<int>&, double, double) override { return false; }
    double GetProposedStartTime(double, int) override { return 0; }
    void AddRecurringPlanEntries(double) override {}
    double RescheduleToNextWorkDay(double) override { return 0; }
    void FindPlanEntries(int, int) override {}
    IPlanEntryFinder& GetPlanEntryFinder() override { return m_nothingFound; }

    void ToggleHoliday(double) override {}
    void GetHolidays(std::vector<double>& dates) override { dates.clear(); }
    void UpdateDaySummary(double) override {}
    void UpdateDaySummary(const std::vector<TaskPlanEntry>&) override {}
    bool IsFilterNotice() const override { return false; }

    bool GetTask(int id, TaskCard& task, bool) override { return FindById(m_tasks, id, task); }
    int GetTaskCategory(int) override { return 0; }
    double GetMaxTaskEstimation(const std::vector<int>&) override { return 8; }
    bool HasFilteredTasks() override { return !m_tasks.empty(); }
    void SelectTasks(std::vector<TaskCard>& tasks, bool, bool) override
    {
        tasks.insert(tasks.end(), m_tasks.begin(), m_tasks.end());
    }
    void GetSelectedTaskIds(std::vector<int>& ids) const override { ids.clear(); }
    int GetFirstSelectedTaskId() const override { return 0; }

    bool IsTracking() const override { return false; }
    void StopTracking() override {}
    int GetTrackedPlanEntryId() const override { return 0; }
    void SetPreviousPlanEntryId(int) override {}

    void AddTask(const TaskCard& task) { m_tasks.push_back(task); }

private:
    struct DayEntry {
        double day = 0;
        TaskPlanEntry entry;
    };
    TaskPlanEntry WithTask(TaskPlanEntry entry)
    {
        TaskCard task;
        if (GetTask(entry.GetTaskId(), task, false)) {
            entry.SetName(task.GetName());
            entry.SetTask(task);
        }
        return entry;
    }

    std::vector<TaskCard> m_tasks;
    std::vector<DayEntry> m_entries;
    InertServices m_nothingFound;
};

// The test's tasks and entries, as DayPlan adds them to a real plan.
class FakeDayPlan {
public:
    int AddTask(const wchar_t* name, double hours)
    {
        const TaskCard task(name, L"", hours, kDay + 7, 1, TaskCard::kNew, 0, 0, -1);
        document.AddTask(task);
        return task.GetId();
    }
    int AddEntry(double day, int taskId, const wchar_t* start, const wchar_t* end)
    {
        TaskPlanEntry entry(taskId, 0, 0, L"", L"", 0, 0);
        entry.SetStartTimeText(start);
        entry.SetEndTimeText(end);
        document.AddPlanEntry(day, entry);
        return entry.GetId();
    }

    FakeDailyPlanDocument document;
};

// The base over a plan: the program's document, or a stand-in of the daily
// plan's face where only the day's entries count.
template <class Plan>
class DayManagerBaseFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        Clock::SetNowForTesting(kDay + At(9, 30));
        ASSERT_TRUE(host.Create(nullptr));
        ASSERT_TRUE(content.Create(&host, {0, 0, 200, 100}));
        content.SetDateSelector(&host);
        content.SetDocument(&plan.document);
        plan.document.Attach(&observer);
        host.Clear();
    }
    void TearDown() override
    {
        plan.document.Detach(&observer);
        TrayPopupWindow::Destroy();
        Clock::ResetForTesting();
        ClearProgramRegistry();
    }

    Plan plan;
    TestDayHost host;
    StubContent content;
    CodeObserver observer;
};

using DayManagerBaseTest = DayManagerBaseFixture<DayPlan>;
using DayManagerBaseOnFakeTest = DayManagerBaseFixture<FakeDayPlan>;

using Timer = UINT_PTR;
constexpr Timer kNavigation = CDayManagerBase::DAY_NAVIGATION_TIMER_ID;
constexpr Timer kRefresh = CDayManagerBase::DAY_REFRESH_TIMER_ID;

} // namespace

TEST(DayManagerBaseBands, APointFallsInTheFirstBandThatHoldsItLeftRightTopBottom)
{
    const struct {
        POINT point;
        int zone;
    } cases[] = {
        {{0, 1}, NavigationHelper::kLeft},        {{0, 99}, NavigationHelper::kLeft},
        {{199, 0}, NavigationHelper::kRight},     {{199, 99}, NavigationHelper::kRight},
        {{13, 50}, NavigationHelper::kLeft},      {{14, 50}, NavigationHelper::kNone},
        {{186, 50}, NavigationHelper::kRight},    {{185, 50}, NavigationHelper::kNone},
        {{100, 13}, NavigationHelper::kTop},      {{100, 14}, NavigationHelper::kNone},
        {{100, 86}, NavigationHelper::kBottom},   {{100, 85}, NavigationHelper::kNone},
        {{200, 50}, NavigationHelper::kNone},     {{100, 100}, NavigationHelper::kNone},
    };
    for (const auto& c : cases) {
        TestDayHost host;
        StubContent content;
        ASSERT_TRUE(host.Create(nullptr));
        ASSERT_TRUE(content.Create(&host, {0, 0, 200, 100}));
        content.OnDragOver(c.point.x, c.point.y);
        EXPECT_EQ(content.GetZone(), c.zone) << c.point.x << "," << c.point.y;
        EXPECT_EQ(host.IsTimerSet(kNavigation), c.zone != NavigationHelper::kNone) << c.point.x << "," << c.point.y;
        if (host.IsTimerSet(kNavigation)) {
            EXPECT_EQ(host.timers[kNavigation], 600u);
        }
        EXPECT_EQ(content.dropTargets.size(), 1u) << "every pass over shows where the drop lands";
    }
}

TEST_F(DayManagerBaseTest, RestingAtOnePointKeepsTheTimerAndTheMiddleStopsIt)
{
    content.OnDragOver(5, 50);
    content.OnDragOver(5, 50);
    EXPECT_EQ(host.timersSet, std::vector<Timer>{kNavigation}) << "the same point does not restart the timer";
    content.OnDragOver(100, 50);
    EXPECT_FALSE(host.IsTimerSet(kNavigation));
}

TEST_F(DayManagerBaseTest, TheNavigationTimerStepsTowardsTheBandAndRearms)
{
    const struct {
        POINT point;
        std::vector<WORD> commands;
        std::vector<WPARAM> scrolls;
    } cases[] = {
        {{3, 50}, {ID_DAY_PREVIOUS}, {}},
        {{196, 50}, {ID_DAY_NEXT}, {}},
        {{100, 3}, {}, {SB_LINEUP}},
        {{100, 96}, {}, {SB_LINEDOWN}},
    };
    for (const auto& c : cases) {
        host.Clear();
        content.window.scrolls.clear();
        content.OnDragOver(100, 50);
        content.OnDragOver(c.point.x, c.point.y);
        EXPECT_TRUE(content.OnOwnerTimer(kNavigation));
        EXPECT_EQ(host.PostedCommands(), c.commands) << c.point.x << "," << c.point.y;
        EXPECT_EQ(content.window.scrolls, c.scrolls) << c.point.x << "," << c.point.y;
        EXPECT_TRUE(host.IsTimerSet(kNavigation)) << "the next step follows in 600 ms";
    }
}

TEST_F(DayManagerBaseTest, ADragRestingInTheRightBandStepsOneDayPerTickUntilItLeaves)
{
    content.OnDragOver(195, 40);
    for (int tick = 0; tick < 3 && host.IsTimerSet(kNavigation); ++tick)
        content.OnOwnerTimer(kNavigation);
    EXPECT_EQ(host.PostedCommands(), (std::vector<WORD>{ID_DAY_NEXT, ID_DAY_NEXT, ID_DAY_NEXT}));
    content.OnDragLeave();
    EXPECT_FALSE(host.IsTimerSet(kNavigation));
}

TEST_F(DayManagerBaseTest, OnlyTheContentsOwnTimersAreTakenFromTheOwner)
{
    EXPECT_FALSE(content.OnOwnerTimer(1));
    EXPECT_TRUE(content.OnOwnerTimer(kRefresh));
    EXPECT_EQ(host.timers[kRefresh], 120000u) << "a refresh re-arms the two-minute check";
}

TEST_F(DayManagerBaseTest, OnlyTaskAndPlanEntryDragsAreAccepted)
{
    ComPtr<CAtlDropSource> text(new CAtlDropSource);
    text->SetPayload(CF_UNICODETEXT, ::GlobalAlloc(GPTR, 8));
    ComPtr<CAtlDropSource> shortRecord(new CAtlDropSource);
    const HGLOBAL block = ::GlobalAlloc(GPTR, 8);
    const std::int32_t header[] = {PelquornDragData::kTasks, 3};
    std::memcpy(block, header, sizeof(header));
    shortRecord->SetPayload(Clipboard::GetPrivateClipboardFormat(), block);
    const auto category = DragOf(PelquornDragData::kCategory, {4});
    const auto tasks = DragOf(PelquornDragData::kTasks, {7, 9});
    const auto entries = DragOf(PelquornDragData::kPlanEntries, {12});
    const auto unknown = DragOf(5, {1});
    const struct {
        const char* name;
        IDataObject* data;
        bool accepted;
    } cases[] = {
        {"nothing", nullptr, false},
        {"text only", text.Get(), false},
        {"a category", category.Get(), false},
        {"tasks", tasks.Get(), true},
        {"plan entries", entries.Get(), true},
        {"an unknown kind", unknown.Get(), false},
        {"a record shorter than its count", shortRecord.Get(), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(content.CanAcceptData(c.data), c.accepted) << c.name;
}

TEST_F(DayManagerBaseTest, DroppingOneTaskAsksThePaneForANewPlanEntry)
{
    const struct {
        const char* name;
        std::int32_t kind;
        std::vector<std::int32_t> ids;
        std::vector<WORD> commands;
    } cases[] = {
        {"one task", PelquornDragData::kTasks, {7}, {ID_TASK_ADD}},
        {"a category", PelquornDragData::kCategory, {4}, {}},
    };
    for (const auto& c : cases) {
        host.Clear();
        content.OnDragOver(5, 5);
        EXPECT_TRUE(content.OnDrop(DragOf(c.kind, c.ids).Get(), 5, 5, DROPEFFECT_MOVE)) << c.name;
        EXPECT_EQ(host.PostedCommands(), c.commands) << c.name;
        EXPECT_FALSE(host.IsTimerSet(kNavigation)) << c.name << ": a drop ends the navigation";
    }
    EXPECT_TRUE(observer.codes.empty()) << "the pane's dialog adds the entry, not the drop";
}

TEST_F(DayManagerBaseTest, DroppingTwoTasksSchedulesThemFromTheBatchDialog)
{
    const int write = plan.AddTask(L"Write offer", 3);
    const int call = plan.AddTask(L"Call Ann", 0.25);
    const struct {
        const char* name;
        bool accept;
        std::vector<EString> times;
        std::vector<DocNotifyCode> codes;
    } cases[] = {
        {"cancelled", false, {}, {}},
        {"accepted", true, {L"14:00-15:30", L"15:30-16:00"}, {NotifyCode::kTasksChanged}},
    };
    for (const auto& c : cases) {
        observer.codes.clear();
        EString shownMax, shownMin;
        RunModalSteps([&] { return content.OnDrop(DragOf(PelquornDragData::kTasks, {write, call}).Get(), 5, 5,
                                                  DROPEFFECT_MOVE) ? IDOK : IDCANCEL; },
                      {[&](HWND dialog) {
                          shownMax = ItemText(dialog, IDC_MANY_MAX_DURATION);
                          shownMin = ItemText(dialog, IDC_MANY_MIN_DURATION);
                          SetItemText(dialog, IDC_MANY_START, L"14:00");
                          SetItemText(dialog, IDC_MANY_MAX_DURATION, L"1.5");
                          ClickButton(dialog, c.accept ? IDOK : IDCANCEL);
                          return true;
                      }});
        EXPECT_EQ(shownMax, L"3") << "the longest is the largest estimation";
        EXPECT_EQ(shownMin, L"0.5");
        EXPECT_EQ(plan.DayTimes(kDay), c.times) << c.name;
        EXPECT_EQ(observer.codes, c.codes) << c.name;
    }
}

TEST_F(DayManagerBaseTest, DroppedEntriesLineUpFromTheDropTimeCopiedWithCtrlElseMoved)
{
    const struct {
        const char* name;
        DWORD effect;
        std::vector<EString> yesterday;
    } cases[] = {
        {"copy", DROPEFFECT_COPY, {L"09:00-10:00", L"13:00-13:30"}},
        {"move", DROPEFFECT_MOVE, {}},
    };
    for (const auto& c : cases) {
        DayPlan plan;
        content.SetDocument(&plan.document);
        const int task = plan.AddTask(L"Review", 1);
        plan.AddEntry(kDay, task, L"08:00", L"08:45");
        const std::vector<std::int32_t> ids = {plan.AddEntry(kDay - 1, task, L"09:00", L"10:00"),
                                               plan.AddEntry(kDay - 1, task, L"13:00", L"13:30")};
        CodeObserver heard;
        plan.document.Attach(&heard);

        EXPECT_TRUE(content.OnDrop(DragOf(PelquornDragData::kPlanEntries, ids).Get(), 5, 5, c.effect));

        EXPECT_EQ(plan.DayTimes(kDay), (std::vector<EString>{L"08:00-08:45", L"08:45-09:45", L"09:45-10:15"}))
            << c.name << ": back to back after the last entry";
        EXPECT_EQ(plan.DayTimes(kDay - 1), c.yesterday) << c.name;
        EXPECT_EQ(heard.codes, std::vector<DocNotifyCode>{NotifyCode::kTasksChanged}) << c.name;
        plan.document.Detach(&heard);
    }
    content.SetDocument(&this->plan.document);
}

TEST_F(DayManagerBaseTest, TogglingCompletesTheOpenEntriesOrReopensThemAllWhenAllAreDone)
{
    const struct {
        const char* name;
        std::vector<bool> before;
        std::vector<bool> after;
    } cases[] = {
        {"a mix completes the open ones", {true, false, false}, {true, true, true}},
        {"all done reopens them all", {true, true}, {false, false}},
        {"all open completes them all", {false, false}, {true, true}},
    };
    const wchar_t* const hours[][2] = {{L"13:00", L"14:00"}, {L"14:00", L"15:00"}, {L"15:00", L"16:00"}};
    for (const auto& c : cases) {
        DayPlan plan;
        content.SetDocument(&plan.document);
        std::vector<int> ids;
        for (size_t i = 0; i < c.before.size(); ++i)
            ids.push_back(plan.AddEntry(kDay - 1, plan.AddTask(L"Review", 1), hours[i][0], hours[i][1], c.before[i]));
        ids.push_back(999999);
        CodeObserver heard;
        plan.document.Attach(&heard);

        content.ToggleCompleted(ids);

        for (size_t i = 0; i < c.after.size(); ++i)
            EXPECT_EQ(plan.Entry(ids[i]).IsCompleted(), c.after[i]) << c.name << ", entry " << i;
        EXPECT_EQ(heard.codes, std::vector<DocNotifyCode>{NotifyCode::kAll}) << c.name;
        plan.document.Detach(&heard);
    }
    content.SetDocument(&this->plan.document);
}

TEST_F(DayManagerBaseTest, CompletingTheEntryRunningNowEndsItNow)
{
    const int running = plan.AddEntry(kDay, plan.AddTask(L"Review", 1), L"09:00", L"10:00");
    const int later = plan.AddEntry(kDay, plan.AddTask(L"Write", 1), L"11:00", L"12:00");
    const int yesterday = plan.AddEntry(kDay - 1, plan.AddTask(L"Call", 1), L"09:00", L"10:00");

    content.ToggleCompleted({running, later});
    host.date = kDay - 1;
    content.ToggleCompletedOne(yesterday);

    EXPECT_EQ(plan.Entry(running).GetEndTimeXmlText(), L"09:30");
    EXPECT_EQ(plan.Entry(later).GetEndTimeXmlText(), L"12:00");
    EXPECT_EQ(plan.Entry(yesterday).GetEndTimeXmlText(), L"10:00") << "over, not running";
    EXPECT_TRUE(plan.Entry(yesterday).IsCompleted());
}

TEST_F(DayManagerBaseTest, AllCompletedNeedsOneEntryAndSkipsUnreadableIds)
{
    const int done = plan.AddEntry(kDay, plan.AddTask(L"Review", 1), L"13:00", L"14:00", true);
    const int open = plan.AddEntry(kDay, plan.AddTask(L"Write", 1), L"14:00", L"15:00", false);
    const struct {
        std::vector<int> ids;
        bool all;
    } cases[] = {
        {{}, false},
        {{done}, true},
        {{done, open}, false},
        {{done, 999999}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(content.AreAllCompleted(c.ids), c.all) << ToText(c.ids);
}

TEST_F(DayManagerBaseOnFakeTest, TheRunningEntryIsAnnouncedOnceAndTheNextOneAgain)
{
    Options::SetShowTrayNotifications(1);
    const int task = plan.AddTask(L"Review", 1);
    const int first = plan.AddEntry(kDay, task, L"09:00", L"10:00");
    const int second = plan.AddEntry(kDay, task, L"10:00", L"11:30");

    content.RefreshEntries();
    ASSERT_NE(TrayPopupWindow::Current(), nullptr);
    EXPECT_EQ(TrayPopupWindow::Current()->Text(), TrayNoticeText(L"Review", 1));
    EXPECT_EQ(content.GetAnnouncedEntryId(), first);
    TrayPopupWindow::Destroy();
    ASSERT_TRUE(WaitFor([] { return TrayPopupWindow::Current() == nullptr; }));

    content.RefreshEntries();
    EXPECT_EQ(TrayPopupWindow::Current(), nullptr) << "the same entry is not announced twice";

    Clock::SetNowForTesting(kDay + At(10, 15));
    content.RefreshEntries();
    ASSERT_NE(TrayPopupWindow::Current(), nullptr);
    EXPECT_EQ(TrayPopupWindow::Current()->Text(), TrayNoticeText(L"Review", 1.5));
    EXPECT_EQ(content.GetAnnouncedEntryId(), second);
    EXPECT_EQ(host.timers[kRefresh], 120000u);
}

TEST_F(DayManagerBaseOnFakeTest, TheTrayNoticeFollowsItsSetting)
{
    Options::SetShowTrayNotifications(0);
    plan.AddEntry(kDay, plan.AddTask(L"Review", 1), L"09:00", L"10:00");
    content.RefreshEntries();
    EXPECT_EQ(TrayPopupWindow::Current(), nullptr);
    EXPECT_NE(content.GetAnnouncedEntryId(), 0) << "still announced, by sound only";
}

TEST_F(DayManagerBaseTest, DraggingEntriesPostsAPlanEntryDragToTheOwner)
{
    EXPECT_TRUE(content.BeginDragEntries({12, 15}));
    ASSERT_TRUE(WaitFor([&] { return !host.draggedIds.empty(); }));
    EXPECT_EQ(host.draggedIds.front(), (std::vector<int>{PelquornDragData::kPlanEntries, 12, 15}));

    StubContent unhosted;
    EXPECT_FALSE(unhosted.BeginDragEntries({12})) << "no owner, no drag";
    host.DestroyWindow();
    EXPECT_FALSE(content.BeginDragEntries({12})) << "an owner that takes no more messages";
}

TEST_F(DayManagerBaseTest, DroppedEntriesStartAfterTheSelectedEntrysPredecessor)
{
    const int task = plan.AddTask(L"Review", 1);
    plan.AddEntry(kDay, task, L"08:00", L"08:30");
    const int selected = plan.AddEntry(kDay, task, L"11:00", L"12:00");
    plan.AddEntry(kDay, task, L"12:00", L"12:45");
    const struct {
        int selected;
        double day;
        const wchar_t* start;
    } cases[] = {
        {selected, kDay, L"08:30"},
        {0, kDay, L"12:45"},
        {0, kDay + 1, L"09:00"},
        {0, kDay - 3, L"09:00"},
    };
    Options::SetDayBegin(L"09:00");
    for (const auto& c : cases) {
        content.selected = c.selected;
        host.date = c.day;
        EXPECT_EQ(TimeParser::FormatTime24(content.GetDropTime()), EString(c.start)) << c.selected;
    }
}
