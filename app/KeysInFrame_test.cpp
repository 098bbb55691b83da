// The keyboard in the real main window: the keyboard table reaching the focused view, Enter, Next Pane and the keys
// the frame swallows; the label editors, the modeless windows and the daily plan's time grid taking their own keys.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <functional>
#include <vector>

#include "app/FrameKeys.h"
#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "dialogs/PlanDialogIds.h"
#include "dialogs/ReminderDialogIds.h"
#include "dialogs/SmallDialogIds.h"
#include "dialogs/TrackingDialogIds.h"
#include "document/SilentPrompts.h"
#include "foundation/Clock.h"
#include "foundation/Language.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "resources/AppCommandIds.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/tasks/CategoryTree.h"

namespace {

bool HoldsFocus(HWND window)
{
    const HWND focus = ::GetFocus();
    return focus && (focus == window || ::IsChild(window, focus));
}

EString Caption(const wchar_t* key)
{
    return Resource::Translate(key);
}

EString ClipboardText()
{
    EString text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

double Hours(int hours)
{
    return hours / 24.0;
}

const double kWednesday = MakeOleDate(2026, 3, 11);

// Whole minutes, so that sums of hours compare exactly.
long long Minutes(double dateTime)
{
    return std::llround(dateTime * 24 * 60);
}

class KeysInFrameTest : public FrameTest {
protected:
    KeysInFrameTest() : FrameTest(L"keys_in_frame") {}

    // Two categories, two tasks in the first, people, a group and moods.
    void OpenWithItems()
    {
        Options::SetIsAutoSatSun(0);
        OpenFrame(m_prompts);
        Doc().SetStatusFilter(0);
        m_garden = NewCategory(L"Garden");
        m_kitchen = NewCategory(L"Kitchen");
        // Find searches the tasks of the categories.
        Doc().SetCurrentCategoryId(m_garden);
        m_hedge = NewTask(L"Cut the hedge", 1, Clock::Today() + 2);
        m_roses = NewTask(L"Plant the roses", 1, Clock::Today() + 3);
        m_ann = AddPerson(0, L"Ann", L"Ann Smith");
        m_bob = AddPerson(0, L"Bob", L"Bob Jones");
        m_neighbours = AddPerson(1, L"Neighbours", L"");
        // No full name: the label shows the name.
        m_morgan = AddPerson(0, L"Morgan", L"");
        MoodItem calm(L"Calm", RGB(0, 128, 255));
        Doc().AddMood(calm);
        m_calm = calm.GetId();
        MoodItem busy(L"Busy", RGB(255, 64, 0));
        Doc().AddMood(busy);
        m_busy = busy.GetId();
        Doc().Notify(nullptr, NotifyCode::kAll);
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return TaskList().GetRowCount() == 2; }));
    }
    int AddPerson(int kind, const wchar_t* name, const wchar_t* fullName)
    {
        Person person(kind, name, L"", fullName, L"", 0);
        EXPECT_TRUE(Doc().AddPerson(0, person)) << name;
        return person.GetId();
    }

    // The time grid of one day on a Wednesday morning, two entries on it, the grid at 8:00.
    void OpenWithGrid()
    {
        Options::SetShowAsLayoutDays(1);
        Clock::SetNowForTesting(kWednesday + Hours(7));
        OpenFrame(m_prompts);
        ASSERT_FALSE(DailyPlan().IsListShown());
        m_report = AddEntry(L"Write the report", Hours(9), Hours(10));
        m_call = AddEntry(L"Call the bank", Hours(12), Hours(13));
        Doc().Notify(nullptr, NotifyCode::kAll);
        DailyPlan().SetDate(kWednesday, false);
        DailyPlanGrid().OnDateChanged();
        DailyPlan().ReloadDay();
        ScrollPlannerToHour(8);
    }
    int AddEntry(const wchar_t* name, double start, double end)
    {
        TaskCard task(name, L"", 1, kWednesday + 7, 1, 0, 0, 0, -1);
        EXPECT_TRUE(Doc().AddTask(task));
        TaskPlanEntry entry(task.GetId(), start, end, L"", L"", 0, 0);
        entry.SetTask(task);
        EXPECT_TRUE(Doc().AddPlanEntry(kWednesday, entry));
        return entry.GetId();
    }

    HWND CategoryTree() { return PaneView(CMainFrame::CategoriesPane); }
    HWND PeopleTree() { return PaneView(CMainFrame::PeoplePane); }
    HWND MoodList() { return PaneView(CMainFrame::MoodsPane); }

    void SelectCategory(int categoryId)
    {
        ASSERT_TRUE(Categories().SelectCategory(categoryId));
        Focus(CategoryTree());
    }
    void SelectPerson(int personId)
    {
        const HWND tree = PeopleTree();
        const HTREEITEM item = FindTreeItem(tree, personId);
        ASSERT_NE(item, nullptr) << "no item of person " << personId;
        TreeView_SelectItem(tree, item);
        Focus(tree);
    }
    // The moods' tab brought forward, as a click on it does; it covers the people.
    void SelectMood(const wchar_t* name)
    {
        ASSERT_TRUE(m_frame->GetPane(CMainFrame::MoodsPane)->Show());
        const HWND list = MoodList();
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return ::IsWindowVisible(list) != FALSE; }));
        LVFINDINFOW find = {};
        find.flags = LVFI_STRING;
        find.psz = name;
        const int row = ListView_FindItem(list, -1, &find);
        ASSERT_GE(row, 0) << "no mood row";
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        Focus(list);
    }
    // The deadlines calendar slid out, as resting on its label does, and a
    // click on the middle of the box of the only task due that day: the
    // calendar takes the focus and selects the task.
    void SelectCalendarBox(int taskId, double day)
    {
        SelectCategory(m_garden);
        CTabbedAutoHideDockingWindow* pane = m_frame->GetPane(CMainFrame::CalendarPane);
        m_frame->AutoHideManager().Show(pane->m_hWnd, dockwins::CDockingSide::Top, false);
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return Calendar().IsWindowVisible() != FALSE; }));
        Ceil cell;
        cell.SetRect(Calendar().GetImage().GetLaneRect(PlanItemsMan::kPlanLane, day));
        const RECT box = cell.GetBoxRect(0);
        const POINT offset = Calendar().GetScrollOffset();
        const LPARAM at = MAKELPARAM((box.left + box.right) / 2 - offset.x, (box.top + box.bottom) / 2 - offset.y);
        ::PostMessageW(Calendar(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(Calendar(), WM_LBUTTONUP, 0, at);
        WaitForMouseTaken(Calendar());
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return Doc().GetFirstSelectedTaskId() == taskId; }));
        ASSERT_EQ(::GetFocus(), Calendar().m_hWnd);
        EXPECT_FALSE(SaveWindowScreenshot(Calendar(), L"calendar_keys").IsEmpty());
    }
    // A click on the middle of the entry's box in the time grid, as the user picks it.
    void ClickEntry(int entryId)
    {
        const CDaySettings& s = PlannerSettings();
        for (const PlacedItem& placed : s.placed) {
            if (s.items[static_cast<size_t>(placed.itemIndex)].data != entryId)
                continue;
            const RECT& r = placed.rect;
            const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2 - PlannerPane().GetScrollOffset());
            ::PostMessageW(PlannerPane(), WM_LBUTTONDOWN, MK_LBUTTON, at);
            ::PostMessageW(PlannerPane(), WM_LBUTTONUP, 0, at);
            ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return DailyPlanGrid().GetSelectedEntryId() == entryId; }));
            return;
        }
        FAIL() << "entry " << entryId << " is not placed";
    }
    double SelectedTime() { return PlannerSettings().selectedTime; }

    // Whatever a key posted has run, and every dialog it opened is gone.
    bool CommandsDone()
    {
        MSG pending;
        return !::PeekMessageW(&pending, nullptr, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) && !FindThreadDialog();
    }
    // The key pressed in the focused window; the captions of the dialogs it
    // opened, each answered Yes when it asks, else cancelled.
    std::vector<EString> DialogsOfKey(UINT key, unsigned modifiers = kNoModifiers)
    {
        std::vector<EString> captions;
        DialogAnswerer answerer([&](HWND dialog) {
            captions.push_back(WindowText(dialog));
            const bool asks = ::GetDlgItem(dialog, IDYES) != nullptr;
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(asks ? IDYES : IDCANCEL, BN_CLICKED), 0);
        });
        EXPECT_TRUE(PressKeyThroughLoop(m_loop, key, modifiers));
        EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return CommandsDone(); }));
        return captions;
    }
    size_t PlannedToday()
    {
        std::vector<TaskPlanEntry> entries;
        Doc().GetDayPlanEntries(DailyPlan().GetDate(), entries);
        return entries.size();
    }
    // The window shown by `show`, with the focus in it as a click puts it.
    HWND ShowModeless(const std::function<HWND()>& show)
    {
        const HWND window = show();
        EXPECT_NE(window, nullptr);
        if (!window)
            return nullptr;
        if (!::IsChild(window, ::GetFocus()))
            ::SetActiveWindow(window);
        EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return ::IsChild(window, ::GetFocus()) != FALSE; }));
        return window;
    }

    SilentPrompts m_prompts;
    int m_garden = 0;
    int m_kitchen = 0;
    int m_hedge = 0;
    int m_roses = 0;
    int m_ann = 0;
    int m_bob = 0;
    int m_neighbours = 0;
    int m_morgan = 0;
    int m_calm = 0;
    int m_busy = 0;
    int m_report = 0;
    int m_call = 0;
};

