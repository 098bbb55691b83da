#include "document/xml/XmlDataElements.h"

#include "document/model/TaskPlanEntry.h"
#include "document/xml/ElementRecords.h"
#include "document/xml/IdText.h"
#include "document/xml/XmlVocabulary.h"

using namespace Xml;

namespace {

[[noreturn]] void ThrowMissing(const wchar_t* what, int id)
{
    ThrowComError(E_POINTER, EString::Formatted(L"There is no %s with the id %d.", what, id));
}

// Compared exactly, as an XPath step compares names.
bool HasName(const XmlNode& node, const wchar_t* name)
{
    return node && node.IsElement() && node.GetName() == name;
}

// The ID written in place of the one the element had, for the index to follow.
bool IdChanges(const XmlNode& element, int newId)
{
    return XmlDoc::GetTextAttribute(element, kId) != IdText::Format(newId);
}

} // namespace

// Document life.

void XmlDataElements::New()
{
    XmlDoc::New();
    m_index.Build(m_document, &m_plan);
}

void XmlDataElements::Load(const EString& path)
{
    const XmlDocument previous = m_document;
    XmlDoc::Load(path);
    Adopt(previous);
}

void XmlDataElements::LoadXml(const EString& text)
{
    const XmlDocument previous = m_document;
    XmlDoc::LoadXml(text);
    Adopt(previous);
}

void XmlDataElements::Adopt(const XmlDocument& previous)
{
    // A web page or another program's XML would pass for an empty plan, and
    // the next save would write that plan over the file.
    const XmlNode root = m_document.GetDocumentElement();
    if (!HasName(root, kRoot)) {
        const EString found = root ? root.GetName() : EString();
        m_document = previous;
        ThrowComError(DISP_E_TYPEMISMATCH, EString::Formatted(L"The file is not a plan: its outermost element is "
                                                              L"<%s>, where a plan has <%s>.",
                                                              found.c_str(), kRoot));
    }
    ElementIndex index;
    PlanEntryTable plan;
    try {
        index.Build(m_document, &plan);
    } catch (...) {
        m_document = previous;
        throw;
    }
    // Its counter could not be seeded past such an id, and no record of it could be read.
    if (!index.GetFirstBadId().empty()) {
        m_document = previous;
        ThrowComError(DISP_E_TYPEMISMATCH, EString::Formatted(L"The element %s has an ID that is not a whole "
                                                              L"number; nothing was loaded.",
                                                              index.GetFirstBadId().c_str()));
    }
    m_index = std::move(index);
    m_plan = std::move(plan);
}

void XmlDataElements::InvalidateIndex()
{
    m_index.Clear();
    m_plan.Clear();
}

ElementIndex& XmlDataElements::Index()
{
    const XmlDocument document = GetDocument(false);
    if (!m_index.IsBuiltFor(document) || !m_plan.IsBuiltFor(document))
        m_index.Build(document, &m_plan);
    return m_index;
}

PlanEntryTable& XmlDataElements::Plan()
{
    Index();
    return m_plan;
}

void XmlDataElements::AfterLoad()
{
    XmlDoc::AfterLoad();
    const ElementIndex& index = Index();
    TaskPlanEntry::SetIdCounter(index.GetMaxId(ElementIndex::kPlanEntryIds));
    TaskCard::SetIdCounter(index.GetMaxId(ElementIndex::kTaskIds));
    Category::SetIdCounter(index.GetMaxId(ElementIndex::kCategoryIds));
    MoodItem::SetIdCounter(index.GetMaxId(ElementIndex::kMoodIds));
    MoodState::SetIdCounter(index.GetMaxId(ElementIndex::kMoodStateIds));
    Goal::SetIdCounter(index.GetMaxId(ElementIndex::kGoalIds));
    Person::SetIdCounter(index.GetMaxId(ElementIndex::kPersonIds));
}

