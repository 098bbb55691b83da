#include "benchmark/MainWindowCommands.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "benchmark/BareParse.h"
#include "benchmark/BenchmarkTimer.h"
#include "benchmark/FigureLines.h"
#include "benchmark/MailProgramDrop.h"
#include "benchmark/PlannerControls.h"
#include "benchmark/PlannerProcess.h"
#include "dialogs/PlanDialogIds.h"
#include "dialogs/SmallDialogIds.h"
#include "dialogs/TaskDialogIds.h"
#include "foundation/Bstr.h"
#include "foundation/CTFile.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"
#include "resources/AppCommandIds.h"
#include "resources/DocumentCommandIds.h"
#include "resources/EditCommandIds.h"
#include "views/common/ViewMessages.h"

namespace {

// The ids and classes of the main frame's children; their headers would bring the whole program in.
constexpr int kStatusFilterId = 1026;
constexpr int kDayPickerId = 10114;
constexpr wchar_t kTaskListClass[] = L"PelquornView";
constexpr wchar_t kCategoryTreeClass[] = L"QuorvaneCategoryTree";
constexpr wchar_t kDailyPlanClass[] = L"QuorvaneDailyPlanView";
constexpr wchar_t kDayListClass[] = L"QuorvaneDayList";
constexpr wchar_t kDayGridClass[] = L"QuorvaneDayPlanner";
// Pages scrolled through a crowded day, each timed.
constexpr int kScrolledPages = 10;
// Times a command that can be given again is timed; its median is its figure.
constexpr int kTimedRepeats = 5;
// The Outlook message a mail program drops: its attachment makes up most of it.
constexpr size_t kMailMessageBytes = 2 * 1024 * 1024;
// The category the generated plans store as chosen: the start-up lists it.
constexpr int kStartUpCategory = 1;
constexpr int kColumnCount = 9;
// The task list's sort is stored under this view number.
constexpr int kTaskListSortIndex = 0;

// A figure that could not be taken: its printed line (empty: the figure's
// name) and why. The planner is ended after it.
struct Lost {
    EString line;
    EString why;
};

[[noreturn]] void NotMeasured(const EString& why)
{
    throw Lost{{}, L"not measured: " + why};
}

// Gives a command to the main window; false when it was not taken within the patience.
using Give = std::function<bool(HWND window, DWORD patienceMs)>;
// Whether the window has come as far as the step waits for.
using Ready = std::function<bool(HWND window)>;
// A remark on the state the command left, printed under its figure; throws Lost when the command missed its aim.
using Note = std::function<EString()>;

// One planner on one plan for a list of figures: started when a figure needs
// it, ended when a figure runs out of patience, so the next one starts clean.
class CommandSession {
public:
    CommandSession(const EString& program, const EString& plan, const CommandRun& run, double parse)
        : m_program(program), m_plan(plan), m_run(run), m_of(EString(L" (") + run.title + L")"), m_parse(parse),
          m_startFailure(run.startFailure)
    {
    }

    // Started and idle; a start-up that failed once is not tried again.
    PlannerProcess& Planner()
    {
        if (!m_startFailure.IsEmpty())
            throw Lost{{}, m_startFailure};
        if (m_planner.IsRunning() && m_planner.Window())
            return m_planner;
        if (m_run.beforeStart)
            m_run.beforeStart();
        if (!m_planner.Start(m_program, m_plan)) {
            m_startFailure = L"not measured: the planner did not start, or another planner runs";
            throw Lost{{}, m_startFailure};
        }
        double titled = -1;
        const Idle idle = m_planner.WaitStartedUp(m_plan, kStartPatienceMs, titled);
        if (idle.at < 0) {
            m_planner.End();
            m_startFailure = idle.ended ? EString(L"not measured: the planner ended during its start-up")
                                        : L"not measured: the start-up took " + Over(kStartPatienceMs);
            throw Lost{{}, m_startFailure};
        }
        PrintNote(EString::Formatted(L"the planner started on the plan in %.1f ms", idle.at));
        return m_planner;
    }
    HANDLE Process() { return Planner().Process(); }
    DWORD ThreadId() { return Planner().ThreadId(); }
    HWND Control(const wchar_t* className)
    {
        const HWND control = FindChildOfClass(Planner().Window(), className);
        if (!control)
            NotMeasured(EString(L"the main window has no ") + className);
        return control;
    }

    // A step towards the state a figure is taken in: given, then waited for until idle.
    void Prepare(const EString& what, const Give& give, const Ready& ready = nullptr)
    {
        PlannerProcess& planner = Planner();
        const double start = Now();
        if (!give(planner.Window(), kCommandPatienceMs))
            NotMeasured(what + L" was not taken: " + Over(kCommandPatienceMs));
        const Idle idle = planner.WaitIdle(start, kCommandPatienceMs, Adapted(ready));
        if (idle.ended)
            NotMeasured(L"the planner ended during this step: " + what);
        if (idle.at < 0)
            NotMeasured(what + L" took " + Over(kCommandPatienceMs));
    }

    // The command timed until the window answers idle, printed with its ratio to the bare parse.
    void Measure(const EString& name, const Give& give, const Ready& ready = nullptr, const Note& note = nullptr)
    {
        MeasureMedian(name, 1, nullptr, give, ready, note);
    }

