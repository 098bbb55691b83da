// DataManager: selections, counts and moves of tasks and categories.
#include "document/xml/DataManager.h"

#include <climits>
#include <cmath>

#include "document/xml/AttributeReader.h"
#include "document/xml/ElementRecords.h"
#include "document/xml/IdText.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/Bstr.h"
#include "foundation/Clock.h"
#include "foundation/TimeParser.h"

using namespace Xml;

namespace {

constexpr int kFutureTask = 3;

bool HasName(const XmlNode& node, const wchar_t* name)
{
    return node && node.IsElement() && node.GetName() == name;
}

// As the element layer builds a task's path from its nearest category up.
EString FoldPath(const std::vector<EString>& namesFromTop)
{
    EString path;
    for (auto name = namesFromTop.rbegin(); name != namesFromTop.rend(); ++name)
        path = path.empty() ? *name : EString(*name + L"/" + path);
    return path;
}

[[noreturn]] void ThrowNoCategory(int id)
{
    ThrowComError(E_POINTER, EString::Formatted(L"There is no category with the id %d.", id));
}

} // namespace

XmlNode DataManager::RequireCategoryElement(int id)
{
    const XmlNode category = FindCategory(id);
    if (!category)
        ThrowNoCategory(id);
    return category;
}

void DataManager::ForEachTask(int categoryId, bool subtree, const TaskVisitor& visit)
{
    const XmlNode top = RequireCategoryElement(categoryId);
    std::vector<EString> names;
    for (XmlNode node = top; HasName(node, kCategory); node = node.GetParent())
        names.insert(names.begin(), XmlDoc::GetTextAttribute(node, kName));
    struct Level {
        XmlNode next;
        bool named;    // some category lies above the level's elements
        EString names; // their names joined by "/" from the top
        EString path;  // the path a task at this level reads with
    };
    EString joined;
    for (size_t i = 0; i < names.size(); ++i)
        joined += i == 0 ? names[i] : EString(L"/" + names[i]);
    // A stack of its own: a pasted or hand-made file may nest categories deeper than the thread's stack.
    std::vector<Level> levels;
    levels.push_back({top.GetFirstChildElement(), !names.empty(), joined, FoldPath(names)});
    while (!levels.empty()) {
        const XmlNode node = levels.back().next;
        if (!node) {
            levels.pop_back();
            continue;
        }
        levels.back().next = node.GetNextElement();
        const EString name = node.GetName();
        if (name == kTask) {
            if (!visit(node, levels.back().path))
                return;
        } else if (subtree && name == kCategory) {
            // The layer's path leaves out the nearest categories while their names are empty.
            const Level& level = levels.back();
            const EString own = XmlDoc::GetTextAttribute(node, kName);
            const EString below = level.named ? EString(level.names + L"/" + own) : own;
            const EString path = own.empty() ? level.path : below;
            levels.push_back({node.GetFirstChildElement(), true, below, path});
        }
    }
}

bool DataManager::IsCompletedStatus(const XmlNode& task)
{
    // As "@STATUS!=2" compares, except that a task without a status is not completed either.
    long status = 0;
    return IdText::Parse(XmlDoc::GetTextAttribute(task, kStatus), status) != IdText::kNotANumber &&
           status == TaskCard::kCompleted;
}

void DataManager::FillRecurrenceFlags(ElementIndex& index, TaskCard& task)
{
    const XmlNode element = index.Find(ElementIndex::kRecurrences, task.GetId());
    if (!element)
        return;
    // The four fields the every-day test looks at, not the rule's two dozen.
    static const struct {
        const Bstr patternPeriod{kPatternPeriod}, everyDayIndex{kEveryDayIndex}, dayWorkday{kDayWorkday},
            endType{kEndType};
    } names;
    AttributeReader attributes(element);
    RecurrenceInfo recurrence;
    recurrence.SetPatternPeriod(attributes.Int(names.patternPeriod));
    recurrence.SetEveryDayIndex(attributes.Int(names.everyDayIndex));
    recurrence.SetDayWorkday(attributes.Int(names.dayWorkday));
    recurrence.SetEndType(attributes.Int(names.endType));
    task.SetHasRecurrence(true);
    task.SetDailyRecurrence(recurrence.IsEveryDay());
}

void DataManager::SelectTasks(int categoryId, std::vector<TaskCard>& tasks, const FilterInfo& filter, bool subtree,
                              bool includeFuture, bool fillTimes)
{
    ReadTasks(categoryId, tasks, filter, subtree, includeFuture, fillTimes, true);
}

void DataManager::ReadTasks(int categoryId, std::vector<TaskCard>& tasks, const FilterInfo& filter, bool subtree,
                            bool includeFuture, bool fillTimes, bool withTexts)
{
    // One clock reading, one index and one table for the whole list.
    ElementIndex& index = Index();
    PlanEntryTable* plan = fillTimes ? &Plan() : nullptr;
    const double now = Clock::Now();
    ForEachTask(categoryId, subtree, [&](const XmlNode& element, const EString& path) {
        // Read in its place in the list: a task record is costly to copy.
        TaskCard& task = tasks.emplace_back();
        if (withTexts) {
            ElementRecords::Read(element, task);
            task.SetCategoryPath(path);
        } else {
            ElementRecords::ReadWithoutTexts(element, task);
        }
        if (!task.MatchesFilter(filter) || (!includeFuture && task.GetImportance() == kFutureTask)) {
            tasks.pop_back();
            return true;
        }
        if (plan)
            SumPlanEntryHours(*plan, now, task);
        FillRecurrenceFlags(index, task);
        return true;
    });
}

