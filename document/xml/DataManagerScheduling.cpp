// DataManager: the planning aids: date ranges, deadlines spread over work days, tasks scheduled into days.
#include "document/xml/DataManager.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "document/model/DateFunctions.h"
#include "document/xml/ElementRecords.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/Clock.h"
#include "foundation/OleDate.h"

using namespace Xml;

namespace {

// The setting's default: hours of work a day.
constexpr double kDefaultLoadFactor = 2.5;
constexpr double kLastDay = 2958465; // 31 December 9999

long long Seconds(double time)
{
    return std::llround(time * 86400.0);
}

bool CompareByDeadline(const TaskCard& a, const TaskCard& b)
{
    if (a.GetDeadline() != b.GetDeadline())
        return a.GetDeadline() < b.GetDeadline();
    if (a.GetImportance() != b.GetImportance())
        return a.GetImportance() < b.GetImportance();
    return a.GetId() < b.GetId();
}

} // namespace

void DataManager::GetTaskDateRange(int categoryId, const FilterInfo& filter, double& first, double& last)
{
    std::vector<TaskCard> tasks;
    ReadTasks(categoryId, tasks, filter, true, true, false, false);
    GetTaskDateRange(categoryId, tasks, first, last);
}

void DataManager::GetTaskDateRange(int categoryId, const std::vector<TaskCard>& tasks, double& first, double& last)
{
    // One look at each task's entries in the table, where the XPath would
    // have searched the document for all of them at once.
    bool planned = false;
    double earliestPlan = 0, latestPlan = 0, earliestDeadline = 0, latestDeadline = 0;
    for (size_t i = 0; i < tasks.size(); ++i) {
        const double deadline = tasks[i].GetDeadline();
        earliestDeadline = i == 0 ? deadline : std::min(earliestDeadline, deadline);
        latestDeadline = i == 0 ? deadline : std::max(latestDeadline, deadline);
        for (const PlanEntryTable::Entry& entry : Plan().OfTask(tasks[i].GetId())) {
            earliestPlan = planned ? std::min(earliestPlan, entry.day) : entry.day;
            latestPlan = planned ? std::max(latestPlan, entry.day) : entry.day;
            planned = true;
        }
    }
    first = Clock::Today();
    if (earliestPlan != 0)
        first = earliestPlan;
    if (earliestDeadline > 0 && earliestDeadline < first)
        first = earliestDeadline;
    last = first + 42;
    if (latestDeadline > last)
        last = latestDeadline;
    if (latestPlan > last)
        last = latestPlan;
    if (categoryId <= 0)
        return;
    try {
        Category category;
        GetCategory(categoryId, category);
        first = std::min(first, category.GetDeadline());
        last = std::max(last, category.GetDeadline());
    } catch (const ComError&) {
        // The tasks alone give the range.
    }
}

void DataManager::ArrangeDeadlines(int categoryId, int statusFilter, double startDate, float loadFactor)
{
    if (!IsValidOleDate(startDate))
        ThrowComError(E_INVALIDARG, L"The deadlines need a start date.");
    // A load factor of 0 would put every deadline at the end of time, and
    // spread the tasks over nothing.
    const double factor = std::isfinite(loadFactor) && loadFactor > 0 ? loadFactor : kDefaultLoadFactor;
    std::vector<TaskCard> tasks;
    SelectCategoryTasks(categoryId, tasks, statusFilter, true, true);
    std::stable_sort(tasks.begin(), tasks.end(), CompareByDeadline);
    const WorkCalendar calendar = GetWorkCalendar();
    const double startDay = std::floor(startDate);
    double cumulative = 0;
    for (TaskCard& task : tasks) {
        if (task.IsCompleted())
            continue;
        cumulative += task.GetRemainingEstimation();
        const double candidate = std::min(std::floor(cumulative / factor - 0.0000001) + startDay, kLastDay);
        task.SetDeadline(std::min(calendar.AdjustForNonWorkDays(startDay, candidate), kLastDay));
        if (const XmlNode element = FindTask(task.GetId()))
            ElementRecords::WriteDeadline(element, task);
    }
}

void DataManager::ScheduleTasks(double day, double start, const std::vector<int>& taskIds, double minHours,
                                double maxHours)
{
    double current = std::floor(day);
    double from = start;
    for (const int id : taskIds) {
        TaskCard task;
        GetTaskWithTimes(id, task);
        double hours = task.GetRemainingEstimation();
        if (hours > maxHours)
            hours = maxHours;
        if (hours < minHours)
            hours = minHours;
        double end = from + hours / 24;
        const double overflow = end - EndOfDayTime();
        if (end >= 1.0)
            end = EndOfDayTime();
        TaskPlanEntry entry(id, from, end, EString(), task.GetName(), 0, 0);
        entry.SetTask(task);
        AddPlanEntry(current, entry, true, true);
        if (Seconds(overflow) > 0) {
            current += 1;
            TaskPlanEntry rest(id, 0, overflow, EString(), task.GetName(), 0, 0);
            rest.SetTask(task);
            AddPlanEntry(current, rest, true, true);
            from = overflow;
        } else {
            from = end;
        }
    }
}