    // The same, given `times` times with `between` (untimed) after all but
    // the last, and the median printed: one reading of a busy machine is no
    // figure of the program. Each time is noted in turn, as a stall shows there.
    void MeasureMedian(const EString& name, int times, const std::function<void()>& between, const Give& give,
                       const Ready& ready = nullptr, const Note& note = nullptr)
    {
        const EString line = name + m_of;
        std::vector<double> all;
        EString remark;
        EString each;
        for (int i = 0; i < times; ++i) {
            if (i > 0)
                between();
            all.push_back(Time(line, give, ready));
            each += EString::Formatted(L"%s%.1f", i > 0 ? L", " : L"", all.back());
            try {
                remark = note ? note() : EString();
            } catch (const Lost& lost) {
                throw Lost{line, lost.why};
            }
        }
        std::sort(all.begin(), all.end());
        PrintFigure(line, all[all.size() / 2], m_parse);
        if (times > 1)
            remark += EString::Formatted(L"%smedian of %d: %s ms", remark.IsEmpty() ? L"" : L"; ", times, each.c_str());
        if (!remark.IsEmpty())
            PrintNote(remark);
    }

    // The same command given `times` times, its slowest printed: a stall
    // shows there, where a median would hide it.
    void MeasureSlowest(const EString& name, int times, const Give& give)
    {
        const EString line = name + EString::Formatted(L", slowest of %d", times) + m_of;
        std::vector<double> all;
        for (int i = 0; i < times; ++i)
            all.push_back(Time(line, give, nullptr));
        std::sort(all.begin(), all.end());
        PrintFigure(line, all.back(), m_parse);
        PrintNote(EString::Formatted(L"median %.1f ms, fastest %.1f ms", all[all.size() / 2], all.front()));
    }

    // From the command given until the window answers idle.
    double Time(const EString& line, const Give& give, const Ready& ready)
    {
        PlannerProcess& planner = Planner();
        const double start = Now();
        if (!give(planner.Window(), kCommandPatienceMs))
            throw Lost{line, Over(kCommandPatienceMs)};
        const Idle idle = planner.WaitIdle(start, kCommandPatienceMs, Adapted(ready));
        if (idle.ended)
            throw Lost{line, L"the planner ended first"};
        if (idle.at < 0)
            throw Lost{line, Over(kCommandPatienceMs) + OpenDialog()};
        return idle.at;
    }

    // Each figure in turn; the number of figures not taken.
    int Run(const std::vector<std::pair<EString, std::function<void(CommandSession&)>>>& figures)
    {
        int missing = 0;
        for (const auto& [name, take] : figures) {
            if (!Chosen(name))
                continue;
            try {
                take(*this);
            } catch (const Lost& lost) {
                PrintMissing(lost.line.IsEmpty() ? EString(name + m_of) : lost.line, lost.why);
                ++missing;
                EndUnlessIdle();
            } catch (const ComError& error) {
                PrintMissing(name + m_of, L"not measured: " + error.Description());
                ++missing;
                EndUnlessIdle();
            }
        }
        m_planner.End();
        return missing;
    }

private:
    // A planner that missed a figure's aim is kept for the next one when it
    // answers with no dialog open; one still busy, or in a dialog, is ended,
    // so the next figure starts clean.
    void EndUnlessIdle()
    {
        DWORD_PTR ignored = 0;
        const HWND window = m_planner.IsRunning() ? m_planner.Window() : nullptr;
        if (window && SendWithin(window, WM_NULL, 0, 0, kAnswerMs, ignored) && !FindThreadDialog(m_planner.ThreadId(), 0))
            return;
        m_planner.End();
    }
    // ", a dialog "<title>" open" when one stands over the window: a question the figure did not expect.
    EString OpenDialog()
    {
        const HWND dialog = FindThreadDialog(m_planner.ThreadId(), 0);
        if (!dialog)
            return {};
        wchar_t title[200] = {};
        ::GetWindowTextW(dialog, title, static_cast<int>(std::size(title)));
        return EString(L", a dialog \"") + title + L"\" open";
    }
    static std::function<bool(HWND, double)> Adapted(const Ready& ready)
    {
        if (!ready)
            return nullptr;
        return [ready](HWND window, double) { return ready(window); };
    }
    bool Chosen(const EString& name) const
    {
        if (m_run.only.empty())
            return true;
        for (const EString& word : m_run.only) {
            EString lower = name, wanted = word;
            ::CharLowerW(lower.data());
            ::CharLowerW(wanted.data());
            if (lower.find(wanted) != EString::npos)
                return true;
        }
        return false;
    }

    EString m_program;
    EString m_plan;
    const CommandRun& m_run;
    EString m_of;
    double m_parse;
    PlannerProcess m_planner;
    EString m_startFailure;
};

using Figures = std::vector<std::pair<EString, std::function<void(CommandSession&)>>>;

// Ways to give a command.

Give Command(UINT id)
{
    return [id](HWND window, DWORD patienceMs) {
        DWORD_PTR ignored = 0;
        return SendWithin(window, WM_COMMAND, MAKEWPARAM(id, 0), 0, patienceMs, ignored);
    };
}

// For a command that opens a modal window: the send would return only when it closes.
Give PostedCommand(UINT id)
{
    return [id](HWND window, DWORD) { return ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0) != FALSE; };
}

Give Posted(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    return [=](HWND, DWORD) { return ::PostMessageW(target, message, wParam, lParam) != FALSE; };
}

// A button of a dialog pressed, as its click tells the dialog.
Give Pressed(HWND dialog, int buttonId)
{
    return Posted(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                  reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId)));
}