void DataManager::SelectCategoryTasks(int categoryId, std::vector<TaskCard>& tasks, int statusFilter, bool subtree,
                                      bool includeFuture)
{
    SelectTasks(categoryId, tasks, FilterInfo(statusFilter, 0, 0, categoryId), subtree, includeFuture, true);
}

bool DataManager::HasUncompletedTasks(int categoryId)
{
    if (!FindCategory(categoryId))
        return false;
    bool found = false;
    ForEachTask(categoryId, true, [&](const XmlNode& element, const EString&) {
        found = !IsCompletedStatus(element);
        return !found;
    });
    return found;
}

int DataManager::CountTasks(int categoryId, const FilterInfo& filter)
{
    return GetTaskSummary(categoryId, filter).count;
}

int DataManager::GetTotalEstimation(int categoryId, const FilterInfo& filter)
{
    return GetTaskSummary(categoryId, filter).hours;
}

DataManager::TaskSummary DataManager::GetTaskSummary(int categoryId, const FilterInfo& filter)
{
    std::vector<TaskCard> tasks;
    ReadTasks(categoryId, tasks, filter, true, true, false, false);
    return Summarize(tasks);
}

DataManager::TaskSummary DataManager::Summarize(const std::vector<TaskCard>& tasks)
{
    double sum = 0;
    for (const TaskCard& task : tasks)
        sum += task.GetEstimation();
    TaskSummary summary;
    summary.count = static_cast<int>(tasks.size());
    // Tenths of hours add up a little off in binary: 0.1 + 2.7 + 0.2 is three hours, not four.
    const double hours = std::ceil(AdvMath::RoundTo(sum, 6));
    if (!(hours < INT_MAX))
        summary.hours = hours > 0 ? INT_MAX : 0;
    else
        summary.hours = hours > INT_MIN ? static_cast<int>(hours) : INT_MIN;
    return summary;
}

void DataManager::GetTaskWithTimes(int taskId, TaskCard& task)
{
    GetTask(taskId, task);
    SumPlanEntryHours(task);
}

double DataManager::GetMaxTaskEstimation(const std::vector<int>& taskIds)
{
    double largest = 0;
    for (const int id : taskIds) {
        TaskCard task;
        GetTaskWithTimes(id, task);
        largest = std::max(largest, task.GetRemainingEstimation());
    }
    return largest;
}

void DataManager::MoveTasks(int categoryId, const std::vector<int>& taskIds, bool* changing)
{
    if (changing)
        *changing = false;
    // Everything is found before anything moves: a task taken out for a
    // category that is not there would be lost.
    const XmlNode target = RequireCategoryElement(categoryId);
    std::vector<XmlNode> elements;
    for (const int id : taskIds) {
        const XmlNode element = FindTask(id);
        if (!element)
            ThrowComError(E_POINTER, EString::Formatted(L"There is no task with the id %d.", id));
        elements.push_back(element);
    }
    if (changing)
        *changing = !elements.empty();
    bool open = false;
    for (const XmlNode& element : elements) {
        const XmlNode parent = element.GetParent();
        parent.RemoveChild(element);
        try {
            target.AppendChild(element);
        } catch (const ComError&) {
            parent.AppendChild(element);
            throw;
        }
        open = open || !IsCompletedStatus(element);
    }
    if (open)
        ReopenCategories(categoryId);
}

void DataManager::MoveCategory(int parentId, int categoryId)
{
    if (categoryId == 0)
        ThrowComError(E_INVALIDARG, L"The top of the category tree cannot be moved.");
    const XmlNode element = RequireCategoryElement(categoryId);
    const XmlNode target = FindCategory(parentId);
    // The DOM would take a category into its own branch and cut the branch off the tree.
    const EString id = XmlDoc::GetTextAttribute(element, kId);
    for (XmlNode node = target; HasName(node, kCategory); node = node.GetParent()) {
        if (XmlDoc::GetTextAttribute(node, kId) == id && node.IsSameNode(element))
            ThrowComError(E_INVALIDARG, L"A category cannot be moved into itself or into one of its sub-categories.");
    }
    const XmlNode parent = element.GetParent();
    parent.RemoveChild(element);
    try {
        target.AppendChild(element);
    } catch (const ComError&) {
        parent.AppendChild(element);
        return;
    }
    if (ElementRecords::ReadInt(element, kStatus) == 0)
        ReopenCategories(categoryId);
}

int DataManager::ConvertTaskToCategory(int taskId)
{
    TaskCard task;
    GetTask(taskId, task);
    const Category category(task.GetName(), task.GetDescription(), task.GetDeadline(), 0);
    AddCategory(GetTaskCategory(taskId), category);
    MoveTasks(category.GetId(), {taskId});
    return category.GetId();
}

void DataManager::ResetOriginalEstimation(int taskId)
{
    const XmlNode element = FindTask(taskId);
    if (!element)
        ThrowComError(E_POINTER, EString::Formatted(L"There is no task with the id %d.", taskId));
    const double estimation = ElementRecords::ReadHours(element, kEstimation);
    // A negative estimation would read back as "unset".
    if (estimation >= 0)
        ElementRecords::WriteHours(element, kOriginalEstimation, estimation);
}

void DataManager::ResetOriginalEstimations(int categoryId)
{
    ForEachTask(categoryId, true, [](const XmlNode& element, const EString&) {
        const double estimation = ElementRecords::ReadHours(element, kEstimation);
        if (estimation >= 0)
            ElementRecords::WriteHours(element, kOriginalEstimation, estimation);
        return true;
    });
}
