#include "reports/ReportsDialog.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "dialogs/CategoryDialogIds.h"
#include "dialogs/SmallDialogIds.h"
#include "document/PelquornDoc.h"
#include "document/SilentPrompts.h"
#include "foundation/Clock.h"
#include "foundation/Language.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "reports/CustomFiles.h"
#include "reports/ReportChoice.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

// Four reports, listed in this order; the dialog sorts them by name.
class FourReports : public CustomFiles {
public:
    struct Row {
        const wchar_t* path;
        const wchar_t* name;
        Feature feature;
    };
    const std::vector<Row> rows = {
        {L"C:\\reports\\tasks.xsl", L"Tasks by category", Feature(1, 0, 0)},
        {L"C:\\reports\\daily.xsl", L"Daily plan", Feature(0, 1, 0)},
        {L"C:\\reports\\both.xsl", L"Both", Feature(1, 1, 1)},
        {L"C:\\reports\\neither.xsl", L"Neither", Feature(0, 0, 1)},
    };

    void EnumerateFiles(std::vector<EString>& files) override
    {
        for (const Row& row : rows)
            files.push_back(row.path);
    }
    EString GetDisplayName(const EString& path) override { return Find(path).name; }
    Feature GetFeature(const EString& path) override { return Find(path).feature; }
    EString GetFolderName() override { return L"Reports"; }

private:
    const Row& Find(const EString& path) const
    {
        for (const Row& row : rows)
            if (path == row.path)
                return row;
        return rows.front();
    }
};

bool IsEnabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

// Selects the row showing the name, or clears the selection for null.
void SelectReport(HWND dialog, const wchar_t* name)
{
    const HWND list = ::GetDlgItem(dialog, IDC_REPORTS_LIST);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    if (!name)
        return;
    LVFINDINFOW find = {};
    find.flags = LVFI_STRING;
    find.psz = name;
    const int row = ListView_FindItem(list, -1, &find);
    ASSERT_GE(row, 0) << "no row";
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void ChoosePeriod(HWND dialog, int index)
{
    ::SendDlgItemMessageW(dialog, IDC_REPORT_PERIOD, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_REPORT_PERIOD, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_REPORT_PERIOD)));
}

int PeriodSelection(HWND dialog)
{
    return static_cast<int>(::SendDlgItemMessageW(dialog, IDC_REPORT_PERIOD, CB_GETCURSEL, 0, 0));
}

int PeriodCount(HWND dialog)
{
    return static_cast<int>(::SendDlgItemMessageW(dialog, IDC_REPORT_PERIOD, CB_GETCOUNT, 0, 0));
}

void SetPickedDate(HWND dialog, int id, int year, int month, int day)
{
    SYSTEMTIME time = {static_cast<WORD>(year), static_cast<WORD>(month), 0, static_cast<WORD>(day), 0, 0, 0, 0};
    ::SendDlgItemMessageW(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

// A dialog opened over the reports dialog.
DialogStep InNestedDialog(std::function<void(HWND)> act)
{
    return [act](HWND outer) {
        const HWND nested = FindThreadDialog();
        if (!nested || nested == outer)
            return false;
        act(nested);
        return true;
    };
}

class ReportsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        ASSERT_TRUE(Resource::Load(SourcePath(L"resources/Language/English.txt")));
        const INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                                                      ICC_DATE_CLASSES};
        ::InitCommonControlsEx(&controls);
        StoredReportPeriods().clear();
        // A Wednesday: this week runs from Monday 11 March 2024 with Monday weeks.
        Clock::SetNowForTesting(MakeOleDate(2024, 3, 13));
        Options::SetStartOfWeek(2);
        request.outputPath = L"C:\\temp\\Report.htm";
    }
    void TearDown() override
    {
        StoredReportPeriods().clear();
        Clock::ResetForTesting();
        ClearProgramRegistry();
    }

    INT_PTR Choose(std::vector<DialogStep> steps)
    {
        return RunModalSteps([&] { return INT_PTR(chosen = ChooseReport(reports, document, request) ? IDOK : IDCANCEL); },
                             std::move(steps));
    }

    FourReports reports;
    CPelquornDoc* document = nullptr;
    ReportRequest request;
    INT_PTR chosen = 0;
};

