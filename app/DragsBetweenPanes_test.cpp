// Drags between the real main window's panes, started as a user starts them: tasks and categories onto the category tree, tasks and entries onto the daily plan and back, and drops the target refuses.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <vector>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "document/SilentPrompts.h"
#include "foundation/Clock.h"
#include "foundation/FileSystem.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/calendar/ListViewDay.h"
#include "views/common/TreeViewHandler.h"
#include "views/common/ViewMessages.h"

namespace {

double Hours(int hours, int minutes = 0)
{
    return (hours + minutes / 60.0) / 24.0;
}

const double kWednesday = MakeOleDate(2026, 3, 11);

// Counts the drag starts this thread takes from its queue while it lives.
class DragStartCounter {
public:
    DragStartCounter()
    {
        s_count = 0;
        m_hook = ::SetWindowsHookExW(WH_GETMESSAGE, &OnMessage, nullptr, ::GetCurrentThreadId());
    }
    ~DragStartCounter() { ::UnhookWindowsHookEx(m_hook); }
    DragStartCounter(const DragStartCounter&) = delete;
    DragStartCounter& operator=(const DragStartCounter&) = delete;

    int Count() const { return s_count; }

private:
    static LRESULT CALLBACK OnMessage(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_PELQUORN_START_DRAG)
            ++s_count;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline int s_count = 0;
    HHOOK m_hook = nullptr;
};

// The thread's own state of a key or button, as OLE's drag reads it.
void SetKeyDown(int key, bool down)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

// Where the plan's tasks, categories and entries stand: a refused drop leaves it as it was.
struct PlanState {
    std::map<int, int> taskCategories;
    std::map<int, std::vector<int>> subCategories;
    std::vector<int> entries;

    bool operator==(const PlanState&) const = default;
};

class DragsBetweenPanesTest : public FrameTest {
protected:
    DragsBetweenPanesTest() : FrameTest(L"drags_between_panes") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        // The daily plan starts as its list; the grid's tests switch.
        Options::SetShowAsLayoutDays(0);
        Clock::SetNowForTesting(kWednesday + Hours(8));
        OpenFrame(m_prompts);
        ASSERT_TRUE(Categories().IsWindow());
        Doc().SetStatusFilter(0);
        m_home = AddCategory(0, L"Home");
        m_work = AddCategory(0, L"Work");
        m_garden = AddCategory(m_home, L"Garden");
        Doc().SetCurrentCategoryId(m_home);
        m_stamps = AddTask(L"Buy stamps");
        m_bills = AddTask(L"Pay the bills");
        m_letters = AddTask(L"Answer the letters");
        Doc().Notify(nullptr, NotifyCode::kAll);
        DailyPlan().SetDate(kWednesday, true);
        ShowCategory(m_home, 3);
    }

    CCategoryTree& Tree() { return Categories(); }

