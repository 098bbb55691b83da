// Each view's context menu in the real main window: opened on an item as a user opens it, its states, and the choice acting on that view and item.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <vector>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "dialogs/CategoryDialogIds.h"
#include "dialogs/PersonDialogIds.h"
#include "dialogs/PlanDialogIds.h"
#include "dialogs/TaskDialogIds.h"
#include "document/SilentPrompts.h"
#include "foundation/Clock.h"
#include "foundation/FileSystem.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "resources/CalendarCommandIds.h"
#include "resources/MoodDialogIds.h"
#include "testing/DialogDriver.h"
#include "testing/MenuDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

double Hours(int hours)
{
    return hours / 24.0;
}

const double kWednesday = MakeOleDate(2026, 3, 11);

// Each command of a shown menu and whether it could be chosen.
using MenuStates = std::map<UINT, bool>;

// Where a menu opens: the control that gets WM_CONTEXTMENU and the screen point.
struct MenuPlace {
    HWND control = nullptr;
    POINT screen = {};
};

MenuPlace ClientPlace(HWND control, POINT client)
{
    MenuPlace place{control, client};
    ::ClientToScreen(control, &place.screen);
    return place;
}

POINT MiddleOf(const RECT& rect)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}


int ListRowOfData(HWND list, LPARAM data)
{
    LVFINDINFOW find = {};
    find.flags = LVFI_PARAM;
    find.lParam = data;
    return ListView_FindItem(list, -1, &find);
}

HTREEITEM TreeItemOfData(HWND tree, HTREEITEM first, LPARAM data)
{
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
        TVITEMW read = {};
        read.mask = TVIF_PARAM;
        read.hItem = item;
        if (TreeView_GetItem(tree, &read) && read.lParam == data)
            return item;
        TreeView_Expand(tree, item, TVE_EXPAND);
        if (const HTREEITEM below = TreeItemOfData(tree, TreeView_GetChild(tree, item), data))
            return below;
    }
    return nullptr;
}

MenuPlace OnListRow(HWND list, int row)
{
    RECT label = {};
    EXPECT_TRUE(ListView_GetItemRect(list, row, &label, LVIR_LABEL));
    return ClientPlace(list, MiddleOf(label));
}

MenuPlace OnTreeItem(HWND tree, HTREEITEM item)
{
    RECT text = {};
    EXPECT_TRUE(TreeView_GetItemRect(tree, item, &text, TRUE));
    return ClientPlace(tree, MiddleOf(text));
}

