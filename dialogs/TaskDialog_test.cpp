#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <vector>

#include "dialogs/TaskDialog.h"
#include "foundation/Options.h"
#include "dialogs/testdata/TaskDialogTestSupport.h"
#include "document/PelquornDoc.h"
#include "testing/DialogDriver.h"
#include "testing/WindowShot.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

class TaskDialogTest : public TaskDialogsTest {
protected:
    void SetUp() override
    {
        TaskDialogsTest::SetUp();
        ASSERT_TRUE(document.OnNewDocument());
        Category work(L"Work", L"", DateTime(2024, 6, 1, 0, 0), 0);
        ASSERT_TRUE(document.AddCategory(0, work));
        workId = work.GetId();
    }

    // An existing task as the task list hands it over.
    void FillExisting(CTaskDialog& dialog)
    {
        dialog.fields.name = L"Write the report";
        dialog.fields.description = L"Two pages";
        dialog.fields.estimation = 2.5;
        dialog.fields.importance = 2;
        dialog.fields.status = 1;
        dialog.fields.deadline = DateTime(2024, 5, 20, 17, 0);
        dialog.document = &document;
        dialog.fields.categoryId = workId;
        dialog.fields.hasRecurrence = true;
        dialog.fields.recurrence.SetPatternPeriod(RecurrenceInfo::kWeekly);
    }

    static EString FieldText(HWND dialog, int id) { return CWindow(::GetDlgItem(dialog, id)).GetWindowText(); }

    CPelquornDoc document;
    int workId = 0;
};

} // namespace

