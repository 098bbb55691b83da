// CDayManagerBase: what the daily plan's two contents (the list and the time grid) share: the links to the document and the pane, drops, edge navigation, completion, dragging entries out, and the announcement of the entry running now.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <vector>

#include "document/model/TaskPlanEntry.h"
#include "views/calendar/IDateSelector.h"
#include "views/common/CreatableWindow.h"
#include "views/common/ISimpleDropCallback.h"
#include "views/common/NavigationHelper.h"
#include "views/common/TreeDropTarget.h"

class IDailyPlanDocument;

class CDayManagerBase : public NavigationHelper, public ISimpleDropCallback {
public:
    // Timers the content sets on its owning view; the view hands them back
    // through OnOwnerTimer when they fire.
    static constexpr UINT_PTR DAY_NAVIGATION_TIMER_ID = 0xFFFF0000;
    static constexpr UINT kNavigationIntervalMs = 600;
    static constexpr UINT_PTR DAY_REFRESH_TIMER_ID = 0xFFFF0002;
    static constexpr UINT kRefreshIntervalMs = 120000;

    CDayManagerBase() = default;
    ~CDayManagerBase() override;
    CDayManagerBase(const CDayManagerBase&) = delete;
    CDayManagerBase& operator=(const CDayManagerBase&) = delete;

    // Creates the content window in the owner's window and registers it as a
    // drop target; null for a null owner or when the window failed.
    virtual HWND Create(ICreatableWindow* owner, const RECT& rect) = 0;
    // The receiver of the content's command states: the main window.
    virtual HWND GetCommandUiTarget() const;

    virtual void ReloadHolidays() {}
    virtual bool IsShownDateHoliday() { return false; }
    // Shows or hides the content window where it stands.
    virtual void ShowContent(bool show);
    // False, with the point unchanged, without a content window.
    virtual bool ContentClientToScreen(POINT& point);
    virtual void ResizeContent(const RECT& rect);
    virtual HWND GetContentWindow() const = 0;
    // False when no entry has the focus.
    virtual bool GetFocusedItemRect(RECT& rect) = 0;
    virtual void OnDateChanged() {}
    // The content shows again: it catches up with the pane's day.
    virtual void OpenShownDay() { OnDateChanged(); }
    virtual void LoadEntries() = 0;
    // Contents refresh what the clock changes, then call this one: it
    // announces the entry running now and re-arms the refresh timer.
    virtual void RefreshEntries();
    // The number of selected entries (the time grid selects one at most).
    virtual int HasSelection() = 0;
    virtual void SelectEntryById(int id) = 0;
    // 0 when nothing is selected.
    virtual int GetSelectedEntryId() = 0;
    virtual void GetSelectedEntryIds(std::vector<int>& ids) = 0;
    // -1 when nothing is selected.
    virtual int GetSelectedIndex() = 0;
    virtual void SelectIndex(int index) = 0;
    // Where dropped entries start on the shown day: after the selected
    // entry's predecessor, after the last entry, or now.
    virtual double GetDropTime();
    virtual double GetShownDate();
    // Lays the entries out back to back from the drop time on the shown day.
    virtual void DropPlanEntries(const std::vector<int>& ids, bool copy);
    // Completes the open entries among the ids, or reopens them all when all
    // are completed; a running entry completed now ends now.
    virtual void ToggleCompleted(const std::vector<int>& ids);
    virtual void ToggleCompletedOne(int id);
    // False for none; unreadable ids are skipped.
    virtual bool AreAllCompleted(const std::vector<int>& ids);
    virtual void SelectAll() = 0;
    // Marks where a drop at the point would land.
    virtual void ShowDropTarget(int x, int y) = 0;
    virtual void TrackNavigation(int x, int y);

    // NavigationHelper: a drag resting in the left or right band steps a day
    // back or forward, in the top or bottom band scrolls, every 600 ms.
    void OnDragLeave() override;
    void OnDragOver(int x, int y) override;
    void OnScrollTimer() override;
    void StartScrollTimer() override;
    void StopScrollTimer() override;

    // ISimpleDropCallback: tasks and plan entries dragged from any view.
    bool CanAcceptData(IDataObject* dataObject) override;
    bool OnDrop(IDataObject* dataObject, int x, int y, DWORD effect) override;

    // The owning view's WM_TIMER: kills and handles the content's timers;
    // false for a timer that is not one of them.
    bool OnOwnerTimer(UINT_PTR timerId);

    IDailyPlanDocument* GetDocument() const { return m_document; }
    void SetDocument(IDailyPlanDocument* document) { m_document = document; }
    IDateSelector* GetDateSelector() const { return m_dateSelector; }
    void SetDateSelector(IDateSelector* selector) { m_dateSelector = selector; }
    ICreatableWindow* GetOwnerView() const { return m_owner; }
    // An entry the list selects at its next load (0: none).
    int GetPendingSelection() const { return m_pendingSelection; }
    void SetPendingSelection(int id) { m_pendingSelection = id; }
    bool HasSingleSelection() { return HasSelection() == 1; }
    bool HasMultipleSelection() { return HasSelection() > 1; }
    // The selector's day; now (date and time) without a selector.
    double GetSelectorDate() const;
    // Posts a drag of the entries to the owning view; false, with nothing
    // left behind, when it could not be posted.
    bool BeginDragEntries(const std::vector<int>& ids);
    void GoPreviousDay();
    void GoNextDay();
    void StartRefreshTimer();
    // The entry last announced as running; 0 before the first.
    int GetAnnouncedEntryId() const { return m_announcedEntryId; }
    // A load that reads the shown day tells the document the day's summary
    // from what it read: the pane need not read the day again for it.
    bool HasToldDaySummary() const { return m_summaryTold; }
    void ForgetDaySummary() { m_summaryTold = false; }

protected:
    // For the derived Create: the owner gets the timers, posts and drags.
    void SetOwnerView(ICreatableWindow* owner) { m_owner = owner; }
    void RegisterDropTarget(HWND window) { m_dropTarget.Register(window, this); }
    CTreeDropTarget& GetDropTarget() { return m_dropTarget; }

    // The batch dialog for several dropped tasks, then the document schedules them.
    void ScheduleDroppedTasks(const std::vector<int>& taskIds);
    // Plays the plan sound and shows the tray notice once per running entry.
    void AnnounceRunningEntry();
    // A load read the day's entries: the shown day's make its summary.
    void NoteLoadedDay(double day, const std::vector<TaskPlanEntry>& entries);

private:
    void PostOwnerCommand(WORD commandId);

    bool m_summaryTold = false;
    int m_announcedEntryId = 0;
    int m_pendingSelection = 0;
    ICreatableWindow* m_owner = nullptr;      // not owned
    IDailyPlanDocument* m_document = nullptr; // not owned
    IDateSelector* m_dateSelector = nullptr;  // not owned
    CTreeDropTarget m_dropTarget;
};
