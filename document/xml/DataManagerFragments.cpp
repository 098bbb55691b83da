// DataManager: tasks and category branches copied out as XML fragments and pasted in under new ids.
#include "document/xml/DataManager.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "document/model/PlanEntriesMixer.h"
#include "document/xml/ElementRecords.h"
#include "document/xml/IdText.h"
#include "document/xml/OutsideXmlText.h"
#include "document/xml/XmlElement.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"

using namespace Xml;

namespace {

// The task id an element refers to by the attribute.
long CanonicalTaskId(const XmlNode& element, const wchar_t* attribute, bool& canonical)
{
    long id = 0;
    canonical = IdText::Parse(XmlDoc::GetTextAttribute(element, attribute), id) == IdText::kCanonical;
    return id;
}

// The grouping key of a day: the OLE date truncated toward zero.
unsigned DayKey(double day)
{
    return static_cast<unsigned>(static_cast<long long>(std::trunc(day)));
}

// A record an import script made names the row of its file it came from: the
// user mends the file, not the fragment the script wrote.
[[noreturn]] void ThrowNamingSourceRow(const XmlNode& element, const ComError& error)
{
    const EString row = XmlDoc::GetTextAttribute(element, kSourceRow);
    long number = 0;
    if (IdText::Parse(row, number) != IdText::kCanonical || number <= 0)
        throw error;
    ThrowComError(error.Error(), EString::Formatted(L"Row %ld: %s", number, error.Description().c_str()));
}

// A record that came without a deadline stays without one: written, it would
// be due today.
void KeepWithoutDeadline(const XmlNode& element, const EstimatedCard& card)
{
    if (!card.HasDeadline())
        XmlElement(element).RemoveAttribute(kDeadline);
}

} // namespace

// A pasted text parsed into a document of its own, with its plan entries,
// recurrences and reminders by task.
class DataManager::Fragment {
public:
    XmlDataElements document;

    // The fragment's PLANENTRY elements of the task, in document order.
    const std::vector<XmlNode>& EntriesOf(long taskId)
    {
        Gather();
        static const std::vector<XmlNode> none;
        const auto found = m_entries.find(taskId);
        return found == m_entries.end() ? none : found->second;
    }
    // The RECURRENCE or REMINDER of the task that a cut carries; empty when none.
    XmlNode RecurrenceOf(long taskId) { return Find(m_recurrences, taskId); }
    XmlNode ReminderOf(long taskId) { return Find(m_reminders, taskId); }

private:
    XmlNode Find(const std::unordered_map<long, XmlNode>& elements, long taskId)
    {
        Gather();
        const auto found = elements.find(taskId);
        return found == elements.end() ? XmlNode() : found->second;
    }

    // One walk, where a search per pasted task would read the whole fragment each time.
    void Gather()
    {
        if (m_gathered)
            return;
        m_gathered = true;
        std::vector<XmlNode> pending;
        if (const XmlNode root = document.GetDocument(false).GetDocumentElement())
            pending.push_back(root);
        while (!pending.empty()) {
            const XmlNode node = pending.back();
            pending.pop_back();
            const EString name = node.GetName();
            if (name == kPlanEntry || name == kRecurrence || name == kReminder) {
                bool canonical = false;
                const long taskId = CanonicalTaskId(node, name == kPlanEntry ? kTaskId : kId, canonical);
                if (!canonical)
                    continue;
                if (name == kPlanEntry)
                    m_entries[taskId].push_back(node);
                else
                    (name == kRecurrence ? m_recurrences : m_reminders).try_emplace(taskId, node);
                continue;
            }
            std::vector<XmlNode> children = node.GetChildElements();
            pending.insert(pending.end(), children.rbegin(), children.rend());
        }
    }

    bool m_gathered = false;
    std::unordered_map<long, std::vector<XmlNode>> m_entries;
    std::unordered_map<long, XmlNode> m_recurrences;
    std::unordered_map<long, XmlNode> m_reminders;
};