// Delete, pressed where the focus is, asks once and deletes that view's item
// only; the calendar offers no Delete: the task its click selected stays.
TEST_F(KeysInFrameTest, DeleteDeletesTheSelectedItemOfTheFocusedView)
{
    OpenWithItems();
    TaskCard task;
    Category category;
    Person person;
    MoodItem mood;
    const struct {
        const char* view;
        std::function<void()> select;
        size_t questions;
        std::function<bool()> deleted;
        std::function<bool()> kept;
    } cases[] = {
        {"task list", [&] { SelectTask(m_hedge); }, 1, [&] { return !Doc().GetTask(m_hedge, task, false); },
         [&] { return Doc().GetTask(m_roses, task, false) && Doc().GetCategory(m_garden, category); }},
        {"category tree", [&] { SelectCategory(m_kitchen); }, 1, [&] { return !Doc().GetCategory(m_kitchen, category); },
         [&] { return Doc().GetCategory(m_garden, category) && Doc().GetTask(m_roses, task, false); }},
        {"people tree", [&] { SelectPerson(m_bob); }, 1, [&] { return !Doc().GetPerson(m_bob, person); },
         [&] { return Doc().GetPerson(m_ann, person) && Doc().GetCategory(m_garden, category); }},
        {"mood list", [&] { SelectMood(L"Busy"); }, 1, [&] { return !Doc().GetMood(m_busy, mood); },
         [&] { return Doc().GetMood(m_calm, mood) && Doc().GetPerson(m_ann, person); }},
        {"deadlines calendar", [&] { SelectCalendarBox(m_roses, Clock::Today() + 3); }, 0, [] { return true; },
         [&] { return Doc().GetTask(m_roses, task, false); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        c.select();
        EXPECT_EQ(DialogsOfKey(VK_DELETE).size(), c.questions);
        EXPECT_TRUE(c.deleted());
        EXPECT_TRUE(c.kept());
    }
}

// Ctrl+I adds in the focused view: each view opens its own editor, once.
TEST_F(KeysInFrameTest, CtrlIOpensTheAddEditorOfTheFocusedView)
{
    OpenWithItems();
    const struct {
        const char* view;
        std::function<void()> select;
        const wchar_t* caption;
    } cases[] = {
        {"task list", [&] { SelectTask(m_hedge); }, L"TaskCard"},
        {"category tree", [&] { SelectCategory(m_garden); }, L"DlgCategory"},
        // People are added into a group.
        {"people tree", [&] { SelectPerson(m_neighbours); }, L"DlgPerson"},
        {"mood list", [&] { SelectMood(L"Calm"); }, L"MoodDescription"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        c.select();
        EXPECT_EQ(DialogsOfKey('I', kControlKey), std::vector<EString>{Caption(c.caption)});
    }
}

// Enter edits the selected item of the focused view with one editor; on a
// box of the deadlines calendar, its task.
TEST_F(KeysInFrameTest, EnterOpensOneEditorOfTheSelectedItem)
{
    OpenWithItems();
    const struct {
        const char* view;
        std::function<void()> select;
        const wchar_t* caption;
    } cases[] = {
        {"task list", [&] { SelectTask(m_roses); }, L"TaskCard"},
        {"category tree", [&] { SelectCategory(m_garden); }, L"DlgCategory"},
        {"people tree", [&] { SelectPerson(m_ann); }, L"DlgPerson"},
        {"mood list", [&] { SelectMood(L"Busy"); }, L"MoodDescription"},
        {"deadlines calendar", [&] { SelectCalendarBox(m_roses, Clock::Today() + 3); }, L"TaskCard"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        c.select();
        EXPECT_EQ(DialogsOfKey(VK_RETURN), std::vector<EString>{Caption(c.caption)});
    }
}

// F6 walks the shown panes, and the view it enters takes the next commands.
TEST_F(KeysInFrameTest, F6MovesTheFocusThroughTheShownPanesInTurn)
{
    OpenWithItems();
    const struct {
        const char* name;
        HWND view;
    } turns[] = {
        {"categories", CategoryTree()},
        {"daily plan", DailyPlan().GetHwnd()},
        {"people", PeopleTree()},
        {"task list", TaskList()},
    };
    Focus(TaskList());
    for (const auto& turn : turns) {
        SCOPED_TRACE(turn.name);
        ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_F6));
        EXPECT_TRUE(HoldsFocus(turn.view));
        EXPECT_EQ(Doc().GetDocumentWindow(), turn.view);
    }
    EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"keys_in_frame_f6").IsEmpty());
}

