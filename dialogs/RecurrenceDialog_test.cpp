#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "dialogs/RecurrenceDialog.h"
#include "dialogs/testdata/TaskDialogTestSupport.h"
#include "testing/DialogDriver.h"
#include "foundation/TimeParser.h"
#include "testing/WindowShot.h"

namespace {

class RecurrenceDialogTest : public TaskDialogsTest {
protected:
    void SetUp() override
    {
        TaskDialogsTest::SetUp();
        record = RecurrenceInfo();
        record.SetName(L"Water the plants");
        record.SetStartKeepDuration(Time(9, 0));
        record.SetEnd(Time(11, 30));
        record.SetStartDate(Date(2024, 5, 15));
        record.SetEndDate(Date(2024, 6, 30));
        record.SetEveryDayIndex(1);
        record.SetMonthDay(15);
        record.SetOccurrencesNumber(12);
    }

    // Runs EditRecurrence on the record: the steps act, then OK.
    INT_PTR Edit(std::function<void(HWND)> act, std::function<void(HWND)> check = {})
    {
        bool ok = false;
        RunModalSteps([&] { return static_cast<INT_PTR>(ok = EditRecurrence(record)); },
                      {[&](HWND dialog) {
                           act(dialog);
                           return true;
                       },
                       [&](HWND dialog) {
                           if (check)
                               check(dialog);
                           ClickButton(dialog, IDOK);
                           return true;
                       }});
        return ok;
    }

    RecurrenceInfo record;
};

void FocusAndType(HWND dialog, int id, const wchar_t* text)
{
    ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, id)), TRUE);
    SetItemText(dialog, id, text);
}

} // namespace

