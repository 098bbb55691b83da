#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dialogs/ScheduleTasksDialog.h"
#include "dialogs/testdata/TaskDialogTestSupport.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/WindowShot.h"

namespace {

class ScheduleTasksDialogTest : public TaskDialogsTest {
protected:
    void SetUp() override
    {
        TaskDialogsTest::SetUp();
        Options::SetRegularHours(8);
    }
};

// Into the field, its text selected, typed over; Tab or Enter follows.
void TypeInto(HWND dialog, int id, const wchar_t* text)
{
    const HWND edit = ::GetDlgItem(dialog, id);
    ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    TypeText(edit, text);
}

bool Shows(HWND dialog, double hours, double presence)
{
    return ItemText(dialog, IDC_SCHEDULE_HOURS) == FormatDecimalForEdit(hours) &&
           ItemText(dialog, IDC_SCHEDULE_PRESENCE) == FormatDecimalForEdit(presence);
}

} // namespace

TEST_F(ScheduleTasksDialogTest, LeavingOneFieldSetsTheOtherAndOkRefusesAValueOutOfRange)
{
    const struct {
        const char* name;
        int field;
        const wchar_t* typed;
        double hours;
        double presence;
        const wchar_t* told; // empty: taken
    } cases[] = {
        {"half the day", IDC_SCHEDULE_PRESENCE, L"50", 4, 50, L""},
        {"twelve hours", IDC_SCHEDULE_HOURS, L"12", 12, 150, L""},
        {"a decimal comma", IDC_SCHEDULE_HOURS, L"6,5", 6.5, 81.25, L""},
        {"no hours", IDC_SCHEDULE_HOURS, L"0", 8, 100,
         L"The field \"Hours per day\" holds \"0\". It takes a number from 0.1 to 240. Nothing was saved: correct it "
         L"and try again."},
        {"more than thirty days", IDC_SCHEDULE_PRESENCE, L"5000", 8, 100,
         L"The field \"Time available\" holds \"5000\". It takes a number from 1 to 3000. Nothing was saved: "
         L"correct it and try again."},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const bool refused = test.told[0] != 0;
        double start = DateTime(2024, 5, 16, 10, 30);
        double hours = 8;
        bool confirmed = false;
        EString told;
        std::vector<DialogStep> steps = {[&](HWND hwnd) {
                                             TypeInto(hwnd, test.field, test.typed);
                                             PressKey(::GetDlgItem(hwnd, test.field), VK_TAB);
                                             return true;
                                         },
                                         [&](HWND hwnd) {
                                             if (refused ? FocusedItemId(hwnd) == test.field ||
                                                               ItemText(hwnd, test.field) != test.typed
                                                         : !Shows(hwnd, test.hours, test.presence))
                                                 return false;
                                             // A value refused stays as typed; the other field as it was.
                                             if (refused) {
                                                 EXPECT_EQ(ItemText(hwnd, test.field), test.typed);
                                             }
                                             ClickButton(hwnd, IDOK);
                                             return true;
                                         }};
        if (refused) {
            steps.push_back(AnswerMessageBox(told, nullptr));
            steps.push_back([&](HWND hwnd) {
                if (FindThreadDialog() != hwnd || FocusedItemId(hwnd) != test.field)
                    return false;
                ClickButton(hwnd, IDCANCEL);
                return true;
            });
        }
        RunModalSteps([&] { return INT_PTR(confirmed = ChooseDeadlineSchedule(start, hours)); }, steps);
        EXPECT_EQ(confirmed, !refused);
        EXPECT_EQ(told, test.told);
        EXPECT_DOUBLE_EQ(hours, test.hours);
        EXPECT_DOUBLE_EQ(std::floor(start), DateTime(2024, 5, 16, 0, 0));
    }
}

TEST_F(ScheduleTasksDialogTest, TheShareOfTheDayIsWorkedOutFromTheHoursWhenItOpens)
{
    const struct {
        const char* name;
        double givenHours;
        double regularHours;
        double shownHours;
        double shownPresence;
    } cases[] = {
        {"six of eight", 6, 8, 6, 75},
        {"three of six", 3, 6, 3, 50},
        {"no hours count as eight", 0, 8, 8, 100},
        {"fewer than none", -2.5, 8, 8, 100},
        {"a regular day of none counts as eight", 4, 0, 4, 50},
    };
    for (const auto& test : cases) {
        Options::SetRegularHours(test.regularHours);
        CScheduleTasksDialog dialog;
        dialog.hoursPerDay = test.givenHours;
        dialog.presence = 999; // left over: not what opens
        RunModalSteps([&] { return dialog.DoModal(nullptr); },
                      {[&](HWND hwnd) {
                          EXPECT_EQ(ItemText(hwnd, IDC_SCHEDULE_HOURS), FormatDecimalForEdit(test.shownHours))
                              << test.name;
                          EXPECT_EQ(ItemText(hwnd, IDC_SCHEDULE_PRESENCE), FormatDecimalForEdit(test.shownPresence))
                              << test.name;
                          if (test.givenHours == 6) {
                              EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"ScheduleTasksDialog").empty());
                          }
                          ClickButton(hwnd, IDOK);
                          return true;
                      }});
        EXPECT_DOUBLE_EQ(dialog.hoursPerDay, test.shownHours) << test.name;
    }
}

TEST_F(ScheduleTasksDialogTest, EnterRightAfterTypingTheShareTakesItAsTheHours)
{
    double start = DateTime(2024, 5, 16, 10, 30);
    double hours = 8;
    const INT_PTR result = RunModalSteps([&] { return INT_PTR(ChooseDeadlineSchedule(start, hours)); },
                                         {[&](HWND hwnd) {
                                             TypeInto(hwnd, IDC_SCHEDULE_PRESENCE, L"25");
                                             PressKey(::GetDlgItem(hwnd, IDC_SCHEDULE_PRESENCE), VK_RETURN);
                                             return true;
                                         }});
    EXPECT_EQ(result, TRUE);
    EXPECT_DOUBLE_EQ(hours, 2);
}
