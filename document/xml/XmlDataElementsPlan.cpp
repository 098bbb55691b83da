// XmlDataElements: days, recurrences, reminders, holidays, properties and the trees' state.
#include "document/xml/XmlDataElements.h"

#include "document/model/DateFunctions.h"
#include "document/xml/ElementRecords.h"
#include "document/xml/IdText.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/Clock.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"

using namespace Xml;

namespace {

double DayBegin()
{
    return TimeParser::ParseTime(Options::GetDayBegin());
}

EString IdPredicate(int id)
{
    return L"[@ID=\"" + IdText::Format(id) + L"\"]";
}

void RequireExisting(const XmlNode& node, const wchar_t* what, int id)
{
    if (!node)
        ThrowComError(E_POINTER, EString::Formatted(L"There is no %s with the id %d.", what, id));
}

} // namespace

// Days.

XmlNode XmlDataElements::FindDay(const XmlNode& section, double date)
{
    // The plan's days are found through the index, and new ones enter it.
    if (section.GetName() == kDaily && section.IsSameNode(GetDailySection()))
        return GetPlanDay(date);
    const EString text = DateParser::FormatDate(date);
    if (XmlNode day = section.SelectSingleNode(EString(kDay) + L"[@" + kDate + L"=\"" + text + L"\"]"))
        return day;
    const XmlNode day = AddChildElement(section, kDay);
    SetAttribute(day, kDate, text);
    return day;
}

XmlNode XmlDataElements::GetPlanDay(double date)
{
    const EString text = DateParser::FormatDate(date);
    if (XmlNode day = Index().FindPlanDay(text))
        return day;
    const XmlNode day = NewElement(kDay);
    SetAttribute(day, kDate, text);
    GetDailySection().AppendChild(day);
    Index().AddPlanDay(text, day);
    return day;
}

XmlNode XmlDataElements::GetMoodDay(double date)
{
    return FindDay(GetMoodsDailySection(), date);
}

double XmlDataElements::GetEntryDay(const XmlNode& element)
{
    if (!element)
        return 0;
    const XmlNode day = element.GetParent();
    if (!day)
        return 0;
    return PlanEntryTable::DayOfDate(GetTextAttribute(day, kDate));
}

XmlNodeList XmlDataElements::SelectPlanEntries(const EString& predicate)
{
    const XmlDocument document = GetDocument(true);
    if (predicate.empty())
        return document.SelectNodes(L"/..");
    return document.SelectNodes(EString(L"//") + kPlanEntry + L"[" + predicate + L"]");
}

XmlNodeList XmlDataElements::SelectTaskPlanEntries(int taskId)
{
    return SelectPlanEntries(EString(L"@") + kTaskId + L"=\"" + IdText::Format(taskId) + L"\"");
}

// Recurrences.

XmlNode XmlDataElements::FindRecurrence(int taskId)
{
    return Index().Find(ElementIndex::kRecurrences, taskId);
}

bool XmlDataElements::HasRecurrence(int taskId)
{
    return !FindRecurrence(taskId).IsEmpty();
}

bool XmlDataElements::GetRecurrence(int taskId, RecurrenceInfo& recurrence)
{
    TaskCard task;
    GetTask(taskId, task);
    bool found = false;
    if (const XmlNode element = FindRecurrence(taskId)) {
        ReadRecurrence(element, recurrence);
        found = true;
    } else {
        const double begin = DayBegin();
        recurrence.SetStartKeepDuration(begin);
        recurrence.SetEnd(begin + 30.0 / 1440.0);
    }
    recurrence.SetId(taskId);
    recurrence.SetName(task.GetName());
    return found;
}