// A click of the left button at the window's client point.
Give Click(HWND target, POINT at)
{
    return [=](HWND, DWORD) {
        return ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y)) &&
               ::PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    };
}

// The status filter's item picked in its combo box.
Give StatusFilterTo(int index)
{
    return [index](HWND window, DWORD patienceMs) {
        const HWND combo = FindChildWithId(window, kStatusFilterId);
        DWORD_PTR ignored = 0;
        return combo && SendWithin(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, patienceMs, ignored) &&
               SendWithin(window, WM_COMMAND, MAKEWPARAM(kStatusFilterId, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo),
                          patienceMs, ignored);
    };
}

// Home pressed in a list: its first row chosen alone.
Give HomeKey(HWND list)
{
    return [list](HWND, DWORD) {
        return ::PostMessageW(list, WM_KEYDOWN, VK_HOME, 1) && ::PostMessageW(list, WM_KEYUP, VK_HOME, 0xC0000001);
    };
}

// A page down, as a click on the scroll bar below its thumb gives it.
Give PageDown(HWND target)
{
    return [target](HWND, DWORD patienceMs) {
        DWORD_PTR ignored = 0;
        return SendWithin(target, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0, patienceMs, ignored) &&
               SendWithin(target, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0, patienceMs, ignored);
    };
}

// The tree's item chosen as a click chooses it.
Give Choose(HWND tree, HTREEITEM item)
{
    return [=](HWND, DWORD patienceMs) {
        DWORD_PTR ignored = 0;
        return SendWithin(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item), patienceMs, ignored);
    };
}

// A message dragged from a mail program (this process) and dropped at the screen point.
Give MailDropped(POINT at, const std::string& message, FakeMailDrop::Medium medium)
{
    return [=, &message](HWND, DWORD) { return DropMailFile(at, L"Quarterly figures.msg", message, medium); };
}

// The planner's state, read and set up without timing.

HWND TaskList(CommandSession& s)
{
    return s.Control(kTaskListClass);
}

HWND Tree(CommandSession& s)
{
    return s.Control(kCategoryTreeClass);
}

HWND DayList(CommandSession& s)
{
    return s.Control(kDayListClass);
}

HTREEITEM CategoryItem(CommandSession& s, int categoryId)
{
    const HTREEITEM item = FindCategoryItem(s.Process(), Tree(s), categoryId);
    if (!item)
        NotMeasured(EString::Formatted(L"category %d is not among the tree's top items", categoryId));
    return item;
}

int StatusFilterIndex(CommandSession& s)
{
    DWORD_PTR index = 0;
    const HWND combo = FindChildWithId(s.Planner().Window(), kStatusFilterId);
    return combo && Ask(combo, CB_GETCURSEL, 0, 0, index) ? static_cast<int>(index) : -1;
}

EString StatusFilterName(CommandSession& s, int index)
{
    const HWND combo = FindChildWithId(s.Planner().Window(), kStatusFilterId);
    wchar_t name[256] = {};
    DWORD_PTR length = 0;
    if (!combo || !Ask(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0, length) || length >= std::size(name) ||
        !Ask(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(name), length))
        return EString::Formatted(L"item %d", index);
    return name;
}

void EnsureStatusFilterAll(CommandSession& s)
{
    if (StatusFilterIndex(s) != 0)
        s.Prepare(L"the status filter set back to all", StatusFilterTo(0));
}

void EnsureCategory(CommandSession& s, int categoryId)
{
    const HWND tree = Tree(s);
    const HTREEITEM item = CategoryItem(s, categoryId);
    if (SelectedTreeItem(tree) != item)
        s.Prepare(EString::Formatted(L"category %d chosen", categoryId), Choose(tree, item));
}

void ActivateView(CommandSession& s, HWND view, const wchar_t* name)
{
    s.Prepare(EString(L"the ") + name + L" made the active view, as a click into it makes it",
              Posted(view, WM_VIEW_ACTIVATE, 0, 0));
}

// Every row of the list selected, at least `expected` of them.
void SelectAllRows(CommandSession& s, HWND list, int expected)
{
    if (ListCount(list, LVM_GETSELECTEDCOUNT) != ListCount(list))
        s.Prepare(L"Select All", Command(ID_EDIT_SELECT_ALL));
    if (const int selected = ListCount(list, LVM_GETSELECTEDCOUNT); selected < expected)
        NotMeasured(EString::Formatted(L"Select All chose %d rows, not %d", selected, expected));
}

void EnsureLayout(CommandSession& s, bool list)
{
    s.Planner();
    // The daily plan stores its layout as it shows it: the list is 0.
    if ((Options::GetShowAsLayoutDays() == 0) != list)
        s.Prepare(list ? L"the daily plan shown as its list" : L"the daily plan shown as its grid",
                  Command(list ? ID_DAY_SHOW_LIST : ID_DAY_SHOW_CALENDAR));
}

double ShownDay(CommandSession& s)
{
    return PickerDate(s.Process(), FindChildWithId(s.Control(kDailyPlanClass), kDayPickerId));
}

// The daily plan moved to the day a few days from today, a day at a time.
void EnsureDay(CommandSession& s, double day)
{
    if (ShownDay(s) == day)
        return;
    const double today = Today();
    if (ShownDay(s) != today)
        s.Prepare(L"the daily plan moved to today", Command(ID_DAY_TODAY));
    for (double shown = today; shown != day; shown += day > today ? 1 : -1)
        s.Prepare(L"the daily plan moved a day", Command(day > today ? ID_DAY_NEXT : ID_DAY_PREVIOUS));
    if (ShownDay(s) != day)
        NotMeasured(L"the daily plan does not show the day it was moved to");
}

