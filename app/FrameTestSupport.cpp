#include "app/FrameTestSupport.h"

#include <commctrl.h>

#include "app/FrameKeys.h"
#include "dialogs/ReminderDialogIds.h"
#include "dialogs/ReportsDialogIds.h"
#include "foundation/Clock.h"
#include "foundation/FileSystem.h"
#include "foundation/ModalScope.h"
#include "foundation/Options.h"
#include "resources/DocumentCommandIds.h"
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

void ScriptedPrompts::Show()
{
    const ModalScope modal;
    CallWhileShown();
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) && message.message != WM_QUIT) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void ScriptedPrompts::CallWhileShown()
{
    // A copy runs: the call often clears or replaces whileShown, which would
    // destroy the closure while it runs.
    if (const std::function<void()> call = whileShown)
        call();
}

int ScriptedPrompts::AskSaveChanges(const EString& question)
{
    ++asked;
    questions.push_back(question);
    Show();
    if (answers.empty())
        return IDCANCEL;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedPrompts::Choose(EString& path)
{
    Show();
    if (paths.empty())
        return false;
    path = paths.front();
    paths.pop_front();
    return true;
}

void ScriptedPrompts::ShowError(const EString& text)
{
    errors.push_back(text);
    Show();
}

void ScriptedPrompts::WaitShowingProgress(const EString& what, HANDLE done)
{
    progress.push_back(what);
    const ModalScope modal;
    CallWhileShown();
    IDocumentPrompts::WaitShowingProgress(what, done);
}

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
    // A reminder due at the start is the test's to answer: Cancel in its
    // alert would dismiss it, a change of the plan.
    DialogAnswerer declineGoals([](HWND dialog) {
        if (!::GetDlgItem(dialog, IDC_REMINDER_SNOOZE))
            CancelDialog(dialog);
    });
    return OpenFrameUnanswered(prompts);
}

CMainFrame& FrameTest::OpenFrameUnanswered(IDocumentPrompts& prompts, const std::function<void()>& meanwhile)
{
    CloseFrame();
    m_frame = std::make_unique<CMainFrame>();
    m_frame->GetDocument().SetPrompts(&prompts);
    m_frame->GetDocument().SetPathName(m_startupPath);
    EXPECT_TRUE(m_frame->CreateMainWindow());
    // The first plan opens after the window is made, from a posted message.
    if (!m_newPlansFromTemplate)
        m_frame->GetDocument().SetReportServices(&m_noTemplates);
    if (meanwhile)
        meanwhile();
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

void FrameTest::Focus(HWND window)
{
    ::SetFocus(window);
    ASSERT_TRUE(WaitThroughLoop(m_loop, [&] {
        const HWND focus = ::GetFocus();
        return focus && (focus == window || ::IsChild(window, focus));
    }));
}

void FrameTest::SelectTask(int taskId)
{
    TaskList().SelectRow(-1);
    TaskList().SelectRow(TaskList().FindRow(taskId));
    Focus(TaskList());
}

void FrameTest::WaitForMouseTaken(HWND control)
{
    MSG pending;
    ASSERT_TRUE(WaitFor([&] { return !::PeekMessageW(&pending, control, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE); }));
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

int FrameTest::NewCategory(const wchar_t* name, int parent)
{
    Category category(name, L"", 0, 0);
    EXPECT_TRUE(Doc().AddCategory(parent, category)) << name;
    return category.GetId();
}

int FrameTest::NewTask(const wchar_t* name, double hours, double deadline)
{
    TaskCard task(name, L"", hours, deadline, 1, 0, 0, 0, -1);
    EXPECT_TRUE(Doc().AddTask(task)) << name;
    return task.GetId();
}

int FrameTest::NewPlanEntry(double day, int taskId, double start, double end)
{
    TaskCard task;
    EXPECT_TRUE(Doc().GetTask(taskId, task));
    TaskPlanEntry entry(taskId, start, end, L"", L"", 0, 0);
    entry.SetTask(task);
    EXPECT_TRUE(Doc().AddPlanEntry(day, entry));
    return entry.GetId();
}

void FrameTest::SaveAndReopen(const wchar_t* fileName, CPelquornDoc& saved, IDocumentPrompts& prompts)
{
    const EString path = FileSystem::JoinPath(m_folder, fileName);
    Doc().SetPathName(path);
    ASSERT_TRUE(Doc().Save());
    saved.SetPrompts(&prompts);
    ASSERT_TRUE(saved.OnOpenDocument(path));
}

namespace {

HTREEITEM FindInBranches(HWND tree, HTREEITEM first, LPARAM data)
{
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
        TVITEMW tv = {};
        tv.mask = TVIF_PARAM | TVIF_HANDLE;
        tv.hItem = item;
        if (TreeView_GetItem(tree, &tv) && tv.lParam == data)
            return item;
        if (const HTREEITEM below = FindInBranches(tree, TreeView_GetChild(tree, item), data))
            return below;
    }
    return nullptr;
}

} // namespace

HWND FrameTest::FindChildOfClass(HWND parent, const wchar_t* className)
{
    struct Search {
        const wchar_t* name;
        HWND found;
    } search = {className, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM lParam) {
            auto* s = reinterpret_cast<Search*>(lParam);
            wchar_t name[64] = {};
            ::GetClassNameW(child, name, 64);
            if (lstrcmpW(name, s->name) != 0)
                return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HTREEITEM FrameTest::FindTreeItem(HWND tree, LPARAM data)
{
    return FindInBranches(tree, TreeView_GetRoot(tree), data);
}