    int AddCategory(int parent, const wchar_t* name) { return NewCategory(name, parent); }
    int AddTask(const wchar_t* name) { return NewTask(name, 1, kWednesday + 7); }
    int AddEntry(int taskId, double start, double end)
    {
        const int id = NewPlanEntry(kWednesday, taskId, start, end);
        Doc().Notify(nullptr, NotifyCode::kAll);
        return id;
    }
    std::vector<int> DayEntryIds()
    {
        std::vector<TaskPlanEntry> entries;
        Doc().GetDayPlanEntries(kWednesday, entries);
        std::vector<int> ids;
        for (const TaskPlanEntry& entry : entries)
            ids.push_back(entry.GetId());
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    std::vector<int> SubCategoryIds(int parent)
    {
        std::vector<Category> children;
        Doc().GetSubCategories(parent, children);
        std::vector<int> ids;
        for (const Category& child : children)
            ids.push_back(child.GetId());
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    PlanState State()
    {
        PlanState state;
        for (const int task : {m_stamps, m_bills, m_letters})
            state.taskCategories[task] = Doc().GetTaskCategory(task);
        for (const int parent : {0, m_home, m_work, m_garden})
            state.subCategories[parent] = SubCategoryIds(parent);
        state.entries = DayEntryIds();
        return state;
    }

    // Chosen in the tree, as a click on it does; the task list then lists `rows`.
    void ShowCategory(int categoryId, int rows)
    {
        ASSERT_TRUE(Tree().SelectCategory(categoryId));
        ASSERT_TRUE(WaitFor([&] { return TaskList().GetRowCount() == rows; }));
    }
    int RowOf(int taskId)
    {
        const int row = TaskList().FindRow(taskId);
        EXPECT_GE(row, 0) << "task " << taskId << " is not listed";
        return row;
    }
    // On the row's picture: a click on the label of a selected row would start renaming it.
    POINT RowPoint(int taskId)
    {
        RECT icon = {};
        ListView_GetItemRect(TaskList().m_hWnd, RowOf(taskId), &icon, LVIR_ICON);
        return {(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    }
    POINT TreeItemPoint(int categoryId)
    {
        const CTreeViewHandler tree(Tree().m_hWnd);
        // The garden shows once its parent is opened, as a click on the plus sign does.
        if (categoryId == m_garden)
            TreeView_Expand(Tree().m_hWnd, tree.FindByData(TreeView_GetRoot(Tree().m_hWnd), m_home), TVE_EXPAND);
        const HTREEITEM item = categoryId ? tree.FindByData(TreeView_GetRoot(Tree().m_hWnd), categoryId) : TreeView_GetRoot(Tree().m_hWnd);
        EXPECT_NE(item, nullptr) << "category " << categoryId << " is not in the tree";
        TreeView_EnsureVisible(Tree().m_hWnd, item);
        RECT text = {};
        TreeView_GetItemRect(Tree().m_hWnd, item, &text, TRUE);
        return {(text.left + text.right) / 2, (text.top + text.bottom) / 2};
    }
    POINT Middle(HWND window)
    {
        RECT client = {};
        ::GetClientRect(window, &client);
        return {client.right / 2, client.bottom / 2};
    }

    // The drag drops where the cursor rests: no button is down while it runs.
    void RestCursorOn(HWND window, POINT client)
    {
        POINT screen = client;
        ::ClientToScreen(window, &screen);
        ASSERT_TRUE(::SetCursorPos(screen.x, screen.y));
        const HWND under = ::WindowFromPoint(screen);
        ASSERT_TRUE(under == window || ::IsChild(window, under)) << "another window covers the drop point";
    }
    // A press and a move past the drag distance, as the mouse sends them;
    // done once the drag they start has run. `keys` adds Ctrl or Shift.
    void PressAndDrag(HWND control, POINT from, WPARAM keys = 0)
    {
        const DragStartCounter starts;
        const POINT to = {from.x + 20, from.y + 20};
        ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(from.x, from.y));
        ::PostMessageW(control, WM_MOUSEMOVE, MK_LBUTTON | keys, MAKELPARAM(to.x, to.y));
        EXPECT_TRUE(WaitFor([&] { return starts.Count() == 1; })) << "no drag started";
        ::PostMessageW(control, WM_LBUTTONUP, keys, MAKELPARAM(to.x, to.y));
        WaitForMouseTaken(control);
    }
    // Ctrl+click on a row adds it to the selection.
    void AddRowToSelection(int taskId)
    {
        const POINT point = RowPoint(taskId);
        const HWND list = TaskList().m_hWnd;
        ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(point.x, point.y));
        ::PostMessageW(list, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(point.x, point.y));
        ASSERT_TRUE(WaitFor([&] {
            return (ListView_GetItemState(list, RowOf(taskId), LVIS_SELECTED) & LVIS_SELECTED) != 0;
        }));
    }
    void SelectOnlyRow(int taskId)
    {
        const HWND list = TaskList().m_hWnd;
        // A click below the rows clears the selection.
        RECT client = {};
        ::GetClientRect(list, &client);
        ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2, client.bottom - 4));
        ::PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(client.right / 2, client.bottom - 4));
        ASSERT_TRUE(WaitFor([&] { return ListView_GetSelectedCount(list) == 0; }));
        const POINT point = RowPoint(taskId);
        ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        ::PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        ASSERT_TRUE(WaitFor([&] { return ListView_GetSelectedCount(list) == 1; }));
    }
    // The tasks the rows select, dragged from the first of them.
    void DragTasks(const std::vector<int>& tasks)
    {
        SelectOnlyRow(tasks.front());
        for (size_t i = 1; i < tasks.size(); ++i)
            AddRowToSelection(tasks[i]);
        PressAndDrag(TaskList().m_hWnd, RowPoint(tasks.front()));
    }
    void DragCategory(int categoryId) { PressAndDrag(Tree().m_hWnd, TreeItemPoint(categoryId)); }
    HWND DayList() { return DailyPlan().GetContent().GetContentWindow(); }
    // The daily plan's list shows `rows` entries; the point on the label of `row`.
    POINT DayRowPoint(int row, int rows)
    {
        EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(DayList()) == rows; }));
        RECT label = {};
        ListView_GetItemRect(DayList(), row, &label, LVIR_LABEL);
        return {label.left + 8, (label.top + label.bottom) / 2};
    }
    void DragDayRow(int row, int rows) { PressAndDrag(DayList(), DayRowPoint(row, rows)); }

    // The middle of the entry's box in the grid, in the scrolling pane's client coordinates.
    POINT GridMiddle(int entryId)
    {
        const CDaySettings& s = PlannerSettings();
        for (const PlacedItem& placed : s.placed) {
            if (s.items[static_cast<size_t>(placed.itemIndex)].data != entryId)
                continue;
            const RECT& r = placed.rect;
            return {(r.left + r.right) / 2, (r.top + r.bottom) / 2 - PlannerPane().GetScrollOffset()};
        }
        ADD_FAILURE() << "entry " << entryId << " not placed";
        return {0, 0};
    }
    // Half past the hour in the day's column, in the scrolling pane's client coordinates.
    POINT GridHalfPast(double day, int hour)
    {
        const CDaySettings& s = PlannerSettings();
        const size_t column = static_cast<size_t>(std::floor(day) - std::floor(s.firstDay));
        const RECT& cell = s.hourCells[column * 24 + static_cast<size_t>(hour)].rect;
        return {(cell.left + cell.right) / 2, cell.top + s.hourHeight / 2 - PlannerPane().GetScrollOffset()};
    }

    void SaveAndReopen(CPelquornDoc& saved) { FrameTest::SaveAndReopen(L"drags.qvr", saved, m_prompts); }

    SilentPrompts m_prompts;
    int m_home = 0;
    int m_work = 0;
    int m_garden = 0;
    int m_stamps = 0;
    int m_bills = 0;
    int m_letters = 0;
};

