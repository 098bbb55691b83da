// XmlDataElements: the default moods, people and goals, and the categories and tasks made from goals.
#include "document/xml/XmlDataElements.h"

#include "document/xml/DefaultLists.h"
#include "document/xml/ElementRecords.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/Clock.h"

using namespace Xml;

namespace {

constexpr wchar_t kGoalsCategoryName[] = L"Goals";
constexpr wchar_t kGoalTaskPrefix[] = L"Thinking about: ";

} // namespace

void XmlDataElements::AddDefaultMoods()
{
    for (const DefaultLists::Mood& mood : DefaultLists::Moods())
        AddMood(MoodItem(DefaultLists::Translate(mood.key), RGB(mood.red, mood.green, mood.blue)));
}

void XmlDataElements::AddDefaultPeople()
{
    const EString product = DefaultLists::ProductName();
    const EString groupName = product + L" " + DefaultLists::Translate(L"support");
    const Person group(1, groupName, groupName, EString(), EString(), 0);
    AddPerson(0, group);
    const EString assistant = product + L" " + DefaultLists::Translate(L"assistant");
    const Person contact(0, product + L"Support", assistant, assistant, DefaultLists::SupportEmail(), 0);
    AddPerson(group.GetId(), contact);
}

void XmlDataElements::GetGoals(std::vector<Goal>& goals)
{
    for (const XmlNode& child : GetAvailableGoalsSection().GetChildElements()) {
        Goal goal;
        ReadGoal(child, goal);
        goals.push_back(goal);
    }
    if (goals.empty())
        AddDefaultGoals(goals);
}

void XmlDataElements::AddDefaultGoals(std::vector<Goal>& goals)
{
    for (const wchar_t* key : DefaultLists::GoalKeys())
        goals.emplace_back(DefaultLists::Translate(key), EString(), 0);
}

void XmlDataElements::AddGoals(const std::vector<Goal>& goals)
{
    for (const Goal& goal : goals)
        AddGoal(goal);
}

void XmlDataElements::AddGoal(const Goal& goal)
{
    const XmlNode element = NewElement(kGoal);
    ElementRecords::Write(element, goal);
    GetAvailableGoalsSection().AppendChild(element);
    Index().NoteId(ElementIndex::kGoalIds, goal.GetId());
}

void XmlDataElements::WriteGoal(const XmlNode& element, const Goal& goal)
{
    ElementRecords::Write(element.Checked(), goal);
    Index().NoteId(ElementIndex::kGoalIds, goal.GetId());
}

void XmlDataElements::ReadGoal(const XmlNode& element, Goal& goal)
{
    ElementRecords::Read(element.Checked(), goal);
}

void XmlDataElements::AddGoalTasks(const std::vector<Goal>& goals)
{
    int goalsId = FindGoalsCategoryId();
    if (goalsId == 0) {
        const Category category(kGoalsCategoryName, EString(), 0, 0);
        AddCategory(0, category);
        goalsId = category.GetId();
    }
    for (const Goal& goal : goals) {
        const Category category(goal.GetName(), goal.GetDescription(), goal.GetDeadline(), 0);
        AddCategory(goalsId, category);
        const TaskCard task(kGoalTaskPrefix + goal.GetName(), goal.GetDescription(), 1.0, Clock::Now(), 1,
                            TaskCard::kNew, 0, 0, -1);
        AddTask(category.GetId(), task);
    }
}

int XmlDataElements::FindGoalsCategoryId()
{
    std::vector<Category> categories;
    GetSubCategories(0, categories);
    for (const Category& category : categories)
        if (category.GetName().CompareNoCase(kGoalsCategoryName) == 0)
            return category.GetId();
    return 0;
}

EString XmlDataElements::GetGoalsCategoryName()
{
    return kGoalsCategoryName;
}