EString DataManager::WrapInRoot(const EString& text)
{
    return L"<ROOT>" + text + L"</ROOT>";
}

EString DataManager::GetTasksXml(const std::vector<int>& taskIds)
{
    EString parts;
    for (const int id : taskIds)
        if (const XmlNode task = FindTask(id))
            parts += task.GetXml();
    return WrapInRoot(parts);
}

EString DataManager::GetCategoryXml(int categoryId)
{
    // The top is ROOT with the whole document, not a branch.
    const XmlNode category = categoryId == 0 ? XmlNode() : FindCategory(categoryId);
    if (!category)
        return WrapInRoot(EString());
    return WrapInRoot(category.GetXml() + GetCategoryPlanEntriesXml(categoryId));
}

EString DataManager::GetCutCategoryXml(int categoryId)
{
    const XmlNode category = categoryId == 0 ? XmlNode() : FindCategory(categoryId);
    if (!category)
        return WrapInRoot(EString());
    // Recurrences and reminders are kept by task id, which the paste changes:
    // they travel beside the branch, as in a plan.
    EString recurrences, reminders;
    ForEachTask(categoryId, true, [&](const XmlNode& task, const EString&) {
        const long id = ElementRecords::ReadInt(task, kId);
        if (const XmlNode rule = FindRecurrence(id))
            recurrences += rule.GetXml();
        if (const XmlNode reminder = FindReminder(id))
            reminders += reminder.GetXml();
        return true;
    });
    auto section = [](const wchar_t* name, const EString& parts) {
        return EString(L"<") + name + L">" + parts + L"</" + name + L">";
    };
    return EString(L"<") + kRoot + L" " + kCut + L"=\"1\">" + category.GetXml() +
           GetCategoryPlanEntriesXml(categoryId) + section(kRecurrenceSection, recurrences) +
           section(kReminderSection, reminders) + L"</" + kRoot + L">";
}

void DataManager::CutCategory(int categoryId)
{
    std::vector<XmlNode> entries;
    ForEachBranchPlanEntry(BranchTaskIds(categoryId), [&](const XmlNode& entry) { entries.push_back(entry); });
    DeleteCategory(categoryId);
    for (const XmlNode& entry : entries) {
        // A namesake of a task that went keeps its entries.
        if (!FindTask(ElementRecords::ReadInt(entry, kTaskId)))
            RemovePlanEntryElement(entry);
    }
}

std::unordered_set<long> DataManager::BranchTaskIds(int categoryId)
{
    std::unordered_set<long> tasks;
    ForEachTask(categoryId, true, [&](const XmlNode& task, const EString&) {
        tasks.insert(ElementRecords::ReadInt(task, kId));
        return true;
    });
    return tasks;
}

EString DataManager::GetCategoryPlanEntriesXml(int categoryId)
{
    const std::unordered_set<long> tasks = BranchTaskIds(categoryId);
    if (tasks.empty())
        return EString();
    PlanEntriesMixer mixer;
    ForEachBranchPlanEntry(tasks, [&](const XmlNode& entry) { mixer.Add(DayKey(GetEntryDay(entry)), entry.GetXml()); });
    return mixer.GetXml();
}