TEST_F(DragsBetweenPanesTest, TasksDraggedFromTheListOntoACategoryMoveThereAndAreSaved)
{
    const struct {
        const char* name;
        std::vector<int> dragged;
    } cases[] = {
        {"one task", {m_stamps}},
        {"two tasks at once", {m_bills, m_letters}},
    };
    std::vector<int> moved;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RestCursorOn(Tree().m_hWnd, TreeItemPoint(m_work));
        DragTasks(c.dragged);
        moved.insert(moved.end(), c.dragged.begin(), c.dragged.end());
        for (const int task : {m_stamps, m_bills, m_letters}) {
            const bool wasMoved = std::find(moved.begin(), moved.end(), task) != moved.end();
            EXPECT_EQ(Doc().GetTaskCategory(task), wasMoved ? m_work : m_home) << "task " << task;
        }
        EXPECT_TRUE(WaitFor([&] { return TaskList().GetRowCount() == 3 - static_cast<int>(moved.size()); }))
            << "the list of Home still shows the moved tasks";
    }
    EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"drags_tasks_onto_category").IsEmpty());
    CPelquornDoc saved;
    SaveAndReopen(saved);
    for (const int task : {m_stamps, m_bills, m_letters})
        EXPECT_EQ(saved.GetTaskCategory(task), m_work);
    EXPECT_TRUE(m_prompts.errors.empty());
}

