#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "document/model/PlanEntriesMixer.h"
#include "document/xml/DataManagerTestSupport.h"
#include "document/xml/IdText.h"
#include "foundation/Clock.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"

namespace {

const double kToday = Date(2024, 5, 15);

// Tasks in a tree with a nameless category, plan entries over a few days
// (one of a task that is gone, one outside any day), a recurrence.
const wchar_t kPlan[] =
    L"<ROOT><CATEGORY ID=\"1\" NAME=\"A\" STATUS=\"0\" DEADLINE=\"2024-07-01\">"
    L"<TASK ID=\"1\" NAME=\"a1\" STATUS=\"0\" ESTIMATION=\"5.0\" DEADLINE=\"2024-05-30\"/>"
    L"<CATEGORY ID=\"2\" NAME=\"\" STATUS=\"0\" DEADLINE=\"2024-04-01\">"
    L"<TASK ID=\"2\" NAME=\"b2\" STATUS=\"1\" ESTIMATION=\"2.0\" DEADLINE=\"2024-05-10\"/>"
    L"<CATEGORY ID=\"3\" NAME=\"C\" STATUS=\"0\" DEADLINE=\"2024-06-01\">"
    L"<TASK ID=\"3\" NAME=\"c3\" STATUS=\"2\" ESTIMATION=\"1.0\" DEADLINE=\"2024-09-01\"/></CATEGORY></CATEGORY>"
    L"<TASK ID=\"4\" NAME=\"a4\" STATUS=\"0\" IMPORTANCE=\"3\" ESTIMATION=\"3.0\"/></CATEGORY>"
    L"<CATEGORY ID=\"5\" NAME=\"E\" STATUS=\"0\" DEADLINE=\"2024-05-20\"/>"
    L"<TASK ID=\"6\" NAME=\"top\" STATUS=\"0\" ESTIMATION=\"1.5\" DEADLINE=\"2024-05-16\"/>"
    L"<DAILY><DAY DATE=\"2024-05-14\"><PLANENTRY ID=\"1\" TASKID=\"1\" STARTTIME=\"09:00\" ENDTIME=\"10:00\"/>"
    L"<PLANENTRY ID=\"2\" TASKID=\"2\" STARTTIME=\"10:00\" ENDTIME=\"11:30\"/></DAY>"
    L"<DAY DATE=\"2024-05-15\"><PLANENTRY ID=\"3\" TASKID=\"1\" STARTTIME=\"10:00\" ENDTIME=\"11:00\"/>"
    L"<PLANENTRY ID=\"4\" TASKID=\"9\" STARTTIME=\"12:00\" ENDTIME=\"13:00\"/>"
    L"<PLANENTRY ID=\"5\" TASKID=\"3\" STARTTIME=\"22:00\" ENDTIME=\"23:30\"/></DAY>"
    L"<DAY DATE=\"2024-06-03\"><PLANENTRY ID=\"6\" TASKID=\"6\" STARTTIME=\"08:00\" ENDTIME=\"08:45\"/></DAY>"
    L"<PLANENTRY ID=\"7\" TASKID=\"2\" STARTTIME=\"08:00\" ENDTIME=\"09:00\"/></DAILY>"
    L"<RECURRENCESECTION><RECURRENCE ID=\"6\" PATTERNPERIOD=\"0\" STARTDATE=\"2024-05-01\" STARTTIME=\"07:00\" "
    L"ENDTIME=\"07:30\"/></RECURRENCESECTION></ROOT>";

constexpr int kMaxId = 40;

// The queries as XPath searches of the whole document give them, one search per id.
class XPathReference {
public:
    explicit XPathReference(DataManager& doc) : m_doc(doc) {}

    XmlNode Category(int id)
    {
        return id == 0 ? m_doc.GetRoot() : Document().SelectSingleNode(EString::Formatted(L"//CATEGORY[@ID=\"%d\"]", id));
    }

