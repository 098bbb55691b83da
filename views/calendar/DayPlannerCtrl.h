// CDayPlannerCtrl: one to fourteen days side by side on a 24-hour grid, with a header of days and a scrolling pane of items.
#pragma once

#include <windows.h>

#include "views/calendar/DaySettings.h"
#include "views/calendar/PlannerPaneCtrl.h"
#include "views/common/YellowTip.h"
#include "foundation/MessageMap.h"
#include "winlib/WindowImpl.h"

// It knows nothing of the document: its owner fills it with items and
// answers its notifications (DayPlannerNotification).
class CDayPlannerCtrl : public CWindowImpl<CDayPlannerCtrl> {
public:
    static WindowClass GetWindowClass() { return {.name = L"QuorvaneDayPlanner", .background = nullptr}; }

    CDayPlannerCtrl();

    int SetStyleFlags(int flags);
    bool SetDayCount(int days);
    void SetRowScaleIndex(int index);
    bool SetRowMinutes(int minutes);
    int DecreaseRowScale();
    int IncreaseRowScale();
    void SetMinimumLength(int minutes);
    bool SetWorkHours(int first, int last);
    void SetClock24(bool on);
    void SetSnapMinutes(int minutes) { m_settings.snapMinutes = minutes; }
    void SetHolidays(const Holidays& holidays);

    CDaySettings& GetSettings() { return m_settings; }
    const CDaySettings& GetSettings() const { return m_settings; }
    int GetEdgeDragKind() const { return m_settings.edgeDragKind; }
    double GetEdgeDragDelta() const { return m_settings.edgeDragDelta; }
    double GetEdgeDragTargetDate() const { return m_settings.edgeDragTargetDate; }
    double GetDropTime() const { return m_settings.dropTime; }

    void ClearItems();
    bool AddItem(const PlannerItem& item);
    // All at once: a crowded day is laid out and drawn once, not once per item.
    bool AddItems(std::vector<PlannerItem>&& items);
    int GetItemCount() const { return static_cast<int>(m_settings.items.size()); }
    bool GetItem(int index, PlannerItem& item) const;
    int GetItemData(int index) const;
    int GetSelectedIndex() const { return m_settings.selectedIndex; }
    void SetSelectedIndex(int index);

    // False, and nothing sent, when the time is the selected one to the second.
    bool SetSelectedTime(double dateTime, bool notify);
    double GetSelectedTime() const { return m_settings.selectedTime; }
    double GetFirstShownDay() const { return m_settings.firstDay; }
    double GetLastShownMoment() const;

    // The snapped time under a pane point, shown in the yellow tip.
    void ShowDropMarker(int x, int y);
    void HideDropMarker();
    // The yellow tip asks the pane, its owner, for the text just before it shows.
    void SupplyDropMarkerText() { m_dropMarker.SetText(m_dropMarkerText.c_str()); }
    const CYellowTip& GetDropMarker() const { return m_dropMarker; }
    bool HitTest(PlannerHit& hit) { return m_pane.HitTest(hit); }
    void ScrollSelectedHourToTop();
    CPlannerPaneCtrl& GetPane() { return m_pane; }

    // Sends the owner a notification as the control's parent expects it.
    void Notify(WORD code);

    BEGIN_MESSAGE_MAP(CDayPlannerCtrl)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
        ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
        ON_MESSAGE(WM_PAINT, OnPaint)
        ON_MESSAGE(WM_PRINTCLIENT, OnPaint)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_WININICHANGE, OnSettingChange)
        ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
        ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
        ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
        ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
        ON_MESSAGE(WM_VSCROLL, OnVScroll)
        ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
    END_MESSAGE_MAP()

private:
    LRESULT OnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnSetFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnEraseBackground(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnSettingChange(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnGetDlgCode(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnContextMenu(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnVScroll(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnMouseWheel(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    void UpdateMetrics();
    void PaintHeader(HDC dc);
    void LayOutPane();
    int SelectedHour() const;
    bool IsSelectedHourVisible() const;
    void InvalidateAll();

    CPlannerPaneCtrl m_pane;
    CDaySettings m_settings;
    CYellowTip m_dropMarker;
    EString m_dropMarkerText;
};