TEST_F(TaskDialogTest, ANewTaskOpensWithItsDefaultsAndGivesBackWhatWasTyped)
{
    CTaskDialog dialog(0);
    dialog.document = &document;
    dialog.fields.categoryId = workId;
    dialog.fields.estimation = 2;
    dialog.fields.importance = 3; // a new task is always "important"
    const INT_PTR result = RunModalSteps(
        [&] { return dialog.DoModal(nullptr); },
        {[&](HWND d) {
             EXPECT_EQ(CWindow(d).GetWindowText(), L"Task");
             EXPECT_EQ(ItemText(d, IDC_TASK_NAME), L"New task");
             EXPECT_EQ(ItemText(d, IDC_TASK_CATEGORY), L"Work");
             EXPECT_EQ(ItemText(d, IDC_TASK_ESTIMATION), L"2");
             EXPECT_EQ(ComboSelection(d, IDC_TASK_IMPORTANCE), 1);
             EXPECT_EQ(ComboSelection(d, IDC_TASK_STATUS), 0);
             EXPECT_FALSE(IsItemEnabled(d, IDC_TASK_STATUS));
             EXPECT_TRUE(IsItemEnabled(d, IDC_TASK_BROWSE_CATEGORY));
             EXPECT_TRUE(IsItemEnabled(d, IDC_TASK_NEW));
             EXPECT_FALSE(IsItemEnabled(d, IDC_TASK_PATTERN));
             EXPECT_EQ(PickedDate(d, IDC_TASK_DEADLINE).wDay, 15); // today
             EXPECT_FALSE(SaveWindowScreenshot(d, L"TaskDialogNew").empty());

             SetItemText(d, IDC_TASK_NAME, L"  Call the bank  ");
             SetItemText(d, IDC_TASK_DESCRIPTION, L"About the loan");
             SetItemText(d, IDC_TASK_ESTIMATION, L"1,5");
             SelectComboItem(d, IDC_TASK_IMPORTANCE, 0);
             SetPickedDate(d, IDC_TASK_DEADLINE, 2024, 5, 31);
             ClickButton(d, IDOK);
             return true;
         }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.fields.name, L"Call the bank");
    EXPECT_EQ(dialog.fields.description, L"About the loan");
    EXPECT_DOUBLE_EQ(dialog.fields.estimation, 1.5);
    EXPECT_EQ(dialog.fields.importance, 0);
    EXPECT_EQ(dialog.fields.status, 0);
    EXPECT_DOUBLE_EQ(std::floor(dialog.fields.deadline), Date(2024, 5, 31));
    EXPECT_EQ(dialog.fields.categoryId, workId);
    EXPECT_FALSE(dialog.fields.addAnother);
}

TEST_F(TaskDialogTest, AnExistingTaskShowsItsFieldsAndCancelChangesNothing)
{
    CTaskDialog dialog(1);
    FillExisting(dialog);
    const INT_PTR result = RunModalSteps(
        [&] { return dialog.DoModal(nullptr); },
        {[&](HWND d) {
             EXPECT_EQ(ItemText(d, IDC_TASK_NAME), L"Write the report");
             EXPECT_EQ(ItemText(d, IDC_TASK_DESCRIPTION), L"Two pages");
             EXPECT_EQ(ItemText(d, IDC_TASK_ESTIMATION), L"2.5");
             EXPECT_EQ(ItemText(d, IDC_TASK_CATEGORY), L"Work");
             EXPECT_EQ(ComboSelection(d, IDC_TASK_IMPORTANCE), 2);
             EXPECT_EQ(ComboSelection(d, IDC_TASK_STATUS), 1);
             EXPECT_EQ(::IsDlgButtonChecked(d, IDC_TASK_RECURRING), static_cast<UINT>(BST_CHECKED));
             EXPECT_EQ(PickedDate(d, IDC_TASK_DEADLINE).wDay, 20);
             EXPECT_TRUE(IsItemEnabled(d, IDC_TASK_STATUS));
             EXPECT_TRUE(IsItemEnabled(d, IDC_TASK_PATTERN));
             EXPECT_FALSE(IsItemEnabled(d, IDC_TASK_BROWSE_CATEGORY));
             EXPECT_FALSE(IsItemEnabled(d, IDC_TASK_NEW));
             EXPECT_FALSE(SaveWindowScreenshot(d, L"TaskDialogEdit").empty());

             SetItemText(d, IDC_TASK_NAME, L"Something else");
             SetItemText(d, IDC_TASK_ESTIMATION, L"7");
             SelectComboItem(d, IDC_TASK_STATUS, 2);
             ClickButton(d, IDCANCEL);
             return true;
         }});
    EXPECT_EQ(result, IDCANCEL);
    CTaskDialog untouched(1);
    FillExisting(untouched);
    EXPECT_EQ(dialog.fields.name, untouched.fields.name);
    EXPECT_EQ(dialog.fields.description, untouched.fields.description);
    EXPECT_DOUBLE_EQ(dialog.fields.estimation, untouched.fields.estimation);
    EXPECT_EQ(dialog.fields.status, untouched.fields.status);
    EXPECT_EQ(dialog.fields.importance, untouched.fields.importance);
    EXPECT_EQ(dialog.fields.categoryId, untouched.fields.categoryId);
    EXPECT_EQ(dialog.fields.hasRecurrence, untouched.fields.hasRecurrence);
    EXPECT_TRUE(dialog.fields.recurrence == untouched.fields.recurrence);
}

TEST_F(TaskDialogTest, AddAnotherClosesWithOkOnlyWithAName)
{
    const struct {
        const char* name;
        const wchar_t* typedName;
        bool closes;
    } cases[] = {
        {"a name", L"Buy stamps", true},
        {"blanks only", L"   ", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTaskDialog dialog(0);
        std::vector<DialogStep> steps = {[&](HWND d) {
            SetItemText(d, IDC_TASK_NAME, c.typedName);
            EXPECT_EQ(IsItemEnabled(d, IDOK), c.closes);
            ClickButton(d, IDC_TASK_NEW);
            return true;
        }};
        if (!c.closes) {
            steps.push_back([&](HWND d) {
                // Still open: the user gives up.
                EXPECT_TRUE(::IsWindowVisible(d));
                ClickButton(d, IDCANCEL);
                return true;
            });
        }
        const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); }, steps);
        EXPECT_EQ(result, c.closes ? IDOK : IDCANCEL);
        EXPECT_TRUE(dialog.fields.addAnother);
        if (c.closes) {
            EXPECT_EQ(dialog.fields.name, c.typedName);
        }
    }
}

