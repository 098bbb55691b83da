#include "document/xml/ElementIndex.h"

#include <optional>
#include <string_view>

#include "document/xml/IdText.h"
#include "document/xml/PlanEntryTable.h"
#include "document/xml/RawNodeWalk.h"
#include "document/xml/XmlElement.h"
#include "document/xml/XmlNodeList.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/Bstr.h"
#include "foundation/Variant.h"

namespace {

using RawNodeWalk::FirstChild;
using RawNodeWalk::NextSibling;
using RawNodeWalk::IsElement;

using namespace Xml;

enum class Name {
    kOther,
    kTask,
    kCategory,
    kPerson,
    kPlanEntry,
    kCompletedPlan,
    kRecurrence,
    kReminder,
    kMood,
    kMoodState,
    kMoodsDaily,
    kGoal,
    kStateSection,
    kPeopleSection,
    kPeopleState,
    kDaily,
    kDay,
    kRecurrenceSection,
    kReminderSection,
};

Name NameOf(std::wstring_view name)
{
    static const std::unordered_map<std::wstring_view, Name> names = {
        {kTask, Name::kTask},
        {kCategory, Name::kCategory},
        {kPerson, Name::kPerson},
        {kPlanEntry, Name::kPlanEntry},
        {kCompletedPlan, Name::kCompletedPlan},
        {kRecurrence, Name::kRecurrence},
        {kReminder, Name::kReminder},
        {kMood, Name::kMood},
        {kMoodState, Name::kMoodState},
        {kMoodsDaily, Name::kMoodsDaily},
        {kGoal, Name::kGoal},
        {kStateSection, Name::kStateSection},
        {kPeopleSection, Name::kPeopleSection},
        {kPeopleState, Name::kPeopleState},
        {kDaily, Name::kDaily},
        {kDay, Name::kDay},
        {kRecurrenceSection, Name::kRecurrenceSection},
        {kReminderSection, Name::kReminderSection},
    };
    const auto found = names.find(name);
    return found == names.end() ? Name::kOther : found->second;
}

// Where an element stands, as far as the scopes of the lookups care.
enum class Scope {
    kDocument,
    kRootChild,
    kDailyChild, // a child of the first DAILY section
    kInDaily,    // further down in it
    kRecurrences,
    kReminders,
    kStateSection,
    kPeopleState,
    kOther,
};

Name NameOf(IXMLDOMNode* node)
{
    Bstr name;
    ThrowIfFailed(node->get_nodeName(&name));
    return NameOf(std::wstring_view(name.Get() ? name.Get() : L"", name.Length()));
}

EString NodeName(IXMLDOMNode* node)
{
    Bstr name;
    ThrowIfFailed(node->get_nodeName(&name));
    return name.ToString();
}

ComPtr<IXMLDOMElement> AsElement(IXMLDOMNode* node)
{
    ComPtr<IXMLDOMElement> element;
    ThrowIfFailed(node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&element)));
    return element;
}

EString TextOf(const Variant& value)
{
    return value.vt == VT_BSTR ? value.ToString() : EString();
}

// The attribute's text; false when the element has none.
bool ReadAttribute(IXMLDOMElement* element, BSTR name, Variant& value)
{
    ThrowIfFailed(element->getAttribute(name, value.Out()));
    return value.vt == VT_BSTR;
}

bool ReadAttribute(IXMLDOMNode* node, BSTR name, Variant& value)
{
    return ReadAttribute(AsElement(node), name, value);
}

IdText::Form ParseAttribute(const Variant& value, long& number)
{
    return IdText::Parse(value.bstrVal ? value.bstrVal : L"", ::SysStringLen(value.bstrVal), number);
}

// Still in a document: detached subtrees end in an element without a parent.
bool IsAttached(const XmlNode& node)
{
    ComPtr<IXMLDOMNode> current = node.Get();
    while (current) {
        DOMNodeType type = NODE_INVALID;
        ThrowIfFailed(current->get_nodeType(&type));
        if (type == NODE_DOCUMENT)
            return true;
        IXMLDOMNode* parent = nullptr;
        ThrowIfFailed(current->get_parentNode(&parent));
        current.Attach(parent);
    }
    return false;
}

