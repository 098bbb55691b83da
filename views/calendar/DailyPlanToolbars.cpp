#include "views/calendar/DailyPlanToolbars.h"

#include <commctrl.h>

#include <iterator>

#include "dialogs/TranslatedOrKey.h"
#include "resources/AppCommandIds.h"
#include "resources/DailyPlanIds.h"
#include "resources/IconIds.h"
#include "winlib/ToolbarItems.h"

void FillNavigationBar(HWND toolbar)
{
    static const ToolbarItem items[] = {
        {IDI_DAY_PREVIOUS, ID_DAY_PREVIOUS, L"DayPrev"},
        {IDI_DAY_TODAY, ID_DAY_TODAY, L"Today"},
        {IDI_DAY_NEXT, ID_DAY_NEXT, L"DayNext"},
        {0, 0, nullptr},
        {IDI_RESCHEDULE_TOMORROW, ID_RESCHEDULE_TOMORROW, L"RescheduleTomorrow"},
        {IDI_RECURRING, ID_RECURRING_TASKS, L"RecurrenceButton"},
        {0, 0, nullptr},
        {IDI_ADJUST_START_TIME, ID_ADJUST_START_TIME, L"AdjustStartTime"},
        {IDI_ADJUST_STOP_TIME, ID_ADJUST_STOP_TIME, L"AdjustStopTime"},
        {0, 0, nullptr},
        {IDI_DAY_ZOOM_IN, ID_DAY_ZOOM_IN, L"MaxLense"},
        {IDI_DAY_ZOOM_OUT, ID_DAY_ZOOM_OUT, L"MinLense"},
        {0, 0, nullptr},
    };
    ToolbarBuildFromItems(toolbar, items, static_cast<int>(std::size(items)));
}

void FillViewBar(HWND toolbar)
{
    static const ToolbarItem items[] = {
        {IDI_DAY_SHOW_LIST, ID_DAY_SHOW_LIST, L"List"},
        {IDI_DAY_SHOW_CALENDAR, ID_DAY_SHOW_CALENDAR, L"Layout"},
    };
    ToolbarBuildFromItems(toolbar, items, static_cast<int>(std::size(items)));
    // The shared builder leaves the names to the tool tips; these two show
    // them: each button goes back in with its text.
    for (int index = 0; index < static_cast<int>(std::size(items)); ++index) {
        TBBUTTON button = {};
        if (!::SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
            continue;
        const EString text = TranslatedOrKey(items[index].text);
        button.iString = reinterpret_cast<INT_PTR>(text.c_str());
        ::SendMessageW(toolbar, TB_DELETEBUTTON, static_cast<WPARAM>(index), 0);
        ::SendMessageW(toolbar, TB_INSERTBUTTONW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    }
    ::SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
}
