// XmlDataElements: the plan's records read from and written to their elements, one element per call.
#pragma once

#include <vector>

#include "document/model/Category.h"
#include "document/model/DocProperties.h"
#include "document/model/Goal.h"
#include "document/model/MoodItem.h"
#include "document/model/MoodState.h"
#include "document/model/Person.h"
#include "document/model/RecurrenceInfo.h"
#include "document/model/ReminderInfo.h"
#include "document/model/TaskCard.h"
#include "document/xml/ElementIndex.h"
#include "document/xml/IDataManager.h"
#include "document/xml/PlanEntryTable.h"
#include "document/xml/XmlDoc.h"

// Elements are found by id through an index built in one walk after every
// new document and every load, and kept in step with every add and delete
// made here. A derived class that adds or removes TASK, CATEGORY, PERSON,
// PLANENTRY, DAY (of DAILY), RECURRENCE or REMINDER elements itself does so
// through IndexElement and RemoveElement, or calls InvalidateIndex.
//
// An operation on an element that does not exist raises E_POINTER; so does an
// add under a parent that does not exist.
class XmlDataElements : public XmlDoc, public IDataManager {
public:
    XmlDataElements() = default;

    // The document operations keep the index in step. A load that fails, or
    // finds an ID of a counted kind that is no number, raises and keeps the
    // document as it was.
    void New() override;
    void Load(const EString& path) override;
    void LoadXml(const EString& text) override;
    // Seeds every id counter above the largest id of its kind in use.
    void AfterLoad() override;
    // The largest id of the counted kind named by its element, counting the
    // references to it as well.
    long GetMaxId(const EString& elementName);

    // Sections: the first child of ROOT with the name, appended when missing.
    XmlNode GetSection(const EString& name);
    XmlNode GetDailySection();
    XmlNode GetMoodsDailySection();
    XmlNode GetAvailableMoodsSection();
    XmlNode GetAvailableGoalsSection();
    XmlNode GetPeopleSection();
    XmlNode GetPeopleStateSection();
    XmlNode GetStateSection();
    XmlNode GetRecurrenceSection();
    XmlNode GetReminderSection();
    XmlNode GetHolidaysSection();

    // Tasks.
    XmlNode FindTask(int id);
    // The card keeps its id; categoryId 0 is the top.
    void AddTask(int categoryId, const TaskCard& task);
    // An open task reopens the completed categories above it.
    void WriteTask(const XmlNode& element, const TaskCard& task);
    void ReadTask(const XmlNode& element, TaskCard& task);
    // A completed task loses its recurrence.
    void UpdateTask(const TaskCard& task);
    // The task's recurrence and reminder go with it; its plan entries stay.
    void DeleteTask(int id);
    void GetTask(int id, TaskCard& task);
    // 0 for a task at the top.
    int GetTaskCategory(int taskId);

    // Categories; id 0 is the top of the tree, ROOT itself.
    XmlNode FindCategory(int id);
    void AddCategory(int parentId, const Category& category);
    void WriteCategory(const XmlNode& element, const Category& category);
    void ReadCategory(const XmlNode& element, Category& category);
    // Id 0 stores nothing: the top has no fields of its own.
    void UpdateCategory(const Category& category);
    // Id 0 gives the top: no name, open.
    void GetCategory(int id, Category& category);
    // With the sub-categories and tasks, and the tasks' recurrences and reminders.
    void DeleteCategory(int id);
    void GetSubCategories(int id, std::vector<Category>& categories);
    int GetParentCategoryId(int id);
    // The names of the ancestors, top first, joined by "\"; empty at the top level.
    EString GetCategoryPathText(int id);
    // The names of the CATEGORY ancestors of a task, top first, joined by "/".
    EString BuildCategoryPath(const XmlNode& element);
    static bool IsCategoryNode(const XmlNode& node);
    static bool IsTaskNode(const XmlNode& node);
    // True when a completed category on the way to the top was opened.
    bool ReopenTaskCategories(int taskId);
    bool ReopenCategories(int categoryId);

    // People and groups; id 0 is PEOPLESECTION, the top.
    XmlNode FindPerson(int id);
    void AddPerson(int parentId, const Person& person);
    void WritePerson(const XmlNode& element, const Person& person);
    void ReadPerson(const XmlNode& element, Person& person);
    void UpdatePerson(const Person& person);
    // A group goes with its members.
    void DeletePerson(int id);
    void GetPersonById(int id, Person& person) override;
    void GetPeople(int parentId, std::vector<Person>& people);
    int GetSelectedPerson();
    void SetSelectedPerson(int id);

    // Moods.
    XmlNode FindMood(int id);
    void AddMood(const MoodItem& mood);
    void WriteMood(const XmlNode& element, const MoodItem& mood);
    void ReadMood(const XmlNode& element, MoodItem& mood);
    void UpdateMood(const MoodItem& mood);
    void DeleteMood(int id);
    void GetMood(int id, MoodItem& mood);
    void GetMoods(std::vector<MoodItem>& moods);
    int HasMoods();
    // Records the mood at the current time of day in the date's DAY.
    void SetMoodState(double date, int moodId);
    int GetCurrentMoodId();
    void WriteMoodState(const XmlNode& element, const MoodState& state);
    void ReadMoodState(const XmlNode& element, MoodState& state);