TEST_F(DragsBetweenPanesTest, ACategoryDraggedOntoAnotherBecomesItsSubcategoryInTheTreeAndTheFile)
{
    RestCursorOn(Tree().m_hWnd, TreeItemPoint(m_work));
    DragCategory(m_home);
    EXPECT_EQ(SubCategoryIds(m_work), std::vector<int>{m_home});
    EXPECT_EQ(SubCategoryIds(0), std::vector<int>{m_work});
    EXPECT_EQ(SubCategoryIds(m_home), std::vector<int>{m_garden}) << "the branch moves whole";
    const CTreeViewHandler tree(Tree().m_hWnd);
    const HTREEITEM moved = tree.FindByData(TreeView_GetRoot(Tree().m_hWnd), m_home);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(tree.GetItemData(TreeView_GetParent(Tree().m_hWnd, moved)), m_work) << "the tree shows it moved";
    EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"drags_category_onto_category").IsEmpty());
    CPelquornDoc saved;
    SaveAndReopen(saved);
    std::vector<Category> underWork;
    saved.GetSubCategories(m_work, underWork);
    ASSERT_EQ(underWork.size(), 1u);
    EXPECT_EQ(underWork[0].GetId(), m_home);
}

TEST_F(DragsBetweenPanesTest, DropsTheTargetRefusesChangeNothing)
{
    AddEntry(m_stamps, Hours(9), Hours(10));
    // The pinned calendar slides out, as resting on its label does.
    CTabbedAutoHideDockingWindow* calendarPane = m_frame->GetPane(CMainFrame::CalendarPane);
    const HWND calendar = m_frame->GetCalendar().m_hWnd;
    const HWND dayList = DayList();
    const HWND people = ::FindWindowExW(*m_frame->GetPane(CMainFrame::PeoplePane), nullptr, L"QuorvanePeopleTree", nullptr);
    ASSERT_NE(people, nullptr);
    const struct {
        const char* name;
        std::function<HWND()> target;
        std::function<void()> drag;
    } cases[] = {
        {"the list's own task onto the list", [&] { return TaskList().m_hWnd; },
         [&] { DragTasks({m_bills}); }},
        {"a category onto the task list", [&] { return TaskList().m_hWnd; }, [&] { DragCategory(m_work); }},
        {"a category onto the daily plan", [&] { return dayList; }, [&] { DragCategory(m_work); }},
        {"a category onto its own subcategory", [&] { return Tree().m_hWnd; }, [&] { DragCategory(m_home); }},
        {"a plan entry onto the category tree", [&] { return Tree().m_hWnd; },
         [&] { DragDayRow(0, 1); }},
        {"a task onto the people tree", [&] { return people; }, [&] { DragTasks({m_stamps}); }},
        {"a task onto the deadlines calendar",
         [&] {
             m_frame->AutoHideManager().Show(calendarPane->m_hWnd, dockwins::CDockingSide::Top, false);
             EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(calendar) != FALSE; }));
             return calendar;
         },
         [&] { DragTasks({m_letters}); }},
        {"a plan entry onto the deadlines calendar", [&] { return calendar; },
         [&] { DragDayRow(0, 1); }},
    };
    ASSERT_EQ(DayEntryIds().size(), 1u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PlanState before = State();
        const HWND target = c.target();
        const POINT drop = target == Tree().m_hWnd ? TreeItemPoint(m_garden) : Middle(target);
        RestCursorOn(target, drop);
        Doc().SetModified(0);
        c.drag();
        EXPECT_TRUE(State() == before) << "the drop changed the plan";
        EXPECT_FALSE(Doc().IsModified()) << "an exit would ask to save a plan that did not change";
        EXPECT_FALSE(::IsWindowVisible(DailyPlan().GetPlanDialog())) << "a refused drop asks nothing";
    }
    EXPECT_TRUE(m_prompts.errors.empty());
}

