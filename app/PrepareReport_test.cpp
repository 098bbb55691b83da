// The report command through the real main frame: the reports dialog, the plan's file, the HTML written and opened.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/FrameTestSupport.h"
#include "app/RecordingReportServices.h"
#include "document/SilentPrompts.h"
#include "foundation/FileSystem.h"
#include "reports/ReportServices.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"

namespace {

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

    SilentPrompts prompts;
    RecordingReportServices services;
};

TEST_F(PrepareReportTest, TheChosenReportIsWrittenOverThePlanAndOpened)
{
    const EString output = FileSystem::JoinPath(m_folder, L"tasks.htm");
    Focus(TaskList().m_hWnd);
    PrepareReport(L"Tasks by category", output);
    const std::string bytes = ReadFileBytes(output);
    ASSERT_GT(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2));
    const EString html(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    EXPECT_NE(html.find(L"<TITLE>Tasks by category</TITLE>"), EString::npos) << "the report texts are loaded";
    EXPECT_EQ(services.asked, 1);
    EXPECT_EQ(services.opened, std::vector<EString>{output});
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_TRUE(::IsWindowEnabled(m_frame->m_hWnd)) << "the window takes input again once the report is made";
    EXPECT_EQ(::GetFocus(), TaskList().m_hWnd) << "and the keys go where they went";
}

TEST_F(PrepareReportTest, AReportOverItsOwnPlanIsRefusedShownAndNotOpened)
{
    // A new plan is reported from its copy in the temporary folder. The
    // refusal comes from the report's own thread.
    const EString copy = services.GetReportTempDocPath();
    PrepareReport(L"Daily plan", copy);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_NE(prompts.errors[0].find(L"cannot be written"), EString::npos) << prompts.errors[0].c_str();
    EXPECT_TRUE(services.opened.empty());
    EXPECT_EQ(ReadFileBytes(copy).rfind("<ROOT", 0), 0u) << "the copy still holds the plan";
    EXPECT_TRUE(::IsWindowEnabled(m_frame->m_hWnd));
}

} // namespace