    std::vector<TaskCard> SelectTasks(int categoryId, bool subtree)
    {
        std::vector<TaskCard> tasks;
        for (const XmlNode& element : Category(categoryId).SelectNodes(subtree ? L".//TASK" : L"TASK").GetNodes()) {
            TaskCard task;
            m_doc.ReadTask(element, task);
            FillTimes(task);
            if (const XmlNode rule = m_doc.FindRecurrence(task.GetId())) {
                RecurrenceInfo recurrence;
                m_doc.ReadRecurrence(rule, recurrence);
                task.SetHasRecurrence(true);
                task.SetDailyRecurrence(recurrence.IsEveryDay());
            }
            tasks.push_back(task);
        }
        return tasks;
    }

    XmlNodeList EntriesOfTask(int taskId)
    {
        return m_doc.GetDailySection().SelectNodes(EString::Formatted(L".//PLANENTRY[@TASKID=\"%d\"]", taskId));
    }

    void FillTimes(TaskCard& task)
    {
        double done = 0, planned = 0;
        for (const XmlNode& entry : EntriesOfTask(task.GetId()).GetNodes()) {
            TimeRange times;
            times.SetStartTimeText(Attribute(entry, L"STARTTIME"));
            times.SetEndTimeText(Attribute(entry, L"ENDTIME"));
            const double moment = XmlDataElements::GetEntryDay(entry) + times.GetStartTime();
            (std::llround(moment * 86400) < std::llround(Clock::Now() * 86400) ? done : planned) +=
                times.GetDurationHours();
        }
        task.SetDoneTime(done);
        task.SetPlannedTime(planned);
    }

    double LastPlanDate(int taskId)
    {
        double last = 0;
        bool any = false;
        for (const XmlNode& entry : m_doc.SelectTaskPlanEntries(taskId).GetNodes()) {
            const double day = XmlDataElements::GetEntryDay(entry);
            last = any ? std::max(last, day) : day;
            any = true;
        }
        return last;
    }

    XmlNodeList EntriesOfTasks(const std::vector<TaskCard>& tasks)
    {
        EString predicate;
        for (const TaskCard& task : tasks)
            predicate += EString::Formatted(predicate.empty() ? L"@TASKID=\"%d\"" : L" or @TASKID=\"%d\"",
                                            task.GetId());
        return m_doc.SelectPlanEntries(predicate);
    }

    void DateRange(int categoryId, double& first, double& last)
    {
        const std::vector<TaskCard> tasks = SelectTasks(categoryId, true);
        double earliestPlan = 0, latestPlan = 0, earliestDeadline = 0, latestDeadline = 0;
        const std::vector<XmlNode> entries = EntriesOfTasks(tasks).GetNodes();
        for (size_t i = 0; i < entries.size(); ++i) {
            const double day = XmlDataElements::GetEntryDay(entries[i]);
            earliestPlan = i == 0 ? day : std::min(earliestPlan, day);
            latestPlan = i == 0 ? day : std::max(latestPlan, day);
        }
        for (size_t i = 0; i < tasks.size(); ++i) {
            earliestDeadline = i == 0 ? tasks[i].GetDeadline() : std::min(earliestDeadline, tasks[i].GetDeadline());
            latestDeadline = i == 0 ? tasks[i].GetDeadline() : std::max(latestDeadline, tasks[i].GetDeadline());
        }
        first = earliestPlan != 0 ? earliestPlan : Clock::Today();
        if (earliestDeadline > 0 && earliestDeadline < first)
            first = earliestDeadline;
        last = std::max({first + 42, latestDeadline, latestPlan});
        if (categoryId > 0) {
            ::Category category;
            m_doc.GetCategory(categoryId, category);
            first = std::min(first, category.GetDeadline());
            last = std::max(last, category.GetDeadline());
        }
    }

    EString CategoryXml(int categoryId)
    {
        const XmlNode category = categoryId == 0 ? XmlNode() : Category(categoryId);
        if (!category)
            return L"<ROOT></ROOT>";
        const std::vector<TaskCard> tasks = SelectTasks(categoryId, true);
        if (tasks.empty())
            return L"<ROOT>" + category.GetXml() + L"</ROOT>";
        PlanEntriesMixer mixer;
        for (const XmlNode& entry : EntriesOfTasks(tasks).GetNodes())
            mixer.Add(static_cast<unsigned>(XmlDataElements::GetEntryDay(entry)), entry.GetXml());
        return L"<ROOT>" + category.GetXml() + mixer.GetXml() + L"</ROOT>";
    }