long XmlDataElements::GetMaxId(const EString& elementName)
{
    static const std::pair<const wchar_t*, ElementIndex::Counter> counters[] = {
        {kPlanEntry, ElementIndex::kPlanEntryIds}, {kTask, ElementIndex::kTaskIds},
        {kCategory, ElementIndex::kCategoryIds},   {kMood, ElementIndex::kMoodIds},
        {kMoodState, ElementIndex::kMoodStateIds}, {kGoal, ElementIndex::kGoalIds},
        {kPerson, ElementIndex::kPersonIds},
    };
    for (const auto& [name, counter] : counters)
        if (elementName == name)
            return Index().GetMaxId(counter);
    long largest = 0;
    for (const XmlNode& id : GetDocument(true).SelectNodes(L"//" + elementName + L"/@" + kId).GetNodes()) {
        long value = 0;
        if (IdText::Parse(id.GetValue().ToString(), value) == IdText::kNotANumber)
            ThrowComError(DISP_E_TYPEMISMATCH, L"An ID of " + elementName + L" is not a whole number.");
        largest = std::max(largest, value);
    }
    return largest;
}

void XmlDataElements::IndexElement(const XmlNode& element)
{
    const EString name = element.GetName();
    if (name == kDay) {
        Index().AddPlanDay(GetTextAttribute(element, kDate), element);
        return;
    }
    static const std::pair<const wchar_t*, ElementIndex::Kind> kinds[] = {
        {kTask, ElementIndex::kTasks},
        {kCategory, ElementIndex::kCategories},
        {kPerson, ElementIndex::kPeople},
        {kPlanEntry, ElementIndex::kPlanEntries},
        {kRecurrence, ElementIndex::kRecurrences},
        {kReminder, ElementIndex::kReminders},
    };
    for (const auto& [kindName, kind] : kinds) {
        if (name != kindName)
            continue;
        long id = 0;
        if (IdText::Parse(GetTextAttribute(element, kId), id) == IdText::kCanonical)
            Index().Add(kind, id, element);
        return;
    }
}

std::vector<long> XmlDataElements::RemoveElement(const XmlNode& element)
{
    std::vector<long> removedTasks;
    Index().Remove(element, &removedTasks);
    return removedTasks;
}

XmlNode XmlDataElements::NewElement(const wchar_t* name)
{
    return XmlNode(GetDocument(false).CreateElement(name));
}

// Sections.

XmlNode XmlDataElements::GetSection(const EString& name)
{
    const XmlNode root = GetRoot();
    if (XmlNode section = root.SelectSingleNode(name))
        return section;
    return AddChildElement(root, name);
}

XmlNode XmlDataElements::GetDailySection()
{
    return GetSection(kDaily);
}

XmlNode XmlDataElements::GetMoodsDailySection()
{
    return GetSection(kMoodsDaily);
}

XmlNode XmlDataElements::GetAvailableMoodsSection()
{
    return GetSection(kAvailableMoods);
}

XmlNode XmlDataElements::GetAvailableGoalsSection()
{
    return GetSection(kAvailableGoals);
}

XmlNode XmlDataElements::GetPeopleSection()
{
    return GetSection(kPeopleSection);
}

XmlNode XmlDataElements::GetPeopleStateSection()
{
    return GetSection(kPeopleState);
}

XmlNode XmlDataElements::GetStateSection()
{
    return GetSection(kStateSection);
}

XmlNode XmlDataElements::GetRecurrenceSection()
{
    return GetSection(kRecurrenceSection);
}

XmlNode XmlDataElements::GetReminderSection()
{
    return GetSection(kReminderSection);
}

XmlNode XmlDataElements::GetHolidaysSection()
{
    return GetSection(kHolidays);
}

// Tasks.

XmlNode XmlDataElements::FindTask(int id)
{
    return Index().Find(ElementIndex::kTasks, id);
}

XmlNode XmlDataElements::RequireTask(int id)
{
    const XmlNode task = FindTask(id);
    if (!task)
        ThrowMissing(L"task", id);
    return task;
}