void SelectOnlyRow(HWND list, int row)
{
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// The message box's question.
EString MessageText(HWND box)
{
    return ItemText(box, 0xFFFF);
}

class ContextMenusInFrameTest : public FrameTest {
protected:
    ContextMenusInFrameTest() : FrameTest(L"context_menus") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        Options::SetShowAsLayoutDays(0);
        Options::SetAllowSimultaneous(1);
        // A completed entry completes its task; no question about its category.
        Options::SetPromptForCompletingCategory(0);
        Clock::SetNowForTesting(kWednesday + Hours(7));
        OpenFrame(m_prompts);
    }

    HWND CategoryTree() { return Categories().m_hWnd; }
    HWND PeopleTree() { return FindChildOfClass(*m_frame, L"QuorvanePeopleTree"); }
    HWND MoodList() { return FindChildOfClass(*m_frame, L"QuorvaneMoodList"); }
    HWND DayList() { return DailyPlan().GetList().GetContentWindow(); }

    int AddCategory(const wchar_t* name) { return NewCategory(name); }
    int AddTask(int categoryId, const wchar_t* name)
    {
        Doc().SetCurrentCategoryId(categoryId);
        return NewTask(name, 2, kWednesday + 5);
    }
    int AddEntry(int taskId, double start, double end) { return NewPlanEntry(kWednesday, taskId, start, end); }
    int AddPerson(const wchar_t* name)
    {
        Person person(0, name, L"", name, L"", 0);
        EXPECT_TRUE(Doc().AddPerson(0, person));
        return person.GetId();
    }
    int AddMood(const wchar_t* name)
    {
        MoodItem mood(name, RGB(40, 120, 200));
        Doc().AddMood(mood);
        return mood.GetId();
    }

    // Two categories with a task each (each task planned once on the
    // Wednesday), two people and two moods, all shown. Each call adds them
    // anew: the members name the newest.
    void AddSmallPlan()
    {
        m_home = AddCategory(L"Home");
        m_work = AddCategory(L"Work");
        m_fence = AddTask(m_home, L"Fix the fence");
        m_report = AddTask(m_work, L"Write the report");
        m_morning = AddEntry(m_fence, Hours(9), Hours(10));
        m_afternoon = AddEntry(m_report, Hours(14), Hours(15));
        m_ann = AddPerson(L"Ann");
        m_bob = AddPerson(L"Bob");
        m_calm = AddMood(L"Calm");
        m_busy = AddMood(L"Busy");
        Doc().Notify(nullptr, NotifyCode::kAll);
        // The root: the task list shows every category's tasks.
        TreeView_SelectItem(CategoryTree(), TreeView_GetRoot(CategoryTree()));
        DailyPlan().SetDate(kWednesday, true);
        DailyPlan().GetContent().OnDateChanged();
        ASSERT_TRUE(WaitFor([&] {
            return TaskList().FindRow(m_fence) >= 0 && TaskList().FindRow(m_report) >= 0 &&
                   DayRow(m_morning) >= 0 && DayRow(m_afternoon) >= 0 && PersonItem(m_bob) && MoodRow(m_busy) >= 0 &&
                   CategoryItem(m_work);
        }));
    }

    HTREEITEM CategoryItem(int id) { return TreeItemOfData(CategoryTree(), TreeView_GetRoot(CategoryTree()), id); }
    HTREEITEM PersonItem(int id) { return TreeItemOfData(PeopleTree(), TreeView_GetRoot(PeopleTree()), id); }
    int MoodRow(int id) { return ListRowOfData(MoodList(), id); }
    int DayRow(int entryId) { return ListRowOfData(DayList(), entryId); }

    // Where a right click on each kind of item opens the menu.
    MenuPlace OnTask(int taskId)
    {
        return OnListRow(TaskList().GetHwnd(), TaskList().FindRow(taskId));
    }
    MenuPlace OnCategory(int id) { return OnTreeItem(CategoryTree(), CategoryItem(id)); }
    MenuPlace OnPerson(int id) { return OnTreeItem(PeopleTree(), PersonItem(id)); }
    MenuPlace OnMood(int id) { return OnListRow(MoodList(), MoodRow(id)); }
    MenuPlace OnDayEntry(int entryId) { return OnListRow(DayList(), DayRow(entryId)); }

    // The focus goes to `window` and its view becomes the one the frame's commands go to.
    void FocusView(HWND window, HWND view)
    {
        ::SetFocus(window);
        EXPECT_EQ(::GetFocus(), window);
        ASSERT_TRUE(WaitFor([&] { return Doc().GetDocumentWindow() == view; }));
    }

    // Opens the menu with `open`, notes its items' states (a submenu's too),
    // then picks `command` as a user does, with the arrow keys and Enter (the
    // right arrow opens a submenu); a command the menu lacks or greys is not
    // picked: Escape closes the menu.
    MenuStates ChooseFromMenu(const std::function<void()>& open, UINT command)
    {
        MenuStates states;
        // The positions among the selectable items: in the menu, then in the submenu.
        int target = -1;
        int subTarget = -1;
        int highlighted = -1;
        const auto readItems = [&](HMENU menu, int& found, int* hilite) {
            int selectable = 0;
            for (int index = 0; index < ::GetMenuItemCount(menu); ++index) {
                const UINT state = ::GetMenuState(menu, static_cast<UINT>(index), MF_BYPOSITION);
                if (state & MF_SEPARATOR)
                    continue;
                if (hilite && (state & MF_HILITE))
                    *hilite = selectable;
                const UINT id = ::GetMenuItemID(menu, index);
                if (id != static_cast<UINT>(-1)) {
                    states[id] = (state & (MF_GRAYED | MF_DISABLED)) == 0;
                    if (id == command)
                        found = selectable;
                }
                ++selectable;
            }
        };
        const auto press = [](UINT key, int times = 1) {
            for (int step = 0; step < times; ++step)
                PressKey(OpenMenuWindows().front(), key);
        };
        const bool ran = RunMenuSteps(
            {
                [&] {
                    const std::vector<HWND> shown = OpenMenuWindows();
                    if (shown.empty())
                        return false;
                    ::GetWindowRect(shown.front(), &m_menuRect);
                    const auto menu = reinterpret_cast<HMENU>(::SendMessageW(shown.front(), MN_GETHMENU, 0, 0));
                    readItems(menu, target, &highlighted);
                    int selectable = 0;
                    for (int index = 0; target < 0 && index < ::GetMenuItemCount(menu); ++index) {
                        if (::GetMenuState(menu, static_cast<UINT>(index), MF_BYPOSITION) & MF_SEPARATOR)
                            continue;
                        if (const HMENU sub = ::GetSubMenu(menu, index)) {
                            readItems(sub, subTarget, nullptr);
                            if (subTarget >= 0)
                                target = selectable;
                        }
                        ++selectable;
                    }
                    return true;
                },
                [&] {
                    if (target < 0 || !states[command]) {
                        press(VK_ESCAPE);
                        return true;
                    }
                    // From no highlight the first arrow reaches the first item.
                    press(VK_DOWN, target - highlighted);
                    press(subTarget >= 0 ? VK_RIGHT : VK_RETURN);
                    return true;
                },
                [&] {
                    if (target < 0 || !states[command] || subTarget < 0)
                        return true;
                    // The submenu opens on its first item.
                    if (OpenMenuWindows().size() < 2)
                        return false;
                    press(VK_DOWN, subTarget);
                    press(VK_RETURN);
                    return true;
                },
                [] { return OpenMenuWindows().empty(); },
            },
            open);
        EXPECT_TRUE(ran);
        if (command != 0) {
            EXPECT_GE(target, 0) << "the menu has no command " << command;
        }
        return states;
    }
    MenuStates ChooseAt(const MenuPlace& place, UINT command)
    {
        return ChooseFromMenu(
            [&] {
                ::SendMessageW(place.control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(place.control),
                               MAKELPARAM(place.screen.x, place.screen.y));
            },
            command);
    }

    SilentPrompts m_prompts;
    // Where the last menu showed, in screen points.
    RECT m_menuRect = {};
    int m_home = 0;
    int m_work = 0;
    int m_fence = 0;
    int m_report = 0;
    int m_morning = 0;
    int m_afternoon = 0;
    int m_ann = 0;
    int m_bob = 0;
    int m_calm = 0;
    int m_busy = 0;
};