bool IsCurrent(const XmlNode& element, const wchar_t* attribute, const EString& key)
{
    if (!element)
        return false;
    const Variant value = XmlElement(element).GetAttribute(attribute);
    return value.vt == VT_BSTR && value.ToString() == key && IsAttached(element);
}

ElementIndex::Counter CounterOf(ElementIndex::Kind kind)
{
    switch (kind) {
    case ElementIndex::kCategories:
        return ElementIndex::kCategoryIds;
    case ElementIndex::kPeople:
        return ElementIndex::kPersonIds;
    case ElementIndex::kPlanEntries:
        return ElementIndex::kPlanEntryIds;
    default:
        return ElementIndex::kTaskIds;
    }
}

EString Quoted(const EString& key)
{
    return L"\"" + key + L"\"";
}

} // namespace

// Visits every element of the document once, in document order.
class ElementIndex::Walker {
public:
    Walker(ElementIndex& index, PlanEntryTable* plan) : m_index(index), m_plan(plan) {}

    void Walk(IXMLDOMNode* document)
    {
        // A stack of its own: a hand-made file may nest deeper than the thread's stack.
        std::vector<Level> levels;
        levels.push_back({FirstChild(document), Scope::kDocument});
        while (!levels.empty()) {
            ComPtr<IXMLDOMNode> node = std::move(levels.back().next);
            if (!node) {
                levels.pop_back();
                continue;
            }
            m_level = &levels.back();
            const Scope scope = m_level->scope;
            m_level->next.Attach(NextSibling(node).Detach());
            if (!IsElement(node))
                continue;
            const Name name = NameOf(node);
            const Scope childScope = Visit(node, name, scope);
            if (ComPtr<IXMLDOMNode> child = FirstChild(node))
                levels.push_back({std::move(child), childScope, node, name == Name::kDay && scope == Scope::kDailyChild});
        }
    }

private:
    // The children being visited, and what the plan entries among them take from their parent.
    struct Level {
        ComPtr<IXMLDOMNode> next;
        Scope scope;
        ComPtr<IXMLDOMNode> parent = {};
        bool parentIsPlanDay = false;
        std::optional<double> day = {};
    };

    Scope Visit(IXMLDOMNode* node, Name name, Scope scope)
    {
        // Descriptions, most sections and unknown elements carry nothing the walk needs.
        const bool counted = name != Name::kOther && name != Name::kDaily && name != Name::kRecurrenceSection &&
                             name != Name::kReminderSection && name != Name::kPeopleState;
        if (counted || scope == Scope::kStateSection || scope == Scope::kPeopleState) {
            m_element.Attach(AsElement(node).Detach());
            VisitAttributes(node, name, scope);
        }
        return ChildScope(name, scope);
    }

    void VisitAttributes(IXMLDOMNode* node, Name name, Scope scope)
    {
        switch (name) {
        case Name::kTask:
            Own(node, kTaskIds, kTasks);
            break;
        case Name::kCategory:
            Own(node, kCategoryIds, kCategories);
            break;
        case Name::kPerson:
            Own(node, kPersonIds, kPeople);
            break;
        case Name::kPlanEntry:
            PlanEntry(node, scope == Scope::kDailyChild || scope == Scope::kInDaily);
            break;
        case Name::kCompletedPlan:
            Reference(node, m_id, kPlanEntryIds);
            break;
        case Name::kRecurrence:
            Reference(node, m_id, kTaskIds, scope == Scope::kRecurrences ? kRecurrences : kKindCount);
            break;
        case Name::kReminder:
            Reference(node, m_id, kTaskIds, scope == Scope::kReminders ? kReminders : kKindCount);
            break;
        case Name::kMood:
            Own(node, kMoodIds, kKindCount);
            break;
        case Name::kMoodState:
            Own(node, kMoodStateIds, kKindCount);
            Reference(node, m_moodId, kMoodIds);
            break;
        case Name::kMoodsDaily:
            Reference(node, m_moodId, kMoodIds);
            break;
        case Name::kGoal:
            Own(node, kGoalIds, kKindCount);
            break;
        case Name::kStateSection:
            Reference(node, m_selectedCategory, kCategoryIds);
            break;
        case Name::kPeopleSection:
            Reference(node, m_id, kPersonIds);
            break;
        case Name::kDay:
            if (scope == Scope::kDailyChild)
                Day(node);
            break;
        default:
            break;
        }
        // The expanded-node lists hold their ids whatever their children are called.
        if (scope == Scope::kStateSection)
            Reference(node, m_id, kCategoryIds);
        else if (scope == Scope::kPeopleState)
            Reference(node, m_id, kPersonIds);
    }