double DataManager::GetProposedStartTime(double day, int planEntryId, double duration)
{
    std::vector<TaskPlanEntry> entries;
    GetDayPlanEntries(day, entries);
    std::stable_sort(entries.begin(), entries.end(), StartsBefore);
    if (planEntryId > 0) {
        const auto found = std::find_if(entries.begin(), entries.end(),
                                        [&](const TaskPlanEntry& entry) { return entry.GetId() == planEntryId; });
        if (found != entries.end()) {
            if (found != entries.begin())
                return std::prev(found)->GetEndTime();
            if (found->GetFixedTime())
                return std::max(0.0, found->GetStartTime() - duration);
            return found->GetStartTime();
        }
    }
    if (!entries.empty())
        return entries.back().GetEndTime();
    return std::floor(day) == Clock::Today() ? CurrentTimeOfDay() : GetDayBeginTime();
}

void DataManager::ProlongPreviousEntry(int planEntryId, int expectedPreviousId)
{
    const XmlNode element = FindPlanEntry(planEntryId);
    if (!element)
        return;
    XmlNode previous = XmlDoc::PreviousSibling(element);
    while (previous && previous.GetName() != kPlanEntry)
        previous = XmlDoc::PreviousSibling(previous);
    const int previousId = previous ? ElementRecords::ReadInt(previous, kId) : 0;
    if (previousId != expectedPreviousId || previousId <= 0)
        return;
    TaskPlanEntry entry, before;
    ReadPlanEntry(element, entry);
    ReadPlanEntry(previous, before);
    if (Seconds(entry.GetStartTime()) <= Seconds(before.GetStartTime()))
        return;
    before.SetEnd(entry.GetStartTime());
    UpdatePlanEntry(before, false);
}

double DataManager::RescheduleToNextWorkDay(double date)
{
    std::vector<TaskPlanEntry> entries;
    GetDayPlanEntries(date, entries);
    const double target = GetWorkCalendar().NextWorkDay(date);
    std::unordered_set<int> handled;
    for (const TaskPlanEntry& entry : entries) {
        if (entry.IsCompleted() || HasRecurrence(entry.GetTaskId()) || !handled.insert(entry.GetTaskId()).second)
            continue;
        ReplanOnDay(target, entry);
    }
    return target;
}

void DataManager::ReplanOnDay(double day, const TaskPlanEntry& entry)
{
    TaskCard task;
    GetTaskWithTimes(entry.GetTaskId(), task);
    double hours = task.GetRemainingEstimation();
    if (hours <= 0.09 || hours > 2)
        hours = entry.GetDurationHours();
    const double begin = GetDayBeginTime();
    TaskPlanEntry replanned(entry.GetTaskId(), begin, begin + hours / 24, entry.GetDescription(), entry.GetName(), 0,
                            0);
    replanned.SetTask(task);
    AddPlanEntry(day, replanned, true, true);
}

void DataManager::AddRecurringPlanEntries(double date)
{
    std::vector<RecurrenceInfo> rules;
    GetRecurrences(rules);
    // Clears the day of entries whose task is gone.
    std::vector<TaskPlanEntry> entries;
    GetDayPlanEntries(date, entries);
    for (const RecurrenceInfo& rule : rules) {
        if (!rule.OccursOn(date))
            continue;
        const XmlNode task = FindTask(rule.GetId());
        if (!task)
            continue; // a rule left behind by a hand-edited file plans nothing
        if (DayHolds(date, rule.GetId(), rule.GetStartTime(), rule.GetEndTime()))
            continue;
        const TaskPlanEntry candidate(rule.GetId(), rule.GetStartTime(), rule.GetEndTime(), EString(),
                                      XmlDoc::GetTextAttribute(task, kName), rule.GetFixedTime(), rule.IsEveryDay());
        AddPlanEntry(date, candidate, false, true);
    }
}

bool DataManager::DayHolds(double date, int taskId, double start, double end)
{
    // Read again for each candidate: the repair of overlaps moves the day's entries.
    for (const XmlNode& child : GetPlanDay(date).GetChildElements()) {
        if (child.GetName() != kPlanEntry || ElementRecords::ReadInt(child, kTaskId) != taskId)
            continue;
        TimeRange times;
        times.SetStartTimeText(XmlDoc::GetTextAttribute(child, kStartTime));
        times.SetEndTimeText(XmlDoc::GetTextAttribute(child, kEndTime));
        if (Seconds(times.GetStartTime()) == Seconds(start) && Seconds(times.GetEndTime()) == Seconds(end))
            return true;
    }
    return false;
}