Note Rows(CommandSession& s, int expected = -1)
{
    return [&s, expected] {
        const int rows = ListCount(TaskList(s));
        if (expected >= 0 && rows != expected)
            throw Lost{{}, EString::Formatted(L"missed its aim: the task list then held %d rows, not %d", rows, expected)};
        return EString::Formatted(L"the task list then held %d rows", rows);
    };
}

Note DayRows(CommandSession& s, int expected)
{
    return [&s, expected] {
        const int rows = ListCount(DayList(s));
        if (rows != expected)
            throw Lost{{}, EString::Formatted(L"missed its aim: the day's list then held %d entries, not %d", rows, expected)};
        return EString();
    };
}

// What the figures are taken on: a variant of the plan whose sizes scale with its tasks.
struct Shape {
    explicit Shape(const PlanSize& size)
        : chosenTasks(size.tasks * 3 / 10), batchTasks(size.tasks / 5), dayEntries(size.tasks / 10),
          batchEntries(size.tasks / 5), crowdedEntries(size.tasks * 10)
    {
    }
    // A category chosen, sorted and selected whole.
    int chosenTasks;
    // Tasks pasted, deleted and moved at once.
    int batchTasks;
    // The day switched to, shown in the list and the grid, and under the task dialog.
    int dayEntries;
    // Plan entries completed at once.
    int batchEntries;
    // The day opened in the daily plan.
    int crowdedEntries;
};

// The day switched to follows today; the day of the batch precedes it, outside the grid's days from today on.
constexpr int kFullDayOffset = 1;
constexpr int kBatchDayOffset = -1;
constexpr int kCrowdedDayOffset = -1;

PlanSize CommandPlanSize(const PlanSize& base, const Shape& shape, double today)
{
    PlanSize size = base;
    size.fullCategories = {shape.chosenTasks, shape.batchTasks};
    size.planEntries = base.planEntries - shape.dayEntries - shape.batchEntries;
    size.fullDays = {{static_cast<int>(today) + kFullDayOffset, shape.dayEntries},
                     {static_cast<int>(today) + kBatchDayOffset, shape.batchEntries}};
    return size;
}