TEST_F(TaskDialogTest, AnOverLongFieldKeepsTheDialogOpenOnItWithWhatWasTypedAndSaysWhy)
{
    const EString longName(CTaskDialog::kMaxName + 1, L'x');
    // In lines, as a mail's text comes: the system's edit under Wine takes time
    // that grows with the square of a line it wraps.
    EString longDescription;
    while (longDescription.size() <= static_cast<size_t>(CTaskDialog::kMaxDescription))
        longDescription += L"A line of the minutes\r\n";
    longDescription.resize(static_cast<size_t>(CTaskDialog::kMaxDescription) + 1);
    const struct {
        const char* name;
        int field;
        EString typedName, typedDescription;
        const wchar_t* told;
    } cases[] = {
        {"the name", IDC_TASK_NAME, longName, L"Three pages",
         L"The field \"Name\" holds 201 characters, but it keeps at most 200. Nothing was saved: shorten the text "
         L"and try again."},
        {"the description", IDC_TASK_DESCRIPTION, L"Write it up", longDescription,
         L"The field \"Description\" holds 1000001 characters, but it keeps at most 1000000. Nothing was saved: shorten "
         L"the text and try again."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTaskDialog dialog(1);
        FillExisting(dialog);
        EString told;
        const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); },
                                             {[&](HWND d) {
                                                  SetItemText(d, IDC_TASK_DESCRIPTION, c.typedDescription.c_str());
                                                  SetItemText(d, IDC_TASK_NAME, c.typedName.c_str());
                                                  ClickButton(d, IDOK);
                                                  return true;
                                              },
                                              [&](HWND d) {
                                                  const HWND box = FindThreadDialog();
                                                  if (!box || box == d)
                                                      return false;
                                                  told = ItemText(box, 0xFFFF);
                                                  EXPECT_EQ(WindowText(box), L"Quorvane");
                                                  EXPECT_FALSE(SaveWindowScreenshot(box, L"TaskDialogTextTooLong").empty());
                                                  ClickButton(box, IDOK);
                                                  return true;
                                              },
                                              [&](HWND d) {
                                                  if (FocusedItemId(d) != c.field)
                                                      return false;
                                                  // Whole texts, unprinted: the long one is thousands of letters.
                                                  EXPECT_TRUE(FieldText(d, IDC_TASK_NAME) == c.typedName);
                                                  EXPECT_TRUE(FieldText(d, IDC_TASK_DESCRIPTION) == c.typedDescription);
                                                  SetItemText(d, c.field, L"Short");
                                                  ClickButton(d, IDOK);
                                                  return true;
                                              }});
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(told, c.told);
        EXPECT_TRUE(dialog.fields.name == (c.field == IDC_TASK_NAME ? EString(L"Short") : c.typedName));
        EXPECT_TRUE(dialog.fields.description == (c.field == IDC_TASK_DESCRIPTION ? EString(L"Short") : c.typedDescription));
    }
}