TEST_F(RecurrenceDialogTest, EveryKindGoesThroughTheDialogIntoTheRecord)
{
    const struct {
        const char* name;
        int kindRadio;
        std::function<void(HWND)> choose;
        std::function<void(const RecurrenceInfo&)> expect;
        std::vector<int> shown; // of the kinds' options, those that show
    } cases[] = {
        {"daily, every 3rd working day", IDC_RECUR_DAILY,
         [](HWND d) {
             SelectComboItem(d, IDC_RECUR_DAY_INTERVAL, 2);
             ClickCheck(d, IDC_RECUR_WORKDAYS);
         },
         [](const RecurrenceInfo& r) {
             EXPECT_EQ(r.GetPatternPeriod(), RecurrenceInfo::kDaily);
             EXPECT_EQ(r.GetEveryDayIndex(), 2);
             EXPECT_EQ(r.GetDayWorkday(), RecurrenceInfo::kWorkingDays);
         },
         {IDC_RECUR_DAY_INTERVAL}},
        {"weekly, every other Monday and Friday", IDC_RECUR_WEEKLY,
         [](HWND d) {
             SelectComboItem(d, IDC_RECUR_WEEK_INTERVAL, 1);
             ClickCheck(d, IDC_RECUR_MONDAY);
             ClickCheck(d, IDC_RECUR_FRIDAY);
         },
         [](const RecurrenceInfo& r) {
             EXPECT_EQ(r.GetPatternPeriod(), RecurrenceInfo::kWeekly);
             EXPECT_EQ(r.GetEveryWeekIndex(), 1);
             EXPECT_EQ(r.GetMonday(), 1);
             EXPECT_EQ(r.GetFriday(), 1);
             EXPECT_EQ(r.GetSunday(), 0);
         },
         {IDC_RECUR_SUNDAY}},
        {"monthly, the 20th of every 3rd month, ending after 6", IDC_RECUR_MONTHLY,
         [](HWND d) {
             ClickCheck(d, IDC_RECUR_BY_DAY_OF_MONTH);
             SetItemText(d, IDC_RECUR_MONTH_DAY, L"20");
             SelectComboItem(d, IDC_RECUR_DAY_MONTHS, 2);
             ClickCheck(d, IDC_RECUR_END_AFTER);
             SetItemText(d, IDC_RECUR_OCCURRENCES, L"6");
         },
         [](const RecurrenceInfo& r) {
             EXPECT_EQ(r.GetPatternPeriod(), RecurrenceInfo::kMonthly);
             EXPECT_EQ(r.GetMonthPattern(), RecurrenceInfo::kDayOfMonth);
             EXPECT_EQ(r.GetMonthDay(), 20);
             EXPECT_EQ(r.GetEveryDayOfMonth(), 2);
             EXPECT_EQ(r.GetEndType(), RecurrenceInfo::kEndAfterOccurrences);
             EXPECT_EQ(r.GetOccurrencesNumber(), 6);
         },
         {IDC_RECUR_MONTH_DAY, IDC_RECUR_ORDINAL}},
        {"monthly, the last Friday, ending by a date", IDC_RECUR_MONTHLY,
         [](HWND d) {
             ClickCheck(d, IDC_RECUR_BY_WEEKDAY_OF_MONTH);
             SelectComboItem(d, IDC_RECUR_ORDINAL, 4);
             SelectComboItem(d, IDC_RECUR_WEEKDAY, 5);
             SelectComboItem(d, IDC_RECUR_WEEKDAY_MONTHS, 0);
             ClickCheck(d, IDC_RECUR_END_BY);
             SetPickedDate(d, IDC_RECUR_END_DATE, 2025, 1, 31);
         },
         [](const RecurrenceInfo& r) {
             EXPECT_EQ(r.GetPatternPeriod(), RecurrenceInfo::kMonthly);
             EXPECT_EQ(r.GetMonthPattern(), RecurrenceInfo::kWeekdayOfMonth);
             EXPECT_EQ(r.GetWeekNoMonth(), RecurrenceInfo::kLastWeek);
             EXPECT_EQ(r.GetWeekdayMonth(), 5);
             EXPECT_EQ(r.GetEveryWeekdayOfMonth(), 0);
             EXPECT_EQ(r.GetEndType(), RecurrenceInfo::kEndByDate);
             EXPECT_DOUBLE_EQ(std::floor(r.GetEndDate()), Date(2025, 1, 31));
         },
         {IDC_RECUR_MONTH_DAY, IDC_RECUR_ORDINAL}},
        {"irregularly keeps the other values", IDC_RECUR_IRREGULARLY, [](HWND) {},
         [](const RecurrenceInfo& r) {
             EXPECT_EQ(r.GetPatternPeriod(), RecurrenceInfo::kNone);
             EXPECT_EQ(r.GetEveryDayIndex(), 1);
             EXPECT_EQ(r.GetMonthDay(), 15);
         },
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        bool ok = false;
        RunModalSteps([&] { return static_cast<INT_PTR>(ok = EditRecurrence(record)); },
                      {[&](HWND d) {
                           EXPECT_EQ(ItemText(d, IDC_RECUR_TASK_NAME), L"Water the plants");
                           ClickCheck(d, c.kindRadio);
                           return true;
                       },
                       [&](HWND d) {
                           c.choose(d);
                           return true;
                       },
                       [&](HWND d) {
                           // Only the chosen kind's options show.
                           for (const int id : {IDC_RECUR_DAY_INTERVAL, IDC_RECUR_SUNDAY, IDC_RECUR_MONTH_DAY,
                                                IDC_RECUR_ORDINAL})
                               EXPECT_EQ(IsItemVisible(d, id),
                                         std::find(c.shown.begin(), c.shown.end(), id) != c.shown.end())
                                   << id;
                           // Only the options of the monthly sub-kind in use can be changed.
                           if (!c.shown.empty() && c.shown[0] == IDC_RECUR_MONTH_DAY) {
                               const bool byWeekday = record.GetMonthPattern() == 1 ||
                                                      ::IsDlgButtonChecked(d, IDC_RECUR_BY_WEEKDAY_OF_MONTH);
                               EXPECT_EQ(IsItemEnabled(d, IDC_RECUR_WEEKDAY), byWeekday);
                               EXPECT_EQ(IsItemEnabled(d, IDC_RECUR_MONTH_DAY), !byWeekday);
                           }
                           const EString shot = EString::Formatted(L"RecurrenceDialog%d", c.kindRadio);
                           EXPECT_FALSE(SaveWindowScreenshot(d, shot.c_str()).empty());
                           ClickButton(d, IDOK);
                           return true;
                       }});
        EXPECT_TRUE(ok);
        c.expect(record);
        EXPECT_EQ(record.GetName(), L"Water the plants");
        EXPECT_DOUBLE_EQ(record.GetStartTime(), Time(9, 0));
    }
}

TEST_F(RecurrenceDialogTest, CancelLeavesTheRecordAsItWas)
{
    const RecurrenceInfo before = record;
    bool ok = true;
    RunModalSteps([&] { return static_cast<INT_PTR>(ok = EditRecurrence(record)); },
                  {[&](HWND d) {
                       ClickCheck(d, IDC_RECUR_WEEKLY);
                       ClickCheck(d, IDC_RECUR_END_BY);
                       FocusAndType(d, IDC_RECUR_START_TIME, L"15:00");
                       return true;
                   },
                   [&](HWND d) {
                       ClickButton(d, IDCANCEL);
                       return true;
                   }});
    EXPECT_FALSE(ok);
    EXPECT_TRUE(record == before);
}

// A day of the month or a count that is no whole number in its range is
// refused in words when OK is pressed, and the dialog stays open on it; a
// field hidden by the pattern chosen keeps its value.
TEST_F(RecurrenceDialogTest, NumbersThatCannotBeTakenAreRefusedInWordsAndHiddenOnesKeepTheirValue)
{
    const wchar_t kDayTakes[] = L"It takes a whole number from 1 to 31. Nothing was saved: correct it and try again.";
    const wchar_t kCountTakes[] =
        L"It takes a whole number from 0 to 2000. Nothing was saved: correct it and try again.";
    const struct {
        bool monthly;
        int control;
        const wchar_t* typed;
        EString told; // empty: taken at once
        int monthDay;
        int occurrences;
    } cases[] = {
        {true, IDC_RECUR_MONTH_DAY, L"0", EString(L"This field holds \"0\". ") + kDayTakes, 15, 12},
        {true, IDC_RECUR_MONTH_DAY, L"32", EString(L"This field holds \"32\". ") + kDayTakes, 15, 12},
        {true, IDC_RECUR_MONTH_DAY, L"", EString(L"This field is empty. ") + kDayTakes, 15, 12},
        {true, IDC_RECUR_MONTH_DAY, L"31", L"", 31, 12},
        {false, IDC_RECUR_MONTH_DAY, L"0", L"", 15, 12}, // hidden with the daily pattern
        {false, IDC_RECUR_OCCURRENCES, L"2500", EString(L"This field holds \"2500\". ") + kCountTakes, 15,
         12},
        {false, IDC_RECUR_OCCURRENCES, L"2.5", EString(L"This field holds \"2.5\". ") + kCountTakes, 15,
         12},
        {false, IDC_RECUR_OCCURRENCES, L"2000", L"", 15, 2000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        SetUp();
        if (c.monthly)
            record.SetPatternPeriod(RecurrenceInfo::kMonthly);
        EString told;
        std::vector<DialogStep> steps = {[&](HWND d) {
                                             SetItemText(d, c.control, c.typed);
                                             ClickButton(d, IDOK);
                                             return true;
                                         }};
        if (!c.told.empty()) {
            steps.push_back(AnswerMessageBox(told, nullptr));
            steps.push_back([&](HWND d) {
                if (FindThreadDialog() != d || FocusedItemId(d) != c.control)
                    return false;
                EXPECT_EQ(ItemText(d, c.control), c.typed);
                ClickButton(d, IDCANCEL);
                return true;
            });
        }
        bool ok = false;
        RunModalSteps([&] { return static_cast<INT_PTR>(ok = EditRecurrence(record)); }, steps);
        EXPECT_EQ(ok, c.told.empty());
        EXPECT_TRUE(told == c.told) << told.c_str();
        EXPECT_EQ(record.GetMonthDay(), c.monthDay);
        EXPECT_EQ(record.GetOccurrencesNumber(), c.occurrences);
    }
}

TEST_F(RecurrenceDialogTest, StartFinishAndDurationFollowEachOther)
{
    const struct {
        const char* name;
        int control;
        const wchar_t* typed;
        double start;
        double end;
        const wchar_t* duration;
    } cases[] = {
        {"a later finish sets the duration", IDC_RECUR_FINISH_TIME, L"12:00", Time(9, 0), Time(12, 0), L"3"},
        {"a finish before the start is put back", IDC_RECUR_FINISH_TIME, L"8:00", Time(9, 0), Time(11, 30), L"2.5"},
        {"a new start keeps the duration", IDC_RECUR_START_TIME, L"10:00", Time(10, 0), Time(12, 30), L"2.5"},
        {"a late start stops the finish at 23:59", IDC_RECUR_START_TIME, L"22:00", Time(22, 0), Time(23, 59), L"2.5"},
        {"a new duration moves the finish", IDC_RECUR_DURATION, L"1,5", Time(9, 0), Time(10, 30), L"1.5"},
        {"typed hours set the finish", IDC_RECUR_DURATION, L"0.8", Time(9, 0), Time(9, 48), L"0.8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        EString shownDuration;
        EXPECT_TRUE(Edit([&](HWND d) { FocusAndType(d, c.control, c.typed); },
                         [&](HWND d) {
                             // Leaving the edit applies its rule.
                             ::SendMessageW(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(d, IDOK)), TRUE);
                             shownDuration = ItemText(d, IDC_RECUR_DURATION);
                         }));
        EXPECT_NEAR(record.GetStartTime(), c.start, 1e-6);
        EXPECT_NEAR(record.GetEndTime(), c.end, 1e-6);
        EXPECT_EQ(shownDuration, c.duration);
    }
}

// A start or finish typed is stored as typed: the hours box shows its hours
// rounded, and leaving it untouched (on the way to OK, with Tab) changes
// nothing; a new start keeps the exact length, not the rounded one.
TEST_F(RecurrenceDialogTest, TypedTimesAreStoredAsTypedAndOnlyTheHoursShownAreRounded)
{
    const struct {
        const char* name;
        std::vector<std::pair<int, const wchar_t*>> typed; // each box left for the next, the last for OK
        double start;
        double end;
        const wchar_t* hours;
    } cases[] = {
        {"a finish of 09:45", {{IDC_RECUR_FINISH_TIME, L"09:45"}, {IDC_RECUR_DURATION, nullptr}}, Time(9, 0),
         Time(9, 45), L"0.75"},
        {"a finish of 09:50", {{IDC_RECUR_FINISH_TIME, L"9:50"}, {IDC_RECUR_DURATION, nullptr}}, Time(9, 0),
         Time(9, 50), L"0.83"},
        {"a finish of 09:50, then a start of 10:00",
         {{IDC_RECUR_FINISH_TIME, L"9:50"}, {IDC_RECUR_DURATION, nullptr}, {IDC_RECUR_START_TIME, L"10:00"}},
         Time(10, 0), Time(10, 50), L"0.83"},
        {"a finish of 09:10, the hours left twice",
         {{IDC_RECUR_FINISH_TIME, L"9:10"}, {IDC_RECUR_DURATION, nullptr}, {IDC_RECUR_START_TIME, nullptr},
          {IDC_RECUR_DURATION, nullptr}},
         Time(9, 0), Time(9, 10), L"0.17"},
        {"a start of 9:07 keeps 2.5 hours", {{IDC_RECUR_START_TIME, L"9:07"}, {IDC_RECUR_DURATION, nullptr}},
         Time(9, 7), Time(11, 37), L"2.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        EString shown;
        EXPECT_TRUE(Edit(
            [&](HWND d) {
                for (const auto& [id, text] : c.typed) {
                    ::SendMessageW(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(d, id)), TRUE);
                    if (text)
                        SetItemText(d, id, text);
                }
            },
            [&](HWND d) {
                ::SendMessageW(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(d, IDOK)), TRUE);
                shown = ItemText(d, IDC_RECUR_DURATION);
            }));
        EXPECT_NEAR(record.GetStartTime(), c.start, 1e-6);
        EXPECT_NEAR(record.GetEndTime(), c.end, 1e-6);
        EXPECT_EQ(record.GetEndTimeXmlText(), TimeParser::FormatTime24(c.end));
        EXPECT_EQ(shown, c.hours);
    }
}
