// CDailyPlanView: the daily plan pane: a day picker, two toolbars and two combos above the shown day content.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "dialogs/PlanDialog.h"
#include "document/IDailyPlanDocument.h"
#include "resources/AppCommandIds.h"
#include "resources/EditCommandIds.h"
#include "views/calendar/DailyPlanContents.h"
#include "views/calendar/IDateSelector.h"
#include "views/common/ViewBase.h"
#include "winlib/WindowImpl.h"

// The pane shows one of its two day contents (the list or the time grid),
// drives it through the day manager base, owns the plan-entry dialog and
// turns the dialog's OK into document operations.
class CDailyPlanView : public CWindowImpl<CDailyPlanView>,
                       public CViewBase<CDailyPlanView, IDailyPlanDocument>,
                       public IDateSelector {
public:
    static constexpr UINT kDayPickerId = 10114;
    static constexpr UINT kNavigationBarId = 122;
    static constexpr UINT kDaysComboId = 715;
    static constexpr UINT kAlignComboId = 718;
    // The band of controls above the contents.
    static constexpr int kBandHeight = 28;

    CDailyPlanView();
    ~CDailyPlanView() override;
    CDailyPlanView(const CDailyPlanView&) = delete;
    CDailyPlanView& operator=(const CDailyPlanView&) = delete;

    static WindowClass GetWindowClass();

    HWND Create(HWND parent) override;
    void Update(ISubject* subject, DocNotifyCode code) override;
    void UpdateCommandUI(bool active);
    // The keys of the shown day go through the view's map; those of the
    // band's controls (the day picker, the combos) are theirs alone.
    bool PreTranslateMessage(MSG* message);

    // IDateSelector.
    double GetDate() override;
    void SelectDate(double date) override { SetDate(date, true); }
    // Sets the picker; the content is not told that the day changed.
    void SetDate(double date, bool reload);

    // The pane's commands as the frame shows them in its own menu and bars.
    void FillCommandState(CommandUiState& state);

    bool IsListShown() const { return m_listShown != 0; }
    CDayManagerBase& GetContent() { return m_contents.Shown(m_listShown != 0); }
    DailyPlanContents& GetContents() { return m_contents; }
    // The list content, for what only the list offers.
    CListViewDay& GetList() { return static_cast<CListViewDay&>(m_contents.List()); }
    CPlanDialog& GetPlanDialog() { return m_planDialog; }
    HWND GetDayPicker() const { return m_dayPicker; }

    // Yes to the question before plan entries are deleted; a message box
    // unless the owner gives another.
    void SetConfirmDelete(std::function<bool(const EString&)> confirm) { m_confirmDelete = std::move(confirm); }

    // The content reloaded for the shown day, and the day's summary.
    void ReloadDay();
    // n days from the shown one; 0 goes to today.
    void MoveDays(int days);

    BEGIN_MESSAGE_MAP(CDailyPlanView)
        ON_MESSAGE(WM_PLAN_DIALOG_NEW_OK, OnNewEntryConfirmed)
        ON_MESSAGE(WM_PLAN_DIALOG_EDIT_OK, OnEditedEntryConfirmed)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
        ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
        ON_COMMAND(ID_DAY_PREVIOUS, OnDayCommand)
        ON_COMMAND(ID_DAY_TODAY, OnDayCommand)
        ON_COMMAND(ID_DAY_NEXT, OnDayCommand)
        ON_COMMAND(ID_RECURRING_TASKS, OnRecurringEntries)
        ON_COMMAND(ID_RESCHEDULE_TOMORROW, OnRescheduleTomorrow)
        ON_COMMAND(ID_DAY_SHOW_LIST, OnShowList)
        ON_COMMAND(ID_DAY_SHOW_CALENDAR, OnShowGrid)
        ON_COMMAND(ID_DAY_HOLIDAY, OnMarkHoliday)
        ON_NOTIFY(kDayPickerId, DTN_DATETIMECHANGE, OnPickerChanged)
        ON_MESSAGE(WM_XBUTTONUP, OnExtraButtonUp)
        ON_NOTIFY(kDayPickerId, DTN_DROPDOWN, OnPickerDropDown)
        ON_NOTIFY_CODE(TTN_GETDISPINFOW, OnToolTipText)
        ON_MESSAGE(WM_TIMER, OnTimer)
        ON_COMMAND_CODE(kDaysComboId, CBN_SELCHANGE, OnDaysChanged)
        ON_COMMAND_CODE(kAlignComboId, CBN_SELCHANGE, OnAlignChanged)
        ON_COMMAND(ID_TASK_DELETE, OnDelete)
        ON_COMMAND(ID_TASK_EDIT, OnEdit)
        ON_COMMAND(ID_TASK_ADD, OnAddEntry)
        ON_COMMAND(ID_TASK_COMPLETE, OnToggleCompleted)
        ON_COMMAND(ID_LOCATE_CATEGORY, OnLocateCategory)
        ON_COMMAND(ID_ADJUST_START_TIME, OnAdjustStartTime)
        ON_COMMAND(ID_ADJUST_STOP_TIME, OnAdjustStopTime)
        ON_COMMAND(ID_LOCATE_SCHEDULE, OnLocateSchedule)
        ON_COMMAND(ID_EDIT_SELECT_ALL, OnSelectAll)
        if (m_contents.ProcessShownMessage(m_listShown != 0, hwnd, message, wParam, lParam, result))
            return true;
        CHAIN_MESSAGE_MAP(ViewBase)
    END_MESSAGE_MAP()

private:
    enum class TimeEdge { Start, End };

    // Creation.
    void CreateBand();
    void CreateContents();
    void FillDaysCombo();
    void FillAlignCombo();
    void LayoutBand();
    // 1 the list, 0 the time grid; `refresh` pushes the command states after.
    void ShowMode(bool list, bool refresh);

    // Commands.
    void AdjustTime(TimeEdge edge);
    bool ReadSelectedEntry(TaskPlanEntry& entry);
    void ShowFoundEntry();

    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnSize(UINT, WPARAM, LPARAM lParam, bool&);
    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnContextMenu(UINT, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, bool&);
    LRESULT OnExtraButtonUp(UINT, WPARAM wParam, LPARAM, bool&);
    LRESULT OnPickerChanged(int, NMHDR*, bool&);
    LRESULT OnPickerDropDown(int, NMHDR*, bool&);
    LRESULT OnToolTipText(int, NMHDR* header, bool&);
    LRESULT OnDaysChanged(WORD, WORD, HWND, bool&);
    LRESULT OnAlignChanged(WORD, WORD, HWND, bool&);
    LRESULT OnDayCommand(WORD, WORD id, HWND, bool&);
    LRESULT OnRecurringEntries(WORD, WORD, HWND, bool&);
    LRESULT OnRescheduleTomorrow(WORD, WORD, HWND, bool&);
    LRESULT OnShowList(WORD, WORD, HWND, bool&);
    LRESULT OnShowGrid(WORD, WORD, HWND, bool&);
    LRESULT OnMarkHoliday(WORD, WORD, HWND, bool&);
    LRESULT OnDelete(WORD, WORD, HWND, bool&);
    LRESULT OnEdit(WORD, WORD, HWND, bool&);
    LRESULT OnAddEntry(WORD, WORD, HWND, bool&);
    LRESULT OnToggleCompleted(WORD, WORD, HWND, bool&);
    LRESULT OnLocateCategory(WORD, WORD, HWND, bool&);
    LRESULT OnAdjustStartTime(WORD, WORD, HWND, bool&);
    LRESULT OnAdjustStopTime(WORD, WORD, HWND, bool&);
    LRESULT OnLocateSchedule(WORD, WORD, HWND, bool&);
    LRESULT OnSelectAll(WORD, WORD, HWND, bool&);
    LRESULT OnNewEntryConfirmed(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnEditedEntryConfirmed(UINT, WPARAM, LPARAM, bool&);
    CPlanDialog& OpenablePlanDialog();

    HWND m_dayPicker = nullptr;
    HWND m_navigationBar = nullptr;
    HWND m_viewBar = nullptr;
    HWND m_daysCombo = nullptr;
    HWND m_alignLabel = nullptr;
    HWND m_alignCombo = nullptr;
    int m_listShown = 1;
    DailyPlanContents m_contents;
    CPlanDialog m_planDialog;
    std::function<bool(const EString&)> m_confirmDelete;
};