Figures CommandFigures(const PlanSize& size, const Shape& shape, double today)
{
    const int chosen = size.FullCategoryId(0);
    const int batch = size.FullCategoryId(1);
    const int empty = size.EmptyCategoryId();
    const EString chosenTasks = Thousands(shape.chosenTasks);
    const EString batchTasks = Thousands(shape.batchTasks);
    const EString dayEntries = Thousands(shape.dayEntries);
    const EString batchEntries = Thousands(shape.batchEntries);
    Figures figures;

    figures.emplace_back(L"status filter changed", [=](CommandSession& s) {
        EnsureStatusFilterAll(s);
        EnsureCategory(s, kStartUpCategory);
        const EString to = StatusFilterName(s, 1), back = StatusFilterName(s, 0);
        s.MeasureMedian(L"status filter changed to \"" + to + L"\"", kTimedRepeats,
                        [&s] { s.Prepare(L"the status filter set back to all", StatusFilterTo(0)); }, StatusFilterTo(1),
                        nullptr, Rows(s));
        s.MeasureMedian(L"status filter changed back to \"" + back + L"\"", kTimedRepeats,
                        [&s] { s.Prepare(L"the status filter changed again", StatusFilterTo(1)); }, StatusFilterTo(0),
                        nullptr, Rows(s));
    });
    figures.emplace_back(L"root category chosen, every task listed", [=](CommandSession& s) {
        EnsureStatusFilterAll(s);
        const HTREEITEM root = CategoryItem(s, 0);
        if (SelectedTreeItem(Tree(s)) == root)
            EnsureCategory(s, kStartUpCategory);
        s.MeasureMedian(L"root category chosen, every task listed", kTimedRepeats,
                        [&s] { EnsureCategory(s, kStartUpCategory); }, Choose(Tree(s), root), nullptr, Rows(s));
    });
    figures.emplace_back(L"a category of " + chosenTasks + L" tasks chosen", [=](CommandSession& s) {
        EnsureStatusFilterAll(s);
        const HTREEITEM item = CategoryItem(s, chosen);
        if (SelectedTreeItem(Tree(s)) == item)
            EnsureCategory(s, kStartUpCategory);
        s.MeasureMedian(L"a category of " + chosenTasks + L" tasks chosen", kTimedRepeats,
                        [&s] { EnsureCategory(s, kStartUpCategory); }, Choose(Tree(s), item), nullptr,
                        Rows(s, shape.chosenTasks));
    });
    for (int column = 0; column < kColumnCount; ++column) {
        const EString name = EString::Formatted(L"sort by column %d", column + 1);
        figures.emplace_back(name, [=](CommandSession& s) {
            EnsureStatusFilterAll(s);
            EnsureCategory(s, chosen);
            const HWND list = TaskList(s);
            DWORD_PTR answer = 0;
            if (!Ask(list, LVM_GETHEADER, 0, 0, answer) || !answer)
                NotMeasured(L"the task list has no column header");
            const HWND header = reinterpret_cast<HWND>(answer);
            RECT rect = {};
            EString title;
            POINT middle = {};
            // Where the column is on the screen, or false when it is out of sight.
            const auto inSight = [&] {
                if (!HeaderItem(s.Process(), header, column, rect, title))
                    NotMeasured(L"the task list's column header cannot be read");
                middle = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
                POINT inList = middle;
                ::MapWindowPoints(header, list, &inList, 1);
                RECT client = {};
                return ::GetClientRect(list, &client) && inList.x >= 0 && inList.x < client.right;
            };
            // A column past the list's right edge is scrolled into sight, as a user scrolls to click it.
            if (!inSight()) {
                RECT client = {};
                ::GetClientRect(list, &client);
                POINT left = {rect.left, 0};
                ::MapWindowPoints(header, list, &left, 1);
                s.Prepare(L"the task list scrolled to the column",
                          [list, dx = left.x - client.right / 4](HWND, DWORD patienceMs) {
                              DWORD_PTR ignored = 0;
                              return SendWithin(list, LVM_SCROLL, static_cast<WPARAM>(dx), 0, patienceMs, ignored);
                          });
                if (!inSight())
                    NotMeasured(L"the column's header cannot be brought into sight");
            }
            // The header's own click: the list tells its parent, which sorts; each click sorts again, the other way.
            s.MeasureMedian(name + L" (\"" + title + L"\"), " + chosenTasks + L" tasks listed", kTimedRepeats, [] {},
                            Click(header, middle), nullptr, [column] {
                                if (Options::GetSortField(kTaskListSortIndex, 0) != static_cast<DWORD>(column))
                                    throw Lost{{}, L"missed its aim: the list did not sort by the column"};
                                return EString();
                            });
        });
    }
    figures.emplace_back(L"Select All, then the status filter changed", [=](CommandSession& s) {
        EnsureStatusFilterAll(s);
        EnsureCategory(s, chosen);
        const HWND list = TaskList(s);
        ActivateView(s, list, L"task list");
        s.MeasureMedian(
            L"Select All in a category of " + chosenTasks + L" tasks", kTimedRepeats,
            [&s, list] { s.Prepare(L"the first row chosen alone with Home", HomeKey(list)); },
            Command(ID_EDIT_SELECT_ALL), nullptr, [list, &shape] {
                const int selected = ListCount(list, LVM_GETSELECTEDCOUNT);
                if (selected != shape.chosenTasks)
                    throw Lost{{}, EString::Formatted(L"missed its aim: %d rows selected", selected)};
                return EString();
            });
        s.MeasureMedian(L"then the status filter changed, " + chosenTasks + L" tasks selected", kTimedRepeats,
                        [&s, list, &shape] {
                            EnsureStatusFilterAll(s);
                            SelectAllRows(s, list, shape.chosenTasks);
                        },
                        StatusFilterTo(1), nullptr, Rows(s));
    });
    figures.emplace_back(L"find with every task matching", [=](CommandSession& s) {
        EnsureStatusFilterAll(s);
        EnsureCategory(s, kStartUpCategory);
        const DWORD thread = s.ThreadId();
        const auto findShown = [thread](HWND) { return FindThreadDialog(thread, IDC_FIND_TEXT) != nullptr; };
        if (!findShown(nullptr))
            s.Prepare(L"the find window opened", PostedCommand(ID_FIND), findShown);
        const HWND find = FindThreadDialog(thread, IDC_FIND_TEXT);
        DWORD_PTR ignored = 0;
        // A regular expression any name matches: "." in every task's name.
        if (!find || !Ask(::GetDlgItem(find, IDC_FIND_REGULAR_EXPRESSION), BM_SETCHECK, BST_CHECKED, 0, ignored) ||
            !Ask(::GetDlgItem(find, IDC_FIND_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"."), ignored))
            NotMeasured(L"the find window did not take the search");
        // Each press finds the next task: the same search from another selection.
        s.MeasureMedian(L"find with every task matching (Find Next)", kTimedRepeats, [] {}, Pressed(find, IDC_FIND_NEXT),
                        nullptr, [&s] {
            const HWND list = TaskList(s);
            return EString::Formatted(L"the task list then held %d rows, %d selected", ListCount(list),
                                      ListCount(list, LVM_GETSELECTEDCOUNT));
        });
        s.Prepare(L"the find window closed", Pressed(find, IDCANCEL), [thread](HWND) {
            return FindThreadDialog(thread, IDC_FIND_TEXT) == nullptr;
        });
    });
    figures.emplace_back(L"day switch to a day of " + dayEntries + L" entries", [=](CommandSession& s) {
        EnsureLayout(s, true);
        EnsureDay(s, today);
        s.MeasureMedian(L"day switch to a day of " + dayEntries + L" entries (the list)", kTimedRepeats,
                        [&s] { s.Prepare(L"the daily plan moved back a day", Command(ID_DAY_PREVIOUS)); },
                        Command(ID_DAY_NEXT), nullptr, DayRows(s, shape.dayEntries));
        s.MeasureMedian(L"layout switch to the grid on a day of " + dayEntries + L" entries", kTimedRepeats,
                        [&s] { EnsureLayout(s, true); }, Command(ID_DAY_SHOW_CALENDAR));
        s.MeasureMedian(L"layout switch back to the list on a day of " + dayEntries + L" entries", kTimedRepeats,
                        [&s] { EnsureLayout(s, false); }, Command(ID_DAY_SHOW_LIST), nullptr,
                        DayRows(s, shape.dayEntries));
    });
    figures.emplace_back(L"edit in the task dialog, OK, on a day of " + dayEntries + L" entries",
                         [=](CommandSession& s) {
        EnsureStatusFilterAll(s);
        EnsureCategory(s, chosen);
        EnsureLayout(s, true);
        EnsureDay(s, today + kFullDayOffset);
        const HWND list = TaskList(s);
        ActivateView(s, list, L"task list");
        s.Prepare(L"the first row chosen with Home", HomeKey(list));
        if (ListCount(list, LVM_GETSELECTEDCOUNT) != 1)
            NotMeasured(L"Home did not choose the first row alone");
        const DWORD thread = s.ThreadId();
        // Known by its Reminder button: the reminder's alert holds a name field of the same id.
        const auto taskDialog = [thread] {
            const HWND dialog = FindThreadDialog(thread, IDC_TASK_REMINDER);
            return dialog && ::GetDlgItem(dialog, IDC_TASK_NAME) ? dialog : nullptr;
        };
        const Ready opened = [taskDialog](HWND) { return taskDialog() != nullptr; };
        const Ready closed = [taskDialog](HWND) { return taskDialog() == nullptr; };
        // The dialog open at the time the button is given.
        const auto pressedInDialog = [taskDialog](int button) -> Give {
            return [taskDialog, button](HWND window, DWORD patienceMs) {
                const HWND dialog = taskDialog();
                return dialog && Pressed(dialog, button)(window, patienceMs);
            };
        };
        s.MeasureMedian(L"task dialog opened (Edit) on a day of " + dayEntries + L" entries", kTimedRepeats,
                        [&] { s.Prepare(L"the task dialog cancelled", pressedInDialog(IDCANCEL), closed); },
                        PostedCommand(ID_TASK_EDIT), opened);
        // The name edited in the open dialog, as a user types it.
        const auto editName = [taskDialog] {
            const HWND dialog = taskDialog();
            if (!dialog)
                NotMeasured(L"the task dialog did not open");
            const HWND name = ::GetDlgItem(dialog, IDC_TASK_NAME);
            wchar_t text[200] = {};
            DWORD_PTR ignored = 0;
            if (!Ask(name, WM_GETTEXT, std::size(text) - 12, reinterpret_cast<LPARAM>(text), ignored))
                NotMeasured(L"the task dialog's name cannot be read");
            const EString edited = EString(text) + L" (edited)";
            if (!Ask(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(edited.c_str()), ignored))
                NotMeasured(L"the task dialog did not take the new name");
        };
        editName();
        s.MeasureMedian(L"edit in the task dialog, OK, on a day of " + dayEntries + L" entries", kTimedRepeats,
                        [&] {
                            s.Prepare(L"the task dialog opened again", PostedCommand(ID_TASK_EDIT), opened);
                            editName();
                        },
                        pressedInDialog(IDOK), closed);
    });
    figures.emplace_back(L"paste of " + batchTasks + L" tasks into an empty category", [=](CommandSession& s) {
        EnsureStatusFilterAll(s);
        EnsureCategory(s, batch);
        const HWND list = TaskList(s);
        ActivateView(s, list, L"task list");
        SelectAllRows(s, list, shape.batchTasks);
        s.Prepare(batchTasks + L" tasks copied", Command(ID_EDIT_COPY));
        EnsureCategory(s, empty);
        if (const int rows = ListCount(list); rows != 0)
            NotMeasured(EString::Formatted(L"the empty category already holds %d tasks", rows));
        s.Measure(L"paste of " + batchTasks + L" tasks into an empty category", Command(ID_EDIT_PASTE), nullptr,
                  Rows(s, shape.batchTasks));
    });
    figures.emplace_back(L"delete of " + batchTasks + L" tasks", [=](CommandSession& s) {
        EnsureStatusFilterAll(s);
        EnsureCategory(s, empty);
        const HWND list = TaskList(s);
        if (const int rows = ListCount(list); rows < shape.batchTasks)
            NotMeasured(EString::Formatted(L"the pasted tasks are not there to delete (%d rows)", rows));
        ActivateView(s, list, L"task list");
        SelectAllRows(s, list, shape.batchTasks);
        const DWORD thread = s.ThreadId();
        s.Measure(L"delete of " + batchTasks + L" tasks: until the question shows", PostedCommand(ID_TASK_DELETE),
                  [thread](HWND) { return FindThreadDialog(thread, IDYES) != nullptr; });
        s.Measure(L"delete of " + batchTasks + L" tasks: Yes, until the window answers",
                  Pressed(FindThreadDialog(thread, IDYES), IDYES),
                  [thread](HWND) { return FindThreadDialog(thread, IDYES) == nullptr; }, Rows(s, 0));
    });
    figures.emplace_back(L"move of " + batchTasks + L" tasks to a category, dragged onto it in the tree",
                         [=](CommandSession& s) {
        EnsureStatusFilterAll(s);
        EnsureCategory(s, batch);
        const HWND list = TaskList(s);
        const HWND tree = Tree(s);
        ActivateView(s, list, L"task list");
        SelectAllRows(s, list, shape.batchTasks);
        DWORD_PTR ignored = 0;
        const HTREEITEM target = CategoryItem(s, empty);
        // A sort may have left the list scrolled to a column on its right: it goes back to the names.
        RECT name = {}, client = {};
        if (ListRowRect(s.Process(), list, 0, LVIR_LABEL, name) && ::GetClientRect(list, &client) &&
            (name.left < 0 || name.right > client.right))
            s.Prepare(L"the task list scrolled back to its first column", [list, dx = name.left](HWND, DWORD patienceMs) {
                DWORD_PTR answer = 0;
                return SendWithin(list, LVM_SCROLL, static_cast<WPARAM>(dx), 0, patienceMs, answer);
            });
        RECT label = {};
        if (!Ask(list, LVM_ENSUREVISIBLE, 0, FALSE, ignored) || !ListRowRect(s.Process(), list, 0, LVIR_LABEL, name) ||
            !Ask(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(target), ignored) ||
            !TreeItemRect(s.Process(), tree, target, label))
            NotMeasured(L"the first row or the target category cannot be located");
        // The drag drops where the cursor rests: no button is down while it runs.
        POINT drop = {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
        ::ClientToScreen(tree, &drop);
        if (!::SetCursorPos(drop.x, drop.y) || ::WindowFromPoint(drop) != tree)
            NotMeasured(L"the target category is not in sight on the screen");
        // A press on the row's name and a move past the drag distance, as the mouse sends them: a press
        // beside the name (the list shows no pictures) would choose no row and start a rubber band.
        const POINT from = {(name.left + name.right) / 2, (name.top + name.bottom) / 2};
        const POINT to = {from.x + 20, from.y + 20};
        if (!::GetClientRect(list, &client) || !::PtInRect(&client, from))
            NotMeasured(L"the first row's name is not in sight in the task list");
        s.Measure(L"move of " + batchTasks + L" tasks to a category, dragged onto it in the tree",
                  [=](HWND, DWORD) {
                      return ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y)) &&
                             ::PostMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y)) &&
                             ::PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
                  },
                  nullptr, Rows(s, 0));
    });
    figures.emplace_back(L"complete of " + batchEntries + L" plan entries at once", [=](CommandSession& s) {
        EnsureLayout(s, true);
        EnsureDay(s, today + kBatchDayOffset);
        const HWND dayList = DayList(s);
        ActivateView(s, s.Control(kDailyPlanClass), L"daily plan");
        SelectAllRows(s, dayList, shape.batchEntries);
        s.Measure(L"complete of " + batchEntries + L" plan entries at once (the daily plan's Select All, then Complete)",
                  Command(ID_TASK_COMPLETE), nullptr, [dayList] {
                      DWORD_PTR state = 0;
                      // The list's check box: its second state picture is the check.
                      if (!Ask(dayList, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK, state) ||
                          state != INDEXTOSTATEIMAGEMASK(2))
                          throw Lost{{}, L"missed its aim: the first entry is not checked as completed"};
                      return EString();
                  });
    });
    figures.emplace_back(L"a 2 MB Outlook message dropped from a mail program", [=](CommandSession& s) {
        EnsureStatusFilterAll(s);
        EnsureCategory(s, kStartUpCategory);
        const HWND list = TaskList(s);
        RECT client = {};
        if (!::GetClientRect(list, &client))
            NotMeasured(L"the task list cannot be located");
        // Anywhere over the list takes the drop.
        POINT at = {client.right / 2, client.bottom / 2};
        ::ClientToScreen(list, &at);
        if (::WindowFromPoint(at) != list)
            NotMeasured(L"the task list is not in sight on the screen");
        const wchar_t subject[] = L"Quarterly figures";
        const std::string message = OutlookMessageOfSize(subject, kMailMessageBytes);
        int rows = ListCount(list);
        // Each drop makes one task of the message's subject, listed in the chosen category and selected.
        const Note oneMore = [&s, list, &rows, &subject] {
            const int now = ListCount(list);
            if (now != rows + 1)
                throw Lost{{}, EString::Formatted(L"missed its aim: the task list then held %d rows, not %d", now, rows + 1)};
            rows = now;
            DWORD_PTR selected = 0;
            const EString name = Ask(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED, selected)
                                     ? ListItemText(s.Process(), list, static_cast<int>(selected))
                                     : EString();
            if (name != subject)
                throw Lost{{}, L"missed its aim: the new task is named \"" + name + L"\""};
            return EString();
        };
        const EString size = EString::Formatted(L"a %.1f MB Outlook message dropped from a mail program",
                                                message.size() / 1048576.0);
        s.MeasureMedian(size + L" as a stream", kTimedRepeats, [] {},
                        MailDropped(at, message, FakeMailDrop::Medium::Stream), nullptr, oneMore);
        s.MeasureMedian(size + L" as a live storage, as Outlook hands it over", kTimedRepeats, [] {},
                        MailDropped(at, message, FakeMailDrop::Medium::Storage), nullptr, oneMore);
    });
    return figures;
}