// Tab, Shift+F6 and Ctrl+P are taken by the keyboard table and do nothing.
TEST_F(KeysInFrameTest, KeysWithoutACommandLeaveTheFocusWhereItIs)
{
    OpenWithItems();
    const struct {
        const char* name;
        UINT key;
        unsigned modifiers;
    } keys[] = {
        {"Tab", VK_TAB, kNoModifiers},
        {"Shift+F6", VK_F6, kShiftKey},
        {"Ctrl+P", 'P', kControlKey},
    };
    SelectTask(m_hedge);
    for (const auto& key : keys) {
        SCOPED_TRACE(key.name);
        EXPECT_TRUE(DialogsOfKey(key.key, key.modifiers).empty());
        EXPECT_EQ(::GetFocus(), TaskList().m_hWnd);
        EXPECT_EQ(Doc().GetFirstSelectedTaskId(), m_hedge);
    }
}

// Renaming in place: cut, copy, paste and Delete edit the label's text;
// Escape leaves the name as it was and Enter renames; none of them acts on
// the item itself.
TEST_F(KeysInFrameTest, TheEditingKeysEditTheLabelAndNeverTheItem)
{
    OpenWithItems();
    const HWND categories = CategoryTree();
    const HWND people = PeopleTree();
    // As a click on the selected item's label: its editor opens with the focus.
    const auto editorWithFocus = [&](HWND editor) {
        EXPECT_TRUE(editor && WaitThroughLoop(m_loop, [&] { return ::GetFocus() == editor; }));
        return editor;
    };
    const auto renameInTree = [&](HWND tree, int id) {
        const HTREEITEM item = FindTreeItem(tree, id);
        EXPECT_NE(item, nullptr);
        TreeView_SelectItem(tree, item);
        ::SetFocus(tree);
        TreeView_EditLabel(tree, item);
        return editorWithFocus(TreeView_GetEditControl(tree));
    };
    const EString gone = L"(gone)";
    TaskCard task;
    Category category;
    Person person;
    const struct {
        const char* view;
        std::function<HWND()> startRenaming;
        std::function<HWND()> editor;
        std::function<int()> items;
        std::function<EString()> name;
    } views[] = {
        // First: choosing a category in the tree filters the list.
        {"task list",
         [&] {
             const int row = TaskList().FindRow(m_hedge);
             TaskList().SelectRow(row);
             ::SetFocus(TaskList());
             ListView_EditLabel(TaskList(), row);
             return editorWithFocus(ListView_GetEditControl(TaskList()));
         },
         [&] { return ListView_GetEditControl(TaskList()); }, [&] { return TaskList().GetRowCount(); },
         [&] { return Doc().GetTask(m_hedge, task, false) ? task.GetName() : gone; }},
        {"category tree", [&] { return renameInTree(categories, m_garden); },
         [&] { return TreeView_GetEditControl(categories); }, [&] { return int(TreeView_GetCount(categories)); },
         [&] { return Doc().GetCategory(m_garden, category) ? category.GetName() : gone; }},
        {"people tree", [&] { return renameInTree(people, m_morgan); },
         [&] { return TreeView_GetEditControl(people); }, [&] { return int(TreeView_GetCount(people)); },
         [&] { return Doc().GetPerson(m_morgan, person) ? person.GetName() : gone; }},
    };
    for (const auto& view : views) {
        SCOPED_TRACE(view.view);
        const EString before = view.name();
        const int items = view.items();
        std::vector<EString> opened;
        DialogAnswerer answerer([&](HWND dialog) {
            opened.push_back(WindowText(dialog));
            CancelDialog(dialog);
        });
        const HWND editor = view.startRenaming();
        ASSERT_NE(editor, nullptr);
        ASSERT_EQ(WindowText(editor), before);
        const EString head = before.substr(0, 3);
        const EString tail = before.substr(3);
        const struct {
            const char* keys;
            int from, to;
            UINT key;
            unsigned modifiers;
            EString text;
            EString clipboard;
        } steps[] = {
            {"Ctrl+C", 0, -1, 'C', kControlKey, before, before},
            {"Ctrl+X", 0, 3, 'X', kControlKey, tail, head},
            {"Ctrl+V", 99, 99, 'V', kControlKey, tail + head, head},
            {"Delete", 0, 1, VK_DELETE, kNoModifiers, tail.substr(1) + head, head},
            {"Shift+Insert", 0, 0, VK_INSERT, kShiftKey, head + tail.substr(1) + head, head},
        };
        for (const auto& step : steps) {
            SCOPED_TRACE(step.keys);
            ::SendMessageW(editor, EM_SETSEL, step.from, step.to);
            ASSERT_TRUE(PressKeyThroughLoop(m_loop, step.key, step.modifiers));
            EXPECT_EQ(WindowText(editor), step.text);
            EXPECT_EQ(ClipboardText(), step.clipboard);
            EXPECT_EQ(view.editor(), editor) << "the editor stays open";
            EXPECT_EQ(view.items(), items);
        }
        EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"label_editor_keys").IsEmpty());
        ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_ESCAPE));
        EXPECT_EQ(view.editor(), nullptr);
        EXPECT_EQ(view.name(), before);

        const HWND again = view.startRenaming();
        ASSERT_NE(again, nullptr);
        ::SendMessageW(again, EM_SETSEL, 0, -1);
        ASSERT_TRUE(TypeThroughLoop(m_loop, L"Orchard"));
        ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_RETURN));
        EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return view.name() == L"Orchard"; }));
        EXPECT_EQ(view.editor(), nullptr);
        EXPECT_EQ(view.items(), items);
        EXPECT_TRUE(opened.empty()) << "a key reached a command of the view";
    }
}

