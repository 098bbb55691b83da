// CPelquornView: the task list: the tasks of the current category as the filters select them, their commands, the reminder clock and time tracking.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "document/ITaskListDocument.h"
#include "foundation/ComError.h"
#include "foundation/PrivateMessages.h"
#include "resources/AppCommandIds.h"
#include "resources/EditCommandIds.h"
#include "views/common/ISimpleDropCallback.h"
#include "views/common/TreeDropTarget.h"
#include "views/common/ViewBase.h"
#include "views/common/YellowTip.h"
#include "views/tasks/TaskListActions.h"
#include "views/tasks/TaskListDialogs.h"
#include "views/common/ViewLinks.h"
#include "winlib/ImageList.h"
#include "winlib/RedrawSuspension.h"
#include "foundation/Reflection.h"
#include "winlib/WindowImpl.h"

class CPelquornView : public CWindowImpl<CPelquornView>,
                      public CViewBase<CPelquornView, ITaskListDocument>,
                      public ISimpleDropCallback,
                      public IReminderAction,
                      public ITrackingAction {
public:
    static constexpr int kColumnCount = 9;
    static constexpr UINT_PTR kTrackingTimer = 2;
    static constexpr UINT_PTR kReminderTimer = 3;
    static constexpr UINT kReminderIntervalMs = 60000;
    // Posted to itself: a dropped message could not be read. Shown once the
    // drop is over, so the mail program is not held up by the message box.
    static constexpr UINT WM_VIEW_SHOW_DROP_ERROR = WM_TASK_LIST_SHOW_DROP_ERROR;
    // Posted to itself: the notifications of one burst refill the rows once.
    static constexpr UINT WM_VIEW_REFILL = WM_TASK_LIST_REFILL;
    // Posted to itself: the control's selection changed, maybe row by row;
    // the document, the calendar and the commands hear of it once.
    static constexpr UINT WM_VIEW_SELECTION_CHANGED = WM_TASK_LIST_SELECTION_CHANGED;

    CPelquornView();
    ~CPelquornView() override;

    static WindowClass GetWindowClass();
    static UINT GetTrackingInterval() { return 15000; }

    // The dialogs the commands open; null restores the inert ones.
    void SetDialogs(ITaskListDialogs* dialogs) { m_dialogs = dialogs ? dialogs : &m_inertDialogs; }
    // The category tree a new task's category is chosen in; none leaves the choice to the document.
    void SetLinks(IViewLinks* links) { m_links = links; }

    HWND Create(HWND parent) override;
    void Update(ISubject* subject, DocNotifyCode code) override;
    void UpdateCommandUI(bool active);
    bool PreTranslateMessage(MSG* message);
    // Whether the command may run now: the rule its state is pushed by.
    bool IsCommandEnabled(int commandId);
    bool IsCommandChecked(int commandId);

    // Rows: the list is virtual, the control asks for the rows it shows.
    // Each reader first carries out a refill that notifications asked for.
    int GetRowCount() const;
    // Null past the last row.
    const TaskCard* GetRowTask(int row) const;
    int FindRow(int taskId) const;
    void SelectRow(int row);
    // A negative row, or one that lists another task, changes nothing.
    void RefreshRow(int row, const TaskCard& task, bool recurring);
    // The task read again from the document into its row, when it is listed.
    void RefreshTaskRow(int taskId);
    // The plan changed by an edit of one task, told to the other views: its
    // row changes in place while the task stays listed in the same place;
    // otherwise the rows are read again.
    void TellTaskEdited(int taskId);
    // Fill, sort, restore the selection.
    void Refill();
    void Sort();
    // As a click on the column's header.
    void SortByColumn(int column);
    int GetSortField() const { return m_sortField; }
    bool IsSortAscending() const { return m_sortDirection != 0; }
    // Told the first selected row (-1 for none) whenever the selection changes; the calendar follows it.
    void SetRowSelectedHandler(std::function<void(int row)> handler) { m_onRowSelected = std::move(handler); }

    // Reminder clock and tracking.
    void CheckReminders();
    void ShowTrackingWindow(bool resume);
    void StartTrackingTimer();
    bool IsReminderShown() const { return m_reminderShown; }

    // ISimpleDropCallback: plan entries dragged back from a day plan, and
    // mail dropped from a mail program; the list's own tasks are refused.
    bool CanAcceptData(IDataObject* dataObject) override;
    void OnDragLeave() override {}
    void OnDragOver(int, int) override {}
    bool OnDrop(IDataObject* dataObject, int x, int y, DWORD effect) override;

    // IReminderAction.
    void LocateTask(int taskId) override;
    void OpenTask(int taskId) override;
    void SnoozeReminder(int taskId, int minutes) override;
    void DismissReminder(int taskId) override;
    // ITrackingAction.
    void StopTracking() override;
    void ResumeTracking() override;

    BEGIN_MESSAGE_MAP(CPelquornView)
        ON_MESSAGE_RANGE(LVM_FIRST, LVM_FIRST + 0xFF, OnListMessage)
        ON_MESSAGE(WM_COMMAND, OnCommandArrives)
        ON_MESSAGE(WM_PELQUORN_FORWARD_COMMAND, OnCommandArrives)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_VIEW_DEFERRED_INIT, OnDeferredInit)
        ON_MESSAGE(WM_VIEW_ACTIVATE, OnActivateRequest)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(WM_TIMER, OnTimer)
        ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
        ON_MESSAGE(WM_YELLOWTIP_NEEDTEXT, OnTipNeedsText)
        ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
        ON_MESSAGE(WM_VIEW_SHOW_DROP_ERROR, OnShowDropError)
        ON_MESSAGE(WM_VIEW_REFILL, OnPostedRefill)
        ON_MESSAGE(WM_VIEW_SELECTION_CHANGED, OnPostedSelectionChange)
        ON_MESSAGE(OCM_NOTIFY, OnReflectedNotify)
        ON_COMMAND(ID_TASK_ADD, OnAdd)
        ON_COMMAND(ID_TASK_EDIT, OnEdit)
        ON_COMMAND(ID_TASK_DELETE, OnDelete)
        ON_COMMAND(ID_TASK_ADD_SUBTASK, OnAddSubtask)
        ON_COMMAND(ID_TASK_SPLIT, OnSplit)
        ON_COMMAND(ID_TASK_COMPLETE, OnComplete)
        ON_COMMAND(ID_EDIT_COPY, OnCopy)
        ON_COMMAND(ID_EDIT_CUT, OnCut)
        ON_COMMAND(ID_EDIT_PASTE, OnPaste)
        ON_COMMAND(ID_LOCATE_SCHEDULE, OnLocateSchedule)
        ON_COMMAND(ID_LOCATE_CATEGORY, OnLocateCategory)
        ON_COMMAND(ID_ADJUST_START_TIME, OnAdjustStartTime)
        ON_COMMAND(ID_ADJUST_STOP_TIME, OnAdjustStopTime)
        ON_COMMAND(ID_TRACK_TIME, OnTrackTime)
        ON_COMMAND(ID_EDIT_SELECT_ALL, OnSelectAll)
        ON_COMMAND(ID_TASK_PRIORITY_URGENT_AND_IMPORTANT, OnImportance)
        ON_COMMAND(ID_TASK_PRIORITY_IMPORTANT, OnImportance)
        ON_COMMAND(ID_TASK_PRIORITY_URGENT, OnImportance)
        ON_COMMAND(ID_TASK_PRIORITY_FUTURE, OnImportance)
        ON_COMMAND(ID_TASK_REBASE_ESTIMATE, OnRebaseEstimate)
        ON_COMMAND(ID_TASK_RECURRING, OnRecurring)
        ON_COMMAND(ID_TRACK_NOW_NAME_LATER, OnTrackNowNameLater)
        CHAIN_MESSAGE_MAP(ViewBase)
    END_MESSAGE_MAP()

