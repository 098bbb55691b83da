// DataManager: plan entries read, added, rewritten, deleted and summed.
#include "document/xml/DataManager.h"

#include <cmath>

#include "document/model/DateFunctions.h"
#include "document/xml/ElementRecords.h"
#include "document/xml/IdText.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/Clock.h"
#include "foundation/Language.h"
#include "foundation/Options.h"
#include "foundation/StepTimer.h"

using namespace Xml;

namespace {

EString TaskRemovedText()
{
    const EString text = Resource::Translate(L"TaskRemoved");
    return text.empty() ? EString(L"TaskRemoved") : text;
}

void InsertBefore(const XmlNode& parent, const XmlNode& node, const XmlNode& before)
{
    Variant reference;
    if (before)
        reference = Variant(static_cast<IUnknown*>(before.Get()));
    else
        reference.vt = VT_NULL;
    ComPtr<IXMLDOMNode> inserted;
    ThrowIfFailed(parent->insertBefore(node.Checked(), reference, &inserted));
}

// Moments compared to the second: a day plus a time of day is a little off in binary.
long long Seconds(double moment)
{
    return std::llround(moment * 86400.0);
}

// Every child node, elements or not; 0 when the DOM cannot tell.
long ChildCount(const XmlNode& node)
{
    ComPtr<IXMLDOMNodeList> children;
    long count = 0;
    if (FAILED(node->get_childNodes(&children)) || !children || FAILED(children->get_length(&count)))
        return 0;
    return count;
}

// Below the document's DAILY section, where the table keeps its entries.
bool InDailySection(const XmlNode& element)
{
    for (XmlNode node = element.GetParent(); node && node.IsElement(); node = node.GetParent()) {
        if (node.GetName() != kDaily)
            continue;
        const XmlNode root = node.GetParent();
        return root && root.IsElement() && !root.GetParent().IsElement();
    }
    return false;
}

} // namespace

// Reading and writing.

bool DataManager::ReadPlanEntry(const XmlNode& element, TaskPlanEntry& entry)
{
    EntryTasks tasks;
    return ReadPlanEntry(element, entry, tasks);
}

DataManager::EntryTask DataManager::ReadEntryTask(int taskId)
{
    EntryTask read;
    const XmlNode taskElement = FindTask(taskId);
    if (!taskElement)
        return read;
    read.found = true;
    read.task = std::make_shared<TaskCard>();
    // Without its category path, which only the task list shows: the walk up
    // to the top category for each task of a crowded day would cost more than
    // the rest of the task's read.
    ElementRecords::Read(taskElement.Checked(), *read.task);
    if (const XmlNode rule = FindRecurrence(read.task->GetId())) {
        RecurrenceInfo recurrence;
        ElementRecords::Read(rule, recurrence);
        read.daily = recurrence.IsEveryDay();
        for (XmlNode mark = rule.GetFirstChildElement(); mark; mark = mark.GetNextElement())
            if (mark.GetName() == kCompletedPlan)
                read.completedEntries.insert(XmlDoc::GetTextAttribute(mark, kId));
        read.task->SetHasRecurrence(true);
        read.task->SetDailyRecurrence(read.daily);
    }
    return read;
}

bool DataManager::ReadPlanEntry(const XmlNode& element, TaskPlanEntry& entry, EntryTasks& tasks)
{
    entry.SetCompleted(false);
    entry.SetDailyRecurrence(false);
    entry.ShareTask(nullptr);
    ElementRecords::Read(element.Checked(), entry);
    auto [known, added] = tasks.try_emplace(entry.GetTaskId());
    if (added)
        known->second = ReadEntryTask(entry.GetTaskId());
    const EntryTask& task = known->second;
    // Only a task that is gone makes an entry unreadable: one that does not
    // read is an error, and its entries must not be cleaned away for it.
    if (!task.found) {
        entry.SetName(TaskRemovedText());
        return false;
    }
    entry.SetName(task.task->GetName());
    entry.SetCompleted(task.task->IsCompleted());
    entry.SetDailyRecurrence(task.daily);
    // A recurring task's entries are completed one by one.
    if (!task.completedEntries.empty() && task.completedEntries.count(IdText::Format(entry.GetId())))
        entry.SetCompleted(true);
    entry.ShareTask(task.task);
    return true;
}

void DataManager::WritePlanEntry(const XmlNode& element, const TaskPlanEntry& entry)
{
    PlanEntryTable& plan = Plan();
    PlanEntryTable::Entry before;
    const bool readBefore = PlanEntryTable::Read(element.Checked(), before);
    const bool newId = XmlDoc::GetTextAttribute(element, kId) != IdText::Format(entry.GetId());
    ElementRecords::Write(element, entry);
    if (newId)
        IndexElement(element);
    const bool tracked = readBefore ? plan.Remove(before) : InDailySection(element);
    PlanEntryTable::Entry after;
    if (tracked && PlanEntryTable::Read(element, after))
        plan.Add(after);
}