// The modeless windows get their dialog keys while the main window's loop
// runs: Tab moves within each, Escape cancels it, and shown again, Enter
// presses its default button.
TEST_F(KeysInFrameTest, EachModelessWindowTakesTabEnterAndEscape)
{
    OpenWithItems();
    ReminderInfo reminder;
    const struct {
        const char* window;
        const wchar_t* shot;
        // Where a click puts the focus before Enter; 0 leaves it where the window put it.
        int enterIn;
        std::function<HWND()> show;
        std::function<bool()> entered;
        std::function<bool()> escaped;
    } cases[] = {
        {"find window", L"modeless_keys_find", IDC_FIND_TEXT,
         [&] {
             Focus(TaskList());
             EXPECT_TRUE(PressKeyThroughLoop(m_loop, 'F', kControlKey));
             SetItemText(m_frame->GetFindDialog(), IDC_FIND_TEXT, L"roses");
             return m_frame->GetFindDialog().m_hWnd;
         },
         [&] { return Doc().GetFirstSelectedTaskId() == m_roses; }, [] { return true; }},
        {"plan-entry dialog", L"modeless_keys_plan_entry", IDC_PLAN_START,
         [&] {
             SelectTask(m_hedge);
             Focus(DailyPlan().GetHwnd());
             EXPECT_TRUE(PressKeyThroughLoop(m_loop, 'I', kControlKey));
             return DailyPlan().GetPlanDialog().m_hWnd;
         },
         [&] { return PlannedToday() == 1; }, [&] { return PlannedToday() == 0; }},
        {"tracking window", L"modeless_keys_tracking", 0,
         [&] {
             SelectTask(m_hedge);
             EXPECT_TRUE(PressKeyThroughLoop(m_loop, 'L', kControlKey));
             return FindShownDialogWith(IDC_TRACKING_TOGGLE);
         },
         // Its default button stops the clock; closing the window ends the tracking.
         [&] { return !Doc().IsTracking(); }, [&] { return !Doc().IsTracking(); }},
        {"reminder alert", L"modeless_keys_reminder", 0,
         [&] {
             SelectTask(m_hedge);
             Doc().AddReminder(ReminderInfo(m_roses, Clock::Today(), 0));
             TaskList().CheckReminders();
             return FindShownDialogWith(IDC_REMINDER_SNOOZE);
         },
         // Its default button finds the task in the list; Escape dismisses the reminder.
         [&] { return Doc().GetFirstSelectedTaskId() == m_roses; },
         [&] { return !Doc().GetReminder(m_roses, reminder); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        const HWND window = ShowModeless(c.show);
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(SaveWindowScreenshot(window, c.shot).IsEmpty());

        const HWND before = ::GetFocus();
        ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_TAB));
        EXPECT_NE(::GetFocus(), before) << "Tab moves to the next control";
        EXPECT_TRUE(::IsChild(window, ::GetFocus())) << "and stays in the window";

        ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_ESCAPE));
        EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return !::IsWindowVisible(window); })) << "Escape closes it";
        EXPECT_TRUE(c.escaped()) << "Escape";

        ASSERT_EQ(ShowModeless(c.show), window);
        if (c.enterIn)
            ::SetFocus(::GetDlgItem(window, c.enterIn));
        ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_RETURN));
        EXPECT_TRUE(WaitThroughLoop(m_loop, c.entered)) << "Enter";
    }
}