    // Days: found by the "%Y-%m-%d" text of the date, appended when missing.
    XmlNode FindDay(const XmlNode& section, double date);
    XmlNode GetPlanDay(double date);
    XmlNode GetMoodDay(double date);
    // The whole day of the DAY holding the element; 0 when there is none.
    static double GetEntryDay(const XmlNode& element);
    // "//PLANENTRY[predicate]"; an empty predicate selects nothing.
    XmlNodeList SelectPlanEntries(const EString& predicate);
    XmlNodeList SelectTaskPlanEntries(int taskId);

    // Recurrences, keyed by their task's id.
    XmlNode FindRecurrence(int taskId);
    bool HasRecurrence(int taskId);
    // False, and a 30-minute occurrence at "DayBegin", when the task has none.
    bool GetRecurrence(int taskId, RecurrenceInfo& recurrence);
    // Adds or replaces; with setDeadline the task's deadline becomes the next occurrence.
    void SetRecurrence(const RecurrenceInfo& recurrence, bool setDeadline);
    void WriteRecurrence(const XmlNode& element, const RecurrenceInfo& recurrence);
    // The holiday dates of the document come along.
    void ReadRecurrence(const XmlNode& element, RecurrenceInfo& recurrence);
    // False when there was none.
    bool DeleteRecurrence(int taskId);
    void GetRecurrences(std::vector<RecurrenceInfo>& recurrences);
    bool IsEveryDayRecurrence(int taskId);
    bool DeleteEveryDayRecurrence(int taskId);
    XmlNode FindCompletedPlan(const XmlNode& recurrence, int planEntryId);
    // Only for a task with a recurrence; never twice for one plan entry.
    void AddCompletedPlan(int taskId, int planEntryId);
    void RemoveCompletedPlan(int taskId, int planEntryId);
    bool IsPlanCompleted(int taskId, int planEntryId);

    // Reminders, keyed by their task's id.
    XmlNode FindReminder(int taskId);
    // Adds or replaces.
    void AddReminder(const ReminderInfo& reminder);
    // False, and an alarm today at "DayBegin", when the task has none.
    bool GetReminder(int taskId, ReminderInfo& reminder);
    void DeleteReminder(int taskId);
    void GetReminders(std::vector<ReminderInfo>& reminders);
    void WriteReminder(const XmlNode& element, const ReminderInfo& reminder);
    void ReadReminder(const XmlNode& element, ReminderInfo& reminder);

    void GetHolidays(std::vector<double>& dates);

    // Document properties; all empty while the document has none.
    void GetProperties(DocProperties& properties);
    void SetProperties(const DocProperties& properties);

    // The state of the trees kept in the document.
    void SetSelectedCategory(int id);
    int GetSelectedCategory();
    void SaveCategoryTreeState(const std::vector<int>& ids);
    void LoadCategoryTreeState(std::vector<int>& ids);
    void SavePeopleTreeState(const std::vector<int>& ids);
    void LoadPeopleTreeState(std::vector<int>& ids);
    void WriteStateIds(const XmlNode& section, const std::vector<int>& ids);
    void ReadStateIds(const XmlNode& section, std::vector<int>& ids);
    static void RemoveAllChildren(const XmlNode& node);

    // Default lists and goals.
    void AddDefaultMoods();
    void AddDefaultPeople();
    // The stored goals, or the default ones (not stored) when there are none.
    void GetGoals(std::vector<Goal>& goals);
    static void AddDefaultGoals(std::vector<Goal>& goals);
    void AddGoals(const std::vector<Goal>& goals);
    void AddGoal(const Goal& goal);
    void WriteGoal(const XmlNode& element, const Goal& goal);
    void ReadGoal(const XmlNode& element, Goal& goal);
    static int GetGoalsVersion() { return 1000; }
    // A category per goal under "Goals", each with a first task.
    void AddGoalTasks(const std::vector<Goal>& goals);
    int FindGoalsCategoryId();
    static EString GetGoalsCategoryName();

protected:
    // An element placed in the document by a derived class: TASK, CATEGORY,
    // PERSON anywhere, PLANENTRY below DAILY, DAY in DAILY, RECURRENCE and
    // REMINDER in their sections.
    void IndexElement(const XmlNode& element);
    // Takes the element and its subtree out of the document and the index;
    // gives the ids of the TASK elements that went.
    std::vector<long> RemoveElement(const XmlNode& element);
    // Also forgets the plan-entry table.
    void InvalidateIndex();
    ElementIndex& Index();
    // Built with the index, in its walk.
    PlanEntryTable& Plan();

private:
    // The new document, once its index is built; the old one stays when the
    // build refuses it.
    void Adopt(const XmlDocument& previous);
    // An element of the document not placed yet: a record is written into it
    // first, so that a write that fails leaves nothing behind.
    XmlNode NewElement(const wchar_t* name);
    XmlNode RequireTask(int id);
    XmlNode RequireCategory(int id);
    XmlNode RequirePerson(int id);
    XmlNode RequireMood(int id);
    // The ids a mood state holds, for the counters' next seeding.
    void NoteMoodState(const MoodState& state);
    // Opens every completed category from the node up.
    bool ReopenFrom(XmlNode node);
    void RemoveTaskCompanions(const std::vector<long>& taskIds);

    ElementIndex m_index;
    PlanEntryTable m_plan;
};