    bool HasUncompleted(int categoryId)
    {
        const XmlNode category = Category(categoryId);
        return category && category.SelectSingleNode(L".//TASK[@STATUS!=2]");
    }

private:
    XmlDocument Document() { return m_doc.GetDocument(false); }

    DataManager& m_doc;
};

class DataManagerIndexTest : public DataManagerTest {
protected:
    std::vector<int> CategoryIds()
    {
        std::vector<int> ids = {0};
        for (const XmlNode& id : m_doc.GetDocument(false).SelectNodes(L"//CATEGORY/@ID").GetNodes())
            ids.push_back(_wtoi(id.GetValue().ToString().c_str()));
        return ids;
    }

    static void ExpectSameTasks(const std::vector<TaskCard>& indexed, const std::vector<TaskCard>& selected)
    {
        ASSERT_EQ(indexed.size(), selected.size());
        for (size_t i = 0; i < indexed.size(); ++i) {
            SCOPED_TRACE(indexed[i].GetId());
            EXPECT_TRUE(indexed[i] == selected[i]);
            EXPECT_EQ(indexed[i].GetCategoryPath(), selected[i].GetCategoryPath());
            EXPECT_EQ(indexed[i].GetImportance(), selected[i].GetImportance());
            EXPECT_NEAR(indexed[i].GetDoneTime(), selected[i].GetDoneTime(), 1e-9);
            EXPECT_NEAR(indexed[i].GetPlannedTime(), selected[i].GetPlannedTime(), 1e-9);
        }
    }

    // Every query the table and the walks answer, against the XPath.
    void ExpectAnswersAsXPath()
    {
        XPathReference reference(m_doc);
        for (const int category : CategoryIds()) {
            SCOPED_TRACE(category);
            for (const bool subtree : {true, false}) {
                std::vector<TaskCard> tasks;
                m_doc.SelectTasks(category, tasks, FilterInfo(0, 0, 0, category), subtree, true, true);
                ExpectSameTasks(tasks, reference.SelectTasks(category, subtree));
            }
            double first = 0, last = 0, expectedFirst = 0, expectedLast = 0;
            m_doc.GetTaskDateRange(category, FilterInfo(0, 0, 0, category), first, last);
            reference.DateRange(category, expectedFirst, expectedLast);
            EXPECT_EQ(first, expectedFirst);
            EXPECT_EQ(last, expectedLast);
            EXPECT_EQ(m_doc.GetCategoryXml(category), reference.CategoryXml(category));
            EXPECT_EQ(m_doc.HasUncompletedTasks(category), reference.HasUncompleted(category));
        }
        const XmlNode daily = m_doc.GetDailySection();
        for (int id = 0; id <= kMaxId; ++id) {
            SCOPED_TRACE(id);
            EXPECT_EQ(m_doc.GetLastPlanDateOfTask(id), reference.LastPlanDate(id));
            EXPECT_EQ(m_doc.SelectPlanEntriesOfTask(id).size(), static_cast<size_t>(reference.EntriesOfTask(id).GetLength()));
            const XmlNode selected = daily.SelectSingleNode(EString::Formatted(L".//PLANENTRY[@ID=\"%d\"]", id));
            const XmlNode indexed = m_doc.FindPlanEntry(id);
            EXPECT_EQ(indexed.IsEmpty(), selected.IsEmpty());
            if (selected && indexed) {
                EXPECT_TRUE(indexed.IsSameNode(selected));
            }
        }
    }

    TaskPlanEntry NewEntry(int taskId, const wchar_t* start, const wchar_t* end, int fixed = 0)
    {
        return TaskPlanEntry(taskId, TimeParser::ParseTime(start), TimeParser::ParseTime(end), L"", L"", fixed, 0);
    }
};

} // namespace

