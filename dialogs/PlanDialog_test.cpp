#include <gtest/gtest.h>

#include <windows.h>
#include <colordlg.h>

#include <string>
#include <utility>
#include <vector>

#include "dialogs/DayTimeRules.h"
#include "dialogs/PlanDialog.h"
#include "dialogs/testdata/TaskDialogTestSupport.h"
#include "foundation/TimeParser.h"
#include "testing/DialogDriver.h"
#include "testing/WindowShot.h"

namespace {

// The daily plan's side: the notices the dialog posts.
std::vector<MSG> g_notices;

LRESULT CALLBACK RecordNotice(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER)
        g_notices.push_back(MSG{window, message, wParam, lParam, 0, {}});
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateNoticeWindow()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = RecordNotice;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PlanDialogTestNotices";
    ::RegisterClassW(&windowClass);
    return ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             windowClass.hInstance, nullptr);
}

TaskCard MakeTask(const wchar_t* name, double estimation, double done, double planned)
{
    return TaskCard(name, L"", estimation, Date(2024, 6, 1), 1, TaskCard::kNew, done, planned, -1.0);
}

EString Shown(double time)
{
    return FormatTimeOfDayText(time);
}

class PlanDialogTest : public TaskDialogsTest {
protected:
    void SetUp() override
    {
        TaskDialogsTest::SetUp();
        g_notices.clear();
        m_notices = CreateNoticeWindow();
        ASSERT_NE(m_notices, nullptr);
        ASSERT_NE(dialog.Create(nullptr), nullptr);
        dialog.SetNotifyWindow(m_notices);
        report = MakeTask(L"Write the report", 4, 1, 2);
        bank = MakeTask(L"Call the bank", 1, 0, 0);
    }
    void TearDown() override
    {
        if (dialog.IsWindow())
            dialog.DestroyWindow();
        ::DestroyWindow(m_notices);
        TaskDialogsTest::TearDown();
    }

    // The daily plan's own loop: the dialog sees its keys first.
    void Pump()
    {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (dialog.PreTranslateMessage(&message))
                continue;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }

    // An existing entry of the report task, 9:00 for 2.5 hours.
    void ShowExisting(double start = Time(9, 0), double hours = 2.5)
    {
        dialog.SetTaskList({report});
        dialog.SetExistingEntry(1);
        dialog.taskId = report.GetId();
        dialog.entryId = 77;
        dialog.start = start;
        dialog.duration = hours;
        dialog.ShowModeless();
        Pump();
    }
    void ShowNew(const std::vector<TaskCard>& tasks, int taskId)
    {
        dialog.SetTaskList(tasks);
        dialog.SetExistingEntry(0);
        dialog.taskId = taskId;
        dialog.start = Time(9, 0);
        dialog.duration = -1.0;
        dialog.finish = Time(9, 0);
        dialog.ShowModeless();
        Pump();
    }

    // Into the edit, its text selected, typed over, and Tab away: its rule runs.
    void TypeAndLeave(int id, const wchar_t* text)
    {
        const HWND edit = ::GetDlgItem(dialog, id);
        dialog.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
        TypeText(edit, text);
        Pump();
        PressKey(edit, VK_TAB);
        Pump();
    }

    CPlanDialog dialog;
    TaskCard report;
    TaskCard bank;
    HWND m_notices = nullptr;
};

} // namespace

