// CPelquornDoc: plan entries, scheduling, holidays and time tracking.
#include "document/PelquornDoc.h"

#include <algorithm>
#include <cmath>

#include "document/DocumentText.h"
#include "document/model/DateFunctions.h"
#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"

namespace {

constexpr int kShortNameLength = 20;
constexpr CountedNoun kPlanEntries = {L"PlanEntryCount", L"%d plan entry", L"PlanEntriesCount", L"%d plan entries"};

// One sentence a line: what was moved on, then what still overlaps.
EString OverlapsLeftText(const DataManager::UnrepairedOverlaps& left)
{
    EString text = TranslatedText(L"OverlapsNotAllRepaired",
                                  L"Not every overlap could be repaired: one change moves only so many plan entries "
                                  L"on to later days.");
    if (left.moved > 0) {
        const EString moved = CountedText(left.moved, kPlanEntries);
        text += L"\n" + (left.firstDay == left.lastDay
                             ? FillTextFormat(TranslatedText(L"OverlapsMovedOnOneDay", L"%s moved on to %s."),
                                              {moved, FormatOleDate(left.firstDay)})
                             : FillTextFormat(TranslatedText(L"OverlapsMovedOn", L"%s moved on to the days from %s to %s."),
                                              {moved, FormatOleDate(left.firstDay), FormatOleDate(left.lastDay)}));
    }
    EString days;
    for (const DataManager::UnrepairedOverlaps::Day& day : left.days) {
        if (!days.IsEmpty())
            days += L", ";
        days += FillTextFormat(TranslatedText(L"OverlapsOnDay", L"%s on %s"),
                               {CountedText(day.overlapping, kPlanEntries), FormatOleDate(day.date)});
    }
    return text + L"\n" + FillTextFormat(TranslatedText(L"OverlapsStillLeft", L"Still overlapping: %s."), {days});
}

} // namespace

void CPelquornDoc::TellOverlapsLeft()
{
    if (!m_dataManager)
        return;
    const DataManager::UnrepairedOverlaps left = m_dataManager->TakeUnrepairedOverlaps();
    if (!left.IsEmpty())
        Prompts().ShowError(OverlapsLeftText(left));
}

bool CPelquornDoc::GetPlanEntry(int id, TaskPlanEntry& entry)
{
    return Silently(false, [&] { return GetDataManager().GetPlanEntry(id, entry); });
}

void CPelquornDoc::GetDayPlanEntries(double day, std::vector<TaskPlanEntry>& entries)
{
    Guarded([&] { GetDataManager().GetDayPlanEntries(day, entries); });
}

bool CPelquornDoc::AddPlanEntry(double day, const TaskPlanEntry& entry)
{
    SetModified(1);
    const bool added = Guarded(false, [&] {
        GetDataManager().AddPlanEntry(day, entry, true, true);
        return true;
    });
    TellOverlapsLeft();
    return added;
}

void CPelquornDoc::DeletePlanEntry(int id)
{
    SetModified(1);
    Guarded([&] { GetDataManager().DeletePlanEntry(id); });
}

void CPelquornDoc::DeletePlanEntries(const std::vector<int>& ids)
{
    SetModified(1);
    Guarded([&] { GetDataManager().DeletePlanEntries(ids); });
}

bool CPelquornDoc::UpdatePlanEntry(const TaskPlanEntry& entry)
{
    TaskPlanEntry stored;
    const bool completes = GetPlanEntry(entry.GetId(), stored) && !stored.IsCompleted() && entry.IsCompleted();
    SetModified(1);
    const bool updated = Guarded(false, [&] {
        GetDataManager().UpdatePlanEntry(entry, Options::GetAllowSimultaneous() != 0);
        return true;
    });
    TellOverlapsLeft();
    if (updated && completes)
        CheckCategoryCompletion(entry.GetTaskId());
    return updated;
}

bool CPelquornDoc::UpdatePlanEntries(const std::vector<TaskPlanEntry>& entries)
{
    std::vector<int> completedTasks;
    for (const TaskPlanEntry& entry : entries) {
        TaskPlanEntry stored;
        if (entry.IsCompleted() && GetPlanEntry(entry.GetId(), stored) && !stored.IsCompleted() &&
            std::find(completedTasks.begin(), completedTasks.end(), entry.GetTaskId()) == completedTasks.end())
            completedTasks.push_back(entry.GetTaskId());
    }
    SetModified(1);
    const bool updated = Guarded(false, [&] {
        GetDataManager().UpdatePlanEntries(entries, Options::GetAllowSimultaneous() != 0);
        return true;
    });
    TellOverlapsLeft();
    for (const int taskId : completedTasks)
        if (updated)
            CheckCategoryCompletion(taskId);
    return updated;
}

bool CPelquornDoc::ArrangePlanEntries(double day, double start, const std::vector<int>& ids, bool copy)
{
    SetModified(1);
    const bool arranged = Silently(false, [&] {
        GetDataManager().ArrangePlanEntries(day, start, ids, copy);
        return true;
    });
    TellOverlapsLeft();
    return arranged;
}

