#include "views/calendar/CalendarViewDay.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "document/DocumentMessages.h"
#include "document/IDailyPlanDocument.h"
#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"
#include "resources/AppCommandIds.h"
#include "views/calendar/PlanEntryEdits.h"
#include "views/common/ViewMessages.h"

namespace {

constexpr int kMinimumItemMinutes = 5;

int DayBeginHour()
{
    const double begin = TimeParser::ParseTime(Options::GetDayBegin());
    return static_cast<int>(std::floor(begin * 24 + 1e-7));
}

} // namespace

CCalendarViewDay::~CCalendarViewDay()
{
    if (m_planner.m_hWnd)
        m_planner.DestroyWindow();
}

HWND CCalendarViewDay::Create(ICreatableWindow* owner, const RECT& rect)
{
    if (!owner || m_planner.m_hWnd)
        return nullptr;
    SetOwnerView(owner);
    if (!m_planner.Create(CreateArgs{.parent = owner->GetHwnd(),
                                     .style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                     .exStyle = WS_EX_STATICEDGE,
                                     .rect = rect,
                                     .id = kPlannerId}))
        return nullptr;
    m_planner.SetStyleFlags(kPlannerRedHolidays);
    m_planner.SetDayCount(5);
    m_planner.SetRowScaleIndex(static_cast<int>(Options::GetDayLayoutInterval()));
    m_planner.SetMinimumLength(kMinimumItemMinutes);
    ApplyDaySettings();
    RegisterDropTarget(m_planner);
    return m_planner;
}

void CCalendarViewDay::ApplyDaySettings()
{
    const int firstHour = DayBeginHour();
    const int hours = static_cast<int>(std::floor(Options::GetRegularHours()));
    // Refused, keeping the hours shown, when the day would end before it begins or after midnight.
    m_planner.SetWorkHours(firstHour, firstHour + hours - 1);
    m_planner.SetClock24(Locale::Is24HourFormat());
}

int CCalendarViewDay::GetTopBandHeight() const
{
    return GetBandSize() + m_planner.GetSettings().headerHeight;
}

int CCalendarViewDay::GetLeftBandWidth() const
{
    return GetBandSize() + m_planner.GetSettings().timeColumnWidth;
}

int CCalendarViewDay::GetRightBandWidth() const
{
    return GetBandSize() + ::GetSystemMetrics(SM_CXVSCROLL);
}

void CCalendarViewDay::OnDragLeave()
{
    m_planner.HideDropMarker();
    CDayManagerBase::OnDragLeave();
}

bool CCalendarViewDay::OnDrop(IDataObject* dataObject, int x, int y, DWORD effect)
{
    ShowDropTarget(x, y);
    return CDayManagerBase::OnDrop(dataObject, x, y, effect);
}