TEST_F(PlanDialogTest, OkPostsTheNoticeOfItsKindAndCancelPostsNothing)
{
    const struct {
        const char* name;
        int existing;
        bool ok;
        std::vector<UINT> notices;
    } cases[] = {
        {"OK on a new entry", 0, true, {WM_PLAN_DIALOG_NEW_OK}},
        {"OK on an existing entry", 1, true, {WM_PLAN_DIALOG_EDIT_OK}},
        {"Cancel on a new entry", 0, false, {}},
        {"Escape on an existing entry", 1, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_notices.clear();
        if (c.existing)
            ShowExisting();
        else
            ShowNew({report}, report.GetId());
        ASSERT_TRUE(dialog.IsWindowVisible());
        EXPECT_EQ(FocusedItemId(dialog), IDC_PLAN_COMMENTS);
        if (c.ok)
            ClickButton(dialog, IDOK);
        else if (c.existing)
            PressKey(::GetDlgItem(dialog, IDC_PLAN_COMMENTS), VK_ESCAPE);
        else
            ClickButton(dialog, IDCANCEL);
        Pump();
        EXPECT_FALSE(dialog.IsWindowVisible());
        EXPECT_TRUE(dialog.IsWindow()); // hidden for the next use, never destroyed
        std::vector<UINT> posted;
        for (const MSG& notice : g_notices) {
            posted.push_back(notice.message);
            EXPECT_EQ(notice.wParam, 0u);
            EXPECT_EQ(notice.lParam, 0);
        }
        EXPECT_EQ(posted, c.notices);
    }
}

TEST_F(PlanDialogTest, StartFinishAndDurationFollowEachOtherAsTheUserTypes)
{
    const struct {
        const char* name;
        double start;
        double hours;
        int control; // 0: as opened
        const wchar_t* typed;
        double shownStart, shownFinish;
        const wchar_t* shownDuration;
    } cases[] = {
        {"a later finish sets the duration", Time(9, 0), 2.5, IDC_PLAN_FINISH, L"12:00", Time(9, 0), Time(12, 0), L"3"},
        {"a finish before the start is put back", Time(9, 0), 2.5, IDC_PLAN_FINISH, L"8:00", Time(9, 0), Time(11, 30),
         L"2.5"},
        {"a new duration moves the finish", Time(9, 0), 2.5, IDC_PLAN_DURATION, L"1,5", Time(9, 0), Time(10, 30),
         L"1.5"},
        {"a duration over 24 hours stays as typed for OK to refuse", Time(9, 0), 2.5, IDC_PLAN_DURATION, L"30",
         Time(9, 0), Time(11, 30), L"30"},
        {"late, the finish stops at 23:59", Time(22, 0), 5, 0, L"", Time(22, 0), Time(23, 59), L"1.98"},
        {"a later start keeps the duration", Time(22, 0), 5, IDC_PLAN_START, L"23:00", Time(23, 0), Time(23, 59),
         L"1.98"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShowExisting(c.start, c.hours);
        if (c.control)
            TypeAndLeave(c.control, c.typed);
        EXPECT_EQ(ItemText(dialog, IDC_PLAN_START), Shown(c.shownStart));
        EXPECT_EQ(ItemText(dialog, IDC_PLAN_FINISH), Shown(c.shownFinish));
        EXPECT_EQ(ItemText(dialog, IDC_PLAN_DURATION), c.shownDuration);
        ClickButton(dialog, IDCANCEL);
        Pump();
    }
}

TEST_F(PlanDialogTest, ANewEntryProposesWhatTheTaskStillNeeds)
{
    TaskCard recurring = MakeTask(L"Water the plants", 0.25, 3, 0);
    recurring.SetHasRecurrence(true);
    TaskCard overBooked = MakeTask(L"Sort the mail", 4, 2, 3);
    report.SetColor(RGB(0x12, 0x34, 0x56));
    const struct {
        const char* name;
        TaskCard* task;
        const wchar_t* duration;
        double finish;
        int dailyRecurring;
        const wchar_t* colour;
    } cases[] = {
        {"an hour of four left", &report, L"1", Time(10, 0), 0, L"123456"},
        {"all booked: half an hour", &overBooked, L"0.5", Time(9, 30), 0, nullptr},
        {"a recurring task: its estimate", &recurring, L"0.25", Time(9, 15), 1, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShowNew({report, overBooked, recurring}, c.task->GetId());
        EXPECT_EQ(ItemText(dialog, IDC_PLAN_TASK), c.task->GetName());
        EXPECT_EQ(ItemText(dialog, IDC_PLAN_DURATION), c.duration);
        EXPECT_EQ(ItemText(dialog, IDC_PLAN_FINISH), Shown(c.finish));
        EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_PLAN_DAILY_RECURRING), static_cast<UINT>(c.dailyRecurring));
        if (c.colour) {
            EXPECT_EQ(ItemText(dialog, IDC_PLAN_COLOUR), c.colour);
        }
        EXPECT_FALSE(IsItemEnabled(dialog, IDC_PLAN_COMPLETED));
        ClickButton(dialog, IDCANCEL);
        Pump();
    }
}

TEST_F(PlanDialogTest, ChoosingAnotherTaskProposesItsHours)
{
    ShowNew({report, bank}, report.GetId());
    // The list is sorted: "Call the bank" comes first, above the report.
    const HWND combo = ::GetDlgItem(dialog, IDC_PLAN_TASK);
    dialog.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(combo), TRUE);
    PressKey(combo, VK_UP);
    Pump();
    EXPECT_EQ(ItemText(dialog, IDC_PLAN_TASK), L"Call the bank");
    EXPECT_EQ(ItemText(dialog, IDC_PLAN_DURATION), L"1");
    ClickButton(dialog, IDOK);
    Pump();
    EXPECT_EQ(dialog.taskId, bank.GetId());
    EXPECT_DOUBLE_EQ(dialog.duration, 1.0);
}

