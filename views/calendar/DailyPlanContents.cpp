#include "views/calendar/DailyPlanContents.h"

#include "views/calendar/IDateSelector.h"
#include "views/common/CreatableWindow.h"

DailyPlanContents::DailyPlanContents(IDateSelector& selector)
{
    m_list.SetDateSelector(&selector);
    m_grid.SetDateSelector(&selector);
}

void DailyPlanContents::Create(ICreatableWindow& owner, const RECT& rect)
{
    m_list.Create(&owner, rect);
    m_grid.Create(&owner, rect);
}

void DailyPlanContents::Show(bool list)
{
    Shown(!list).ShowContent(false);
    // The hidden content missed the day changes made meanwhile.
    Shown(list).OpenShownDay();
    Shown(list).ShowContent(true);
}

void DailyPlanContents::Resize(const RECT& rect)
{
    m_list.ResizeContent(rect);
    m_grid.ResizeContent(rect);
}

void DailyPlanContents::SetDocument(IDailyPlanDocument* document)
{
    m_list.SetDocument(document);
    m_grid.SetDocument(document);
}

void DailyPlanContents::SetLayoutDays(int days)
{
    m_grid.SetDayCount(days);
}

void DailyPlanContents::SetAlignMinutes(int minutes)
{
    m_grid.SetSnapMinutes(minutes);
}

bool DailyPlanContents::ProcessShownMessage(bool list, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            LRESULT& result)
{
    if (list || message == WM_DESTROY)
        return m_list.ProcessWindowMessage(hwnd, message, wParam, lParam, result);
    // The planner's notices and the zoom commands.
    if (message == WM_COMMAND && m_grid.OnCommand(wParam, lParam)) {
        result = 0;
        return true;
    }
    return false;
}