void XmlDataElements::AddTask(int categoryId, const TaskCard& task)
{
    const XmlNode category = FindCategory(categoryId);
    if (!category)
        ThrowMissing(L"category", categoryId);
    const XmlNode element = NewElement(kTask);
    ElementRecords::Write(element, task);
    category.AppendChild(element);
    Index().Add(ElementIndex::kTasks, task.GetId(), element);
    if (task.GetStatus() != TaskCard::kCompleted)
        ReopenFrom(category);
}

void XmlDataElements::WriteTask(const XmlNode& element, const TaskCard& task)
{
    const bool newId = IdChanges(element.Checked(), task.GetId());
    ElementRecords::Write(element, task);
    if (newId)
        Index().Add(ElementIndex::kTasks, task.GetId(), element);
    // The categories of this element, whichever task comes first under its id.
    if (task.GetStatus() != TaskCard::kCompleted)
        ReopenFrom(element.GetParent());
}

void XmlDataElements::ReadTask(const XmlNode& element, TaskCard& task)
{
    ElementRecords::Read(element.Checked(), task);
    try {
        task.SetCategoryPath(BuildCategoryPath(element));
    } catch (const ComError&) {
        // The task reads without its path.
    }
}

void XmlDataElements::UpdateTask(const TaskCard& task)
{
    WriteTask(RequireTask(task.GetId()), task);
    if (task.GetStatus() == TaskCard::kCompleted)
        DeleteRecurrence(task.GetId());
}

void XmlDataElements::DeleteTask(int id)
{
    RemoveTaskCompanions(RemoveElement(RequireTask(id)));
}

void XmlDataElements::RemoveTaskCompanions(const std::vector<long>& taskIds)
{
    // A recurrence or reminder left behind would fire for a task that is gone.
    for (const long id : taskIds) {
        if (FindTask(id))
            continue; // a namesake keeps them
        DeleteRecurrence(id);
        DeleteReminder(id);
    }
}

void XmlDataElements::GetTask(int id, TaskCard& task)
{
    ReadTask(RequireTask(id), task);
}

int XmlDataElements::GetTaskCategory(int taskId)
{
    const XmlNode task = RequireTask(taskId);
    try {
        const XmlNode parent = task.GetParent();
        return HasName(parent, kCategory) ? ElementRecords::ReadInt(parent, kId) : 0;
    } catch (const ComError&) {
        return 0;
    }
}

// Categories.

XmlNode XmlDataElements::FindCategory(int id)
{
    return id == 0 ? GetRoot() : Index().Find(ElementIndex::kCategories, id);
}

XmlNode XmlDataElements::RequireCategory(int id)
{
    const XmlNode category = FindCategory(id);
    if (!category)
        ThrowMissing(L"category", id);
    return category;
}

void XmlDataElements::AddCategory(int parentId, const Category& category)
{
    const XmlNode parent = FindCategory(parentId);
    if (!parent)
        ThrowMissing(L"category", parentId);
    const XmlNode element = NewElement(kCategory);
    ElementRecords::Write(element, category);
    parent.AppendChild(element);
    Index().Add(ElementIndex::kCategories, category.GetId(), element);
}

void XmlDataElements::WriteCategory(const XmlNode& element, const Category& category)
{
    const bool newId = IdChanges(element.Checked(), category.GetId());
    ElementRecords::Write(element, category);
    if (newId)
        Index().Add(ElementIndex::kCategories, category.GetId(), element);
}

void XmlDataElements::ReadCategory(const XmlNode& element, Category& category)
{
    ElementRecords::Read(element.Checked(), category);
}

void XmlDataElements::UpdateCategory(const Category& category)
{
    // The top is ROOT, which keeps no fields.
    if (category.GetId() == 0)
        return;
    WriteCategory(RequireCategory(category.GetId()), category);
}

void XmlDataElements::GetCategory(int id, Category& category)
{
    if (id == 0) {
        category = Category();
        return;
    }
    ReadCategory(RequireCategory(id), category);
}

void XmlDataElements::DeleteCategory(int id)
{
    if (id == 0)
        ThrowComError(E_INVALIDARG, L"The top of the category tree cannot be deleted.");
    RemoveTaskCompanions(RemoveElement(RequireCategory(id)));
}