TEST_F(PlanDialogTest, AnExistingEntryKeepsItsCompletedStateAndAnEmptyListAllowsNoOk)
{
    report.SetStatus(TaskCard::kCompleted);
    dialog.completed = 0;
    ShowExisting();
    EXPECT_TRUE(IsItemEnabled(dialog, IDC_PLAN_COMPLETED));
    EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_PLAN_COMPLETED), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_TRUE(IsItemEnabled(dialog, IDOK));
    ClickButton(dialog, IDCANCEL);
    Pump();

    ShowNew({}, 0);
    EXPECT_FALSE(IsItemEnabled(dialog, IDOK));
}

TEST_F(PlanDialogTest, TheColourIsSixDigitsOfRedGreenBlue)
{
    const struct {
        const char* name;
        COLORREF opened;
        const wchar_t* typed; // typed over the text; null types nothing
        const wchar_t* set;   // put into the edit whole, as a paste through WM_SETTEXT would
        const wchar_t* shown;
        COLORREF colour;
    } cases[] = {
        {"as opened", RGB(0, 0x80, 0xFF), nullptr, nullptr, L"0080FF", RGB(0, 0x80, 0xFF)},
        {"red", RGB(255, 255, 255), L"FF0000", nullptr, L"FF0000", RGB(255, 0, 0)},
        {"typed in lower case", RGB(255, 255, 255), L"00ff00", nullptr, L"00FF00", RGB(0, 255, 0)},
        {"a seventh digit is not taken", RGB(255, 255, 255), L"1234567", nullptr, L"123456", RGB(0x12, 0x34, 0x56)},
        {"a longer text set is no colour: it stays, for OK to refuse", RGB(255, 255, 255), nullptr, L"ABCDEF99",
         L"ABCDEF99", RGB(255, 255, 255)},
        {"bits above the colour are dropped", 0xFF000000 | RGB(255, 0, 0), nullptr, nullptr, L"FF0000",
         RGB(255, 0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.colour = c.opened;
        ShowExisting();
        if (c.typed)
            TypeAndLeave(IDC_PLAN_COLOUR, c.typed);
        if (c.set) {
            SetItemText(dialog, IDC_PLAN_COLOUR, c.set);
            dialog.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_PLAN_COLOUR)), TRUE);
            PressKey(::GetDlgItem(dialog, IDC_PLAN_COLOUR), VK_TAB);
            Pump();
        }
        EXPECT_EQ(ItemText(dialog, IDC_PLAN_COLOUR), c.shown);
        {
            const DialogAnswerer answerer([&](HWND box) {
                if (box != dialog.m_hWnd)
                    ClickButton(box, IDOK);
            });
            ClickButton(dialog, IDOK);
            Pump();
        }
        EXPECT_EQ(dialog.colour, c.colour);
        if (dialog.IsWindowVisible()) {
            ClickButton(dialog, IDCANCEL);
            Pump();
        }
    }
}

