// Commands over every selected task at once in the real main window: after each, the task list and the status bar's
// task summary show what the saved plan holds, and the plan was marked modified with one change of the title.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "app/FrameTestSupport.h"
#include "document/SilentPrompts.h"
#include "foundation/OleDate.h"
#include "resources/AppCommandIds.h"
#include "resources/EditCommandIds.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/tasks/TaskListDialogs.h"

namespace {

const double kDeadline = MakeOleDate(2026, 3, 18);
const double kNewDeadline = MakeOleDate(2026, 4, 1);
// The list's columns of the name, importance and deadline.
constexpr int kShownColumns[] = {0, 5, 6};

// Deletes without asking; the edit of many tasks sets importance 0 and the new deadline.
class AnsweringDialogs : public InertTaskListDialogs {
public:
    bool EditManyTasks(HWND, int& importance, double& deadline) override
    {
        importance = 0;
        deadline = kNewDeadline;
        return true;
    }
    bool ConfirmDelete(const EString&) override { return true; }
};

// Counts the titles set on one window of this thread.
class TitleCounter {
public:
    explicit TitleCounter(HWND window)
    {
        s_window = window;
        s_count = 0;
        m_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, Procedure, nullptr, ::GetCurrentThreadId());
    }
    TitleCounter(const TitleCounter&) = delete;
    TitleCounter& operator=(const TitleCounter&) = delete;
    ~TitleCounter() { ::UnhookWindowsHookEx(m_hook); }
    int Count() const { return s_count; }

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && sent->hwnd == s_window && sent->message == WM_SETTEXT)
            ++s_count;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline HWND s_window = nullptr;
    static inline int s_count = 0;
    HHOOK m_hook = nullptr;
};

class BatchCommandsInFrameTest : public FrameTest {
protected:
    BatchCommandsInFrameTest() : FrameTest(L"batch_commands_in_frame") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        OpenFrame(m_prompts);
        TaskList().SetDialogs(&m_dialogs);
        Doc().SetStatusFilter(0);
        for (const wchar_t* name : {L"Buy stamps", L"Pay the bills", L"Water the plants"})
            NewTask(name, 1, kDeadline);
        Doc().Notify(nullptr, NotifyCode::kAll);
        Doc().SetDocumentWindow(TaskList().m_hWnd);
    }
    void TearDown() override
    {
        if (m_frame)
            TaskList().SetDialogs(nullptr);
        FrameTest::TearDown();
    }

    CPelquornView& TaskList() { return m_frame->GetTaskList(); }

    // Each row in the words the list shows, sorted.
    std::vector<EString> ListedRows()
    {
        std::vector<EString> rows;
        for (int row = 0; row < ListView_GetItemCount(TaskList().m_hWnd); ++row) {
            EString shown;
            for (const int column : kShownColumns) {
                wchar_t cell[256] = {};
                ListView_GetItemText(TaskList().m_hWnd, row, column, cell, 256);
                shown += EString(cell) + L"|";
            }
            rows.push_back(shown);
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    // Each task of the saved plan in the same words, sorted.
    std::vector<EString> SavedRows(CPelquornDoc& saved)
    {
        std::vector<TaskCard> tasks;
        saved.SelectTasks(tasks, false, false);
        std::vector<EString> rows;
        for (const TaskCard& task : tasks)
            rows.push_back(task.GetName() + L"|" + task.GetImportanceText() + L"|" + task.GetDeadlineText() + L"|");
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    EString ShownSummary()
    {
        wchar_t text[256] = {};
        ::SendMessageW(m_frame->GetStatusBar(), SB_GETTEXTW, CMainFrame::kSummaryPane, reinterpret_cast<LPARAM>(text));
        return text;
    }

    SilentPrompts m_prompts;
    AnsweringDialogs m_dialogs;
};

TEST_F(BatchCommandsInFrameTest, TheListShowsWhatTheSavedPlanHoldsAfterACommandOverEverySelectedTask)
{
    const struct {
        const char* name;
        UINT command;
        size_t rows;
        int importance;
    } cases[] = {
        {"set the importance", ID_TASK_PRIORITY_URGENT, 3, 2},
        {"edit the selected tasks", ID_TASK_EDIT, 3, 0},
        {"paste them", ID_EDIT_PASTE, 6, 0},
        {"delete them", ID_TASK_DELETE, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SendCommand(ID_EDIT_SELECT_ALL);
        ASSERT_EQ(ListView_GetSelectedCount(TaskList().m_hWnd), ListView_GetItemCount(TaskList().m_hWnd));
        SendCommand(ID_EDIT_COPY);
        Doc().SetModified(0);
        int titles = 0;
        {
            const TitleCounter counter(*m_frame);
            SendCommand(c.command);
            titles = counter.Count();
        }
        EXPECT_EQ(Doc().IsModified(), 1);
        EXPECT_EQ(titles, 1) << "the plan is marked modified once";
        CPelquornDoc saved;
        SaveAndReopen(L"batch.qvr", saved, m_prompts);
        std::vector<TaskCard> tasks;
        saved.SelectTasks(tasks, false, false);
        EXPECT_EQ(tasks.size(), c.rows);
        for (const TaskCard& task : tasks)
            EXPECT_EQ(task.GetImportance(), c.importance);
        EXPECT_TRUE(WaitFor([&] { return ListedRows() == SavedRows(saved); }))
            << testing::PrintToString(ListedRows()) << " against " << testing::PrintToString(SavedRows(saved));
        // Each task takes an hour.
        const int count = static_cast<int>(c.rows);
        const EString summary = EString::Formatted(L"Tasks: %d, %d h", count, count);
        EXPECT_TRUE(WaitFor([&] { return ShownSummary().find(summary) != EString::npos; }))
            << testing::PrintToString(ShownSummary());
        if (c.command == ID_EDIT_PASTE) {
            EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"batch_commands_pasted").IsEmpty());
        }
    }
}

} // namespace