// Answers every message box Yes and keeps its question.
struct YesToEachQuestion {
    std::vector<EString> questions;
    DialogAnswerer answerer{[this](HWND box) {
        questions.push_back(MessageText(box));
        ClickButton(box, IDYES);
    }};
};

} // namespace

TEST_F(ContextMenusInFrameTest, DeleteChosenFromAViewsMenuDeletesTheItemUnderThePointerInThatView)
{
    struct Case {
        const char* what;
        // The view that had the focus before: its window and view.
        std::function<void()> focusElsewhere;
        // The selection before the menu, on another item than the one under the pointer.
        std::function<void()> selectOther;
        std::function<MenuPlace()> place;
        std::function<bool()> deleted;
        std::function<bool()> othersKept;
    };
    const Case cases[] = {
        {"a task, the daily plan focused",
         [&] { FocusView(DayList(), DailyPlan().GetHwnd()); },
         [&] { TaskList().SelectRow(TaskList().FindRow(m_report)); },
         [&] { return OnTask(m_fence); },
         [&] { TaskCard task; return !Doc().GetTask(m_fence, task, false); },
         [&] { TaskPlanEntry entry; return Doc().GetPlanEntry(m_afternoon, entry); }},
        {"a category, the task list focused",
         [&] { FocusView(TaskList().GetHwnd(), TaskList().GetHwnd()); },
         [&] { Categories().SelectCategory(m_home); },
         [&] { return OnCategory(m_work); },
         [&] { Category category; return !Doc().GetCategory(m_work, category); },
         [&] { TaskCard task; return Doc().GetTask(m_fence, task, false); }},
        {"a person, the task list focused",
         [&] { FocusView(TaskList().GetHwnd(), TaskList().GetHwnd()); },
         [&] { TreeView_SelectItem(PeopleTree(), PersonItem(m_ann)); },
         [&] { return OnPerson(m_bob); },
         [&] { Person person; return !Doc().GetPerson(m_bob, person); },
         [&] { Person person; return Doc().GetPerson(m_ann, person); }},
        {"a mood, the task list focused",
         [&] { FocusView(TaskList().GetHwnd(), TaskList().GetHwnd()); },
         [&] { SelectOnlyRow(MoodList(), MoodRow(m_calm)); },
         [&] { return OnMood(m_busy); },
         [&] { MoodItem mood; return !Doc().GetMood(m_busy, mood); },
         [&] { MoodItem mood; return Doc().GetMood(m_calm, mood); }},
        {"a plan entry, the task list focused",
         [&] { FocusView(TaskList().GetHwnd(), TaskList().GetHwnd()); },
         [&] { DailyPlan().GetContent().SelectEntryById(m_morning); },
         [&] { return OnDayEntry(m_afternoon); },
         [&] { TaskPlanEntry entry; return !Doc().GetPlanEntry(m_afternoon, entry); },
         [&] {
             TaskCard task;
             TaskPlanEntry entry;
             return Doc().GetTask(m_report, task, false) && Doc().GetPlanEntry(m_morning, entry);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AddSmallPlan();
        c.selectOther();
        c.focusElsewhere();
        const MenuPlace place = c.place();
        YesToEachQuestion yes;
        MenuStates states = ChooseAt(place, ID_TASK_DELETE);
        EXPECT_TRUE(states[ID_TASK_DELETE]);
        EXPECT_TRUE(c.deleted());
        EXPECT_TRUE(c.othersKept());
        EXPECT_EQ(yes.questions.size(), 1u) << "one question, from that view";
    }
}

TEST_F(ContextMenusInFrameTest, EditChosenFromAViewsMenuOpensTheEditorOfTheItemItWasOpenedOn)
{
    AddSmallPlan();
    struct Case {
        const char* what;
        HWND control;
        // Selects the first item; the second is the one the menu is opened on.
        std::function<void(bool second)> select;
        std::function<MenuPlace()> place;
        int nameId;
        const wchar_t* expectedName;
        // The menu key's menu shows below the selected item (the moods' at the pointer).
        bool menuAtSelection = true;
        // The view the frame's commands go to, when not the control itself.
        HWND view = nullptr;
    };
    const Case cases[] = {
        {"a task", TaskList().GetHwnd(),
         [&](bool second) { SelectOnlyRow(TaskList().GetHwnd(), TaskList().FindRow(second ? m_fence : m_report)); },
         [&] { return OnTask(m_fence); }, IDC_TASK_NAME, L"Fix the fence"},
        {"a category", CategoryTree(),
         [&](bool second) { Categories().SelectCategory(second ? m_work : m_home); },
         [&] { return OnCategory(m_work); }, IDC_CATEGORY_NAME, L"Work"},
        {"a person", PeopleTree(),
         [&](bool second) { TreeView_SelectItem(PeopleTree(), PersonItem(second ? m_bob : m_ann)); },
         [&] { return OnPerson(m_bob); }, IDC_PERSON_NAME, L"Bob"},
        {"a mood", MoodList(),
         [&](bool second) { SelectOnlyRow(MoodList(), MoodRow(second ? m_busy : m_calm)); },
         [&] { return OnMood(m_busy); }, IDC_MOOD_NAME, L"Busy", false},
        {"a plan entry", DayList(),
         [&](bool second) {
             ListView_SetItemState(DayList(), -1, 0, LVIS_SELECTED);
             DailyPlan().GetContent().SelectEntryById(second ? m_afternoon : m_morning);
         },
         [&] { return OnDayEntry(m_afternoon); }, IDC_PLAN_TASK, L"Write the report", true, DailyPlan().GetHwnd()},
    };
    // A right click, then the keyboard's two forms of "no point": -1 and both halves -1.
    const LPARAM kRightClick = 0;
    for (const Case& c : cases) {
        for (const LPARAM keyboard : {kRightClick, LPARAM(-1), LPARAM(MAKELPARAM(-1, -1))}) {
            SCOPED_TRACE(testing::Message() << c.what << (keyboard ? ", the menu key" : ", a right click") << " "
                                            << std::hex << keyboard);
            EString shownName;
            DialogAnswerer answerer([&](HWND dialog) {
                shownName = ItemText(dialog, c.nameId);
                if (keyboard == kRightClick)
                    SaveWindowScreenshot(dialog, (L"context_menu_edit_" + EString(c.expectedName)).c_str());
                CancelDialog(dialog);
            });
            if (keyboard != kRightClick) {
                // The menu key acts on the selection of the focused view.
                c.select(true);
                ::SetFocus(c.control);
                ChooseFromMenu(
                    [&] {
                        ::SendMessageW(::GetFocus(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(::GetFocus()), keyboard);
                    },
                    ID_TASK_EDIT);
                RECT view = {};
                ::GetWindowRect(c.control, &view);
                const POINT corner = {m_menuRect.left, m_menuRect.top};
                if (c.menuAtSelection) {
                    EXPECT_TRUE(::PtInRect(&view, corner)) << "the menu at " << corner.x << "," << corner.y;
                }
            } else {
                // Another pane has the focus, and the view has another item selected.
                c.select(false);
                FocusView(DayList(), DailyPlan().GetHwnd());
                ChooseAt(c.place(), ID_TASK_EDIT);
            }
            EXPECT_EQ(answerer.AnsweredCount(), 1);
            EXPECT_EQ(shownName, c.expectedName);
            // The view whose menu it was keeps the focus, and the frame's commands with it.
            EXPECT_EQ(::GetFocus(), c.control);
            EXPECT_EQ(Doc().GetDocumentWindow(), c.view ? c.view : c.control);
        }
    }
}

TEST_F(ContextMenusInFrameTest, TheMenuEnablesWhatTheItemUnderThePointerAllows)
{
    AddSmallPlan();
    const RECT peopleClient = [&] {
        RECT r = {};
        ::GetClientRect(PeopleTree(), &r);
        return r;
    }();
    struct Case {
        const char* what;
        std::function<MenuPlace()> place;
        MenuStates expected;
    };
    const Case cases[] = {
        {"the category tree's root", [&] {
             return OnTreeItem(CategoryTree(), TreeView_GetRoot(CategoryTree()));
         },
         {{ID_TASK_ADD, true}, {ID_TASK_EDIT, false}, {ID_TASK_DELETE, false}, {ID_EXPORT, false}, {ID_IMPORT, true}}},
        {"a category", [&] { return OnCategory(m_home); },
         {{ID_TASK_ADD, true}, {ID_TASK_EDIT, true}, {ID_TASK_DELETE, true}, {ID_EXPORT, true}, {ID_IMPORT, true}}},
        {"a person", [&] { return OnPerson(m_ann); },
         {{ID_TASK_ADD, false}, {ID_ADD_GROUP, false}, {ID_TASK_EDIT, true}, {ID_TASK_DELETE, true}}},
        {"the people tree below its items", [&] {
             return ClientPlace(PeopleTree(), {peopleClient.right / 2, peopleClient.bottom - 4});
         },
         {{ID_TASK_ADD, true}, {ID_ADD_GROUP, true}, {ID_TASK_EDIT, false}, {ID_TASK_DELETE, false}}},
        {"a task", [&] { return OnTask(m_fence); },
         {{ID_TASK_ADD, true}, {ID_TASK_EDIT, true}, {ID_TASK_DELETE, true}}},
        {"a plan entry", [&] { return OnDayEntry(m_morning); },
         {{ID_TASK_ADD, true}, {ID_TASK_EDIT, true}, {ID_TASK_DELETE, true}, {ID_LOCATE_CATEGORY, true}}},
        {"a mood", [&] { return OnMood(m_calm); },
         {{ID_TASK_ADD, true}, {ID_TASK_EDIT, true}, {ID_TASK_DELETE, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MenuStates shown = ChooseAt(c.place(), 0);
        for (const auto& [command, enabled] : c.expected) {
            ASSERT_TRUE(shown.count(command)) << "command " << command;
            EXPECT_EQ(shown.at(command), enabled) << "command " << command;
        }
    }
}

TEST_F(ContextMenusInFrameTest, DeleteFromTheTimeGridsMenuDeletesTheEntryRightClickedAndNotItsTask)
{
    AddSmallPlan();
    SendCommand(ID_DAY_SHOW_CALENDAR);
    ASSERT_FALSE(DailyPlan().IsListShown());
    DailyPlanGrid().OnDateChanged();
    DailyPlan().ReloadDay();
    ScrollPlannerToHour(13);
    DailyPlan().GetContent().SelectEntryById(m_morning);
    const CDaySettings& settings = PlannerSettings();
    const RECT* box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        ::UpdateWindow(PlannerPane());
        for (const PlacedItem& placed : settings.placed)
            if (settings.items[static_cast<size_t>(placed.itemIndex)].data == m_afternoon)
                box = &placed.rect;
        return box != nullptr;
    }));
    POINT point = MiddleOf(*box);
    point.y -= PlannerPane().GetScrollOffset();
    FocusView(TaskList().GetHwnd(), TaskList().GetHwnd());

    // A right click as the mouse sends it: the press picks the entry, the release opens the menu.
    YesToEachQuestion yes;
    ChooseFromMenu(
        [&] {
            POINT screen = point;
            ::ClientToScreen(PlannerPane(), &screen);
            ::SetCursorPos(screen.x, screen.y);
            ::PostMessageW(PlannerPane(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
            ::PostMessageW(PlannerPane(), WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        },
        ID_TASK_DELETE);

    EXPECT_EQ(yes.questions.size(), 1u);
    TaskPlanEntry entry;
    EXPECT_FALSE(Doc().GetPlanEntry(m_afternoon, entry));
    EXPECT_TRUE(Doc().GetPlanEntry(m_morning, entry));
    TaskCard task;
    EXPECT_TRUE(Doc().GetTask(m_report, task, false));
    EXPECT_EQ(Doc().GetDocumentWindow(), DailyPlan().GetHwnd());
}

TEST_F(ContextMenusInFrameTest, HolidayFromTheDeadlinesCalendarsMenuMarksItsDayWhileTheDailyPlanShowsAnother)
{
    AddSmallPlan();
    Doc().SetStatusFilter(0);
    Doc().Notify(nullptr, NotifyCode::kAll);
    CCalendarView& calendar = m_frame->GetCalendar();
    ASSERT_TRUE(WaitFor([&] { return !calendar.GetTasks().empty(); }));
    CTabbedAutoHideDockingWindow* pane = m_frame->GetPane(CMainFrame::CalendarPane);
    ASSERT_NE(pane, nullptr);
    m_frame->AutoHideManager().Show(pane->m_hWnd, dockwins::CDockingSide::Top, false);
    ASSERT_TRUE(WaitFor([&] { return calendar.IsWindowVisible(); }));
    FocusView(DayList(), DailyPlan().GetHwnd());

    const double friday = kWednesday + 2;
    const RECT lane = calendar.GetImage().GetLaneRect(PlanItemsMan::kPlanLane, friday);
    const POINT offset = calendar.GetScrollOffset();
    POINT inLane = MiddleOf(lane);
    inLane = {inLane.x - offset.x, inLane.y - offset.y};
    ChooseAt(ClientPlace(calendar.m_hWnd, inLane), ID_DAY_HOLIDAY);

    std::vector<double> holidays;
    Doc().GetHolidays(holidays);
    EXPECT_EQ(holidays, std::vector<double>{friday});
    EXPECT_EQ(DailyPlan().GetDate(), kWednesday);
}

TEST_F(ContextMenusInFrameTest, TheMenuKeyOverTheDeadlinesCalendarShowsNoMenu)
{
    CCalendarView& calendar = m_frame->GetCalendar();
    // The keyboard names no day: both forms it sends.
    for (const LPARAM keyboard : {LPARAM(-1), LPARAM(MAKELPARAM(-1, -1))}) {
        bool shown = false;
        EXPECT_TRUE(RunMenuSteps({[&] {
                                     for (const HWND menu : OpenMenuWindows()) {
                                         shown = true;
                                         PressKey(menu, VK_ESCAPE);
                                     }
                                     return true;
                                 }},
                                 [&] { calendar.SendMessage(WM_CONTEXTMENU, 0, keyboard); }));
        EXPECT_FALSE(shown) << std::hex << keyboard;
    }
}

TEST_F(ContextMenusInFrameTest, OtherCommandsFromTheMenusActOnTheItemTheMenuWasOpenedOn)
{
    struct Case {
        const char* what;
        // The selection before, on another item than the one under the pointer.
        std::function<void()> selectOther;
        std::function<MenuPlace()> place;
        UINT command;
        std::function<void()> check;
    };
    const auto importance = [&](int taskId) {
        TaskCard task;
        EXPECT_TRUE(Doc().GetTask(taskId, task, false));
        return task.GetImportance();
    };
    const auto completed = [&](int entryId) {
        TaskPlanEntry entry;
        EXPECT_TRUE(Doc().GetPlanEntry(entryId, entry));
        return entry.IsCompleted();
    };
    const auto selectedCategory = [&] { return Categories().GetCurrentCategoryId(); };
    const Case cases[] = {
        {"the task list's priority submenu", [&] { TaskList().SelectRow(TaskList().FindRow(m_report)); },
         [&] { return OnTask(m_fence); }, ID_TASK_PRIORITY_URGENT,
         [&] {
             EXPECT_EQ(importance(m_fence), 2);
             EXPECT_EQ(importance(m_report), 1);
         }},
        {"the task list's locate category", [&] { TaskList().SelectRow(TaskList().FindRow(m_report)); },
         [&] { return OnTask(m_fence); }, ID_LOCATE_CATEGORY,
         [&] { EXPECT_TRUE(WaitFor([&] { return selectedCategory() == m_home; })); }},
        {"the daily plan's complete", [&] { DailyPlan().GetContent().SelectEntryById(m_morning); },
         [&] { return OnDayEntry(m_afternoon); }, ID_TASK_COMPLETE,
         [&] {
             EXPECT_TRUE(completed(m_afternoon));
             EXPECT_FALSE(completed(m_morning));
         }},
        {"the daily plan's locate category", [&] { DailyPlan().GetContent().SelectEntryById(m_morning); },
         [&] { return OnDayEntry(m_afternoon); }, ID_LOCATE_CATEGORY,
         [&] { EXPECT_TRUE(WaitFor([&] { return selectedCategory() == m_work; })); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AddSmallPlan();
        c.selectOther();
        FocusView(PeopleTree(), PeopleTree());
        ChooseAt(c.place(), c.command);
        c.check();
    }
}

TEST_F(ContextMenusInFrameTest, ACategoryCopiedFromTheTreesMenuIsPastedIntoTheCategoryTheNextMenuWasOpenedOn)
{
    AddSmallPlan();
    Categories().SelectCategory(m_work);
    FocusView(TaskList().GetHwnd(), TaskList().GetHwnd());
    ChooseAt(OnCategory(m_work), ID_EDIT_COPY);
    FocusView(TaskList().GetHwnd(), TaskList().GetHwnd());
    EXPECT_TRUE(ChooseAt(OnCategory(m_home), ID_EDIT_PASTE)[ID_EDIT_PASTE]) << "the clipboard holds a category";

    std::vector<Category> pasted;
    Doc().GetSubCategories(m_home, pasted);
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ(pasted[0].GetName(), L"Work");
    std::vector<Category> underWork;
    Doc().GetSubCategories(m_work, underWork);
    EXPECT_TRUE(underWork.empty()) << "the selected category got nothing";

    // The saved file holds the copy under Home.
    const EString path = FileSystem::JoinPath(m_folder, L"pasted.qvr");
    Doc().SetPathName(path);
    ASSERT_TRUE(Doc().Save());
    CPelquornDoc saved;
    saved.SetPrompts(&m_prompts);
    ASSERT_TRUE(saved.OnOpenDocument(path));
    std::vector<Category> savedUnderHome;
    saved.GetSubCategories(m_home, savedUnderHome);
    ASSERT_EQ(savedUnderHome.size(), 1u);
    EXPECT_EQ(savedUnderHome[0].GetName(), L"Work");
}

TEST_F(ContextMenusInFrameTest, AddChosenFromATreesMenuAddsBelowTheItemItWasOpenedOn)
{
    AddSmallPlan();
    Person family(1, L"Family", L"", L"", L"", 0);
    Person team(1, L"Team", L"", L"", L"", 0);
    ASSERT_TRUE(Doc().AddPerson(0, family));
    ASSERT_TRUE(Doc().AddPerson(0, team));
    Doc().Notify(nullptr, NotifyCode::kAll);
    ASSERT_TRUE(WaitFor([&] { return PersonItem(team.GetId()) != nullptr; }));
    const auto childNames = [&](auto read) {
        std::vector<EString> names;
        read(names);
        return names;
    };
    struct Case {
        const char* what;
        std::function<void()> selectOther;
        std::function<MenuPlace()> place;
        int nameId;
        const wchar_t* name;
        std::function<std::vector<EString>()> addedBelow;
        std::function<std::vector<EString>()> belowOther;
    };
    const Case cases[] = {
        {"a category", [&] { Categories().SelectCategory(m_home); }, [&] { return OnCategory(m_work); },
         IDC_CATEGORY_NAME, L"Drafts",
         [&] {
             return childNames([&](std::vector<EString>& names) {
                 std::vector<Category> below;
                 Doc().GetSubCategories(m_work, below);
                 for (const Category& category : below)
                     names.push_back(category.GetName());
             });
         },
         [&] {
             return childNames([&](std::vector<EString>& names) {
                 std::vector<Category> below;
                 Doc().GetSubCategories(m_home, below);
                 for (const Category& category : below)
                     names.push_back(category.GetName());
             });
         }},
        {"a group of people", [&] { TreeView_SelectItem(PeopleTree(), PersonItem(family.GetId())); },
         [&] { return OnPerson(team.GetId()); }, IDC_PERSON_NAME, L"Cleo",
         [&] {
             return childNames([&](std::vector<EString>& names) {
                 std::vector<Person> below;
                 Doc().GetPeople(team.GetId(), below);
                 for (const Person& person : below)
                     names.push_back(person.GetName());
             });
         },
         [&] {
             return childNames([&](std::vector<EString>& names) {
                 std::vector<Person> below;
                 Doc().GetPeople(family.GetId(), below);
                 for (const Person& person : below)
                     names.push_back(person.GetName());
             });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.selectOther();
        FocusView(TaskList().GetHwnd(), TaskList().GetHwnd());
        DialogAnswerer answerer([&](HWND dialog) {
            SetItemText(dialog, c.nameId, c.name);
            ClickButton(dialog, IDOK);
        });
        ChooseAt(c.place(), ID_TASK_ADD);
        EXPECT_EQ(answerer.AnsweredCount(), 1);
        EXPECT_EQ(c.addedBelow(), std::vector<EString>{c.name});
        EXPECT_TRUE(c.belowOther().empty());
    }
}

TEST_F(ContextMenusInFrameTest, HolidayFromTheDailyPlansMenuMarksTheShownDayAfterTheCalendarsMenu)
{
    AddSmallPlan();
    CCalendarView& calendar = m_frame->GetCalendar();
    const RECT lane = calendar.GetImage().GetLaneRect(PlanItemsMan::kPlanLane, kWednesday + 2);
    const POINT offset = calendar.GetScrollOffset();
    const POINT inLane = {MiddleOf(lane).x - offset.x, MiddleOf(lane).y - offset.y};
    // The calendar's menu, closed without a choice, leaves its day behind.
    ChooseAt(ClientPlace(calendar.m_hWnd, inLane), 0);
    ASSERT_EQ(calendar.GetContextDate(), kWednesday + 2);

    ChooseAt(OnDayEntry(m_morning), ID_DAY_HOLIDAY);

    std::vector<double> holidays;
    Doc().GetHolidays(holidays);
    EXPECT_EQ(holidays, std::vector<double>{kWednesday}) << "the daily plan's day, not the calendar's";
}