TEST_F(PlanDialogTest, TheFieldsReadBackAfterOk)
{
    dialog.completed = 1;
    dialog.fixedTime = 0;
    dialog.comments = L"Room 4";
    dialog.colour = RGB(0xFF, 0xEE, 0xDD);
    ShowExisting(Time(14, 0), 1.5);
    EXPECT_EQ(ItemText(dialog, IDC_PLAN_COMMENTS), L"Room 4");
    EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_PLAN_COMPLETED), static_cast<UINT>(BST_CHECKED));
    EXPECT_FALSE(SaveWindowScreenshot(dialog, L"PlanDialog").empty());

    // The comments are where the dialog put the focus.
    const HWND comments = ::GetDlgItem(dialog, IDC_PLAN_COMMENTS);
    ::SendMessageW(comments, EM_SETSEL, 0, -1);
    TypeText(comments, L"Room 5");
    ClickCheck(dialog, IDC_PLAN_FIXED_TIME);
    ClickCheck(dialog, IDC_PLAN_COMPLETED);
    Pump();
    TypeAndLeave(IDC_PLAN_FINISH, L"16:15");
    ClickButton(dialog, IDOK);
    Pump();

    EXPECT_EQ(dialog.taskId, report.GetId());
    EXPECT_EQ(dialog.entryId, 77);
    EXPECT_EQ(dialog.IsExistingEntry(), 1);
    EXPECT_NEAR(dialog.start, Time(14, 0), 1e-6);
    EXPECT_NEAR(dialog.finish, Time(16, 15), 1e-6);
    EXPECT_DOUBLE_EQ(dialog.duration, 2.25);
    EXPECT_EQ(dialog.comments, L"Room 5");
    EXPECT_EQ(dialog.fixedTime, 1);
    EXPECT_EQ(dialog.completed, 0);
    EXPECT_EQ(dialog.dailyRecurring, 0);
    EXPECT_EQ(dialog.colour, RGB(0xFF, 0xEE, 0xDD));
    EXPECT_EQ(g_notices.size(), 1u);
}

TEST_F(PlanDialogTest, TheSwatchOpensTheColourChooserFromTheColour)
{
    dialog.colour = RGB(0x12, 0x34, 0x56);
    ShowExisting();
    const HWND swatch = ::GetDlgItem(dialog, IDC_PLAN_SWATCH);
    RunModalSteps([&] { return dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PLAN_SWATCH, STN_CLICKED),
                                                  reinterpret_cast<LPARAM>(swatch)); },
                  {[&](HWND chooser) {
                       if (chooser == dialog.m_hWnd)
                           return false; // the chooser is not up yet
                       EXPECT_EQ(ItemText(chooser, COLOR_RED), L"18");
                       EXPECT_EQ(ItemText(chooser, COLOR_BLUE), L"86");
                       SetItemText(chooser, COLOR_RED, L"255");
                       return true;
                   },
                   [&](HWND chooser) {
                       ClickButton(chooser, IDOK);
                       return true;
                   }});
    EXPECT_EQ(dialog.colour, RGB(0xFF, 0x34, 0x56));
    EXPECT_EQ(ItemText(dialog, IDC_PLAN_COLOUR), L"FF3456");
}

TEST_F(PlanDialogTest, CommentsTooLongKeepTheDialogOpenSayWhyAndTellThePaneNothing)
{
    ShowExisting();
    SetItemText(dialog, IDC_PLAN_COMMENTS, EString(CPlanDialog::kMaxComments + 1, L'x').c_str());
    EString told;
    {
        // The message box stands over the dialog inside the click.
        const DialogAnswerer answerer([&](HWND box) {
            if (box == dialog.m_hWnd)
                return;
            told = ItemText(box, 0xFFFF);
            ClickButton(box, IDOK);
        });
        ClickButton(dialog, IDOK);
        Pump();
    }
    const EString limit = L"at most " + std::to_wstring(CPlanDialog::kMaxComments) + L".";
    EXPECT_NE(told.find(limit), EString::npos) << told.c_str();
    EXPECT_TRUE(dialog.IsWindowVisible());
    EXPECT_EQ(FocusedItemId(dialog), IDC_PLAN_COMMENTS);
    EXPECT_TRUE(g_notices.empty());
}

