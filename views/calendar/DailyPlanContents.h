// DailyPlanContents: the daily plan pane's two day contents, the list and the time grid, driven through their common base.
#pragma once

#include <windows.h>

#include "views/calendar/CalendarViewDay.h"
#include "views/calendar/DayManagerBase.h"
#include "views/calendar/ListViewDay.h"

class IDailyPlanDocument;
class IDateSelector;
class ICreatableWindow;

// The two contents as the pane sees them: made, created, shown and chained
// here and nowhere else.
class DailyPlanContents {
public:
    explicit DailyPlanContents(IDateSelector& selector);
    DailyPlanContents(const DailyPlanContents&) = delete;
    DailyPlanContents& operator=(const DailyPlanContents&) = delete;

    // Both windows in the owner's window, at the same place.
    void Create(ICreatableWindow& owner, const RECT& rect);

    CDayManagerBase& List() { return m_list; }
    CDayManagerBase& Grid() { return m_grid; }
    CDayManagerBase& Shown(bool list) { return list ? List() : Grid(); }

    // The other content hidden first, then this one shown.
    void Show(bool list);
    void Resize(const RECT& rect);
    void SetDocument(IDailyPlanDocument* document);
    void SetLayoutDays(int days);
    void SetAlignMinutes(int minutes);

    // The shown content's part of the pane's message map; both contents see
    // the pane's WM_DESTROY.
    bool ProcessShownMessage(bool list, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    CListViewDay m_list;
    CCalendarViewDay m_grid;
};