bool DataManager::ReadEntryTimes(const XmlNode& element, TaskPlanEntry& entry)
{
    // Reading would give any other element a DESCRIPTION.
    if (element.GetName() != kPlanEntry)
        return false;
    ElementRecords::Read(element, entry);
    return !FindTask(entry.GetTaskId()).IsEmpty();
}

void DataManager::WriteEntryTimes(const XmlNode& element, const TaskPlanEntry& entry)
{
    WritePlanEntry(element, entry);
    SyncRecurrenceTimes(entry);
}

// Finding and placing.

XmlNode DataManager::FindPlanEntry(int id)
{
    return Index().Find(ElementIndex::kPlanEntries, id);
}

bool DataManager::GetPlanEntry(int id, TaskPlanEntry& entry)
{
    const XmlNode element = FindPlanEntry(id);
    if (!element)
        return false;
    ReadPlanEntry(element, entry);
    return true;
}

std::vector<XmlNode> DataManager::SelectPlanEntriesOfTask(int taskId)
{
    std::vector<XmlNode> elements;
    std::vector<long> ids;
    for (const PlanEntryTable::Entry& entry : Plan().OfTask(taskId)) {
        if (std::find(ids.begin(), ids.end(), entry.id) != ids.end())
            continue;
        ids.push_back(entry.id);
        if (const XmlNode element = FindPlanEntry(entry.id))
            elements.push_back(element);
    }
    return elements;
}

XmlNode DataManager::FindInsertionPoint(const XmlNode& day, double start)
{
    const double minute = TruncateToMinute(start);
    for (XmlNode child = day.GetFirstChildElement(); child; child = child.GetNextElement()) {
        if (child.GetName() != kPlanEntry || !FindTask(ElementRecords::ReadInt(child, kTaskId)))
            continue;
        TimeRange times;
        times.SetStartTimeText(XmlDoc::GetTextAttribute(child, kStartTime));
        if (TruncateToMinute(times.GetStartTime()) >= minute)
            return child;
    }
    return XmlNode();
}

XmlNode DataManager::InsertPlanEntryElement(const XmlNode& day, const TaskPlanEntry& entry)
{
    PlanEntryTable& plan = Plan();
    const XmlNode element(GetDocument(false).CreateElement(kPlanEntry));
    ElementRecords::Write(element, entry);
    InsertBefore(day, element, FindInsertionPoint(day, entry.GetStartTime()));
    IndexElement(element);
    PlanEntryTable::Entry values;
    if (InDailySection(element) && PlanEntryTable::Read(element, values))
        plan.Add(values);
    return element;
}

void DataManager::ResortPlanEntry(const XmlNode& element)
{
    const XmlNode day = element.GetParent();
    TimeRange times;
    times.SetStartTimeText(XmlDoc::GetTextAttribute(element, kStartTime));
    // A move within the day: the index and the table keep the element.
    day.RemoveChild(element);
    InsertBefore(day, element, FindInsertionPoint(day, times.GetStartTime()));
}

void DataManager::RemovePlanEntryElement(const XmlNode& element)
{
    PlanEntryTable& plan = Plan();
    PlanEntryTable::Entry values;
    if (PlanEntryTable::Read(element, values))
        plan.Remove(values);
    RemoveElement(element);
}

// The task and its recurrence following the plan.

void DataManager::SetTaskPlannedStatus(int taskId, int status)
{
    const XmlNode task = FindTask(taskId);
    if (!task)
        return;
    ElementRecords::WriteInt(task, kStatus, status);
    if (status != TaskCard::kCompleted)
        ReopenTaskCategories(taskId);
}

void DataManager::WriteTaskColor(const TaskPlanEntry& entry)
{
    // An entry built without its task carries a card of no colour of its own,
    // which would paint the task in the colour of importance 0.
    if (entry.GetTask().GetId() != entry.GetTaskId())
        return;
    const XmlNode task = FindTask(entry.GetTaskId());
    if (!task)
        return;
    TaskCard copy = entry.GetTask();
    XmlDoc::SetUnsignedAttribute(task, kColorDef, copy.GetColor());
}

void DataManager::SyncRecurrenceTimes(const TaskPlanEntry& entry)
{
    const XmlNode element = FindRecurrence(entry.GetTaskId());
    if (!element)
        return;
    RecurrenceInfo recurrence;
    ElementRecords::Read(element, recurrence);
    recurrence.SetStartKeepDuration(entry.GetStartTime());
    recurrence.SetEnd(entry.GetEndTime());
    ElementRecords::Write(element, recurrence);
}

