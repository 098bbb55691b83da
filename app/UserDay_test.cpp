// A new user's day through the real main window, from the template's plan to the next start: each step is saved with
// the Save command, read back from the file and pictured under screenshots/day.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "app/RecordingReportServices.h"
#include "dialogs/CategoryDialogIds.h"
#include "dialogs/ReminderDialogIds.h"
#include "dialogs/SmallDialogIds.h"
#include "dialogs/TaskDialogIds.h"
#include "dialogs/TrackingDialogIds.h"
#include "document/Clipboard.h"
#include "document/PelquornDragData.h"
#include "document/SilentPrompts.h"
#include "foundation/Clock.h"
#include "foundation/ComPtr.h"
#include "foundation/FileSystem.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/calendar/CalendarViewDay.h"
#include "views/common/AtlDropSource.h"

namespace {

double Hours(int hours, int minutes = 0)
{
    return (hours + minutes / 60.0) / 24.0;
}

const double kWednesday = MakeOleDate(2026, 3, 11);

// The first save asks where: the scratch plan.
class SaveHerePrompts : public SilentPrompts {
public:
    bool ChooseSavePath(const EString&, const EString&, EString& path) override
    {
        path = savePath;
        return true;
    }
    EString savePath;
};

// True when the file's bytes hold the ASCII text, as UTF-8 or UTF-16.
bool FileHolds(const std::string& bytes, const std::string& text)
{
    std::string wide;
    for (const char c : text) {
        wide.push_back(c);
        wide.push_back('\0');
    }
    return bytes.find(text) != std::string::npos || bytes.find(wide) != std::string::npos;
}

class UserDayTest : public FrameTest {
protected:
    UserDayTest() : FrameTest(L"user_day") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        Options::SetShowAsLayoutDays(1);
        Options::SetAllowSimultaneous(1);
        m_newPlansFromTemplate = true;
        // The README's picture shows the plan's path in its title: one that tells nothing of the machine.
        m_path = FileSystem::JoinPath(FileSystem::GetSpecialFolder(CSIDL_COMMON_DOCUMENTS), L"My plan.qvr");
        ::DeleteFileW(m_path.c_str());
        m_prompts.savePath = m_path;
        ::CreateDirectoryW(FileSystem::JoinPath(ScreenshotFolder(), L"day").c_str(), nullptr);
    }
    void TearDown() override
    {
        FrameTest::TearDown();
        ::DeleteFileW(m_path.c_str());
    }

    // Saved with the Save command and read back into a document of its own.
    std::unique_ptr<CPelquornDoc> SaveAndReadBack()
    {
        SendCommand(ID_FILE_SAVE);
        EXPECT_FALSE(Doc().IsModified());
        EXPECT_EQ(Doc().GetPathName(), m_path);
        auto saved = std::make_unique<CPelquornDoc>();
        saved->SetPrompts(&m_readPrompts);
        EXPECT_TRUE(saved->OnOpenDocument(m_path));
        // Any document titles the one main window: the frame's takes it back.
        Doc().UpdateTitle();
        return saved;
    }
    void Shot(const wchar_t* name)
    {
        EXPECT_EQ(WindowText(*m_frame), Doc().GetTitle()) << name;
        ::RedrawWindow(*m_frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        EXPECT_FALSE(SaveWindowScreenshot(*m_frame, (EString(L"day\\") + name).c_str()).IsEmpty()) << name;
    }

    CPelquornView& List() { return m_frame->GetTaskList(); }
    void SelectTask(int taskId)
    {
        Doc().SetDocumentWindow(m_frame->GetTaskView());
        List().SelectRow(-1);
        const int row = List().FindRow(taskId);
        ASSERT_GE(row, 0) << "task " << taskId << " not listed";
        List().SelectRow(row);
    }
    EString SpentShown(int taskId)
    {
        wchar_t text[64] = {};
        ListView_GetItemText(List().GetHwnd(), List().FindRow(taskId), 2, text, 64);
        return text;
    }
    int TaskNamed(const wchar_t* name)
    {
        for (int row = 0; row < List().GetRowCount(); ++row)
            if (List().GetRowTask(row)->GetName() == name)
                return List().GetRowTask(row)->GetId();
        return 0;
    }

    // The task dragged from the list onto the grid at the hour and the plan dialog's OK pressed.
    void DropOnGrid(int taskId, int hour)
    {
        ScrollPlannerToHour(hour - 1);
        Doc().SetSelectedTaskIds({taskId});
        const CDaySettings& s = PlannerSettings();
        ASSERT_GE(s.hourCells.size(), 24u);
        const RECT& cell = s.hourCells[static_cast<size_t>(hour)].rect;
        const POINT drop = {cell.left + 10, s.headerHeight + cell.top + 2 - PlannerPane().GetScrollOffset()};
        ComPtr<CAtlDropSource> dragged(new CAtlDropSource);
        dragged->SetPayload(Clipboard::GetPrivateClipboardFormat(),
                            PelquornDragData(PelquornDragData::kTasks, {taskId}).CreateBlock());
        DailyPlanGrid().OnDragOver(drop.x, drop.y);
        ASSERT_TRUE(DailyPlanGrid().OnDrop(dragged.Get(), drop.x, drop.y, DROPEFFECT_COPY));
        CPlanDialog& dialog = DailyPlan().GetPlanDialog();
        ASSERT_TRUE(WaitFor([&] { return dialog.IsWindowVisible() != FALSE; }));
        std::vector<TaskPlanEntry> before;
        Doc().GetDayPlanEntries(kWednesday, before);
        ClickButton(dialog, IDOK);
        ASSERT_TRUE(WaitFor([&] {
            std::vector<TaskPlanEntry> entries;
            Doc().GetDayPlanEntries(kWednesday, entries);
            return entries.size() == before.size() + 1;
        }));
    }
    // The entries of the task on the Wednesday, as "09:00-11:00".
    static std::vector<EString> EntriesOf(CPelquornDoc& doc, int taskId)
    {
        std::vector<TaskPlanEntry> entries;
        doc.GetDayPlanEntries(kWednesday, entries);
        std::vector<EString> times;
        for (const TaskPlanEntry& entry : entries)
            if (entry.GetTaskId() == taskId)
                times.push_back(entry.GetStartTimeXmlText() + L"-" + entry.GetEndTimeXmlText());
        return times;
    }
    // The reminder's alert, brought up by the task list's reminder clock.
    HWND ReminderAlert()
    {
        ::SendMessageW(List().GetHwnd(), WM_TIMER, CPelquornView::kReminderTimer, 0);
        HWND alert = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (alert = FindShownDialogWith(IDC_REMINDER_SNOOZE)) != nullptr; }));
        return alert;
    }

    SaveHerePrompts m_prompts;
    SilentPrompts m_readPrompts;
    RecordingReportServices m_services;
    EString m_path;
};