    Scope ChildScope(Name name, Scope scope)
    {
        switch (scope) {
        case Scope::kDocument:
            return Scope::kRootChild;
        case Scope::kRootChild:
            // The sections the program uses are the first of their name.
            if (name == Name::kDaily && !m_seenDaily) {
                m_seenDaily = true;
                return Scope::kDailyChild;
            }
            if (name == Name::kRecurrenceSection && !m_seenRecurrences) {
                m_seenRecurrences = true;
                return Scope::kRecurrences;
            }
            if (name == Name::kReminderSection && !m_seenReminders) {
                m_seenReminders = true;
                return Scope::kReminders;
            }
            if (name == Name::kStateSection)
                return Scope::kStateSection;
            if (name == Name::kPeopleState)
                return Scope::kPeopleState;
            return Scope::kOther;
        case Scope::kDailyChild:
        case Scope::kInDaily:
            // Plan entries count anywhere below the section, days only as its children.
            return Scope::kInDaily;
        default:
            return Scope::kOther;
        }
    }

    void Own(IXMLDOMNode* node, Counter counter, Kind kind)
    {
        Variant value;
        if (ReadAttribute(m_element, m_id, value))
            Own(node, value, counter, kind);
    }

    void Own(IXMLDOMNode* node, const Variant& value, Counter counter, Kind kind)
    {
        long id = 0;
        const IdText::Form form = ParseAttribute(value, id);
        if (form == IdText::kNotANumber) {
            if (m_index.m_firstBadId.empty())
                m_index.m_firstBadId = NodeName(node) + L" " + Quoted(value.ToString().substr(0, 40));
            return;
        }
        m_index.NoteId(counter, id);
        if (form == IdText::kCanonical && kind != kKindCount)
            m_index.Add(kind, id, XmlNode(node));
    }

    // A reference that is no number points at nothing and is passed over.
    void Reference(IXMLDOMNode* node, BSTR attribute, Counter counter, Kind kind = kKindCount)
    {
        Variant value;
        if (ReadAttribute(m_element, attribute, value))
            Reference(node, value, counter, kind);
    }

    void Reference(IXMLDOMNode* node, const Variant& value, Counter counter, Kind kind = kKindCount)
    {
        long id = 0;
        const IdText::Form form = ParseAttribute(value, id);
        if (form == IdText::kNotANumber)
            return;
        m_index.NoteId(counter, id);
        if (form == IdText::kCanonical && kind != kKindCount)
            m_index.Add(kind, id, XmlNode(node));
    }

    // Its id and task's id are read once, for the index and the table.
    void PlanEntry(IXMLDOMNode* node, bool inDaily)
    {
        Variant id, taskId;
        if (ReadAttribute(m_element, m_id, id))
            Own(node, id, kPlanEntryIds, inDaily ? kPlanEntries : kKindCount);
        if (ReadAttribute(m_element, m_taskId, taskId))
            Reference(node, taskId, kTaskIds);
        if (!inDaily || !m_plan)
            return;
        Level& level = *m_level;
        if (!level.day) {
            Variant date;
            level.day = ReadAttribute(level.parent, m_date, date) ? PlanEntryTable::DayOfDate(date.ToString()) : 0;
        }
        Variant start, end;
        ReadAttribute(m_element, m_startTime, start);
        ReadAttribute(m_element, m_endTime, end);
        PlanEntryTable::Entry entry;
        if (PlanEntryTable::Read(TextOf(id), TextOf(taskId), TextOf(start), TextOf(end), *level.day, entry))
            m_plan->Add(entry);
        if (!level.parentIsPlanDay)
            m_plan->NoteIrregular();
    }