// The grid shows several days side by side: an entry dropped in another
// day's column lands on that day at the drop time.
TEST_F(DragsBetweenPanesTest, AnEntryDraggedToAnotherDayOfTheGridMovesThereOrWithCtrlIsCopied)
{
    const double thursday = kWednesday + 1;
    SendCommand(ID_DAY_SHOW_CALENDAR);
    ASSERT_FALSE(DailyPlan().IsListShown());
    DailyPlanGrid().SetSnapMinutes(15);
    const struct {
        const char* name;
        bool ctrl;
    } cases[] = {
        {"moved", false},
        {"copied with Ctrl", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int entry = AddEntry(m_bills, Hours(9), Hours(10));
        DailyPlan().SetDate(kWednesday, true);
        ScrollPlannerToHour(9);
        ASSERT_GE(PlannerSettings().dayCount, 2) << "the grid shows one day";
        ASSERT_EQ(std::floor(PlannerSettings().firstDay), kWednesday);
        RestCursorOn(PlannerPane(), GridHalfPast(thursday, 10));
        // Ctrl at the drag's entry into the grid asks for a copy.
        SetKeyDown(VK_CONTROL, c.ctrl);
        PressAndDrag(PlannerPane(), GridMiddle(entry), c.ctrl ? MK_CONTROL : 0);
        SetKeyDown(VK_CONTROL, false);
        std::vector<TaskPlanEntry> landed;
        ASSERT_TRUE(WaitFor([&] {
            Doc().GetDayPlanEntries(thursday, landed);
            return !landed.empty();
        })) << "nothing landed on Thursday";
        ASSERT_EQ(landed.size(), 1u);
        EXPECT_EQ(landed[0].GetStartTimeXmlText(), L"10:30");
        EXPECT_EQ(landed[0].GetEndTimeXmlText(), L"11:30");
        EXPECT_EQ(landed[0].GetTaskId(), m_bills);
        EXPECT_EQ(DayEntryIds(), c.ctrl ? std::vector<int>{entry} : std::vector<int>{});
        EXPECT_FALSE(SaveWindowScreenshot(DailyPlan().GetHwnd(), L"drags_entry_to_another_day").IsEmpty());
        // The next case starts from an empty plan.
        Doc().DeletePlanEntries({landed[0].GetId()});
        for (const int left : DayEntryIds())
            Doc().DeletePlanEntries({left});
        Doc().Notify(nullptr, NotifyCode::kAll);
    }
}

// Let go on a row, the dragged entry takes that row's place: it starts where the row's predecessor ends.
TEST_F(DragsBetweenPanesTest, AnEntryDraggedOntoAnotherRowOfTheDailyPlansListStartsInItsPlace)
{
    AddEntry(m_stamps, Hours(9), Hours(10));
    const int onto = AddEntry(m_bills, Hours(11), Hours(12));
    const int dragged = AddEntry(m_letters, Hours(13), Hours(14));
    CListViewDay& list = DailyPlan().GetList();
    ASSERT_TRUE(WaitFor([&] { return list.GetRowCount() == 3; }));
    int ontoRow = -1;
    int draggedRow = -1;
    for (int row = 0; row < 3; ++row) {
        if (list.GetRowEntryId(row) == onto)
            ontoRow = row;
        if (list.GetRowEntryId(row) == dragged)
            draggedRow = row;
    }
    ASSERT_GE(ontoRow, 0);
    ASSERT_GE(draggedRow, 0);
    RestCursorOn(DayList(), DayRowPoint(ontoRow, 3));
    DragDayRow(draggedRow, 3);
    TaskPlanEntry moved;
    ASSERT_TRUE(Doc().GetPlanEntry(dragged, moved));
    EXPECT_EQ(moved.GetStartTimeXmlText(), L"10:00");
    EXPECT_EQ(moved.GetEndTimeXmlText(), L"11:00");
    EXPECT_EQ(DayEntryIds().size(), 3u) << "a move, not a copy";
}

TEST_F(DragsBetweenPanesTest, ATaskDroppedOnTheDailyPlansListIsPlannedThroughThePlanDialog)
{
    RestCursorOn(DayList(), Middle(DayList()));
    DragTasks({m_bills});
    CPlanDialog& dialog = DailyPlan().GetPlanDialog();
    ASSERT_TRUE(WaitFor([&] { return dialog.IsWindow() && dialog.IsWindowVisible(); })) << "no plan dialog";
    EXPECT_EQ(dialog.taskId, m_bills);
    EXPECT_FALSE(SaveWindowScreenshot(dialog, L"drags_task_onto_day_list_dialog").IsEmpty());
    ClickButton(dialog, IDOK);
    std::vector<TaskPlanEntry> entries;
    ASSERT_TRUE(WaitFor([&] {
        Doc().GetDayPlanEntries(kWednesday, entries);
        return entries.size() == 1;
    }));
    EXPECT_EQ(entries[0].GetTaskId(), m_bills);
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(DayList()) == 1; })) << "the list shows the new entry";
}

