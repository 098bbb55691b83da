#include <gtest/gtest.h>

#include <string>

#include "dialogs/CategoryDialog.h"
#include "dialogs/CompleteCategoryDialog.h"
#include "dialogs/ListFilling.h"
#include "dialogs/testdata/TaskDialogTestSupport.h"
#include "testing/DialogDriver.h"
#include "testing/WindowShot.h"

namespace {

using CategoryDialogsTest = TaskDialogsTest;

bool IsChecked(HWND dialog, int id)
{
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

TEST_F(CategoryDialogsTest, OnlyACategoryWithoutOpenTasksCanBeCompleted)
{
    const struct {
        const char* name;
        bool hasOpenTasks;
        bool completed;
        bool tick;
        bool saved;
    } cases[] = {
        {"open tasks", true, false, true, false},
        {"open tasks, once completed", true, true, false, true},
        {"no open tasks", false, false, true, true},
        {"no open tasks, untick", false, true, true, false},
    };
    for (const auto& test : cases) {
        CCategoryDialog dialog;
        dialog.fields.name = L"Garden";
        dialog.fields.description = L"Beds and fences";
        dialog.fields.deadline = DateTime(2024, 9, 30, 0, 0);
        dialog.fields.hasUncompletedTasks = test.hasOpenTasks;
        dialog.fields.completed = test.completed;
        RunModalSteps([&] { return dialog.DoModal(nullptr); },
                      {[&](HWND hwnd) {
                          EXPECT_EQ(IsItemEnabled(hwnd, IDC_CATEGORY_COMPLETED), !test.hasOpenTasks) << test.name;
                          EXPECT_EQ(ItemText(hwnd, IDC_CATEGORY_DESCRIPTION), L"Beds and fences") << test.name;
                          EXPECT_EQ(PickedDate(hwnd, IDC_CATEGORY_DEADLINE).wDay, 30) << test.name;
                          if (!test.hasOpenTasks && !test.completed) {
                              EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"CategoryDialog").empty());
                          }
                          if (test.tick && IsItemEnabled(hwnd, IDC_CATEGORY_COMPLETED))
                              ::CheckDlgButton(hwnd, IDC_CATEGORY_COMPLETED, test.completed ? BST_UNCHECKED : BST_CHECKED);
                          ClickButton(hwnd, IDOK);
                          return true;
                      }});
        EXPECT_EQ(dialog.fields.completed, test.saved) << test.name;
        EXPECT_EQ(dialog.fields.name, L"Garden") << test.name;
    }
}

TEST_F(CategoryDialogsTest, OkNeedsANameAndATooLongOneKeepsTheDialogOpenOnItSayingWhy)
{
    CCategoryDialog dialog;
    dialog.fields.name = L"Errands";
    const EString tooLong(CCategoryDialog::kMaxName + 1, L'x');
    EString told;
    const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); },
                                         {[&](HWND hwnd) {
                                              SetItemText(hwnd, IDC_CATEGORY_NAME, L"   ");
                                              EXPECT_FALSE(IsItemEnabled(hwnd, IDOK)) << "blanks only";
                                              SetItemText(hwnd, IDC_CATEGORY_NAME, L" Chores ");
                                              EXPECT_TRUE(IsItemEnabled(hwnd, IDOK));
                                              SetItemText(hwnd, IDC_CATEGORY_NAME, tooLong.c_str());
                                              ClickButton(hwnd, IDOK);
                                              return true;
                                          },
                                          AnswerMessageBox(told, nullptr),
                                          [&](HWND hwnd) {
                                              if (FocusedItemId(hwnd) != IDC_CATEGORY_NAME)
                                                  return false;
                                              EXPECT_TRUE(::IsWindowVisible(hwnd));
                                              EXPECT_EQ(dialog.fields.name, L"Errands");
                                              SetItemText(hwnd, IDC_CATEGORY_NAME, L"Chores");
                                              ClickButton(hwnd, IDOK);
                                              return true;
                                          }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.fields.name, L"Chores");
    const EString limit = L"at most " + std::to_wstring(CCategoryDialog::kMaxName) + L".";
    EXPECT_NE(told.find(limit), EString::npos) << told.c_str();
}

TEST_F(CategoryDialogsTest, TheDoNotAskAgainBoxCountsWhateverTheAnswer)
{
    const struct {
        int button;
        bool tick;
    } cases[] = {{IDOK, false}, {IDOK, true}, {IDCANCEL, false}, {IDCANCEL, true}};
    for (const auto& test : cases) {
        bool doNotAskAgain = !test.tick;
        bool yes = false;
        RunModalSteps([&] { return INT_PTR(yes = AskCompleteCategory(L"Complete \"Garden\"?", doNotAskAgain)); },
                      {[&](HWND hwnd) {
                          EXPECT_EQ(ItemText(hwnd, IDC_COMPLETE_CATEGORY_MESSAGE), L"Complete \"Garden\"?");
                          EXPECT_FALSE(IsChecked(hwnd, IDC_COMPLETE_CATEGORY_DO_NOT_ASK));
                          if (test.button == IDOK && test.tick) {
                              EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"CompleteCategoryDialog").empty());
                          }
                          if (test.tick)
                              ::CheckDlgButton(hwnd, IDC_COMPLETE_CATEGORY_DO_NOT_ASK, BST_CHECKED);
                          ClickButton(hwnd, test.button);
                          return true;
                      }});
        EXPECT_EQ(yes, test.button == IDOK) << test.button << test.tick;
        EXPECT_EQ(doNotAskAgain, test.tick) << test.button << test.tick;
    }
}

TEST(ListFillingTest, ItemsCarryTheirPositionsAndTheFirstIsChosen)
{
    const HWND host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    const HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 200, 100, host, nullptr,
                                        nullptr, nullptr);
    const HWND combo = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 100, 200, 100, host,
                                         nullptr, nullptr, nullptr);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 150;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));

    FillListFromStringList(list, {L"Daily", L"Weekly", L"Monthly"});
    EXPECT_EQ(InsertListItemText(list, -1, L"Yearly"), 3);
    ASSERT_EQ(ListView_GetItemCount(list), 4);
    for (int index = 0; index < 4; ++index) {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = index;
        ListView_GetItem(list, &item);
        EXPECT_EQ(item.lParam, index);
    }
    EXPECT_EQ(ListView_GetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED), UINT(LVIS_SELECTED | LVIS_FOCUSED));

    FillComboFromStringList(combo, {L"Low", L"High"});
    EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    const int added = InsertComboItem(combo, L"Middle", -1);
    EXPECT_EQ(::SendMessageW(combo, CB_GETITEMDATA, added, 0), 2) << "the count before it";
    EXPECT_EQ(::SendMessageW(combo, CB_GETITEMDATA, InsertComboItem(combo, L"Top", 7), 0), 7);
    ::DestroyWindow(host);
}

} // namespace