Figures CrowdedDayFigures(const Shape& shape, double today)
{
    const EString entries = Thousands(shape.crowdedEntries);
    Figures figures;
    figures.emplace_back(L"a day of " + entries + L" entries opened in the daily plan's list", [=](CommandSession& s) {
        EnsureLayout(s, true);
        EnsureDay(s, today);
        s.MeasureMedian(L"a day of " + entries + L" entries opened in the daily plan's list (day switch)",
                        kTimedRepeats, [&s] { s.Prepare(L"the daily plan moved on to today", Command(ID_DAY_NEXT)); },
                        Command(ID_DAY_PREVIOUS), nullptr, DayRows(s, shape.crowdedEntries));
        s.MeasureSlowest(L"a day of " + entries + L" entries scrolled a page down in the daily plan's list",
                         kScrolledPages, PageDown(DayList(s)));
    });
    // The grid shows days from today on: the day before comes in as the first of them.
    figures.emplace_back(L"a day of " + entries + L" entries opened in the daily plan's grid", [=](CommandSession& s) {
        EnsureDay(s, today);
        EnsureLayout(s, false);
        s.MeasureMedian(L"a day of " + entries + L" entries opened in the daily plan's grid (day switch)",
                        kTimedRepeats, [&s] { s.Prepare(L"the daily plan moved on to today", Command(ID_DAY_NEXT)); },
                        Command(ID_DAY_PREVIOUS));
        s.MeasureSlowest(L"a day of " + entries + L" entries scrolled a page down in the daily plan's grid",
                         kScrolledPages, PageDown(s.Control(kDayGridClass)));
    });
    // Last of the day's figures: the repair leaves the day without its overlaps.
    figures.emplace_back(L"an entry of a day of " + entries + L" entries edited in the plan-entry dialog, OK",
                         [=](CommandSession& s) {
        EnsureLayout(s, true);
        EnsureDay(s, today + kCrowdedDayOffset);
        const HWND dayList = DayList(s);
        ActivateView(s, s.Control(kDailyPlanClass), L"daily plan");
        s.Prepare(L"the day's first entry chosen with Home", HomeKey(dayList));
        if (ListCount(dayList, LVM_GETSELECTEDCOUNT) != 1)
            NotMeasured(L"Home did not choose the day's first entry alone");
        const DWORD thread = s.ThreadId();
        const auto planDialog = [thread] { return FindThreadDialog(thread, IDC_PLAN_COMMENTS); };
        s.Prepare(L"the plan-entry dialog opened (Edit)", PostedCommand(ID_TASK_EDIT),
                  [planDialog](HWND) { return planDialog() != nullptr; });
        const HWND dialog = planDialog();
        DWORD_PTR ignored = 0;
        if (!Ask(::GetDlgItem(dialog, IDC_PLAN_COMMENTS), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"bring the notes"),
                 ignored))
            NotMeasured(L"the plan-entry dialog did not take the comments");
        // The run keeps overlapping entries; this edit repairs them, as the setting's default does.
        Options::SetAllowSimultaneous(0);
        struct KeptAgain {
            ~KeptAgain() { Options::SetAllowSimultaneous(1); }
        } keptAgain;
        s.Measure(L"an entry of a day of " + entries + L" entries edited in the plan-entry dialog, OK (overlaps repaired)",
                  Pressed(dialog, IDOK), [planDialog](HWND) { return planDialog() == nullptr; }, [&s, thread, dayList] {
                      // A notice the repair showed is read and answered.
                      EString remark = EString::Formatted(L"the day's list then held %d entries", ListCount(dayList));
                      if (const HWND notice = FindThreadDialog(thread, IDOK)) {
                          wchar_t text[1024] = {};
                          DWORD_PTR length = 0;
                          Ask(::GetDlgItem(notice, 0xFFFF), WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                              length);
                          EString said = text;
                          said.Replace(L"\n", L" ");
                          remark += L"; the planner said: " + said;
                          s.Prepare(L"the notice answered", Pressed(notice, IDOK),
                                    [thread](HWND) { return FindThreadDialog(thread, IDOK) == nullptr; });
                      }
                      return remark;
                  });
    });
    return figures;
}