void DataManager::WriteDailyRecurrence(double date, const TaskPlanEntry& entry, bool setDeadline)
{
    RecurrenceInfo rule;
    double startDate = OleDateFloor(date);
    if (const XmlNode existing = FindRecurrence(entry.GetTaskId())) {
        RecurrenceInfo old;
        ElementRecords::Read(existing, old);
        startDate = old.GetStartDate();
    }
    rule.SetId(entry.GetTaskId());
    rule.SetStartDate(startDate);
    rule.SetEndType(RecurrenceInfo::kNoEnd);
    rule.SetPatternPeriod(RecurrenceInfo::kDaily);
    rule.SetEveryDayIndex(0);
    rule.SetDayWorkday(RecurrenceInfo::kAllDays);
    rule.SetStartKeepDuration(entry.GetStartTime());
    rule.SetEnd(entry.GetEndTime());
    rule.SetFixedTime(entry.GetFixedTime());
    SetRecurrence(rule, setDeadline);
}

void DataManager::ResetStatusIfUnplanned(int taskId)
{
    if (Plan().OfTask(taskId).empty())
        SetTaskPlannedStatus(taskId, TaskCard::kNew);
}

// Days.

void DataManager::GetDayPlanEntries(double date, std::vector<TaskPlanEntry>& entries)
{
    const StepTimer timing(L"day-read", StepTimer::kWhenSlow);
    const XmlNode day = GetPlanDay(date);
    // Room for the whole day at once: growing by doubling would move a crowded day's entries over and over.
    entries.reserve(entries.size() + static_cast<size_t>(ChildCount(day)));
    // A crowded day plans the same tasks many times over: each is read once.
    EntryTasks tasks;
    for (XmlNode child = day.GetFirstChildElement(); child;) {
        const XmlNode next = child.GetNextElement();
        if (child.HasName(kPlanEntry)) {
            TaskPlanEntry entry;
            if (ReadPlanEntry(child, entry, tasks))
                entries.push_back(std::move(entry));
            else
                RemovePlanEntryElement(child);
        }
        child = next;
    }
}

XmlNode DataManager::PlacePlanEntry(double date, const TaskPlanEntry& entry)
{
    const XmlNode day = GetPlanDay(date);
    if (!day)
        return XmlNode();
    const XmlNode element = InsertPlanEntryElement(day, entry);
    if (Options::GetAllowSimultaneous() == 0)
        ResolveOverlaps(element);
    return element;
}

void DataManager::AddPlanEntry(double date, const TaskPlanEntry& entry, bool setDeadline, bool setRecurrence)
{
    if (!PlacePlanEntry(date, entry))
        return;
    try {
        SetTaskPlannedStatus(entry.GetTaskId(), TaskCard::kInProgress);
        WriteTaskColor(entry);
    } catch (const ComError&) {
        // The entry is planned; the task keeps its status and colour.
    }
    if (setRecurrence && entry.IsDailyRecurrence())
        WriteDailyRecurrence(date, entry, setDeadline);
}

void DataManager::UpdatePlanEntry(const TaskPlanEntry& entry, bool keepOverlaps)
{
    const XmlNode element = FindPlanEntry(entry.GetId());
    if (!element)
        ThrowComError(E_POINTER, EString::Formatted(L"There is no plan entry with the id %d.", entry.GetId()));
    const double day = GetEntryDay(element);
    const int taskId = entry.GetTaskId();
    RecurrenceInfo recurrence;
    bool hadRecurrence = false;
    if (const XmlNode rule = FindRecurrence(taskId)) {
        ReadRecurrence(rule, recurrence);
        hadRecurrence = true;
    }
    const bool wasEveryDay = hadRecurrence && recurrence.IsEveryDay();
    SyncRecurrenceTimes(entry);
    WritePlanEntry(element, entry);
    WriteTaskColor(entry);
    ResortPlanEntry(element);
    if (!keepOverlaps)
        ResolveOverlaps(element);
    if (wasEveryDay && !entry.IsDailyRecurrence())
        DeleteRecurrence(taskId);
    if (entry.IsDailyRecurrence()) {
        if (hadRecurrence && !wasEveryDay) {
            const XmlNode rule = FindRecurrence(taskId);
            RecurrenceInfo everyDay;
            ElementRecords::Read(rule, everyDay);
            everyDay.SetEveryDay();
            ElementRecords::Write(rule, everyDay);
        } else if (!hadRecurrence) {
            // From the element as the repair of the day left it.
            TaskPlanEntry placed = entry;
            ElementRecords::Read(element, placed);
            WriteDailyRecurrence(day, placed, true);
        }
        if (const XmlNode rule = FindRecurrence(taskId))
            ReadRecurrence(rule, recurrence);
    }
    WriteCompletion(day, entry, hadRecurrence || entry.IsDailyRecurrence(), recurrence);
}