// A number outside 0..1000, or no number, is neither dropped nor read as 0:
// it stays as typed when the field is left, and OK refuses it in words.
TEST_F(TaskDialogTest, TheEstimateTakesOnlyNumbersFrom0To1000)
{
    const wchar_t kTakes[] = L"It takes a number from 0 to 1000. Nothing was saved: correct it and try again.";
    const struct {
        const char* name;
        const wchar_t* typed;
        double stored;
        const wchar_t* shown; // after leaving the edit
        EString told;         // empty: OK closes
    } cases[] = {
        {"a decimal comma", L"1,5", 1.5, L"1.5", L""},
        {"left untouched, the estimate is not rounded", nullptr, 0.75, L"0.8", L""},
        {"above 1000", L"1001", 0.75, L"1001", EString(L"The field \"Estimate (hours)\" holds \"1001\". ") + kTakes},
        {"below 0", L"-1", 0.75, L"-1", EString(L"The field \"Estimate (hours)\" holds \"-1\". ") + kTakes},
        {"no number", L"abc", 0.75, L"abc", EString(L"The field \"Estimate (hours)\" holds \"abc\". ") + kTakes},
        {"a number and more", L"3h", 0.75, L"3h", EString(L"The field \"Estimate (hours)\" holds \"3h\". ") + kTakes},
        {"nothing", L"", 0.75, L"", EString(L"The field \"Estimate (hours)\" is empty. ") + kTakes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTaskDialog dialog(1);
        FillExisting(dialog);
        dialog.fields.estimation = 0.75;
        EString shown;
        EString told;
        std::vector<DialogStep> steps = {[&](HWND d) {
            ::SendMessageW(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(d, IDC_TASK_ESTIMATION)), TRUE);
            if (c.typed)
                SetItemText(d, IDC_TASK_ESTIMATION, c.typed);
            ::SendMessageW(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(d, IDC_TASK_NAME)), TRUE);
            shown = ItemText(d, IDC_TASK_ESTIMATION);
            ClickButton(d, IDOK);
            return true;
        }};
        if (!c.told.empty()) {
            steps.push_back(AnswerMessageBox(told, c.typed == EString(L"abc") ? L"TaskDialogEstimateRefused" : nullptr));
            steps.push_back([&](HWND d) {
                if (FindThreadDialog() != d || FocusedItemId(d) != IDC_TASK_ESTIMATION)
                    return false;
                EXPECT_EQ(ItemText(d, IDC_TASK_ESTIMATION), c.typed);
                EXPECT_DOUBLE_EQ(dialog.fields.estimation, 0.75);
                ClickButton(d, IDCANCEL);
                return true;
            });
        }
        const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); }, steps);
        EXPECT_EQ(result, c.told.empty() ? IDOK : IDCANCEL);
        EXPECT_DOUBLE_EQ(dialog.fields.estimation, c.stored);
        EXPECT_EQ(shown, c.shown);
        EXPECT_TRUE(told == c.told) << told.c_str();
    }
}

TEST_F(TaskDialogTest, TheSpinStepsHalfHoursAndNeverBelowZero)
{
    CTaskDialog dialog(1);
    FillExisting(dialog);
    dialog.fields.estimation = 0;
    RunModalSteps([&] { return dialog.DoModal(nullptr); },
                  {[&](HWND d) {
                      const HWND spin = ::GetDlgItem(d, IDC_TASK_ESTIMATION_SPIN);
                      NMUPDOWN step = {{spin, IDC_TASK_ESTIMATION_SPIN, UDN_DELTAPOS}, 0, -1};
                      ::SendMessageW(d, WM_NOTIFY, IDC_TASK_ESTIMATION_SPIN, reinterpret_cast<LPARAM>(&step));
                      EXPECT_EQ(ItemText(d, IDC_TASK_ESTIMATION), L"0");
                      step.iDelta = 1;
                      ::SendMessageW(d, WM_NOTIFY, IDC_TASK_ESTIMATION_SPIN, reinterpret_cast<LPARAM>(&step));
                      EXPECT_EQ(ItemText(d, IDC_TASK_ESTIMATION), L"0.5");
                      ClickButton(d, IDOK);
                      return true;
                  }});
    EXPECT_DOUBLE_EQ(dialog.fields.estimation, 0.5);
}