void CCalendarViewDay::ReloadHolidays()
{
    IDailyPlanDocument* document = GetDocument();
    if (!document)
        return;
    std::vector<double> dates;
    document->GetHolidays(dates);
    Holidays holidays;
    holidays.SetDates(dates);
    m_planner.SetHolidays(holidays);
    // Drawn by whoever reloads them, the entries' reload or the holiday command: one paint each, not two.
    if (m_planner.m_hWnd)
        ::RedrawWindow(m_planner, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool CCalendarViewDay::IsShownDateHoliday()
{
    return m_planner.GetSettings().holidays.IsHoliday(std::floor(GetSelectorDate()));
}

void CCalendarViewDay::OnDateChanged()
{
    SelectShownDay(0);
}

void CCalendarViewDay::OpenShownDay()
{
    const double day = std::floor(GetSelectorDate());
    const double now = Clock::Now();
    const int hour = day == std::floor(now) ? static_cast<int>(std::floor((now - day) * 24 + 1e-7)) : DayBeginHour();
    SelectShownDay(std::clamp(hour, 0, 23) / 24.0);
    m_planner.ScrollSelectedHourToTop();
}

void CCalendarViewDay::SelectShownDay(double timeOfDay)
{
    const double day = std::floor(GetSelectorDate());
    CDaySettings& settings = m_planner.GetSettings();
    settings.selectedTime = day + timeOfDay;
    if (day < settings.firstDay || day > m_planner.GetLastShownMoment()) {
        settings.firstDay = day;
        settings.layoutDirty = true;
    }
    if (m_planner.m_hWnd) {
        m_planner.Invalidate(false);
        m_planner.GetPane().Invalidate(false);
    }
}

void CCalendarViewDay::LoadEntries()
{
    ApplyDaySettings();
    const int selectedId = GetSelectedEntryId();
    m_planner.ClearItems();
    IDailyPlanDocument* document = GetDocument();
    if (document) {
        const double firstDay = std::floor(m_planner.GetFirstShownDay());
        std::vector<PlannerItem> items;
        for (int d = 0; d < m_planner.GetSettings().dayCount; ++d) {
            std::vector<TaskPlanEntry> entries;
            document->GetDayPlanEntries(firstDay + d, entries);
            NoteLoadedDay(firstDay + d, entries);
            items.reserve(items.size() + entries.size());
            for (const TaskPlanEntry& entry : entries)
                items.push_back(PlannerItemOfEntry(entry, firstDay + d));
        }
        m_planner.AddItems(std::move(items));
    }
    // The selection is kept by id: the indices of the new items differ.
    m_planner.GetSettings().selectedIndex = -1;
    if (selectedId > 0)
        SelectEntryById(selectedId);
    m_planner.HideDropMarker();
    RefreshEntries();
}

void CCalendarViewDay::RefreshEntries()
{
    if (m_planner.m_hWnd)
        ::RedrawWindow(m_planner, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CDayManagerBase::RefreshEntries();
}

void CCalendarViewDay::SelectEntryById(int id)
{
    for (int i = 0; i < m_planner.GetItemCount(); ++i) {
        if (m_planner.GetItemData(i) == id) {
            m_planner.SetSelectedIndex(i);
            return;
        }
    }
}

int CCalendarViewDay::GetSelectedEntryId()
{
    const int index = m_planner.GetSelectedIndex();
    return index >= 0 ? m_planner.GetItemData(index) : 0;
}

void CCalendarViewDay::GetSelectedEntryIds(std::vector<int>& ids)
{
    ids.clear();
    if (const int id = GetSelectedEntryId(); id > 0)
        ids.push_back(id);
}

double CCalendarViewDay::GetDropTime()
{
    const double dropTime = m_planner.GetDropTime();
    return dropTime > 0 ? dropTime : CDayManagerBase::GetDropTime();
}

void CCalendarViewDay::ShowDropTarget(int x, int y)
{
    // Planner coordinates into the pane's.
    POINT point = {x, y};
    ::MapWindowPoints(m_planner, m_planner.GetPane(), &point, 1);
    m_planner.ShowDropMarker(point.x, point.y);
    m_planner.GetPane().EnsureHourCells();
    ::RedrawWindow(m_planner.GetPane(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PlannerHit hit{.kind = kHitHourCell, .point = point};
    if (m_planner.HitTest(hit))
        m_planner.SetSelectedTime(hit.dateTime, true);
}

bool CCalendarViewDay::OnCommand(WPARAM wParam, LPARAM)
{
    const WORD id = LOWORD(wParam);
    if (id == ID_DAY_ZOOM_OUT || id == ID_DAY_ZOOM_IN) {
        const int index = id == ID_DAY_ZOOM_OUT ? m_planner.DecreaseRowScale() : m_planner.IncreaseRowScale();
        Options::SetDayLayoutInterval(static_cast<DWORD>(index));
        return true;
    }
    if (id != kPlannerId)
        return false;
    OnPlannerNotification(HIWORD(wParam));
    return true;
}

void CCalendarViewDay::OnPlannerNotification(WORD code)
{
    ICreatableWindow* owner = GetOwnerView();
    switch (code) {
    case kPlannerSelectedTimeChanged:
        OnSelectedTimeChanged();
        break;
    case kPlannerSelectedItemChanged:
        if (owner)
            owner->SendViewMessage(WM_PELQUORN_DOC_CHANGED, 0, 0);
        break;
    case kPlannerDoubleClick:
        OnDoubleClick();
        break;
    case kPlannerBeginDrag:
        OnBeginDrag();
        break;
    case kPlannerFocus:
        if (owner)
            owner->SendViewMessage(WM_VIEW_ACTIVATE, 0, 0);
        break;
    case kPlannerMarkBoxClicked:
        if (const int id = GetSelectedEntryId(); id > 0)
            ToggleCompletedOne(id);
        break;
    case kPlannerEdgeDragEnded:
        OnEdgeDragEnded();
        break;
    default:
        break;
    }
}

void CCalendarViewDay::OnSelectedTimeChanged()
{
    IDateSelector* selector = GetDateSelector();
    if (!selector)
        return;
    const double shownDay = std::floor(GetShownDate());
    if (std::floor(selector->GetDate()) != shownDay)
        selector->SelectDate(shownDay);
}

void CCalendarViewDay::OnDoubleClick()
{
    if (ICreatableWindow* owner = GetOwnerView()) {
        const WORD command = GetSelectedEntryId() < 1 ? ID_TASK_ADD : ID_TASK_EDIT;
        owner->PostViewMessage(WM_COMMAND, MAKEWPARAM(command, 1), 0);
    }
}

void CCalendarViewDay::OnBeginDrag()
{
    m_planner.SetFocus();
    std::vector<int> ids;
    GetSelectedEntryIds(ids);
    if (!ids.empty())
        BeginDragEntries(ids);
}

void CCalendarViewDay::OnEdgeDragEnded()
{
    IDailyPlanDocument* document = GetDocument();
    const int id = GetSelectedEntryId();
    TaskPlanEntry entry;
    if (!document || id <= 0 || !document->GetPlanEntry(id, entry))
        return;
    const int kind = m_planner.GetEdgeDragKind();
    if (kind == kEdgeTop || kind == kEdgeBottom) {
        ApplyEdgeDrag(entry, kind, m_planner.GetEdgeDragDelta());
        document->UpdatePlanEntry(entry);
    } else {
        for (double day : DaysToCopyTo(GetSelectorDate(), m_planner.GetEdgeDragTargetDate())) {
            TaskPlanEntry copy = entry;
            copy.AssignNewId();
            document->AddPlanEntry(day, copy);
        }
    }
    document->Notify(nullptr, NotifyCode::kTasksChanged);
}
