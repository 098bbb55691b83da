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
#include "document/xml/XmlElement.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/TimeParser.h"

using namespace Xml;

namespace {

long CanonicalTaskId(const XmlNode& entry, bool& canonical)
{
    long id = 0;
    canonical = IdText::Parse(XmlDoc::GetTextAttribute(entry, kTaskId), id) == IdText::kCanonical;
    return id;
}

// The grouping key of a day: the OLE date truncated toward zero.
unsigned DayKey(double day)
{
    return static_cast<unsigned>(static_cast<long long>(std::trunc(day)));
}

// A record that came without a deadline stays without one: written, it would
// be due today.
void KeepWithoutDeadline(const XmlNode& element, const EstimatedCard& card)
{
    if (!card.HasDeadline())
        XmlElement(element).RemoveAttribute(kDeadline);
}

} // namespace

// A pasted text parsed into a document of its own, with its plan entries by task.
class DataManager::Fragment {
public:
    XmlDataElements document;

    // The fragment's PLANENTRY elements of the task, in document order.
    const std::vector<XmlNode>& EntriesOf(long taskId)
    {
        if (!m_gathered)
            Gather();
        static const std::vector<XmlNode> none;
        const auto found = m_entries.find(taskId);
        return found == m_entries.end() ? none : found->second;
    }

private:
    // One walk, where a search per pasted task would read the whole fragment each time.
    void Gather()
    {
        m_gathered = true;
        std::vector<XmlNode> pending;
        if (const XmlNode root = document.GetDocument(false).GetDocumentElement())
            pending.push_back(root);
        while (!pending.empty()) {
            const XmlNode node = pending.back();
            pending.pop_back();
            if (node.GetName() == kPlanEntry) {
                bool canonical = false;
                const long taskId = CanonicalTaskId(node, canonical);
                if (canonical)
                    m_entries[taskId].push_back(node);
                continue;
            }
            std::vector<XmlNode> children = node.GetChildElements();
            pending.insert(pending.end(), children.rbegin(), children.rend());
        }
    }

    bool m_gathered = false;
    std::unordered_map<long, std::vector<XmlNode>> m_entries;
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

EString DataManager::GetCategoryPlanEntriesXml(int categoryId)
{
    std::unordered_set<long> tasks;
    ForEachTask(categoryId, true, [&](const XmlNode& task, const EString&) {
        tasks.insert(ElementRecords::ReadInt(task, kId));
        return true;
    });
    if (tasks.empty())
        return EString();
    // The table tells which days hold entries of the branch: only those are read.
    std::set<double> days;
    for (const long id : tasks)
        for (const PlanEntryTable::Entry& entry : Plan().OfTask(id))
            days.insert(entry.day);
    PlanEntriesMixer mixer;
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
            const long taskId = CanonicalTaskId(node, canonical);
            if (canonical && tasks.count(taskId))
                mixer.Add(DayKey(GetEntryDay(node)), node.GetXml());
            continue;
        }
        if (!everyDay && name == kDay && node.GetParent().GetName() == kDaily) {
            const EString date = XmlDoc::GetTextAttribute(node, kDate);
            if (!days.count(date.empty() ? 0 : std::floor(DateParser::ParseDate(date))))
                continue;
        }
        std::vector<XmlNode> children = node.GetChildElements();
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return mixer.GetXml();
}

void DataManager::InsertXml(int categoryId, const EString& text, bool includeActivities)
{
    if (text.empty())
        return;
    Fragment fragment;
    try {
        fragment.document.LoadXml(text);
    } catch (const ComError& error) {
        // A text that is no XML pastes nothing; one with ids that are no
        // numbers is refused with the reason.
        if (error.Error() == DISP_E_TYPEMISMATCH)
            throw;
        return;
    }
    const XmlNode root = fragment.document.GetDocument(false).GetDocumentElement();
    if (!root)
        return;
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
        if (name == kCategory) {
            Pasted item;
            item.isCategory = true;
            item.parentId = parentId;
            fragment.document.ReadCategory(node, item.category);
            item.category.SetId(Category::NextId());
            levels.push_back({node.GetFirstChildElement(), item.category.GetId()});
            pasted.push_back(std::move(item));
        } else if (name == kTask) {
            Pasted item;
            item.parentId = parentId;
            fragment.document.ReadTask(node, item.task);
            const int oldId = item.task.GetId();
            item.task.SetId(TaskCard::NextId());
            if (!includeActivities)
                item.task.SetStatus(TaskCard::kNew);
            if (includeActivities)
                item.entries = ReadPlanEntriesOfTask(oldId, item.task, fragment);
            pasted.push_back(std::move(item));
        }
    }
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
    }
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