bool CPelquornDoc::ScheduleTasks(double day, double start, const std::vector<int>& taskIds, double shortestHours,
                                 double longestHours)
{
    SetModified(1);
    const bool scheduled = Silently(false, [&] {
        GetDataManager().ScheduleTasks(day, start, taskIds, shortestHours, longestHours);
        return true;
    });
    TellOverlapsLeft();
    return scheduled;
}

double CPelquornDoc::GetProposedStartTime(double day, int planEntryId)
{
    return Silently(0.0, [&] { return GetDataManager().GetProposedStartTime(day, planEntryId, 0); });
}

void CPelquornDoc::AddRecurringPlanEntries(double day)
{
    SetModified(1);
    Guarded([&] { GetDataManager().AddRecurringPlanEntries(day); });
    TellOverlapsLeft();
    Notify(nullptr, NotifyCode::kAll);
}

double CPelquornDoc::RescheduleToNextWorkDay(double day)
{
    SetModified(1);
    const double target = Guarded(0.0, [&] { return GetDataManager().RescheduleToNextWorkDay(day); });
    TellOverlapsLeft();
    return target;
}

void CPelquornDoc::ToggleHoliday(double date)
{
    SetModified(1);
    Guarded([&] { GetDataManager().ToggleHoliday(date); });
}

EString CPelquornDoc::FormatDayPlanText()
{
    EString text;
    Silently(false, [&] {
        std::vector<TaskPlanEntry> entries;
        GetDataManager().GetDayPlanEntries(Clock::Today(), entries);
        for (const TaskPlanEntry& entry : entries) {
            EString name = entry.GetName();
            if (name.size() > kShortNameLength)
                name = name.Left(kShortNameLength) + L"...";
            text += EString::Formatted(L"%s %s %s\n", entry.IsCompleted() ? L"x" : L" ",
                                       entry.GetStartTimeText().c_str(), name.c_str());
        }
        return true;
    });
    return text;
}

void CPelquornDoc::StartTracking()
{
    m_tracking = 1;
    const int taskId = GetFirstSelectedTaskId();
    TaskCard task;
    if (taskId <= 0 || !GetTask(taskId, task))
        return;
    const double now = Clock::Now();
    const double timeOfDay = TimeParser::GetTimeOfDay(now);
    TaskPlanEntry entry(taskId, timeOfDay, timeOfDay, EString(), task.GetName(), 1, 0);
    if (!AddPlanEntry(now, entry))
        return;
    ProlongPreviousEntry(entry.GetId());
    m_trackedPlanEntryId = entry.GetId();
    Notify(nullptr, NotifyCode::kTasksChanged);
}

void CPelquornDoc::UpdateTrackedPlanEntry()
{
    BookTrackedTime(false);
}

void CPelquornDoc::StopTracking()
{
    if (!m_tracking)
        return;
    BookTrackedTime(true);
    m_tracking = 0;
    m_trackedPlanEntryId = 0;
    Notify(nullptr, NotifyCode::kTasksChanged);
}

void CPelquornDoc::BookTrackedTime(bool stopping)
{
    TaskPlanEntry entry;
    if (!m_tracking || !GetPlanEntry(m_trackedPlanEntryId, entry))
        return;
    const double now = Clock::Now();
    const double today = std::floor(now);
    const double timeOfDay = TimeParser::GetTimeOfDay(now);
    const double day = Silently(0.0, [&] {
        return XmlDataElements::GetEntryDay(GetDataManager().FindPlanEntry(m_trackedPlanEntryId));
    });
    // On its own day (or one the clock was turned back to) the entry grows to
    // now; a start later than now keeps its end.
    if (day <= 0 || day >= today) {
        if (entry.GetStartTime() < timeOfDay)
            entry.SetEnd(timeOfDay);
        UpdatePlanEntry(entry);
        return;
    }
    // Past one midnight the first day is booked to its end and the time goes
    // on from 00:00. Past several, the program did not run meanwhile (a
    // machine asleep, a clock set forward): the entry keeps the end its last
    // update gave it, nothing is booked on the days between, and the time
    // goes on from now.
    const bool nextDay = day == today - 1;
    if (nextDay) {
        entry.SetEnd(EndOfDayTime());
        UpdatePlanEntry(entry);
    }
    const double start = nextDay ? 0.0 : timeOfDay;
    // A stop leaves no entry of no minutes behind.
    if (stopping && TruncateToMinute(start) >= TruncateToMinute(timeOfDay))
        return;
    TaskPlanEntry continued(entry.GetTaskId(), start, timeOfDay, EString(), entry.GetName(), 1, 0);
    if (AddPlanEntry(today, continued))
        m_trackedPlanEntryId = continued.GetId();
}

void CPelquornDoc::ProlongPreviousEntry(int entryId)
{
    if (!Options::GetProlongPrevious() || m_previousPlanEntryId <= 0)
        return;
    SetModified(1);
    Guarded([&] { GetDataManager().ProlongPreviousEntry(entryId, m_previousPlanEntryId); });
    TellOverlapsLeft();
}
