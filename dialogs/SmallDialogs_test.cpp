#include <gtest/gtest.h>

#include <cmath>

#include "dialogs/DateRangeDialog.h"
#include "dialogs/DocPropertiesDialog.h"
#include "dialogs/GoalsDialog.h"
#include "dialogs/GroupDialog.h"
#include "dialogs/testdata/TaskDialogTestSupport.h"
#include "testing/DialogDriver.h"
#include "testing/WindowShot.h"

namespace {

using SmallDialogsTest = TaskDialogsTest;

TEST_F(SmallDialogsTest, PropertiesAreTakenOnOkAndLeftAsTheyWereOnCancel)
{
    for (const int button : {IDOK, IDCANCEL}) {
        DocProperties properties;
        properties.SetAuthor(L"Ann");
        properties.SetAddress(L"1 High Street\r\nLeeds");
        bool confirmed = false;
        RunModalSteps([&] { return INT_PTR(confirmed = EditDocProperties(properties)); },
                      {[&](HWND hwnd) {
                          EXPECT_EQ(ItemText(hwnd, IDC_PROPERTIES_ADDRESS), L"1 High Street\r\nLeeds");
                          if (button == IDOK) {
                              EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"DocPropertiesDialog").empty());
                          }
                          SetItemText(hwnd, IDC_PROPERTIES_COMPANY, L"Acme");
                          SetItemText(hwnd, IDC_PROPERTIES_MANAGER, L"Bob");
                          ClickButton(hwnd, button);
                          return true;
                      }});
        const bool taken = button == IDOK;
        EXPECT_EQ(confirmed, taken);
        EXPECT_EQ(properties.GetAuthor(), L"Ann");
        EXPECT_EQ(properties.GetCompany(), taken ? L"Acme" : L"");
        EXPECT_EQ(properties.GetManager(), taken ? L"Bob" : L"");
    }
}

TEST_F(SmallDialogsTest, ADateRangeEndingBeforeItStartsBecomesOneDay)
{
    const struct {
        const char* name;
        int fromDay;
        int toDay;
        int expectedToDay;
    } cases[] = {{"in order", 3, 9, 9}, {"since after to", 9, 3, 9}, {"one day", 5, 5, 5}};
    for (const auto& test : cases) {
        CDateRangeDialog dialog;
        RunModalSteps([&] { return dialog.DoModal(nullptr); },
                      {[&](HWND hwnd) {
                          SetPickedDate(hwnd, IDC_DATE_RANGE_FROM, 2024, 4, test.fromDay);
                          SetPickedDate(hwnd, IDC_DATE_RANGE_TO, 2024, 4, test.toDay);
                          ClickButton(hwnd, IDOK);
                          return true;
                      }});
        EXPECT_DOUBLE_EQ(std::floor(dialog.from), DateTime(2024, 4, test.fromDay, 0, 0)) << test.name;
        EXPECT_DOUBLE_EQ(std::floor(dialog.to), DateTime(2024, 4, test.expectedToDay, 0, 0)) << test.name;
    }
}

// A name of blanks is no name: the people tree would show the group
// without a label.
TEST_F(SmallDialogsTest, AGroupNeedsANameAndBlanksAreNone)
{
    const struct {
        const wchar_t* name;
        bool enabled;
    } cases[] = {{L"", false}, {L" ", false}, {L"\t \r\n", false}, {L"\u00A0", false}, {L" Friends ", true}};
    CGroupDialog dialog;
    dialog.comments = L"Neighbours";
    const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); },
                                         {[&](HWND hwnd) {
                                              EXPECT_FALSE(IsItemEnabled(hwnd, IDOK)) << "no name yet";
                                              EXPECT_EQ(ItemText(hwnd, IDC_GROUP_COMMENTS), L"Neighbours");
                                              for (const auto& c : cases) {
                                                  SetItemText(hwnd, IDC_GROUP_NAME, c.name);
                                                  EXPECT_EQ(IsItemEnabled(hwnd, IDOK), c.enabled)
                                                      << testing::PrintToString(std::wstring(c.name));
                                              }
                                              // Even posted, OK needs a name.
                                              SetItemText(hwnd, IDC_GROUP_NAME, L"  ");
                                              ::PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                                              return true;
                                          },
                                          [&](HWND hwnd) {
                                              if (FocusedItemId(hwnd) != IDC_GROUP_NAME)
                                                  return false;
                                              SetItemText(hwnd, IDC_GROUP_NAME, L"Friends");
                                              ClickButton(hwnd, IDOK);
                                              return true;
                                          }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.name, L"Friends");
    EXPECT_EQ(dialog.comments, L"Neighbours");
}

void SelectRows(HWND dialog, std::initializer_list<int> rows)
{
    const HWND list = ::GetDlgItem(dialog, IDC_GOALS_LIST);
    for (const int row : rows)
        ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
}

TEST_F(SmallDialogsTest, GoalsAreChosenInListOrderAndOkWaitsForASelection)
{
    const std::vector<Goal> offered = {Goal(L"Run a marathon", L"", 0), Goal(L"Learn Italian", L"", 0),
                                       Goal(L"Read 20 books", L"", 0), Goal(L"Save money", L"", 0)};
    std::vector<Goal> chosen;
    const INT_PTR result = RunModalSteps([&] { return INT_PTR(ChooseGoals(offered, chosen)); },
                                         {[&](HWND hwnd) {
                                              EXPECT_FALSE(IsItemEnabled(hwnd, IDOK));
                                              ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                                              EXPECT_TRUE(::IsWindowVisible(hwnd)) << "OK with nothing selected";
                                              SelectRows(hwnd, {3, 0, 2});
                                              return true;
                                          },
                                          [&](HWND hwnd) {
                                              if (!IsItemEnabled(hwnd, IDOK))
                                                  return false;
                                              EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"GoalsDialog").empty());
                                              wchar_t shown[64] = {};
                                              ListView_GetItemText(::GetDlgItem(hwnd, IDC_GOALS_LIST), 1, 0, shown, 64);
                                              EXPECT_STREQ(shown, L"Learn Italian");
                                              ClickButton(hwnd, IDOK);
                                              return true;
                                          }});
    EXPECT_EQ(result, TRUE);
    ASSERT_EQ(chosen.size(), 3u);
    EXPECT_EQ(chosen[0].GetName(), L"Run a marathon");
    EXPECT_EQ(chosen[1].GetName(), L"Read 20 books");
    EXPECT_EQ(chosen[2].GetName(), L"Save money");
}

TEST_F(SmallDialogsTest, WithNoGoalsOfferedOnlyCancelCloses)
{
    std::vector<Goal> chosen;
    const INT_PTR result = RunModalSteps([&] { return INT_PTR(ChooseGoals({}, chosen)); },
                                         {[&](HWND hwnd) {
                                              EXPECT_EQ(ListView_GetItemCount(::GetDlgItem(hwnd, IDC_GOALS_LIST)), 0);
                                              ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                                              EXPECT_TRUE(::IsWindowVisible(hwnd)) << "OK with nothing chosen";
                                              ClickButton(hwnd, IDCANCEL);
                                              return true;
                                          }});
    EXPECT_EQ(result, FALSE);
    EXPECT_TRUE(chosen.empty());
}

} // namespace