void DataManager::WriteCompletion(double day, const TaskPlanEntry& entry, bool recurring,
                                  const RecurrenceInfo& recurrence)
{
    const int taskId = entry.GetTaskId();
    if (recurring) {
        if (!entry.IsCompleted()) {
            RemoveCompletedPlan(taskId, entry.GetId());
            return;
        }
        try {
            AddCompletedPlan(taskId, entry.GetId());
            // Only the deadline: a rewrite of a completed task would take its recurrence.
            TaskCard task;
            task.SetDeadline(recurrence.NextOccurrence(day + 1));
            if (const XmlNode taskElement = FindTask(taskId))
                ElementRecords::WriteDeadline(taskElement, task);
        } catch (const ComError&) {
            // The occurrence is marked; the deadline stays.
        }
        return;
    }
    try {
        SetTaskPlannedStatus(taskId, entry.IsCompleted() ? TaskCard::kCompleted : TaskCard::kInProgress);
    } catch (const ComError&) {
        // The entry is written; the task keeps its status.
    }
}

void DataManager::UpdatePlanEntries(const std::vector<TaskPlanEntry>& entries, bool keepOverlaps)
{
    for (const TaskPlanEntry& entry : entries) {
        const XmlNode element = FindPlanEntry(entry.GetId());
        TaskPlanEntry stored;
        if (!element || !ReadPlanEntry(element, stored)) {
            UpdatePlanEntry(entry, keepOverlaps);
            continue;
        }
        TaskPlanEntry sameCompletion = entry;
        sameCompletion.SetCompleted(stored.IsCompleted());
        const bool onlyCompletion = sameCompletion == stored && entry.GetDescription() == stored.GetDescription() &&
                                    entry.IsDailyRecurrence() == stored.IsDailyRecurrence() &&
                                    sameCompletion.GetTask().GetColor() == stored.GetTask().GetColor();
        // Rewriting and moving an entry walks its day: a batch of a crowded day would walk it per entry.
        if (!onlyCompletion) {
            UpdatePlanEntry(entry, keepOverlaps);
            continue;
        }
        RecurrenceInfo recurrence;
        const XmlNode rule = FindRecurrence(entry.GetTaskId());
        if (rule)
            ReadRecurrence(rule, recurrence);
        WriteCompletion(GetEntryDay(element), entry, !rule.IsEmpty(), recurrence);
    }
}

void DataManager::DeletePlanEntry(int id)
{
    const XmlNode element = FindPlanEntry(id);
    if (!element)
        return;
    const int taskId = ElementRecords::ReadInt(element, kTaskId);
    RemovePlanEntryElement(element);
    try {
        ResetStatusIfUnplanned(taskId);
    } catch (const ComError&) {
        // The entry is gone; the task keeps its status.
    }
}

void DataManager::DeletePlanEntries(const std::vector<int>& ids)
{
    for (const int id : ids)
        DeletePlanEntry(id);
}

// Sums over a task's entries.

namespace {

double LastPlanDate(const std::vector<PlanEntryTable::Entry>& entries)
{
    if (entries.empty())
        return 0;
    double last = entries.front().day;
    for (const PlanEntryTable::Entry& entry : entries)
        last = std::max(last, entry.day);
    return last;
}

} // namespace

double DataManager::GetLastPlanDateOfTask(int taskId)
{
    return LastPlanDate(Plan().OfTask(taskId));
}

std::vector<double> DataManager::GetLastPlanDatesOfTasks(const std::vector<int>& taskIds)
{
    const PlanEntryTable& plan = Plan();
    std::vector<double> dates;
    dates.reserve(taskIds.size());
    for (const int taskId : taskIds)
        dates.push_back(LastPlanDate(plan.OfTask(taskId)));
    return dates;
}

void DataManager::SumPlanEntryHours(TaskCard& task)
{
    SumPlanEntryHours(Plan(), Clock::Now(), task);
}

void DataManager::SumPlanEntryHours(const PlanEntryTable& plan, double now, TaskCard& task)
{
    const long long nowSeconds = Seconds(now);
    double done = 0, planned = 0;
    for (const PlanEntryTable::Entry& entry : plan.OfTask(task.GetId())) {
        const double hours = (entry.end - entry.start) * 24;
        if (Seconds(entry.day + entry.start) < nowSeconds)
            done += hours;
        else
            planned += hours;
    }
    task.SetDoneTime(done);
    task.SetPlannedTime(planned);
}