    void Day(IXMLDOMNode* node)
    {
        Variant value;
        if (ReadAttribute(m_element, m_date, value))
            m_index.AddPlanDay(value.ToString(), XmlNode(node));
    }

    ElementIndex& m_index;
    PlanEntryTable* m_plan;
    Level* m_level = nullptr;
    // The element being visited, asked once for its attribute interface.
    ComPtr<IXMLDOMElement> m_element;
    const Bstr m_id{kId};
    const Bstr m_taskId{kTaskId};
    const Bstr m_moodId{kMoodId};
    const Bstr m_selectedCategory{kSelectedCategory};
    const Bstr m_date{kDate};
    const Bstr m_startTime{kStartTime};
    const Bstr m_endTime{kEndTime};
    bool m_seenDaily = false;
    bool m_seenRecurrences = false;
    bool m_seenReminders = false;
};

void ElementIndex::Build(const XmlDocument& document, PlanEntryTable* plan)
{
    Clear();
    m_document = document;
    m_built = true;
    if (plan)
        plan->Start(document);
    try {
        Walker(*this, plan).Walk(document.Checked());
    } catch (...) {
        Clear();
        if (plan)
            plan->Clear();
        throw;
    }
}

void ElementIndex::Clear()
{
    m_document = XmlDocument();
    m_built = false;
    for (IdMap& ids : m_ids)
        ids.clear();
    m_planDays.clear();
    m_maxIds.fill(0);
    m_firstBadId.clear();
}

bool ElementIndex::IsBuiltFor(const XmlDocument& document) const
{
    // The same object the index was built over, not a node compared by address.
    return m_built && m_document.Get() == document.Get();
}

XmlNode ElementIndex::Find(Kind kind, long id)
{
    const auto found = m_ids[kind].find(id);
    if (found == m_ids[kind].end())
        return XmlNode();
    const Entry& entry = found->second;
    if (entry.count == 1 && IsCurrent(entry.element, kId, IdText::Format(id)))
        return entry.element;
    return Resolve(kind, id);
}

bool ElementIndex::IsUnique(Kind kind, long id) const
{
    const auto found = m_ids[kind].find(id);
    return found != m_ids[kind].end() && found->second.count == 1;
}

XmlNode ElementIndex::FindPlanDay(const EString& date)
{
    const auto found = m_planDays.find(date);
    if (found == m_planDays.end())
        return XmlNode();
    const Entry& entry = found->second;
    if (entry.count == 1 && IsCurrent(entry.element, kDate, date))
        return entry.element;
    return ResolvePlanDay(date);
}

XmlNode ElementIndex::Section(const wchar_t* name) const
{
    const XmlNode root = m_document.GetDocumentElement();
    return root ? root.SelectSingleNode(name) : XmlNode();
}

XmlNode ElementIndex::FirstOf(const XmlNodeList& nodes, Entry& entry, bool& none)
{
    const long count = nodes ? nodes.GetLength() : 0;
    none = count == 0;
    if (none)
        return XmlNode();
    const XmlNode first = nodes.GetItem(0);
    entry.count = count;
    entry.element = count == 1 ? first : XmlNode();
    return first;
}

XmlNode ElementIndex::Resolve(Kind kind, long id)
{
    const EString predicate = L"[@ID=" + Quoted(IdText::Format(id)) + L"]";
    XmlNodeList nodes;
    switch (kind) {
    case kTasks:
        nodes = m_document.SelectNodes(EString(L"//") + kTask + predicate);
        break;
    case kCategories:
        nodes = m_document.SelectNodes(EString(L"//") + kCategory + predicate);
        break;
    case kPeople:
        nodes = m_document.SelectNodes(EString(L"//") + kPerson + predicate);
        break;
    case kPlanEntries:
        if (const XmlNode daily = Section(kDaily))
            nodes = daily.SelectNodes(EString(L".//") + kPlanEntry + predicate);
        break;
    case kRecurrences:
        if (const XmlNode section = Section(kRecurrenceSection))
            nodes = section.SelectNodes(kRecurrence + predicate);
        break;
    case kReminders:
        if (const XmlNode section = Section(kReminderSection))
            nodes = section.SelectNodes(kReminder + predicate);
        break;
    default:
        return XmlNode();
    }
    Entry& entry = m_ids[kind][id];
    bool none = false;
    const XmlNode first = FirstOf(nodes, entry, none);
    if (none)
        m_ids[kind].erase(id);
    return first;
}