// A start or finish typed is what the pane reads, though the hours show
// two decimals; going through the hours box on the way to OK changes
// nothing, and only hours typed set the finish.
TEST_F(PlanDialogTest, TypedTimesReachThePaneAsTypedAndOnlyTheHoursShownAreRounded)
{
    const struct {
        const char* name;
        std::vector<std::pair<int, const wchar_t*>> typed; // each box left with Tab
        double start, finish;
        const wchar_t* hours;
    } cases[] = {
        {"a finish of 09:45", {{IDC_PLAN_FINISH, L"09:45"}, {IDC_PLAN_DURATION, nullptr}}, Time(9, 0), Time(9, 45),
         L"0.75"},
        {"a finish of 09:50", {{IDC_PLAN_FINISH, L"9:50"}, {IDC_PLAN_DURATION, nullptr}}, Time(9, 0), Time(9, 50),
         L"0.83"},
        {"then a start of 10:00 keeps fifty minutes",
         {{IDC_PLAN_FINISH, L"9:50"}, {IDC_PLAN_DURATION, nullptr}, {IDC_PLAN_START, L"10:00"}}, Time(10, 0),
         Time(10, 50), L"0.83"},
        {"hours typed set the finish", {{IDC_PLAN_DURATION, L"0,8"}}, Time(9, 0), Time(9, 48), L"0.8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_notices.clear();
        ShowExisting(Time(9, 0), 2.5);
        for (const auto& [id, text] : c.typed) {
            if (text) {
                TypeAndLeave(id, text);
                continue;
            }
            const HWND edit = ::GetDlgItem(dialog, id);
            dialog.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
            Pump();
            PressKey(edit, VK_TAB);
            Pump();
        }
        ClickButton(dialog, IDOK);
        Pump();
        EXPECT_EQ(g_notices.size(), 1u);
        EXPECT_EQ(TimeParser::FormatTime24(dialog.start), TimeParser::FormatTime24(c.start));
        EXPECT_EQ(TimeParser::FormatTime24(dialog.finish), TimeParser::FormatTime24(c.finish));
        EXPECT_NEAR(dialog.finish, c.finish, 1e-6);
        EXPECT_EQ(ItemText(dialog, IDC_PLAN_DURATION), c.hours);
    }
}

// A time, hours or a colour that cannot be read tells the pane nothing: OK
// says why over the dialog, which stays open on the field.
TEST_F(PlanDialogTest, AFieldThatCannotBeReadKeepsTheDialogOpenSaysWhyAndTellsThePaneNothing)
{
    const struct {
        int field;
        const wchar_t* typed;
        const wchar_t* told;
    } cases[] = {
        {IDC_PLAN_START, L"10:5358",
         L"The field \"Start\" holds \"10:5358\". It takes a time of day, such as 09:30. Nothing was saved: "
         L"correct it and try again."},
        {IDC_PLAN_FINISH, L"",
         L"The field \"Finish\" is empty. It takes a time of day, such as 09:30. Nothing was saved: correct it and "
         L"try again."},
        {IDC_PLAN_DURATION, L"25",
         L"The field \"Hours\" holds \"25\". It takes a number from 0 to 24. Nothing was saved: correct it and try "
         L"again."},
        {IDC_PLAN_COLOUR, L"GG",
         L"The field \"Color\" holds \"GG\". It takes a colour as six hexadecimal digits of red, green and blue, "
         L"such as FF0000 for red. Nothing was saved: correct it and try again."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(EString(c.typed).c_str());
        g_notices.clear();
        ShowExisting();
        // The box holds what it keeps: the times' eight characters.
        TypeAndLeave(c.field, c.typed);
        if (!c.typed[0]) {
            SetItemText(dialog, c.field, L"");
            TypeAndLeave(c.field, L"");
        }
        EXPECT_EQ(ItemText(dialog, c.field), c.typed) << "kept as typed when left";
        EString told;
        {
            const DialogAnswerer answerer([&](HWND box) {
                if (box == dialog.m_hWnd)
                    return;
                told = ItemText(box, 0xFFFF);
                if (c.field == IDC_PLAN_START) {
                    EXPECT_FALSE(SaveWindowScreenshot(box, L"PlanDialogStartRefused").empty());
                }
                ClickButton(box, IDOK);
            });
            ClickButton(dialog, IDOK);
            Pump();
        }
        EXPECT_EQ(told, c.told);
        EXPECT_TRUE(dialog.IsWindowVisible());
        EXPECT_EQ(FocusedItemId(dialog), c.field);
        EXPECT_TRUE(g_notices.empty());
        EXPECT_NEAR(dialog.start, Time(9, 0), 1e-6);
        EXPECT_NEAR(dialog.finish, Time(11, 30), 1e-6);
        ClickButton(dialog, IDCANCEL);
        Pump();
    }
}