TEST_F(DragsBetweenPanesTest, SeveralTasksDroppedOnTheDailyPlansListArePlannedOneAfterAnother)
{
    RestCursorOn(DayList(), Middle(DayList()));
    const DialogAnswerer accept([](HWND dialog) { ClickButton(dialog, IDOK); });
    DragTasks({m_stamps, m_letters});
    EXPECT_EQ(accept.AnsweredCount(), 1) << "the durations are asked once";
    std::vector<TaskPlanEntry> entries;
    ASSERT_TRUE(WaitFor([&] {
        Doc().GetDayPlanEntries(kWednesday, entries);
        return entries.size() == 2;
    }));
    std::vector<int> planned = {entries[0].GetTaskId(), entries[1].GetTaskId()};
    std::sort(planned.begin(), planned.end());
    std::vector<int> dragged = {m_stamps, m_letters};
    std::sort(dragged.begin(), dragged.end());
    EXPECT_EQ(planned, dragged);
    EXPECT_TRUE(entries[0].GetEndTime() <= entries[1].GetStartTime() || entries[1].GetEndTime() <= entries[0].GetStartTime())
        << "one after another";
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(DayList()) == 2; }));
    EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"drags_tasks_onto_day_list").IsEmpty());
}

TEST_F(DragsBetweenPanesTest, AnEntryDraggedFromTheDailyPlansListOntoTheTaskListLeavesThePlan)
{
    const int dragged = AddEntry(m_stamps, Hours(9), Hours(10));
    const int kept = AddEntry(m_bills, Hours(11), Hours(12));
    RestCursorOn(TaskList().m_hWnd, Middle(TaskList().m_hWnd));
    CListViewDay& list = DailyPlan().GetList();
    ASSERT_TRUE(WaitFor([&] { return list.GetRowCount() == 2; }));
    const int row = list.GetRowEntryId(0) == dragged ? 0 : 1;
    ASSERT_EQ(list.GetRowEntryId(row), dragged);
    DragDayRow(row, 2);
    EXPECT_EQ(DayEntryIds(), std::vector<int>{kept});
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(DayList()) == 1; }));
}

} // namespace