TEST_F(ReportsDialogTest, TheSelectedReportEnablesWhatItUsesAndOkWantsAReportAndAnOutput)
{
    const struct {
        const wchar_t* report;
        bool category;
        bool period;
    } cases[] = {
        {L"Tasks by category", true, false},
        {L"Daily plan", false, true},
        {L"Both", true, true},
        {L"Neither", false, false},
        {nullptr, false, false},
    };
    Choose({[&](HWND dialog) {
                EXPECT_EQ(ListView_GetItemCount(::GetDlgItem(dialog, IDC_REPORTS_LIST)), 4);
                EXPECT_FALSE(IsEnabled(dialog, IDOK)) << "no report yet";
                EXPECT_FALSE(IsEnabled(dialog, IDC_REPORT_CATEGORY));
                EXPECT_FALSE(IsEnabled(dialog, IDC_REPORT_PERIOD));
                EXPECT_EQ(ItemText(dialog, IDC_REPORT_OUTPUT), L"C:\\temp\\Report.htm");
                for (const auto& test : cases) {
                    SelectReport(dialog, test.report);
                    const char* name = test.report ? "a report" : "none";
                    for (const int id : {IDC_REPORT_CATEGORY_LABEL, IDC_REPORT_CATEGORY, IDC_REPORT_CATEGORY_BROWSE})
                        EXPECT_EQ(IsEnabled(dialog, id), test.category) << name << " " << id;
                    for (const int id : {IDC_REPORT_PERIOD_LABEL, IDC_REPORT_PERIOD})
                        EXPECT_EQ(IsEnabled(dialog, id), test.period) << name << " " << id;
                    EXPECT_EQ(IsEnabled(dialog, IDOK), test.report != nullptr) << name;
                }
                SelectReport(dialog, L"Daily plan");
                SetItemText(dialog, IDC_REPORT_OUTPUT, L"");
                EXPECT_FALSE(IsEnabled(dialog, IDOK)) << "no output";
                SetItemText(dialog, IDC_REPORT_OUTPUT, L"C:\\reports\\week.htm");
                EXPECT_TRUE(IsEnabled(dialog, IDOK));
                ChoosePeriod(dialog, 1);
                return true;
            },
            [&](HWND dialog) {
                EXPECT_FALSE(SaveWindowScreenshot(dialog, L"ReportsDialog").empty());
                ClickButton(dialog, IDOK);
                return true;
            }});
    ASSERT_EQ(chosen, IDOK);
    EXPECT_EQ(request.stylesheet, L"C:\\reports\\daily.xsl") << "the row leads back to its file";
    EXPECT_EQ(request.outputPath, L"C:\\reports\\week.htm");
    EXPECT_DOUBLE_EQ(request.periodStart, MakeOleDate(2024, 3, 4)) << "last week";
    EXPECT_DOUBLE_EQ(request.periodEnd, MakeOleDate(2024, 3, 10));
}

TEST_F(ReportsDialogTest, AnOutputPathLongerThanTheFieldTakesKeepsTheDialogOpenSayingWhy)
{
    EString told;
    Choose({[&](HWND dialog) {
                SelectReport(dialog, L"Neither");
                SetItemText(dialog, IDC_REPORT_OUTPUT, (L"C:\\" + EString(260, L'a') + L".htm").c_str());
                ClickButton(dialog, IDOK);
                return true;
            },
            AnswerMessageBox(told, nullptr),
            [&](HWND dialog) {
                // The dialog takes the focus back to the field once the box is gone.
                if (FindThreadDialog() != dialog || FocusedItemId(dialog) != IDC_REPORT_OUTPUT)
                    return false;
                SetItemText(dialog, IDC_REPORT_OUTPUT, L"C:\\r.htm");
                ClickButton(dialog, IDOK);
                return true;
            }});
    ASSERT_EQ(chosen, IDOK);
    EXPECT_NE(told.find(L"holds 267 characters, but it keeps at most"), EString::npos) << told.c_str();
    EXPECT_EQ(request.outputPath, L"C:\\r.htm");
    EXPECT_EQ(request.stylesheet, L"C:\\reports\\neither.xsl");
}