// In the daily plan's time grid the arrows move the selected time one step each.
TEST_F(KeysInFrameTest, ArrowsMoveTheSelectedTimeOfTheGridOneStepEach)
{
    OpenWithGrid();
    ClickEntry(m_report);
    ASSERT_EQ(Doc().GetDocumentWindow(), DailyPlan().GetHwnd()) << "the click makes the daily plan the active view";
    const struct {
        const char* name;
        UINT key;
        double by;
    } keys[] = {
        {"Down", VK_DOWN, Hours(1)},
        {"Up", VK_UP, -Hours(1)},
        {"Right", VK_RIGHT, 1},
        {"Left", VK_LEFT, -1},
    };
    for (const auto& key : keys) {
        SCOPED_TRACE(key.name);
        const double before = SelectedTime();
        ASSERT_TRUE(PressKeyThroughLoop(m_loop, key.key));
        EXPECT_EQ(Minutes(SelectedTime()), Minutes(before + key.by));
    }
    EXPECT_FALSE(SaveWindowScreenshot(DailyPlan().GetHwnd(), L"plan_grid_keys").IsEmpty());
}

TEST_F(KeysInFrameTest, EnterEditsAndDeleteDeletesTheSelectedEntryOfTheGrid)
{
    OpenWithGrid();
    ClickEntry(m_call);
    CPlanDialog& dialog = DailyPlan().GetPlanDialog();
    ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_RETURN));
    ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return dialog.IsWindow() && dialog.IsWindowVisible(); }));
    EXPECT_EQ(dialog.entryId, m_call);
    ClickButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return !dialog.IsWindowVisible(); }));

    ClickEntry(m_call);
    EXPECT_EQ(DialogsOfKey(VK_DELETE).size(), 1u) << "one question";
    TaskPlanEntry entry;
    EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return !Doc().GetPlanEntry(m_call, entry); }));
    EXPECT_TRUE(Doc().GetPlanEntry(m_report, entry));
}

// Enter in the band's day picker belongs to the picker: it edits no entry.
TEST_F(KeysInFrameTest, EnterInTheDayPickerOpensNoEntry)
{
    OpenWithGrid();
    ClickEntry(m_call);
    const HWND picker = DailyPlan().GetDayPicker();
    ASSERT_NE(picker, nullptr);
    Focus(picker);
    ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_RETURN));
    EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return CommandsDone(); }));
    CPlanDialog& dialog = DailyPlan().GetPlanDialog();
    EXPECT_FALSE(dialog.IsWindow() && dialog.IsWindowVisible());
}

} // namespace
