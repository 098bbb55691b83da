#include "views/calendar/DayManagerBase.h"

#include <cmath>

#include "dialogs/ManyPlanEntriesDialog.h"
#include "dialogs/TrayPopupWindow.h"
#include "document/Clipboard.h"
#include "document/IDailyPlanDocument.h"
#include "document/PelquornDragData.h"
#include "document/model/CustomActionPlayer.h"
#include "foundation/AppWindow.h"
#include "foundation/Clock.h"
#include "foundation/ComError.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "resources/AppCommandIds.h"
#include "views/common/DragStart.h"

CDayManagerBase::~CDayManagerBase() = default;

HWND CDayManagerBase::GetCommandUiTarget() const
{
    return GetMainWindow();
}

void CDayManagerBase::ShowContent(bool show)
{
    if (const HWND window = GetContentWindow())
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                       (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

bool CDayManagerBase::ContentClientToScreen(POINT& point)
{
    const HWND window = GetContentWindow();
    return window && ::ClientToScreen(window, &point);
}

void CDayManagerBase::ResizeContent(const RECT& rect)
{
    if (const HWND window = GetContentWindow())
        ::SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDayManagerBase::RefreshEntries()
{
    AnnounceRunningEntry();
    StartRefreshTimer();
}

double CDayManagerBase::GetDropTime()
{
    if (!m_document)
        return 0;
    return m_document->GetProposedStartTime(GetSelectorDate(), GetSelectedEntryId());
}

double CDayManagerBase::GetShownDate()
{
    return GetSelectorDate();
}

double CDayManagerBase::GetSelectorDate() const
{
    return m_dateSelector ? m_dateSelector->GetDate() : Clock::Now();
}

void CDayManagerBase::DropPlanEntries(const std::vector<int>& ids, bool copy)
{
    if (!m_document)
        return;
    if (m_document->ArrangePlanEntries(GetSelectorDate(), GetDropTime(), ids, copy))
        m_document->Notify(nullptr, NotifyCode::kTasksChanged);
}

void CDayManagerBase::ToggleCompleted(const std::vector<int>& ids)
{
    if (!m_document)
        return;
    const bool allCompleted = AreAllCompleted(ids);
    const double shownDate = GetSelectorDate();
    std::vector<TaskPlanEntry> changed;
    for (int id : ids) {
        TaskPlanEntry entry;
        if (!m_document->GetPlanEntry(id, entry))
            continue;
        if (!allCompleted && entry.IsCompleted())
            continue;
        entry.SetCompleted(!allCompleted);
        // Work stops when it is marked done: the block no longer runs on.
        if (entry.IsCompleted() && entry.GetPhase(shownDate) == TimeRange::kRunning)
            entry.SetEndToNow();
        changed.push_back(entry);
    }
    // One change of the document for all: one modified mark and one notice.
    if (!changed.empty())
        m_document->UpdatePlanEntries(changed);
    m_document->Notify(nullptr, NotifyCode::kAll);
}

void CDayManagerBase::NoteLoadedDay(double day, const std::vector<TaskPlanEntry>& entries)
{
    if (!m_document || std::floor(day) != std::floor(GetShownDate()))
        return;
    m_document->UpdateDaySummary(entries);
    m_summaryTold = true;
}

void CDayManagerBase::ToggleCompletedOne(int id)
{
    ToggleCompleted({id});
}

bool CDayManagerBase::AreAllCompleted(const std::vector<int>& ids)
{
    if (ids.empty() || !m_document)
        return false;
    for (int id : ids) {
        TaskPlanEntry entry;
        if (m_document->GetPlanEntry(id, entry) && !entry.IsCompleted())
            return false;
    }
    return true;
}

void CDayManagerBase::TrackNavigation(int x, int y)
{
    const HWND window = GetContentWindow();
    if (!window)
        return;
    RECT client = {};
    ::GetClientRect(window, &client);
    TrackPoint(client, POINT{x, y});
}

void CDayManagerBase::OnDragLeave()
{
    StopScrollTimer();
}

void CDayManagerBase::OnDragOver(int x, int y)
{
    ShowDropTarget(x, y);
    TrackNavigation(x, y);
}

void CDayManagerBase::OnScrollTimer()
{
    switch (GetZone()) {
    case kLeft:
        GoPreviousDay();
        break;
    case kRight:
        GoNextDay();
        break;
    case kTop:
    case kBottom:
        if (const HWND window = GetContentWindow())
            ::SendMessageW(window, WM_VSCROLL, GetZone() == kTop ? SB_LINEUP : SB_LINEDOWN, 0);
        break;
    default:
        break;
    }
    StartScrollTimer();
}

void CDayManagerBase::StartScrollTimer()
{
    if (m_owner)
        m_owner->SetViewTimer(DAY_NAVIGATION_TIMER_ID, kNavigationIntervalMs);
}

void CDayManagerBase::StopScrollTimer()
{
    if (m_owner)
        m_owner->KillViewTimer(DAY_NAVIGATION_TIMER_ID);
}

void CDayManagerBase::StartRefreshTimer()
{
    if (m_owner)
        m_owner->SetViewTimer(DAY_REFRESH_TIMER_ID, kRefreshIntervalMs);
}

bool CDayManagerBase::OnOwnerTimer(UINT_PTR timerId)
{
    if (timerId != DAY_NAVIGATION_TIMER_ID && timerId != DAY_REFRESH_TIMER_ID)
        return false;
    if (m_owner)
        m_owner->KillViewTimer(timerId);
    if (timerId == DAY_NAVIGATION_TIMER_ID)
        OnScrollTimer();
    else
        RefreshEntries();
    return true;
}

bool CDayManagerBase::CanAcceptData(IDataObject* dataObject)
{
    if (!dataObject || !Clipboard::IsPrivateFormatInDataObject(dataObject))
        return false;
    try {
        const PelquornDragData data = GetDragData(dataObject, Clipboard::GetPrivateClipboardFormat());
        return data.kind == PelquornDragData::kTasks || data.kind == PelquornDragData::kPlanEntries;
    } catch (const ComError&) {
        return false;
    }
}

bool CDayManagerBase::OnDrop(IDataObject* dataObject, int, int, DWORD effect)
{
    // The drag is over: its marks go before a dialog about the drop shows.
    OnDragLeave();
    PelquornDragData data;
    try {
        data = GetDragData(dataObject, Clipboard::GetPrivateClipboardFormat());
    } catch (const ComError&) {
        // Refused at the enter already; nothing to take.
        data.kind = -1;
    }
    const std::vector<int> ids(data.ids.begin(), data.ids.end());
    if (data.kind == PelquornDragData::kTasks) {
        if (ids.size() < 2) {
            LogMessage(L"PostMessage2(ID_NEW_TASK, %d)\n", static_cast<int>(ids.size()));
            PostOwnerCommand(ID_TASK_ADD);
        } else {
            ScheduleDroppedTasks(ids);
        }
    } else if (data.kind == PelquornDragData::kPlanEntries) {
        DropPlanEntries(ids, effect == DROPEFFECT_COPY);
    }
    return true;
}

void CDayManagerBase::ScheduleDroppedTasks(const std::vector<int>& taskIds)
{
    if (!m_document)
        return;
    CManyPlanEntriesDialog dialog;
    dialog.start = GetDropTime();
    dialog.ProposeDurations(m_document->GetMaxTaskEstimation(taskIds));
    if (dialog.DoModal(::GetActiveWindow()) != IDOK)
        return;
    if (m_document->ScheduleTasks(GetSelectorDate(), dialog.start, taskIds, dialog.minDuration, dialog.maxDuration))
        m_document->Notify(nullptr, NotifyCode::kTasksChanged);
}

bool CDayManagerBase::BeginDragEntries(const std::vector<int>& ids)
{
    if (!m_owner)
        return false;
    PelquornDragData data(PelquornDragData::kPlanEntries, std::vector<std::int32_t>(ids.begin(), ids.end()));
    return PostDragStart(m_owner->GetHwnd(), data);
}

void CDayManagerBase::GoPreviousDay()
{
    PostOwnerCommand(ID_DAY_PREVIOUS);
}

void CDayManagerBase::GoNextDay()
{
    PostOwnerCommand(ID_DAY_NEXT);
}

void CDayManagerBase::PostOwnerCommand(WORD commandId)
{
    if (m_owner)
        m_owner->PostViewMessage(WM_COMMAND, MAKEWPARAM(commandId, 1), 0);
}

void CDayManagerBase::AnnounceRunningEntry()
{
    if (!m_document)
        return;
    std::vector<TaskPlanEntry> entries;
    m_document->GetDayPlanEntries(std::floor(Clock::Now()), entries);
    for (const TaskPlanEntry& entry : entries) {
        if (!entry.ContainsNow())
            continue;
        if (entry.GetId() == m_announcedEntryId)
            return;
        m_announcedEntryId = entry.GetId();
        CustomActionPlayer::Play(entry);
        if (Options::GetShowTrayNotifications())
            ShowTrayPopup(entry);
        return;
    }
}