void XmlDataElements::SetRecurrence(const RecurrenceInfo& recurrence, bool setDeadline)
{
    const int taskId = recurrence.GetId();
    // A rule without its task would still plan occurrences of it.
    RequireExisting(FindTask(taskId), L"task", taskId);
    if (const XmlNode element = FindRecurrence(taskId)) {
        WriteRecurrence(element, recurrence);
    } else {
        const XmlNode added = NewElement(kRecurrence);
        ElementRecords::Write(added, recurrence);
        GetRecurrenceSection().AppendChild(added);
        Index().Add(ElementIndex::kRecurrences, taskId, added);
    }
    if (!setDeadline)
        return;
    try {
        // The next working day must skip the document's holidays.
        RecurrenceInfo rule = recurrence;
        std::vector<double> holidays;
        GetHolidays(holidays);
        rule.SetDates(holidays);
        TaskCard task;
        GetTask(taskId, task);
        task.SetDeadline(rule.NextOccurrence(0));
        UpdateTask(task);
    } catch (const ComError&) {
        // The rule is stored; the deadline stays as it was.
    }
}

void XmlDataElements::WriteRecurrence(const XmlNode& element, const RecurrenceInfo& recurrence)
{
    const bool newId = GetTextAttribute(element.Checked(), kId) != IdText::Format(recurrence.GetId());
    ElementRecords::Write(element, recurrence);
    if (newId)
        Index().Add(ElementIndex::kRecurrences, recurrence.GetId(), element);
}

void XmlDataElements::ReadRecurrence(const XmlNode& element, RecurrenceInfo& recurrence)
{
    ElementRecords::Read(element.Checked(), recurrence);
    std::vector<double> holidays;
    GetHolidays(holidays);
    recurrence.SetDates(holidays);
}

bool XmlDataElements::DeleteRecurrence(int taskId)
{
    const XmlNode element = FindRecurrence(taskId);
    if (!element)
        return false;
    RemoveElement(element);
    return true;
}

void XmlDataElements::GetRecurrences(std::vector<RecurrenceInfo>& recurrences)
{
    std::vector<double> holidays;
    GetHolidays(holidays);
    for (const XmlNode& child : GetRecurrenceSection().GetChildElements()) {
        if (child.GetName() != kRecurrence)
            continue;
        RecurrenceInfo recurrence;
        ElementRecords::Read(child, recurrence);
        recurrence.SetDates(holidays);
        recurrences.push_back(recurrence);
    }
}

bool XmlDataElements::IsEveryDayRecurrence(int taskId)
{
    const XmlNode element = FindRecurrence(taskId);
    if (!element)
        return false;
    RecurrenceInfo recurrence;
    ElementRecords::Read(element, recurrence);
    return recurrence.IsEveryDay();
}

bool XmlDataElements::DeleteEveryDayRecurrence(int taskId)
{
    return IsEveryDayRecurrence(taskId) && DeleteRecurrence(taskId);
}

XmlNode XmlDataElements::FindCompletedPlan(const XmlNode& recurrence, int planEntryId)
{
    if (!recurrence)
        return XmlNode();
    return recurrence.SelectSingleNode(kCompletedPlan + IdPredicate(planEntryId));
}

void XmlDataElements::AddCompletedPlan(int taskId, int planEntryId)
{
    const XmlNode recurrence = FindRecurrence(taskId);
    if (!recurrence || FindCompletedPlan(recurrence, planEntryId))
        return;
    ElementRecords::WriteInt(AddChildElement(recurrence, kCompletedPlan), kId, planEntryId);
}

void XmlDataElements::RemoveCompletedPlan(int taskId, int planEntryId)
{
    if (const XmlNode mark = FindCompletedPlan(FindRecurrence(taskId), planEntryId))
        mark.RemoveFromParent();
}

bool XmlDataElements::IsPlanCompleted(int taskId, int planEntryId)
{
    return !FindCompletedPlan(FindRecurrence(taskId), planEntryId).IsEmpty();
}

// Reminders.

XmlNode XmlDataElements::FindReminder(int taskId)
{
    return Index().Find(ElementIndex::kReminders, taskId);
}

void XmlDataElements::AddReminder(const ReminderInfo& reminder)
{
    const int taskId = reminder.GetId();
    // A reminder without its task would fire for nothing.
    RequireExisting(FindTask(taskId), L"task", taskId);
    if (const XmlNode element = FindReminder(taskId)) {
        WriteReminder(element, reminder);
        return;
    }
    const XmlNode added = NewElement(kReminder);
    ElementRecords::Write(added, reminder);
    GetReminderSection().AppendChild(added);
    Index().Add(ElementIndex::kReminders, taskId, added);
}

