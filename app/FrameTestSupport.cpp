#include "app/FrameTestSupport.h"

#include <commctrl.h>

#include "dialogs/ReportsDialogIds.h"
#include "document/DocumentCommandIds.h"
#include "foundation/Clock.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"

namespace {

BOOL WINAPI ShellTakesIcon(DWORD, PNOTIFYICONDATAW)
{
    return TRUE;
}

EString WindowTitle(HWND window)
{
    wchar_t title[MAX_PATH] = {};
    ::GetWindowTextW(window, title, MAX_PATH);
    return title;
}

} // namespace

void FrameTest::SetUp()
{
    ClearProgramRegistry();
    Options::SetShowTipOnSturtup(0);
    m_loop.Register();
    m_previousShell = TrayIcon::SetShellNotifyFunction(&ShellTakesIcon);
    m_folder = MakeScratchFolder(m_folderName);
}

void FrameTest::TearDown()
{
    CloseFrame();
    TrayIcon::SetShellNotifyFunction(m_previousShell);
    Clock::ResetForTesting();
    ClearProgramRegistry();
}

CMainFrame& FrameTest::OpenFrame(IDocumentPrompts& prompts)
{
    DialogAnswerer declineGoals(&CancelDialog);
    return OpenFrameUnanswered(prompts);
}

CMainFrame& FrameTest::OpenFrameUnanswered(IDocumentPrompts& prompts)
{
    CloseFrame();
    m_frame = std::make_unique<CMainFrame>();
    m_frame->GetDocument().SetPrompts(&prompts);
    EXPECT_TRUE(m_frame->CreateMainWindow());
    // The first plan opens after the window is made, from a posted message.
    if (!m_newPlansFromTemplate)
        m_frame->GetDocument().SetReportServices(&m_noTemplates);
    // The start-up open titles the window after its document; the tray icon comes last.
    EXPECT_TRUE(WaitFor([&] {
        return m_frame->IsWindowVisible() && WindowTitle(*m_frame).find(L" - ") != EString::npos &&
               m_frame->GetRecord().hWnd == m_frame->m_hWnd;
    }));
    return *m_frame;
}

void FrameTest::CloseFrame()
{
    if (!m_frame)
        return;
    if (m_frame->IsWindow()) {
        m_frame->GetDocument().SetModified(0);
        m_frame->DestroyWindow();
    }
    m_frame.reset();
    MSG quit;
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void FrameTest::SendCommand(UINT id, UINT code, HWND control)
{
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

void FrameTest::PrepareReport(const wchar_t* report, const EString& output)
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

CCalendarViewDay& FrameTest::DailyPlanGrid()
{
    return static_cast<CCalendarViewDay&>(DailyPlan().GetContents().Grid());
}

void FrameTest::ScrollPlannerToHour(int hour)
{
    for (int clicks = 0; clicks < 24 && PlannerTopHour() != hour; ++clicks) {
        PlannerPane().PostMessage(WM_VSCROLL, MAKEWPARAM(PlannerTopHour() < hour ? SB_LINEDOWN : SB_LINEUP, 0), 0);
        const int before = PlannerPane().GetScrollOffset();
        ASSERT_TRUE(WaitFor([&] { return PlannerPane().GetScrollOffset() != before; }));
    }
    ASSERT_EQ(PlannerTopHour(), hour);
}
