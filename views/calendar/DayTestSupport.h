// Stand-ins of the daily plan pane for the day contents' tests: a host window with a date, and a small plan.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "document/PelquornDoc.h"
#include "document/SilentPrompts.h"
#include "views/calendar/IDateSelector.h"
#include "views/common/CreatableWindow.h"
#include "views/common/ViewMessages.h"
#include "winlib/WindowImpl.h"

// What a day content needs of the pane: a window to live in, timers, posted
// commands and the shown day. Timers and posts are written down, not run,
// so a test fires them when it chooses. Notifications from the content's
// controls go to `route`, as the pane's map passes them on.
class TestDayHost : public CWindowImpl<TestDayHost>, public ICreatableWindow, public IDateSelector {
public:
    static WindowClass GetWindowClass() { return {.name = L"QuorvaneTestDayHost"}; }

    TestDayHost();
    ~TestDayHost() override;

    struct Posted {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    // A top-level window when the parent is null.
    HWND Create(HWND parent) override;
    HWND GetHwnd() const override { return m_hWnd; }
    LRESULT SendViewMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool PostViewMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool KillViewTimer(UINT_PTR timerId) override;
    bool SetViewTimer(UINT_PTR timerId, UINT elapseMs) override;

    double GetDate() override { return date; }
    void SelectDate(double day) override { date = day; }

    // The WM_COMMAND ids posted with notification code 1, in order.
    std::vector<WORD> PostedCommands() const;
    bool IsTimerSet(UINT_PTR timerId) const { return timers.count(timerId) != 0; }
    void Clear();

    double date = 0;
    std::vector<Posted> posted;
    // Running timers and their periods; every set in order.
    std::map<UINT_PTR, UINT> timers;
    std::vector<UINT_PTR> timersSet;
    std::vector<UINT> sent;
    // The drag records of WM_PELQUORN_START_DRAG, whose sources are let go.
    std::vector<std::vector<int>> draggedIds;
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> route;

    BEGIN_MESSAGE_MAP(TestDayHost)
        ON_MESSAGE(WM_PELQUORN_START_DRAG, OnStartDrag)
        if (route && message != WM_CREATE && message != WM_NCDESTROY && route(message, wParam, lParam, result))
            return true;
    END_MESSAGE_MAP()

private:
    LRESULT OnStartDrag(UINT, WPARAM wParam, LPARAM, bool&);
};

// A new plan with one category holding the tasks the test adds, for a fixed
// "now"; the document's errors are kept, never shown.
class DayPlan {
public:
    DayPlan();
    ~DayPlan();

    int AddTask(const wchar_t* name, double hours, int importance = 1, const wchar_t* description = L"");
    // The new entry's id. Times are "hh:mm". The entries of a task are
    // completed together, as their task is.
    int AddEntry(double day, int taskId, const wchar_t* start, const wchar_t* end, bool completed = false,
                 const wchar_t* description = L"");
    TaskPlanEntry Entry(int id);
    // The entries of the day as start-end texts in the document's order.
    std::vector<EString> DayTimes(double day);

    SilentPrompts prompts;
    CPelquornDoc document;
    int categoryId = 0;
};

// 2026-03-02, a Monday, as an OLE date.
constexpr double kDay = 46083.0;
double At(int hour, int minute);
std::string ToText(const std::vector<int>& values);
// For the readable failure messages of comparisons of texts.
void PrintTo(const EString& text, std::ostream* out);
