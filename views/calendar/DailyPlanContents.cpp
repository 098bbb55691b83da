#include "views/calendar/DailyPlanContents.h"

#include "views/calendar/IDateSelector.h"
#include "views/tasks/CreatableWindow.h"

DailyPlanContents::DailyPlanContents(IDateSelector& selector)
{
    m_list.SetDateSelector(&selector);
}

void DailyPlanContents::Create(ICreatableWindow& owner, const RECT& rect)
{
    m_list.Create(&owner, rect);
}

void DailyPlanContents::Show(bool list)
{
    if (&Shown(!list) != &Shown(list))
        Shown(!list).ShowContent(false);
    Shown(list).ShowContent(true);
}

void DailyPlanContents::Resize(const RECT& rect)
{
    m_list.ResizeContent(rect);
}

void DailyPlanContents::SetDocument(CPelquornDoc* document)
{
    m_list.SetDocument(document);
}

void DailyPlanContents::SetLayoutDays(int /*days*/) {}

void DailyPlanContents::SetAlignMinutes(int /*minutes*/) {}

bool DailyPlanContents::ProcessShownMessage(bool list, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            LRESULT& result)
{
    if (list || message == WM_DESTROY)
        return m_list.ProcessWindowMessage(hwnd, message, wParam, lParam, result);
    return false;
}