void XmlDataElements::GetSubCategories(int id, std::vector<Category>& categories)
{
    // The parser picks the subcategories out of the tasks around them: asking
    // each of a large category's thousands of tasks its name took far longer.
    for (const XmlNode& child : RequireCategory(id).SelectNodes(kCategory).GetElements()) {
        Category category;
        ReadCategory(child, category);
        categories.push_back(category);
    }
}

int XmlDataElements::GetParentCategoryId(int id)
{
    if (id == 0)
        return 0;
    const XmlNode category = RequireCategory(id);
    try {
        const XmlNode parent = category.GetParent();
        return HasName(parent, kCategory) ? ElementRecords::ReadInt(parent, kId) : 0;
    } catch (const ComError&) {
        return 0;
    }
}

EString XmlDataElements::GetCategoryPathText(int id)
{
    EString path;
    for (XmlNode node = RequireCategory(id).GetParent(); HasName(node, kCategory); node = node.GetParent()) {
        const EString name = GetTextAttribute(node, kName);
        path = path.empty() ? name : EString(name + L"\\" + path);
    }
    return path;
}

EString XmlDataElements::BuildCategoryPath(const XmlNode& element)
{
    EString path;
    for (XmlNode node = element.GetParent(); HasName(node, kCategory); node = node.GetParent()) {
        const EString name = GetTextAttribute(node, kName);
        path = path.empty() ? name : EString(name + L"/" + path);
    }
    return path;
}

bool XmlDataElements::IsCategoryNode(const XmlNode& node)
{
    return node && node.GetName().CompareNoCase(kCategory) == 0;
}

bool XmlDataElements::IsTaskNode(const XmlNode& node)
{
    return node && node.GetName().CompareNoCase(kTask) == 0;
}

bool XmlDataElements::ReopenTaskCategories(int taskId)
{
    return ReopenFrom(RequireTask(taskId).GetParent());
}

bool XmlDataElements::ReopenCategories(int categoryId)
{
    return categoryId != 0 && ReopenFrom(RequireCategory(categoryId));
}

bool XmlDataElements::ReopenFrom(XmlNode node)
{
    bool reopened = false;
    // Only the status changes; the rest of each category stays as it stands.
    for (; HasName(node, kCategory); node = node.GetParent()) {
        if (ElementRecords::ReadInt(node, kStatus) != 0) {
            ElementRecords::WriteInt(node, kStatus, 0);
            reopened = true;
        }
    }
    return reopened;
}

// People.

XmlNode XmlDataElements::FindPerson(int id)
{
    return id == 0 ? GetPeopleSection() : Index().Find(ElementIndex::kPeople, id);
}

XmlNode XmlDataElements::RequirePerson(int id)
{
    const XmlNode person = FindPerson(id);
    if (!person)
        ThrowMissing(L"person or group", id);
    return person;
}

void XmlDataElements::AddPerson(int parentId, const Person& person)
{
    const XmlNode parent = FindPerson(parentId);
    if (!parent)
        ThrowMissing(L"group", parentId);
    const XmlNode element = NewElement(kPerson);
    ElementRecords::Write(element, person);
    parent.AppendChild(element);
    Index().Add(ElementIndex::kPeople, person.GetId(), element);
}

void XmlDataElements::WritePerson(const XmlNode& element, const Person& person)
{
    const bool newId = IdChanges(element.Checked(), person.GetId());
    ElementRecords::Write(element, person);
    if (newId)
        Index().Add(ElementIndex::kPeople, person.GetId(), element);
}

void XmlDataElements::ReadPerson(const XmlNode& element, Person& person)
{
    ElementRecords::Read(element.Checked(), person);
}

void XmlDataElements::UpdatePerson(const Person& person)
{
    // The top is PEOPLESECTION, whose ID is the selected person.
    if (person.GetId() == 0)
        return;
    WritePerson(RequirePerson(person.GetId()), person);
}

void XmlDataElements::DeletePerson(int id)
{
    if (id == 0)
        ThrowComError(E_INVALIDARG, L"The top of the people tree cannot be deleted.");
    RemoveElement(RequirePerson(id));
}

