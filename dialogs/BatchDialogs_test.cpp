#include <gtest/gtest.h>

#include <cmath>

#include "dialogs/ManyPlanEntriesDialog.h"
#include "dialogs/ManyTasksDialog.h"
#include "dialogs/testdata/TaskDialogTestSupport.h"
#include "foundation/Clock.h"
#include "foundation/OleDate.h"
#include "testing/DialogDriver.h"
#include "testing/WindowShot.h"

namespace {

using BatchDialogsTest = TaskDialogsTest;

TEST(ManyPlanEntriesProposalTest, TheLongestIsHalfAnHourAtLeastAndTheShortestNeverAboveIt)
{
    const struct {
        double largestEstimation;
        double maxDuration;
        double minDuration;
    } cases[] = {
        {0, 0.5, 0.5},    // tasks without estimations
        {0.05, 0.5, 0.5}, // too short to plan
        {0.3, 0.3, 0.3},
        {0.5, 0.5, 0.5},
        {3, 3, 0.5},
    };
    for (const auto& test : cases) {
        CManyPlanEntriesDialog dialog;
        dialog.ProposeDurations(test.largestEstimation);
        EXPECT_DOUBLE_EQ(dialog.maxDuration, test.maxDuration) << test.largestEstimation;
        EXPECT_DOUBLE_EQ(dialog.minDuration, test.minDuration) << test.largestEstimation;
    }
}

TEST_F(BatchDialogsTest, ManyTasksTakeTheChosenPriorityAndDeadlineOnOkOnly)
{
    for (const int button : {IDOK, IDCANCEL}) {
        CManyTasksDialog dialog;
        dialog.importance = 1;
        dialog.deadline = DateTime(2024, 5, 20, 17, 0);
        const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); },
                                             {[&](HWND hwnd) {
                                                 EXPECT_EQ(::SendDlgItemMessageW(hwnd, IDC_MANY_IMPORTANCE, CB_GETCOUNT, 0, 0),
                                                           4);
                                                 EXPECT_EQ(ComboSelection(hwnd, IDC_MANY_IMPORTANCE), 1);
                                                 EXPECT_EQ(PickedDate(hwnd, IDC_MANY_DEADLINE).wDay, 20);
                                                 if (button == IDOK) {
                                                     EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"ManyTasksDialog").empty());
                                                 }
                                                 SelectComboItem(hwnd, IDC_MANY_IMPORTANCE, 3);
                                                 SetPickedDate(hwnd, IDC_MANY_DEADLINE, 2024, 7, 1);
                                                 ClickButton(hwnd, button);
                                                 return true;
                                             }});
        EXPECT_EQ(result, button);
        const bool taken = button == IDOK;
        EXPECT_EQ(dialog.importance, taken ? 3 : 1) << button;
        const double day = taken ? DateTime(2024, 7, 1, 0, 0) : DateTime(2024, 5, 20, 0, 0);
        EXPECT_DOUBLE_EQ(std::floor(dialog.deadline), day) << button;
    }
}

TEST_F(BatchDialogsTest, ManyTasksOpenOnTheCurrentDateWithImportantChosen)
{
    Clock::SetNowForTesting(DateTime(2025, 3, 14, 9, 30));
    CManyTasksDialog dialog;
    Clock::ResetForTesting();
    EXPECT_EQ(dialog.importance, 1);
    EXPECT_DOUBLE_EQ(dialog.deadline, DateTime(2025, 3, 14, 9, 30));
}

// Leaving a duration shows what was understood; one that cannot be taken
// stays as typed and OK refuses it in words. Durations left untouched keep
// their proposal exactly, though they show one decimal.
TEST_F(BatchDialogsTest, LeavingADurationShowsWhatWasUnderstoodAndOkRefusesOneThatCannotBeTaken)
{
    CManyPlanEntriesDialog dialog;
    dialog.ProposeDurations(0.75);
    dialog.start = MakeOleTime(9, 0);
    EString told;
    RunModalSteps([&] { return dialog.DoModal(nullptr); },
                  {[&](HWND hwnd) {
                       EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"ManyPlanEntriesDialog").empty());
                       EXPECT_EQ(ItemText(hwnd, IDC_MANY_MAX_DURATION), L"0.8");
                       ::SetFocus(::GetDlgItem(hwnd, IDC_MANY_MIN_DURATION));
                       SetItemText(hwnd, IDC_MANY_MIN_DURATION, L"0,25");
                       ::SetFocus(::GetDlgItem(hwnd, IDC_MANY_START));
                       SetItemText(hwnd, IDC_MANY_START, L"25:00");
                       ::SetFocus(::GetDlgItem(hwnd, IDC_MANY_MAX_DURATION));
                       return true;
                   },
                   [&](HWND hwnd) {
                       if (ItemText(hwnd, IDC_MANY_MIN_DURATION) != L"0.3")
                           return false;
                       EXPECT_EQ(ItemText(hwnd, IDC_MANY_START), L"25:00") << "kept as typed";
                       EXPECT_DOUBLE_EQ(dialog.start, MakeOleTime(9, 0));
                       ClickButton(hwnd, IDOK);
                       return true;
                   },
                   AnswerMessageBox(told, L"ManyPlanEntriesStartRefused"),
                   [&](HWND hwnd) {
                       if (FindThreadDialog() != hwnd || FocusedItemId(hwnd) != IDC_MANY_START)
                           return false;
                       SetItemText(hwnd, IDC_MANY_START, L"9:30");
                       ClickButton(hwnd, IDOK);
                       return true;
                   }});
    EXPECT_EQ(told, L"The field \"Start\" holds \"25:00\". It takes a time of day, such as 09:30. Nothing was saved: "
                    L"correct it and try again.");
    EXPECT_DOUBLE_EQ(dialog.maxDuration, 0.75);
    EXPECT_DOUBLE_EQ(dialog.minDuration, 0.25);
    EXPECT_NEAR(dialog.start, MakeOleTime(9, 30), 1e-9);
}

TEST_F(BatchDialogsTest, NowThenOkStartsAtTheCurrentTime)
{
    Clock::SetNowForTesting(DateTime(2025, 3, 14, 16, 45));
    CManyPlanEntriesDialog dialog;
    dialog.start = MakeOleTime(9, 0);
    RunModalSteps([&] { return dialog.DoModal(nullptr); },
                  {[&](HWND hwnd) {
                       ClickButton(hwnd, IDC_MANY_NOW);
                       return true;
                   },
                   [&](HWND hwnd) {
                       if (::GetFocus() != ::GetDlgItem(hwnd, IDC_MANY_START))
                           return false;
                       EXPECT_DOUBLE_EQ(dialog.start, MakeOleTime(9, 0)) << "taken only when the fields are saved";
                       ClickButton(hwnd, IDOK);
                       return true;
                   }});
    Clock::ResetForTesting();
    EXPECT_NEAR(dialog.start - std::floor(dialog.start), MakeOleTime(16, 45), 1e-6);
}

} // namespace