TEST_F(TaskDialogTest, BrowsingTakesTheChosenCategoryAndTheTopWhenNoneIsChosen)
{
    const struct {
        const char* name;
        bool chooseWork;
    } cases[] = {
        {"a category", true},
        {"the top of the tree", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTaskDialog dialog(0);
        dialog.document = &document;
        dialog.fields.categoryId = c.chooseWork ? 0 : workId;
        int offeredId = -1;
        dialog.browseCategory = [&](HWND, ICategoryReader* doc, int currentId, std::optional<int>& chosen) {
            EXPECT_EQ(doc, &document);
            offeredId = currentId;
            if (c.chooseWork)
                chosen = workId;
            return true;
        };
        EString shown;
        RunModalSteps([&] { return dialog.DoModal(nullptr); },
                      {[&](HWND d) {
                           ClickButton(d, IDC_TASK_BROWSE_CATEGORY);
                           return true;
                       },
                       [&](HWND d) {
                           shown = ItemText(d, IDC_TASK_CATEGORY);
                           ClickButton(d, IDOK);
                           return true;
                       }});
        EXPECT_EQ(offeredId, c.chooseWork ? 0 : workId);
        EXPECT_EQ(dialog.fields.categoryId, c.chooseWork ? workId : 0);
        EXPECT_EQ(dialog.categoryName, shown);
        Category expected;
        ASSERT_TRUE(document.GetCategory(dialog.fields.categoryId, expected));
        EXPECT_EQ(shown, expected.GetName());
        EXPECT_FALSE(shown.empty());
    }
}

TEST_F(TaskDialogTest, TickingRecurringOpensThePatternAndItsOkComesBack)
{
    CTaskDialog dialog(0);
    // The steps get the task dialog; the recurrence dialog is the newest one over it.
    const auto recurrenceDialog = [](HWND task) {
        const HWND newest = FindThreadDialog();
        return newest != task ? newest : nullptr;
    };
    const INT_PTR result = RunModalSteps(
        [&] { return dialog.DoModal(nullptr); },
        {[&](HWND d) {
             SetItemText(d, IDC_TASK_NAME, L"Pay the rent");
             ClickCheck(d, IDC_TASK_RECURRING);
             return true;
         },
         [&](HWND d) {
             const HWND recurrence = recurrenceDialog(d);
             if (!recurrence)
                 return false;
             EXPECT_EQ(ItemText(recurrence, IDC_RECUR_TASK_NAME), L"Pay the rent");
             ClickCheck(recurrence, IDC_RECUR_MONTHLY);
             return true;
         },
         [&](HWND d) {
             const HWND recurrence = recurrenceDialog(d);
             EXPECT_FALSE(SaveWindowScreenshot(recurrence, L"RecurrenceDialogFromTask").empty());
             ClickButton(recurrence, IDOK);
             return true;
         },
         [&](HWND d) {
             if (recurrenceDialog(d))
                 return false;
             EXPECT_TRUE(IsItemEnabled(d, IDC_TASK_PATTERN));
             // Unticking keeps the pattern but disables its button.
             ClickCheck(d, IDC_TASK_RECURRING);
             return true;
         },
         [&](HWND d) {
             if (IsItemEnabled(d, IDC_TASK_PATTERN))
                 return false;
             ClickButton(d, IDOK);
             return true;
         }});
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(dialog.fields.hasRecurrence);
    EXPECT_EQ(dialog.fields.recurrence.GetPatternPeriod(), RecurrenceInfo::kMonthly);
    EXPECT_EQ(dialog.fields.recurrence.GetName(), L"Pay the rent");
}

// The picker's own ideal size is the room its fields need.
TEST_F(TaskDialogTest, TheDeadlineShowsItsWholeDateShortOrLong)
{
    for (const DWORD longDate : {0u, 1u}) {
        Options::SetIsLongDateFormat(longDate);
        CTaskDialog dialog(0);
        dialog.document = &document;
        dialog.fields.categoryId = workId;
        dialog.fields.deadline = DateTime(2026, 12, 11, 0, 0);
        RunModalSteps([&] { return dialog.DoModal(nullptr); },
                      {[&](HWND d) {
                          const CWindow picker(::GetDlgItem(d, IDC_TASK_DEADLINE));
                          SIZE ideal = {};
                          EXPECT_TRUE(picker.SendMessage(DTM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
                          const RECT shown = picker.GetWindowRect();
                          EXPECT_GE(shown.right - shown.left, ideal.cx) << longDate;
                          if (longDate) {
                              EXPECT_FALSE(SaveWindowScreenshot(d, L"TaskDialogLongDeadline").empty());
                          }
                          ClickButton(d, IDCANCEL);
                          return true;
                      }});
    }
    Options::SetIsLongDateFormat(0);
}

// The text of an item as the closed combo shows it: the combo's own room for
// it, less a few pixels the combo keeps beside the text.
TEST_F(TaskDialogTest, EveryPriorityAndStatusShowsWholeInItsCombo)
{
    CTaskDialog dialog(1);
    FillExisting(dialog);
    dialog.fields.importance = 0;
    RunModalSteps([&] { return dialog.DoModal(nullptr); },
                  {[&](HWND d) {
                      for (const int id : {IDC_TASK_IMPORTANCE, IDC_TASK_STATUS}) {
                          const HWND combo = ::GetDlgItem(d, id);
                          COMBOBOXINFO info = {};
                          info.cbSize = sizeof(info);
                          EXPECT_TRUE(::GetComboBoxInfo(combo, &info));
                          const int room = info.rcItem.right - info.rcItem.left - 4;
                          const CClientDC dc(combo);
                          const CSelectObject font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(combo, WM_GETFONT, 0, 0)));
                          const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
                          EXPECT_GT(count, 2);
                          for (LRESULT item = 0; item < count; ++item) {
                              wchar_t text[64] = {};
                              ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
                              SIZE size = {};
                              ::GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
                              EXPECT_LE(size.cx, room) << "combo " << id << ": " << text;
                          }
                      }
                      EXPECT_EQ(ItemText(d, IDC_TASK_IMPORTANCE), L"Urgent and important");
                      EXPECT_FALSE(SaveWindowScreenshot(d, L"TaskDialogLongestPriority").empty());
                      ClickButton(d, IDCANCEL);
                      return true;
                  }});
}

TEST_F(TaskDialogTest, TheFieldsBelowTheDescriptionKeepTheirLabelsBesideThemAsTheDialogGrows)
{
    CTaskDialog dialog(1);
    FillExisting(dialog);
    dialog.m_restoreRect = false;
    const struct {
        int label, field;
    } rows[] = {{IDC_TASK_ESTIMATION_LABEL, IDC_TASK_ESTIMATION},
                {IDC_TASK_STATUS_LABEL, IDC_TASK_STATUS},
                {IDC_TASK_IMPORTANCE_LABEL, IDC_TASK_IMPORTANCE},
                {IDC_TASK_DEADLINE_LABEL, IDC_TASK_DEADLINE}};
    RunModalSteps([&] { return dialog.DoModal(nullptr); },
                  {[&](HWND d) {
                      std::vector<LONG> gaps;
                      const LONG deadlineTop = ItemRect(d, IDC_TASK_DEADLINE).top;
                      for (const auto& row : rows)
                          gaps.push_back(ItemRect(d, row.label).top - ItemRect(d, row.field).top);
                      RECT window = {};
                      ::GetWindowRect(d, &window);
                      ::SetWindowPos(d, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + 150,
                                     SWP_NOMOVE | SWP_NOZORDER);
                      EXPECT_EQ(ItemRect(d, IDC_TASK_DEADLINE).top, deadlineTop + 150);
                      for (size_t i = 0; i < std::size(rows); ++i)
                          EXPECT_EQ(ItemRect(d, rows[i].label).top - ItemRect(d, rows[i].field).top, gaps[i])
                              << "label " << rows[i].label;
                      EXPECT_FALSE(SaveWindowScreenshot(d, L"TaskDialogGrown").empty());
                      ClickButton(d, IDCANCEL);
                      return true;
                  }});
}