void XmlDataElements::GetPersonById(int id, Person& person)
{
    if (id == 0) {
        person = Person();
        return;
    }
    ReadPerson(RequirePerson(id), person);
}

void XmlDataElements::GetPeople(int parentId, std::vector<Person>& people)
{
    for (const XmlNode& child : RequirePerson(parentId).GetChildElements()) {
        if (child.GetName() != kPerson)
            continue;
        Person person;
        ReadPerson(child, person);
        people.push_back(person);
    }
}

int XmlDataElements::GetSelectedPerson()
{
    return ElementRecords::ReadInt(GetPeopleSection(), kId);
}

void XmlDataElements::SetSelectedPerson(int id)
{
    ElementRecords::WriteInt(GetPeopleSection(), kId, id);
}

// Moods.

XmlNode XmlDataElements::FindMood(int id)
{
    return GetAvailableMoodsSection().SelectSingleNode(EString(kMood) + L"[@ID=\"" + IdText::Format(id) + L"\"]");
}

XmlNode XmlDataElements::RequireMood(int id)
{
    const XmlNode mood = FindMood(id);
    if (!mood)
        ThrowMissing(L"mood", id);
    return mood;
}

void XmlDataElements::AddMood(const MoodItem& mood)
{
    const XmlNode element = NewElement(kMood);
    ElementRecords::Write(element, mood);
    GetAvailableMoodsSection().AppendChild(element);
    // A later seeding of the counter (the open's second after-load step) starts past it.
    Index().NoteId(ElementIndex::kMoodIds, mood.GetId());
}

void XmlDataElements::WriteMood(const XmlNode& element, const MoodItem& mood)
{
    ElementRecords::Write(element.Checked(), mood);
    Index().NoteId(ElementIndex::kMoodIds, mood.GetId());
}

void XmlDataElements::ReadMood(const XmlNode& element, MoodItem& mood)
{
    ElementRecords::Read(element.Checked(), mood);
}

void XmlDataElements::UpdateMood(const MoodItem& mood)
{
    WriteMood(RequireMood(mood.GetId()), mood);
}

void XmlDataElements::DeleteMood(int id)
{
    RequireMood(id).RemoveFromParent();
}

void XmlDataElements::GetMood(int id, MoodItem& mood)
{
    ReadMood(RequireMood(id), mood);
}

void XmlDataElements::GetMoods(std::vector<MoodItem>& moods)
{
    for (const XmlNode& child : GetAvailableMoodsSection().GetChildElements()) {
        MoodItem mood;
        ReadMood(child, mood);
        moods.push_back(mood);
    }
}

int XmlDataElements::HasMoods()
{
    return static_cast<int>(GetAvailableMoodsSection().GetChildElements().size());
}

void XmlDataElements::SetMoodState(double date, int moodId)
{
    ElementRecords::WriteInt(GetMoodsDailySection(), kMoodId, moodId);
    const XmlNode day = GetMoodDay(date);
    const MoodState state(moodId);
    const XmlNode element = NewElement(kMoodState);
    ElementRecords::Write(element, state);
    day.AppendChild(element);
    NoteMoodState(state);
}

int XmlDataElements::GetCurrentMoodId()
{
    return ElementRecords::ReadInt(GetMoodsDailySection(), kMoodId);
}

void XmlDataElements::WriteMoodState(const XmlNode& element, const MoodState& state)
{
    ElementRecords::Write(element.Checked(), state);
    NoteMoodState(state);
}

void XmlDataElements::NoteMoodState(const MoodState& state)
{
    // The mood it names counts too, as the walk counts it: a deleted mood's id
    // must not come back for another mood the history would then name.
    ElementIndex& index = Index();
    index.NoteId(ElementIndex::kMoodStateIds, state.GetId());
    index.NoteId(ElementIndex::kMoodIds, state.GetMoodId());
}

void XmlDataElements::ReadMoodState(const XmlNode& element, MoodState& state)
{
    ElementRecords::Read(element.Checked(), state);
}