XmlNode ElementIndex::ResolvePlanDay(const EString& date)
{
    XmlNodeList nodes;
    if (const XmlNode daily = Section(kDaily))
        nodes = daily.SelectNodes(EString(kDay) + L"[@" + kDate + L"=" + Quoted(date) + L"]");
    Entry& entry = m_planDays[date];
    bool none = false;
    const XmlNode first = FirstOf(nodes, entry, none);
    if (none)
        m_planDays.erase(date);
    return first;
}

void ElementIndex::Add(Kind kind, long id, const XmlNode& element)
{
    if (!m_built)
        return;
    NoteId(CounterOf(kind), id);
    const auto [found, added] = m_ids[kind].try_emplace(id);
    Entry& entry = found->second;
    if (added) {
        entry.element = element;
        entry.count = 1;
    } else if (entry.count != kUnknown) {
        // Which of them comes first is the XPath's to say.
        entry.count += 1;
        entry.element = XmlNode();
    }
}

void ElementIndex::AddPlanDay(const EString& date, const XmlNode& element)
{
    if (!m_built)
        return;
    const auto [found, added] = m_planDays.try_emplace(date);
    Entry& entry = found->second;
    if (added) {
        entry.element = element;
        entry.count = 1;
    } else if (entry.count != kUnknown) {
        entry.count += 1;
        entry.element = XmlNode();
    }
}

void ElementIndex::Remove(const XmlNode& element, std::vector<long>* removedTasks)
{
    struct Key {
        Kind kind;
        long id;
    };
    std::vector<Key> keys;
    std::vector<EString> days;
    const Bstr idName(kId), dateName(kDate);
    std::vector<ComPtr<IXMLDOMNode>> pending{element.Checked()};
    while (!pending.empty()) {
        const ComPtr<IXMLDOMNode> node = std::move(pending.back());
        pending.pop_back();
        if (!IsElement(node))
            continue;
        for (ComPtr<IXMLDOMNode> child = FirstChild(node); child; child.Attach(NextSibling(child).Detach()))
            pending.push_back(child);
        Kind kind = kKindCount;
        switch (NameOf(node)) {
        case Name::kTask:
            kind = kTasks;
            break;
        case Name::kCategory:
            kind = kCategories;
            break;
        case Name::kPerson:
            kind = kPeople;
            break;
        case Name::kPlanEntry:
            kind = kPlanEntries;
            break;
        case Name::kRecurrence:
            kind = kRecurrences;
            break;
        case Name::kReminder:
            kind = kReminders;
            break;
        case Name::kDay: {
            Variant date;
            if (ReadAttribute(node, dateName, date))
                days.push_back(date.ToString());
            continue;
        }
        default:
            continue;
        }
        Variant value;
        long id = 0;
        if (!ReadAttribute(node, idName, value))
            continue;
        const IdText::Form form = ParseAttribute(value, id);
        if (form == IdText::kNotANumber)
            continue;
        if (kind == kTasks && removedTasks)
            removedTasks->push_back(id);
        if (form == IdText::kCanonical)
            keys.push_back({kind, id});
    }

    element.RemoveFromParent();
    if (!m_built)
        return;
    // An entry whose element is still in the document was not among those
    // removed (it had a namesake outside the kind's scope).
    auto reconcile = [](auto& map, const auto& key) {
        const auto found = map.find(key);
        if (found == map.end())
            return;
        Entry& entry = found->second;
        if (entry.count == 1 && entry.element) {
            if (!IsAttached(entry.element))
                map.erase(found);
            return;
        }
        entry.count = kUnknown;
        entry.element = XmlNode();
    };
    for (const Key& key : keys)
        reconcile(m_ids[key.kind], key.id);
    for (const EString& day : days)
        reconcile(m_planDays, static_cast<const std::wstring&>(day));
}

void ElementIndex::NoteId(Counter counter, long id)
{
    if (id > m_maxIds[counter])
        m_maxIds[counter] = id;
}