using Times = std::vector<EString>;

TEST_F(UserDayTest, ANewUsersDayIsSavedStepByStepAndComesBackInTheNextFrame)
{
    Clock::SetNowForTesting(kWednesday + Hours(8));
    CMainFrame& frame = OpenFrame(m_prompts);
    m_services.SetDocument(&Doc());
    Doc().SetReportServices(&m_services);
    Doc().SetStatusFilter(0);

    // 1. The template's categories are in the plan and in the tree.
    std::vector<Category> templateCategories;
    Doc().GetSubCategories(0, templateCategories);
    ASSERT_FALSE(templateCategories.empty()) << "the shipped template brought no category";
    CCategoryTree* tree = &Categories();
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(WaitFor([&] {
        return TreeView_GetCount(tree->m_hWnd) > static_cast<UINT>(templateCategories.size());
    })) << "the tree shows the root and the template's categories";
    Shot(L"01_template");
    {
        auto saved = SaveAndReadBack();
        std::vector<Category> categories;
        saved->GetSubCategories(0, categories);
        EXPECT_EQ(categories.size(), templateCategories.size());
    }

    // 2. A category from the tree's Add, a task typed into the task dialog, two more with deadlines and a reminder.
    RunModalSteps(
        [&] {
            ::SendMessageW(*tree, WM_COMMAND, MAKEWPARAM(ID_TASK_ADD, 0), 0);
            return INT_PTR(0);
        },
        {[&](HWND dialog) {
            SetItemText(dialog, IDC_CATEGORY_NAME, L"Moving house");
            ClickButton(dialog, IDOK);
            return true;
        }});
    Category movingCategory;
    ASSERT_TRUE(WaitFor([&] {
        return Doc().GetCategory(Doc().GetCurrentCategoryId(), movingCategory) &&
               movingCategory.GetName() == L"Moving house";
    })) << "the tree chose the category it added";
    const int moving = movingCategory.GetId();
    Doc().SetDocumentWindow(frame.GetTaskView());
    RunModalSteps(
        [&] {
            SendCommand(ID_TASK_ADD);
            return INT_PTR(0);
        },
        {[&](HWND dialog) {
            SetItemText(dialog, IDC_TASK_NAME, L"Pack the books");
            SetItemText(dialog, IDC_TASK_ESTIMATION, L"2");
            ClickButton(dialog, IDOK);
            return true;
        }});
    const int books = TaskNamed(L"Pack the books");
    ASSERT_NE(books, 0);
    TaskCard call(L"Call the movers", L"", 1, kWednesday + 1, 2, 0, 0, 0, -1);
    ASSERT_TRUE(Doc().AddTask(call));
    TaskCard van(L"Book the van", L"", 1.5, kWednesday + 3, 1, 0, 0, 0, -1);
    ASSERT_TRUE(Doc().AddTask(van));
    Doc().AddReminder(ReminderInfo(call.GetId(), kWednesday, Hours(11)));
    Doc().Notify(nullptr, NotifyCode::kAll);
    Shot(L"02_tasks");
    {
        auto saved = SaveAndReadBack();
        const struct {
            int id;
            double estimation;
            double deadline;
        } expected[] = {{call.GetId(), 1, kWednesday + 1}, {van.GetId(), 1.5, kWednesday + 3}};
        for (const auto& e : expected) {
            TaskCard written;
            ASSERT_TRUE(saved->GetTask(e.id, written, false)) << e.id;
            EXPECT_DOUBLE_EQ(written.GetEstimation(), e.estimation);
            EXPECT_DOUBLE_EQ(written.GetDeadline(), e.deadline);
            EXPECT_EQ(saved->GetTaskCategory(e.id), moving);
        }
        TaskCard typed;
        ASSERT_TRUE(saved->GetTask(books, typed, false));
        EXPECT_DOUBLE_EQ(typed.GetEstimation(), 2);
        EXPECT_EQ(saved->GetTaskCategory(books), moving);
        ReminderInfo reminder;
        ASSERT_TRUE(saved->GetReminder(call.GetId(), reminder));
        EXPECT_EQ(reminder.GetAlarmTimeXmlText(), L"11:00");
    }

    // 3. The morning planned by dropping two tasks on the time grid.
    ASSERT_FALSE(DailyPlan().IsListShown());
    DailyPlan().SetDate(kWednesday, false);
    DailyPlanGrid().OnDateChanged();
    DailyPlan().ReloadDay();
    DailyPlanGrid().SetSnapMinutes(15);
    DropOnGrid(books, 9);
    DropOnGrid(call.GetId(), 11);
    Shot(L"03_planned");
    {
        auto saved = SaveAndReadBack();
        EXPECT_EQ(EntriesOf(*saved, books), Times{L"09:00-11:00"});
        EXPECT_EQ(EntriesOf(*saved, call.GetId()), Times{L"11:00-12:00"});
    }

    // 4. Three quarters of an hour tracked on the van from 13:00.
    Clock::SetNowForTesting(kWednesday + Hours(13));
    SelectTask(van.GetId());
    SendCommand(ID_TRACK_TIME);
    ASSERT_TRUE(Doc().IsTracking());
    const HWND tracking = FindShownDialogWith(IDC_TRACKING_TOGGLE);
    EXPECT_NE(tracking, nullptr) << "the tracking window shows";
    Clock::SetNowForTesting(kWednesday + Hours(13, 45));
    ::SendMessageW(List().GetHwnd(), WM_TIMER, CPelquornView::kTrackingTimer, 0);
    EXPECT_EQ(SpentShown(van.GetId()), L"45m") << "the tracking tick shows the time in the list";
    Shot(L"04_tracking");
    SelectTask(van.GetId());
    SendCommand(ID_TRACK_TIME);
    EXPECT_FALSE(Doc().IsTracking());
    {
        auto saved = SaveAndReadBack();
        EXPECT_EQ(EntriesOf(*saved, van.GetId()), Times{L"13:00-13:45"});
    }

    // 5. The reminder falls due at 11:00: snoozed for ten minutes, then dismissed.
    Clock::SetNowForTesting(kWednesday + Hours(14));
    HWND alert = ReminderAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(ItemText(alert, IDC_REMINDER_TASK_NAME), L"Call the movers");
    Shot(L"05_reminder");
    EXPECT_FALSE(SaveWindowScreenshot(alert, L"day\\05_reminder_alert").IsEmpty());
    SetItemText(alert, IDC_REMINDER_MINUTES, L"10");
    ClickButton(alert, IDC_REMINDER_SNOOZE);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(alert); })) << "the alert goes";
    {
        auto saved = SaveAndReadBack();
        ReminderInfo reminder;
        ASSERT_TRUE(saved->GetReminder(call.GetId(), reminder));
        EXPECT_EQ(reminder.GetAlarmTimeXmlText(), L"14:10");
    }
    Clock::SetNowForTesting(kWednesday + Hours(14, 11));
    alert = ReminderAlert();
    ASSERT_NE(alert, nullptr);
    ClickButton(alert, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(alert); })) << "the alert goes";
    {
        auto saved = SaveAndReadBack();
        ReminderInfo reminder;
        EXPECT_FALSE(saved->GetReminder(call.GetId(), reminder)) << "a dismissed reminder is gone";
    }

    // 6. The books are packed.
    SelectTask(books);
    SendCommand(ID_TASK_COMPLETE);
    Shot(L"06_completed");
    {
        auto saved = SaveAndReadBack();
        TaskCard written;
        ASSERT_TRUE(saved->GetTask(books, written, false));
        EXPECT_TRUE(written.IsCompleted());
    }

    // 7. A mood picked from the mood bar's button.
    std::vector<MoodItem> moods;
    Doc().GetMoods(moods);
    ASSERT_GE(moods.size(), 2u) << "the template's moods";
    const int picked = moods[1].GetId();
    frame.GetMoodButton().SetCurrent(picked);
    SendCommand(CMainFrame::kMoodButtonId, CBN_SELENDOK, frame.GetMoodButton().m_hWnd);
    Shot(L"07_mood");
    {
        auto saved = SaveAndReadBack();
        EXPECT_EQ(saved->GetCurrentMoodId(), picked);
    }

    // 8. "van" found from the find window: the task list selects the van.
    SendCommand(ID_FIND);
    CFindDialog& find = frame.GetFindDialog();
    ASSERT_TRUE(find.IsWindow());
    SetItemText(find, IDC_FIND_TEXT, L"van");
    ::SendDlgItemMessageW(find, IDC_FIND_NEXT, BM_CLICK, 0, 0);
    EXPECT_EQ(Doc().GetFirstSelectedTaskId(), van.GetId());
    EXPECT_EQ(Doc().GetCurrentCategoryId(), moving);
    Shot(L"08_found");
    ::SendMessageW(find, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return !find.IsWindowVisible(); }));

    // 9. The tasks report names the category and its tasks.
    const EString report = FileSystem::JoinPath(m_folder, L"tasks.htm");
    PrepareReport(L"Tasks by category", report);
    const std::string html = ReadFileBytes(report);
    for (const char* text : {"Moving house", "Pack the books", "Call the movers", "Book the van"})
        EXPECT_TRUE(FileHolds(html, text)) << text;
    EXPECT_EQ(m_services.opened, std::vector<EString>{report});
    Shot(L"09_report");

    // 10. The category exported as the plan's XML.
    m_services.exportPath = FileSystem::JoinPath(m_folder, L"moving.xml");
    ASSERT_TRUE(tree->SelectCategory(moving));
    ::SendMessageW(*tree, WM_COMMAND, MAKEWPARAM(ID_EXPORT, 0), 0);
    const std::string exported = ReadFileBytes(m_services.exportPath);
    EXPECT_TRUE(FileHolds(exported, "<ROOT><CATEGORY")) << "the category's branch";
    for (const char* text : {"Moving house", "Pack the books", "Book the van"})
        EXPECT_TRUE(FileHolds(exported, text)) << text;
    Shot(L"10_exported");

    // 11. The moods pane closed, saved, exit; the next frame opens the plan with the panes as they were.
    ASSERT_TRUE(frame.GetPane(CMainFrame::MoodsPane)->Hide());
    SaveAndReadBack();
    Doc().SetReportServices(nullptr);
    SendCommand(ID_APP_EXIT);
    EXPECT_EQ(m_loop.Run(), 1);
    EXPECT_FALSE(m_frame->IsWindow());
    CMainFrame& next = OpenFrame(m_prompts);
    EXPECT_EQ(Doc().GetPathName(), m_path);
    EXPECT_FALSE(Doc().IsModified());
    TaskCard reopened;
    EXPECT_TRUE(Doc().GetTask(van.GetId(), reopened, false));
    EXPECT_EQ(EntriesOf(Doc(), books), Times{L"09:00-11:00"});
    ASSERT_EQ(next.GetPaneCount(), CMainFrame::PaneCount);
    EXPECT_FALSE(next.GetPane(CMainFrame::MoodsPane)->IsVisible());
    EXPECT_TRUE(next.GetPane(CMainFrame::PeoplePane)->IsVisible());
    EXPECT_TRUE(next.GetPane(CMainFrame::DailyPlanPane)->IsVisible());
    // The daily plan opens on the program's today, whatever day the system's clock shows.
    EXPECT_EQ(DailyPlan().GetDate(), kWednesday);
    EXPECT_DOUBLE_EQ(PlannerSettings().firstDay, kWednesday);
    Shot(L"11_next_frame");

    // The README's picture: the plan's day at the working hours, its task picked in the list. Its title names
    // neither the user nor the test's folders.
    ScrollPlannerToHour(9);
    SelectTask(books);
    wchar_t user[256] = {};
    DWORD userLength = static_cast<DWORD>(std::size(user));
    ASSERT_TRUE(::GetUserNameW(user, &userLength));
    EXPECT_EQ(WindowText(*m_frame).find(L"\\" + EString(user) + L"\\"), EString::npos) << "the user's folder";
    EXPECT_EQ(WindowText(*m_frame).find(FileSystem::GetTempFolder()), EString::npos) << "the test's folder";
    Shot(L"main_window");
}

} // namespace