void WriteText(const EString& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(path.c_str()), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        ThrowComError(E_FAIL, L"cannot write the generated plan");
}

// The plan written and parsed bare, its header printed, the figures taken.
int MeasureOn(const EString& program, const CommandRun& run, const PlanSize& size, const wchar_t* fileName,
              const EString& heading, const Figures& figures)
{
    const std::string bytes = GeneratePlan(size, run.seed);
    const EString plan = FileSystem::JoinPath(FileSystem::GetTempFolder(), fileName);
    WriteText(plan, bytes);
    const Bstr text(Utf8ToWide(bytes.data(), bytes.size()));
    const double parse = MedianMilliseconds(3, [&] { BareParse(text); });
    std::printf("%ls, %ls (%.1f MB)\n", heading.c_str(), run.title, bytes.size() / 1048576.0);
    PrintFigure(EString(L"bare parse (loadXML of the text) (") + run.title + L")", parse, parse);
    CommandSession session(program, plan, run, parse);
    const int missing = session.Run(figures);
    ::DeleteFileW(plan.c_str());
    return missing;
}

} // namespace

double Today()
{
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    double date = 0;
    ::SystemTimeToVariantTime(&now, &date);
    return std::floor(date);
}

int MeasureCommands(const EString& program, const CommandRun& run)
{
    const Shape shape(run.size);
    const double today = Today();
    const PlanSize size = CommandPlanSize(run.size, shape, today);
    const EString heading = L"Commands on the plan with a category of " + Thousands(shape.chosenTasks) +
                            L" tasks and a day of " + Thousands(shape.dayEntries) + L" entries";
    return MeasureOn(program, run, size, (EString(run.filePrefix) + L"-commands.qvr").c_str(), heading,
                     CommandFigures(size, shape, today));
}

int MeasureCrowdedDay(const EString& program, const CommandRun& run)
{
    const Shape shape(run.size);
    const double today = Today();
    PlanSize size = run.size;
    size.planEntries = 0;
    size.fullDays = {{static_cast<int>(today) + kCrowdedDayOffset, shape.crowdedEntries}};
    const EString heading = L"The daily plan on a plan whose " + Thousands(shape.crowdedEntries) + L" entries fill one day";
    return MeasureOn(program, run, size, (EString(run.filePrefix) + L"-crowded-day.qvr").c_str(), heading,
                     CrowdedDayFigures(shape, today));
}