void DataManager::ForEachBranchPlanEntry(const std::unordered_set<long>& tasks,
                                         const std::function<void(const XmlNode& entry)>& visit)
{
    // The table tells which days hold entries of the branch: only those are read.
    std::set<double> days;
    for (const long id : tasks)
        for (const PlanEntryTable::Entry& entry : Plan().OfTask(id))
            days.insert(entry.day);
    const XmlNode daily = days.empty() ? XmlNode() : GetRoot().SelectSingleNode(kDaily);
    const bool everyDay = Plan().HasIrregularEntries();
    // Document order, as the XPath over the whole plan would give them.
    std::vector<XmlNode> pending;
    if (daily)
        for (const XmlNode& child : daily.GetChildElements())
            pending.push_back(child);
    std::reverse(pending.begin(), pending.end());
    while (!pending.empty()) {
        const XmlNode node = pending.back();
        pending.pop_back();
        const EString name = node.GetName();
        if (name == kPlanEntry) {
            bool canonical = false;
            const long taskId = CanonicalTaskId(node, kTaskId, canonical);
            if (canonical && tasks.count(taskId))
                visit(node);
            // An entry inside another (irregular) is found as the XPath finds it.
            if (!everyDay)
                continue;
        } else if (!everyDay && name == kDay && node.GetParent().GetName() == kDaily) {
            if (!days.count(PlanEntryTable::DayOfDate(XmlDoc::GetTextAttribute(node, kDate))))
                continue;
        }
        std::vector<XmlNode> children = node.GetChildElements();
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
}

bool DataManager::InsertXml(int categoryId, const EString& text, bool includeActivities, FragmentInsert* insert)
{
    FragmentInsert pasteOnly;
    FragmentInsert& outcome = insert ? *insert : pasteOnly;
    outcome.changing = false;
    if (text.empty())
        return false;
    Fragment fragment;
    try {
        // As every text from outside: what no parser reads is left out, and
        // a text of megabytes cut short, then cut to the plan's limit and told.
        EString prepared;
        fragment.document.LoadXml(PrepareOutsideXml(text, prepared));
    } catch (const ComError& error) {
        // A text that is no XML pastes nothing; one with ids that are no
        // numbers is refused with the reason, as is a file that is no XML.
        if (error.Error() == DISP_E_TYPEMISMATCH || outcome.raiseUnreadable)
            throw;
        return false;
    }
    const XmlNode root = fragment.document.GetDocument(false).GetDocumentElement();
    if (!root)
        return false;
    const bool cut = XmlDoc::GetTextAttribute(root, kCut) == L"1";
    // The fragment's own ids never reach the counters: every pasted element
    // draws the next id of its kind, so two pastes never share one. Every
    // record is read before the first is added: one that cannot be read
    // (a number that is none) leaves the plan as it was.
    struct Pasted {
        bool isCategory = false;
        int parentId = 0;
        Category category;
        TaskCard task;
        std::vector<std::pair<double, TaskPlanEntry>> entries;
        CutCompanions companions;
    };
    std::vector<Pasted> pasted;
    struct Level {
        XmlNode next;
        int parentId;
    };
    std::vector<Level> levels;
    levels.push_back({root.GetFirstChildElement(), categoryId});
    while (!levels.empty()) {
        const XmlNode node = levels.back().next;
        if (!node) {
            levels.pop_back();
            continue;
        }
        levels.back().next = node.GetNextElement();
        const int parentId = levels.back().parentId;
        const EString name = node.GetName();
        try {
            if (name == kCategory) {
                Pasted item;
                item.isCategory = true;
                item.parentId = parentId;
                fragment.document.ReadCategory(node, item.category);
                outcome.cuts.Fit(item.category);
                item.category.SetId(Category::NextId());
                levels.push_back({node.GetFirstChildElement(), item.category.GetId()});
                pasted.push_back(std::move(item));
            } else if (name == kTask) {
                Pasted item;
                item.parentId = parentId;
                fragment.document.ReadTask(node, item.task);
                outcome.cuts.Fit(item.task);
                const int oldId = item.task.GetId();
                item.task.SetId(TaskCard::NextId());
                if (cut)
                    item.companions = ReadCutCompanions(oldId, item.task.GetId(), fragment);
                else if (includeActivities)
                    item.entries = ReadPlanEntriesOfTask(oldId, item.task, fragment);
                else
                    item.task.SetStatus(TaskCard::kNew);
                for (auto& [date, entry] : item.entries)
                    outcome.cuts.Fit(entry, item.task.GetName());
                for (auto& [date, entry] : item.companions.entries)
                    outcome.cuts.Fit(entry, item.task.GetName());
                pasted.push_back(std::move(item));
            }
        } catch (const ComError& error) {
            ThrowNamingSourceRow(node, error);
        }
    }
    if (pasted.empty())
        return false;
    // Refused before anything is added, as every check above.
    RequireCategoryElement(categoryId);
    // Read once: a registry read per entry adds up.
    const bool resolveOverlaps = cut && Options::GetAllowSimultaneous() == 0;
    outcome.changing = true;
    for (const Pasted& item : pasted) {
        if (item.isCategory) {
            AddCategory(item.parentId, item.category);
            KeepWithoutDeadline(FindCategory(item.category.GetId()), item.category);
            continue;
        }
        AddTask(item.parentId, item.task);
        KeepWithoutDeadline(FindTask(item.task.GetId()), item.task);
        for (const auto& [date, entry] : item.entries)
            AddPlanEntry(date, entry, true, true);
        AddCutCompanions(item.companions, resolveOverlaps);
    }
    return true;
}

DataManager::CutCompanions DataManager::ReadCutCompanions(int oldId, int newId, Fragment& fragment)
{
    CutCompanions companions;
    std::unordered_map<long, int> newEntryIds;
    for (const XmlNode& element : fragment.EntriesOf(oldId)) {
        TaskPlanEntry entry;
        ElementRecords::Read(element, entry);
        const long oldEntryId = entry.GetId();
        entry.AssignNewId();
        entry.SetTaskId(newId);
        newEntryIds[oldEntryId] = entry.GetId();
        companions.entries.emplace_back(GetEntryDay(element), entry);
    }
    if (const XmlNode rule = fragment.RecurrenceOf(oldId)) {
        ElementRecords::Read(rule, companions.recurrence);
        companions.recurrence.SetId(newId);
        companions.hasRecurrence = true;
        for (const XmlNode& mark : rule.GetChildElements()) {
            if (mark.GetName() != kCompletedPlan)
                continue;
            // A mark of an entry that did not come along marks nothing.
            const auto found = newEntryIds.find(ElementRecords::ReadInt(mark, kId));
            if (found != newEntryIds.end())
                companions.completedEntryIds.push_back(found->second);
        }
    }
    if (const XmlNode reminder = fragment.ReminderOf(oldId)) {
        ElementRecords::Read(reminder, companions.reminder);
        companions.reminder.SetId(newId);
        companions.hasReminder = true;
    }
    return companions;
}

void DataManager::AddCutCompanions(const CutCompanions& companions, bool resolveOverlaps)
{
    // The entries come back as they were: unlike added ones, they leave the
    // task's status and colour alone.
    for (const auto& [date, entry] : companions.entries) {
        const XmlNode day = GetPlanDay(date);
        if (!day)
            continue;
        const XmlNode element = InsertPlanEntryElement(day, entry);
        if (resolveOverlaps)
            ResolveOverlaps(element);
    }
    if (companions.hasRecurrence) {
        SetRecurrence(companions.recurrence, false);
        for (const int entryId : companions.completedEntryIds)
            AddCompletedPlan(companions.recurrence.GetId(), entryId);
    }
    if (companions.hasReminder)
        AddReminder(companions.reminder);
}

std::vector<std::pair<double, TaskPlanEntry>> DataManager::ReadPlanEntriesOfTask(int oldId, const TaskCard& task,
                                                                                 Fragment& fragment)
{
    std::vector<std::pair<double, TaskPlanEntry>> entries;
    for (const XmlNode& element : fragment.EntriesOf(oldId)) {
        const double date = GetEntryDay(element);
        TaskPlanEntry entry;
        ReadPlanEntry(element, entry);
        entry.AssignNewId();
        entry.SetTaskId(task.GetId());
        entry.SetName(task.GetName());
        entry.SetTask(task);
        entries.emplace_back(date, entry);
    }
    return entries;
}