TEST_F(ReportsDialogTest, ACustomPeriodIsStoredOnceAndOnlyAConfirmedDialogKeepsIt)
{
    auto pickMarch = InNestedDialog([](HWND range) {
        SetPickedDate(range, IDC_DATE_RANGE_FROM, 2024, 3, 1);
        SetPickedDate(range, IDC_DATE_RANGE_TO, 2024, 3, 20);
        ClickButton(range, IDOK);
    });
    const EString march = ReportPeriodList::FormatPeriod({MakeOleDate(2024, 3, 1), MakeOleDate(2024, 3, 20)});
    for (const int button : {IDCANCEL, IDOK}) {
        Choose({[&](HWND dialog) {
                    SelectReport(dialog, L"Daily plan");
                    EXPECT_EQ(PeriodCount(dialog), 4);
                    ChoosePeriod(dialog, 3);
                    return true;
                },
                pickMarch,
                [&](HWND dialog) {
                    if (PeriodCount(dialog) != 5)
                        return false;
                    EXPECT_EQ(PeriodSelection(dialog), 0);
                    EXPECT_EQ(ItemText(dialog, IDC_REPORT_PERIOD), march);
                    ChoosePeriod(dialog, 4);
                    return true;
                },
                pickMarch,
                [&](HWND dialog) {
                    if (PeriodSelection(dialog) != 0)
                        return false;
                    EXPECT_EQ(PeriodCount(dialog), 5) << "the same period again is not added";
                    ClickButton(dialog, button);
                    return true;
                }});
        if (button == IDCANCEL) {
            EXPECT_EQ(chosen, IDCANCEL);
            EXPECT_TRUE(StoredReportPeriods().empty()) << "a cancelled dialog takes its periods with it";
        }
    }
    ASSERT_EQ(chosen, IDOK);
    EXPECT_DOUBLE_EQ(request.periodStart, MakeOleDate(2024, 3, 1));
    EXPECT_DOUBLE_EQ(request.periodEnd, MakeOleDate(2024, 3, 20));
    ASSERT_EQ(StoredReportPeriods().size(), 1u) << "kept for the next report of this run";

    // The next report offers it on top, and a cancelled range leaves "CustomWeek", this week.
    Choose({[&](HWND dialog) {
                SelectReport(dialog, L"Daily plan");
                EXPECT_EQ(PeriodCount(dialog), 5);
                ChoosePeriod(dialog, 4);
                return true;
            },
            InNestedDialog([](HWND range) { ClickButton(range, IDCANCEL); }),
            [&](HWND dialog) {
                if (FindThreadDialog() != dialog)
                    return false;
                EXPECT_EQ(PeriodSelection(dialog), 4);
                ClickButton(dialog, IDOK);
                return true;
            }});
    ASSERT_EQ(chosen, IDOK);
    EXPECT_DOUBLE_EQ(request.periodStart, MakeOleDate(2024, 3, 11));
    EXPECT_DOUBLE_EQ(request.periodEnd, MakeOleDate(2024, 3, 17));
}

class ReportsDialogCategoryTest : public ReportsDialogTest {
protected:
    void SetUp() override
    {
        ReportsDialogTest::SetUp();
        planDocument.SetPrompts(&prompts);
        ASSERT_TRUE(planDocument.OnNewDocument());
        planDocument.SetStatusFilter(0);
        home = Add(0, L"Home");
        garden = Add(home, L"Garden");
        document = &planDocument;
    }
    int Add(int parentId, const wchar_t* name)
    {
        Category category(name, L"", 0, 0);
        EXPECT_TRUE(planDocument.AddCategory(parentId, category));
        return category.GetId();
    }
    static void SelectTreeItem(HWND tree, HTREEITEM item, int id)
    {
        for (; item; item = TreeView_GetNextSibling(tree, item)) {
            TVITEMW data = {};
            data.mask = TVIF_PARAM;
            data.hItem = item;
            if (TreeView_GetItem(tree, &data) && static_cast<int>(data.lParam) == id) {
                TreeView_SelectItem(tree, item);
                return;
            }
            TreeView_Expand(tree, item, TVE_EXPAND);
            SelectTreeItem(tree, TreeView_GetChild(tree, item), id);
        }
    }

    SilentPrompts prompts;
    CPelquornDoc planDocument;
    int home = 0;
    int garden = 0;
};

TEST_F(ReportsDialogCategoryTest, TheCategoryButtonBrowsesTheCategoriesAndShowsTheChosenName)
{
    request.categoryId = home;
    Choose({[&](HWND dialog) {
                EXPECT_EQ(ItemText(dialog, IDC_REPORT_CATEGORY), L"Home");
                SelectReport(dialog, L"Tasks by category");
                ClickButton(dialog, IDC_REPORT_CATEGORY_BROWSE);
                return true;
            },
            InNestedDialog([&](HWND browse) {
                const HWND tree = ::GetDlgItem(browse, IDC_BROWSE_CATEGORY_TREE);
                SelectTreeItem(tree, TreeView_GetRoot(tree), garden);
                ClickButton(browse, IDOK);
            }),
            [&](HWND dialog) {
                if (ItemText(dialog, IDC_REPORT_CATEGORY) != L"Garden")
                    return false;
                EXPECT_FALSE(SaveWindowScreenshot(dialog, L"ReportsDialogCategory").empty());
                ClickButton(dialog, IDOK);
                return true;
            }});
    ASSERT_EQ(chosen, IDOK);
    EXPECT_EQ(request.categoryId, garden);
    EXPECT_EQ(request.stylesheet, L"C:\\reports\\tasks.xsl");
}

} // namespace
