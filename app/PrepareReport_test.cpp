// The report command through the real main frame: the reports dialog, the plan's file, the HTML written and opened.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/FrameTestSupport.h"
#include "dialogs/ReportsDialogIds.h"
#include "document/DocumentCommandIds.h"
#include "foundation/FileSystem.h"
#include "reports/ReportServices.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "views/tasks/SilentPrompts.h"

namespace {

// The program's services, but the shell opens nothing: the paths are kept.
class RecordingReportServices : public ReportServices {
public:
    bool ChooseReport(ReportRequest& request) override
    {
        ++asked;
        return ReportServices::ChooseReport(request);
    }
    void OpenWithShell(const EString& path) override { opened.push_back(path); }
    std::vector<EString> opened;
    int asked = 0;
};

class PrepareReportTest : public FrameTest {
protected:
    PrepareReportTest() : FrameTest(L"prepare_report") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        OpenFrame(prompts);
        services.SetDocument(&Doc());
        Doc().SetReportServices(&services);
    }
    void TearDown() override
    {
        Doc().SetReportServices(nullptr);
        FrameTest::TearDown();
    }

    // Picks the report by its name and writes it to the path.
    void PrepareReport(const wchar_t* report, const EString& output)
    {
        RunModalSteps(
            [&] {
                SendCommand(ID_PREPARE_REPORT);
                return INT_PTR(0);
            },
            {[&](HWND dialog) {
                const HWND list = ::GetDlgItem(dialog, IDC_REPORTS_LIST);
                EXPECT_GE(ListView_GetItemCount(list), 3) << "the shipped reports";
                LVFINDINFOW find = {};
                find.flags = LVFI_STRING;
                find.psz = report;
                const int row = ListView_FindItem(list, -1, &find);
                EXPECT_GE(row, 0) << "no report named so";
                ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                SetItemText(dialog, IDC_REPORT_OUTPUT, output.c_str());
                ClickButton(dialog, IDOK);
                return true;
            }});
    }

    SilentPrompts prompts;
    RecordingReportServices services;
};

TEST_F(PrepareReportTest, TheChosenReportIsWrittenOverThePlanAndOpened)
{
    const EString output = FileSystem::JoinPath(m_folder, L"tasks.htm");
    PrepareReport(L"Tasks by category", output);
    const std::string bytes = ReadFileBytes(output);
    ASSERT_GT(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2));
    const EString html(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    EXPECT_NE(html.find(L"<TITLE>Tasks by category</TITLE>"), EString::npos) << "the report texts are loaded";
    EXPECT_EQ(services.asked, 1);
    EXPECT_EQ(services.opened, std::vector<EString>{output});
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(PrepareReportTest, AReportOverItsOwnPlanIsRefusedShownAndNotOpened)
{
    // A new plan is reported from its copy in the temporary folder.
    const EString copy = services.GetReportTempDocPath();
    PrepareReport(L"Daily plan", copy);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_NE(prompts.errors[0].find(L"cannot be written"), EString::npos) << prompts.errors[0].c_str();
    EXPECT_TRUE(services.opened.empty());
    EXPECT_EQ(ReadFileBytes(copy).rfind("<ROOT", 0), 0u) << "the copy still holds the plan";
}

} // namespace