private:
    LRESULT OnListMessage(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnCommandArrives(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnPostedRefill(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnPostedSelectionChange(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnDeferredInit(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnActivateRequest(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnTipNeedsText(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM lParam, bool&);
    LRESULT OnShowDropError(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnReflectedNotify(UINT, WPARAM, LPARAM lParam, bool& handled);

    LRESULT OnAdd(WORD, WORD, HWND, bool&);
    LRESULT OnEdit(WORD, WORD, HWND, bool&);
    LRESULT OnDelete(WORD, WORD, HWND, bool&);
    LRESULT OnAddSubtask(WORD, WORD, HWND, bool&);
    LRESULT OnSplit(WORD, WORD, HWND, bool&);
    LRESULT OnComplete(WORD, WORD, HWND, bool&);
    LRESULT OnCopy(WORD, WORD, HWND, bool&);
    LRESULT OnCut(WORD, WORD, HWND, bool&);
    LRESULT OnPaste(WORD, WORD, HWND, bool&);
    LRESULT OnLocateSchedule(WORD, WORD, HWND, bool&);
    LRESULT OnLocateCategory(WORD, WORD, HWND, bool&);
    LRESULT OnAdjustStartTime(WORD, WORD, HWND, bool&);
    LRESULT OnAdjustStopTime(WORD, WORD, HWND, bool&);
    LRESULT OnTrackTime(WORD, WORD, HWND, bool&);
    LRESULT OnSelectAll(WORD, WORD, HWND, bool&);
    LRESULT OnImportance(WORD, WORD id, HWND, bool&);
    LRESULT OnRebaseEstimate(WORD, WORD, HWND, bool&);
    LRESULT OnRecurring(WORD, WORD, HWND, bool&);
    LRESULT OnTrackNowNameLater(WORD, WORD, HWND, bool&);

    // Row notifications.
    void OnSelectionChanged();
    // The selection change the control made, told now when one is waiting.
    void ApplySelectionChange();
    // The selection told to the document, the calendar and the commands.
    void TellSelection();
    void GetDisplayInfo(LVITEMW& item) const;
    int FindRowByName(const NMLVFINDITEMW& find) const;
    // The document's last find hit, when it is a task.
    void SelectFoundTask();
    bool OnEndLabelEdit(const NMLVDISPINFOW& info);
    // A rename in place still open ends: its text kept as the rename keeps it, or dropped.
    void EndRenameInPlace(bool keep);
    void OnBeginDrag();

    // Drops.
    void RemoveDroppedPlanEntries(const std::vector<std::int32_t>& ids);
    bool AddDroppedMail(IDataObject* dataObject);
    void ShowDropErrorLater(const ComError& error);

    // The refill asked for by the notifications of one burst, when one waits.
    void BringRowsUpToDate() const;
    void RefillSoon();
    // The rows of a plan that was replaced mean nothing in the new one.
    void ClearRows();
    // The records in the list's order, shown; the control is left as it is when the same tasks come in the same order.
    void ShowRows(std::vector<TaskCard> tasks);
    void SortRecords(std::vector<TaskCard>& tasks) const;
    // Whether the task sorts strictly between the row's neighbours.
    bool KeepsItsPlace(int row, const TaskCard& task) const;
    void IndexRows();
    // The control's redraw suspended, unless a refill around the caller holds it so already.
    void SuspendRedraw(std::optional<CRedrawSuspension>& redraw) const;
    // The control's selected rows become these, each row's state set once.
    void SetSelectedRows(std::vector<int> rows, int focusedRow);
    std::vector<int> GetSelectedRows() const;
    void RestoreSelection(const std::vector<int>& ids);
    void InsertColumns();
    void BuildImageList();
    int GetFirstSelected() const;
    int GetSelectedCount() const;
    bool OneSelected() const { return GetFirstSelected() >= 0 && GetSelectedCount() == 1; }
    bool AnySelected() const { return GetSelectedCount() >= 1; }
    // The selected rows' task ids in row order.
    std::vector<int> GetSelectedTaskIds() const;
    bool IsRecurring(int taskId);
    void EnsureFirstSelectedVisible();
    void NotifyDocument(IObserver* sender, DocNotifyCode code);

    // Command bodies.
    void AddTasks(const EString& name, const EString& description);
    void EditTask(int taskId);
    void EditSelectedTasks();
    void DeleteSelectedTasks();
    void SetSelectedImportance(int importance);
    void StopTrackingFromCommand();
    // Hides the reminder and the tracking window of a plan that was replaced:
    // their task ids mean something else, or nothing, in the new one.
    void CloseWindowsOfPreviousPlan();
    void PresentReminder(const ReminderInfo& reminder);

    InertTaskListDialogs m_inertDialogs;
    ITaskListDialogs* m_dialogs = &m_inertDialogs;
    IViewLinks* m_links = nullptr;
    bool m_reminderShown = false;
    // The row whose name is being edited in place.
    int m_renamedRow = -1;
    // The shown tasks in the list's order, and each one's row by its id.
    std::vector<TaskCard> m_rows;
    std::unordered_map<int, int> m_rowOfTask;
    bool m_refillPending = false;
    // Above zero while the view sets the control's selection itself.
    int m_settingSelection = 0;
    // Above zero while a refill holds the control's redraw suspended.
    int m_redrawSuspended = 0;
    bool m_selectionChanged = false;
    bool m_selectionPosted = false;
    CImageList m_images;
    int m_sortField = 0;
    int m_sortDirection = 1;
    CYellowTip m_tip;
    CTreeDropTarget m_dropTarget;
    std::optional<ComError> m_dropError;
    std::function<void(int row)> m_onRowSelected;
};
