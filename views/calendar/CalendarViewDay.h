// CCalendarViewDay: the daily plan's time grid: a day planner filled with the plan entries of the shown days, whose edits become document operations.
#pragma once

#include <windows.h>

#include "views/calendar/DayManagerBase.h"
#include "views/calendar/DayPlannerCtrl.h"

class CCalendarViewDay : public CDayManagerBase {
public:
    static constexpr UINT kPlannerId = 1210;

    CCalendarViewDay() = default;
    ~CCalendarViewDay() override;

    // The planner goes in the owner's window; nothing without an owner.
    HWND Create(ICreatableWindow* owner, const RECT& rect) override;
    // Work hours from "DayBegin" and "RegularHours", the clock from the locale.
    virtual void ApplyDaySettings();
    void SetDayCount(int days) { m_planner.SetDayCount(days); }
    void SetSnapMinutes(int minutes) { m_planner.SetSnapMinutes(minutes); }

    // The pane hands over the planner's WM_COMMAND (id 1210) and the zoom
    // commands; false for anything else.
    bool OnCommand(WPARAM wParam, LPARAM lParam);

    // While dragging: the header scrolls up, the time column steps a day back
    // and the scroll bar a day forward.
    int GetTopBandHeight() const override;
    int GetBottomBandHeight() const override { return GetBandSize(); }
    int GetLeftBandWidth() const override;
    int GetRightBandWidth() const override;
    void OnDragLeave() override;
    // Lands where the drag was let go: OLE may drop with no move over the grid before.
    bool OnDrop(IDataObject* dataObject, int x, int y, DWORD effect) override;

    void ReloadHolidays() override;
    bool IsShownDateHoliday() override;
    HWND GetContentWindow() const override { return m_planner.m_hWnd; }
    bool GetFocusedItemRect(RECT&) override { return false; }
    void OnDateChanged() override;
    // Opens on the hour now for today, else on the working day's beginning.
    void OpenShownDay() override;
    void LoadEntries() override;
    void RefreshEntries() override;
    int HasSelection() override { return m_planner.GetSelectedIndex() >= 0 ? 1 : 0; }
    void SelectEntryById(int id) override;
    int GetSelectedEntryId() override;
    void GetSelectedEntryIds(std::vector<int>& ids) override;
    int GetSelectedIndex() override { return m_planner.GetSelectedIndex(); }
    void SelectIndex(int index) override { m_planner.SetSelectedIndex(index); }
    double GetDropTime() override;
    double GetShownDate() override { return m_planner.GetSelectedTime(); }
    void SelectAll() override {}
    void ShowDropTarget(int x, int y) override;

    CDayPlannerCtrl& GetPlanner() { return m_planner; }

private:
    // Selects the selector's day at the time of day, without a notice: the
    // pane is the one that changed the day.
    void SelectShownDay(double timeOfDay);
    void OnPlannerNotification(WORD code);
    void OnSelectedTimeChanged();
    void OnDoubleClick();
    void OnBeginDrag();
    void OnEdgeDragEnded();

    CDayPlannerCtrl m_planner;
};
