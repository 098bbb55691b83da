#include "reports/PlanEntryFinder.h"

#include <gtest/gtest.h>

#include "document/xml/XmlDoc.h"
#include "foundation/TimeParser.h"

namespace {

// Task 7 has entries 4 (the 16th), then 3 and 1 (the 14th, by start); 2 is another task's.
constexpr const wchar_t* kPlan =
    L"<ROOT><CATEGORY ID=\"1\" NAME=\"Work\"><TASK ID=\"7\" NAME=\"Report\"/><TASK ID=\"8\" NAME=\"Mail\"/></CATEGORY>"
    L"<DAILY>"
    L"<DAY DATE=\"2024-05-14\">"
    L"<PLANENTRY ID=\"1\" TASKID=\"7\" STARTTIME=\"09:00\" ENDTIME=\"10:00\"/>"
    L"<PLANENTRY ID=\"2\" TASKID=\"8\" STARTTIME=\"10:00\" ENDTIME=\"11:00\"/>"
    L"<PLANENTRY ID=\"3\" TASKID=\"7\" STARTTIME=\"08:00\" ENDTIME=\"08:30\"/>"
    L"</DAY>"
    L"<DAY DATE=\"2024-05-16\"><PLANENTRY ID=\"4\" TASKID=\"7\" STARTTIME=\"13:00\" ENDTIME=\"14:00\"/></DAY>"
    L"</DAILY>"
    L"<MOODSDAILY><DAY DATE=\"2024-06-01\"><MOODSTATE ID=\"1\" STARTTIME=\"09:00\" MOODID=\"7\"/></DAY></MOODSDAILY>"
    L"</ROOT>";

} // namespace

TEST(PlanEntryFinder, TheNextEntryOfTheTaskFromTheLatestDayOnWrappingToTheFirst)
{
    XmlDoc plan;
    plan.LoadXml(kPlan);
    const struct {
        const char* name;
        int task, current;
        int expectedId;
        const wchar_t* expectedDate;
    } cases[] = {
        {"no current entry: the latest day's first", 7, -1, 4, L"2024-05-16"},
        {"the next day back", 7, 4, 3, L"2024-05-14"},
        {"the next of the same day by start", 7, 3, 1, L"2024-05-14"},
        {"after the last, the first again", 7, 1, 4, L"2024-05-16"},
        {"an entry no longer of the task", 7, 2, 0, nullptr},
        {"a task without entries", 9, -1, 0, nullptr},
    };
    for (const auto& test : cases) {
        PlanEntryFinder finder;
        finder.SetDocument(plan.GetDocument(false));
        finder.SetTaskId(test.task);
        finder.SetSecondId(test.current);
        const bool found = finder.Run();
        EXPECT_EQ(found, test.expectedDate != nullptr) << test.name;
        if (found && test.expectedDate) {
            EXPECT_EQ(finder.GetFoundId(), test.expectedId) << test.name;
            EXPECT_EQ(finder.GetFoundDate(), DateParser::ParseDate(test.expectedDate)) << test.name;
        }
    }
}