TEST_F(DataManagerIndexTest, TheTableAndTheWalksAnswerAsTheXPathThroughEdits)
{
  // With the stray entry; without it, where the fragments read only the days they need; with an entry
  // inside another, which the XPath finds as well.
  const std::pair<const char*, std::function<void(EString&)>> plans[] = {
      {"with an entry outside the days", [](EString&) {}},
      {"all entries in their days",
       [](EString& plan) {
           plan.erase(plan.find(L"<PLANENTRY ID=\"7\""), plan.find(L"</DAILY>") - plan.find(L"<PLANENTRY ID=\"7\""));
       }},
      {"an entry inside another",
       [](EString& plan) {
           plan.insert(plan.find(L"</DAY>"), L"<PLANENTRY ID=\"8\" TASKID=\"3\" STARTTIME=\"14:00\" ENDTIME=\"15:00\">"
                                             L"<PLANENTRY ID=\"9\" TASKID=\"4\" STARTTIME=\"16:00\" "
                                             L"ENDTIME=\"17:00\"/></PLANENTRY>");
       }},
  };
  for (const auto& [variant, edit] : plans) {
    SCOPED_TRACE(variant);
    EString plan = kPlan;
    edit(plan);
    Open(plan);
    ExpectAnswersAsXPath();
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"add with pushes and a spill",
         [&] { m_doc.AddPlanEntry(kToday, NewEntry(2, L"21:00", L"23:00"), true, true); }},
        {"add fixed", [&] { m_doc.AddPlanEntry(kToday, NewEntry(4, L"09:30", L"10:30", 1), true, true); }},
        {"update", [&] {
             TaskPlanEntry entry;
             m_doc.GetPlanEntry(1, entry);
             entry.SetTaskId(6);
             entry.SetEndTimeText(L"12:00");
             m_doc.UpdatePlanEntry(entry, false);
         }},
        {"move to another day", [&] { m_doc.MovePlanEntry(kToday + 20, TimeParser::ParseTime(L"13:00"), 2, false); }},
        {"copy", [&] { m_doc.MovePlanEntry(kToday - 30, TimeParser::ParseTime(L"13:00"), 3, true); }},
        {"delete", [&] { m_doc.DeletePlanEntry(6); }},
        {"delete a task, its entries stay", [&] { m_doc.DeleteTask(1); }},
        {"read a day, which drops the orphans", [&] {
             std::vector<TaskPlanEntry> entries;
             m_doc.GetDayPlanEntries(kToday, entries);
         }},
        {"move tasks", [&] { m_doc.MoveTasks(5, {2, 6}); }},
        {"move a category", [&] { m_doc.MoveCategory(5, 3); }},
        {"paste a branch with its plan", [&] { m_doc.InsertXml(1, m_doc.GetCategoryXml(5), true); }},
        {"schedule", [&] { m_doc.ScheduleTasks(kToday + 2, TimeParser::ParseTime(L"20:00"), {4, 6}, 1, 8); }},
        {"replan", [&] { m_doc.RescheduleToNextWorkDay(kToday + 2); }},
        {"recurring", [&] { m_doc.AddRecurringPlanEntries(kToday + 7); }},
        {"arrange deadlines", [&] { m_doc.ArrangeDeadlines(0, 0, kToday, 2.5f); }},
        {"reopen", [&] { Reopen(); }},
    };
    for (const auto& [name, step] : steps) {
        SCOPED_TRACE(name);
        step();
        ExpectAnswersAsXPath();
    }
  }
}

TEST_F(DataManagerIndexTest, AnEditBehindTheTablesBackIsAnsweredAfterTheIndexIsInvalidated)
{
    Open(kPlan);
    TaskCard task;
    m_doc.GetTaskWithTimes(1, task);
    XmlDoc::SetAttribute(Select(m_doc, L"//PLANENTRY[@ID=\"3\"]"), L"TASKID", L"6");
    m_doc.InvalidateIndex();
    ExpectAnswersAsXPath();
    // A document of its own is a new table as well.
    Open(kSmallPlan);
    EXPECT_EQ(m_doc.GetLastPlanDateOfTask(1), 0);
}