bool XmlDataElements::GetReminder(int taskId, ReminderInfo& reminder)
{
    bool found = false;
    if (const XmlNode element = FindReminder(taskId)) {
        ReadReminder(element, reminder);
        found = true;
    } else {
        reminder.SetAlarmTime(DayBegin());
        reminder.SetAlarmDate(Clock::Now());
    }
    reminder.SetId(taskId);
    return found;
}

void XmlDataElements::DeleteReminder(int taskId)
{
    if (const XmlNode element = FindReminder(taskId))
        RemoveElement(element);
}

void XmlDataElements::GetReminders(std::vector<ReminderInfo>& reminders)
{
    for (const XmlNode& child : GetReminderSection().GetChildElements()) {
        if (child.GetName() != kReminder)
            continue;
        ReminderInfo reminder;
        ReadReminder(child, reminder);
        reminders.push_back(reminder);
    }
}

void XmlDataElements::WriteReminder(const XmlNode& element, const ReminderInfo& reminder)
{
    const bool newId = GetTextAttribute(element.Checked(), kId) != IdText::Format(reminder.GetId());
    ElementRecords::Write(element, reminder);
    if (newId)
        Index().Add(ElementIndex::kReminders, reminder.GetId(), element);
}

void XmlDataElements::ReadReminder(const XmlNode& element, ReminderInfo& reminder)
{
    ElementRecords::Read(element.Checked(), reminder);
}

// Holidays and properties.

void XmlDataElements::GetHolidays(std::vector<double>& dates)
{
    for (const XmlNode& child : GetHolidaysSection().GetChildElements())
        dates.push_back(ElementRecords::ParseDayNumber(GetTextAttribute(child, kDate)));
}

void XmlDataElements::GetProperties(DocProperties& properties)
{
    const XmlNode element = GetRoot().SelectSingleNode(kProperties);
    if (!element) {
        properties.Clear();
        return;
    }
    try {
        ElementRecords::Read(element, properties);
    } catch (const ComError&) {
        // What was read so far is kept.
    }
}

void XmlDataElements::SetProperties(const DocProperties& properties)
{
    ElementRecords::Write(GetSection(kProperties), properties);
}

// State of the trees.

void XmlDataElements::SetSelectedCategory(int id)
{
    ElementRecords::WriteInt(GetStateSection(), kSelectedCategory, id);
}

int XmlDataElements::GetSelectedCategory()
{
    return ElementRecords::ReadInt(GetStateSection(), kSelectedCategory);
}

void XmlDataElements::SaveCategoryTreeState(const std::vector<int>& ids)
{
    WriteStateIds(GetStateSection(), ids);
}

void XmlDataElements::LoadCategoryTreeState(std::vector<int>& ids)
{
    ReadStateIds(GetStateSection(), ids);
}

void XmlDataElements::SavePeopleTreeState(const std::vector<int>& ids)
{
    WriteStateIds(GetPeopleStateSection(), ids);
}

void XmlDataElements::LoadPeopleTreeState(std::vector<int>& ids)
{
    ReadStateIds(GetPeopleStateSection(), ids);
}

void XmlDataElements::WriteStateIds(const XmlNode& section, const std::vector<int>& ids)
{
    RemoveAllChildren(section);
    for (const int id : ids)
        ElementRecords::WriteInt(AddChildElement(section, kCategoryState), kId, id);
}

void XmlDataElements::ReadStateIds(const XmlNode& section, std::vector<int>& ids)
{
    ids.clear();
    for (const XmlNode& child : section.GetChildElements())
        ids.push_back(ElementRecords::ReadInt(child, kId));
}

void XmlDataElements::RemoveAllChildren(const XmlNode& node)
{
    while (const XmlNode child = node.GetFirstChild())
        node.RemoveChild(child);
}
