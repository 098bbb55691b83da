// The real main window in this process: its bars, filters, panes, timers, close sequence and handover.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "app/CommandTexts.h"
#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "app/OpenFileHandover.h"
#include "dialogs/CategoryDialogIds.h"
#include "dialogs/LoginDialogIds.h"
#include "dialogs/SmallDialogIds.h"
#include "dialogs/TaskDialogIds.h"
#include "docking/dockwins/FlatTabLayout.h"
#include "docking/dockwins/TabDockingBox.h"
#include "foundation/Clock.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"
#include "testing/DialogDriver.h"
#include "testing/MenuDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

BOOL WINAPI ShellRefusesIcon(DWORD, PNOTIFYICONDATAW)
{
    return FALSE;
}

class MainFrameTest : public FrameTest {
protected:
    MainFrameTest() : FrameTest(L"main_frame") {}

    CMainFrame& OpenFrame() { return FrameTest::OpenFrame(m_prompts); }
    // A saved plan in the scratch folder, open in the frame.
    EString SavePlanAs(const wchar_t* name)
    {
        const EString path = FileSystem::JoinPath(m_folder, name);
        CPelquornDoc& doc = m_frame->GetDocument();
        doc.SetPathName(path);
        EXPECT_TRUE(doc.Save());
        return path;
    }
    EString WindowTitle()
    {
        wchar_t title[MAX_PATH] = {};
        ::GetWindowTextW(*m_frame, title, MAX_PATH);
        return title;
    }
    // Alt+F: the steps that open the File menu, then hand its window and its menu to `shown`.
    static std::vector<MenuStep> OpenFileMenu(HWND frame, const std::function<void(HWND window, HMENU menu)>& shown)
    {
        return {
            [frame] {
                PressAltKey(frame, 'F');
                return true;
            },
            [shown] {
                const std::vector<HWND> windows = OpenMenuWindows();
                if (windows.empty())
                    return false;
                shown(windows.front(), reinterpret_cast<HMENU>(::SendMessageW(windows.front(), MN_GETHMENU, 0, 0)));
                return true;
            },
        };
    }
    int ComboSelection(UINT id) { return static_cast<int>(::SendMessageW(m_frame->GetFilterCombo(id), CB_GETCURSEL, 0, 0)); }

    ScriptedPrompts m_prompts;
};

TEST_F(MainFrameTest, AnEmptyProfileShowsTheWindowWithItsBarsPanesAndFirstFilters)
{
    CMainFrame& frame = OpenFrame();
    EXPECT_EQ(::FindWindowW(kMainWindowClassName, nullptr), frame.m_hWnd);
    EXPECT_EQ(::GetMenu(frame), nullptr);
    EXPECT_EQ(::SendMessageW(frame.GetRebar(), RB_GETBANDCOUNT, 0, 0), 9);
    EXPECT_EQ(::SendMessageW(frame.GetStatusBar(), SB_GETPARTS, 0, 0), 3);
    ASSERT_EQ(frame.GetPaneCount(), CMainFrame::PaneCount);
    for (size_t pane = 0; pane < CMainFrame::PaneCount; ++pane)
        EXPECT_TRUE(frame.GetPane(pane)->IsVisible()) << pane;
    for (UINT combo : {CMainFrame::kStatusFilterId, CMainFrame::kDateFilterId, CMainFrame::kPriorityFilterId})
        EXPECT_EQ(ComboSelection(combo), 0) << combo;
    EXPECT_TRUE(frame.IsInstalled());
    EXPECT_FALSE(SaveWindowScreenshot(frame, L"main_window_new_plan").IsEmpty());
}

TEST_F(MainFrameTest, TheMoodsPaneIsATabBesideThePeopleAndListsTheDocumentsMoods)
{
    CMainFrame& frame = OpenFrame();
    ASSERT_EQ(frame.GetPaneCount(), CMainFrame::PaneCount);
    CTabbedAutoHideDockingWindow* moods = frame.GetPane(CMainFrame::MoodsPane);
    CTabbedAutoHideDockingWindow* people = frame.GetPane(CMainFrame::PeoplePane);
    EXPECT_EQ(moods->GetWindowText(), Resource::Translate(L"Moods"));
    EXPECT_EQ(moods->GetWindowText(), EString(L"Moods"));
    dockwins::CTabDockingBox* box = dockwins::CTabDockingBox::FromHandle(moods->GetParent());
    ASSERT_NE(box, nullptr) << "the moods are in no tab box";
    EXPECT_TRUE(box->IsDocked());
    ASSERT_EQ(box->WindowCount(), 2);
    EXPECT_EQ(box->WindowAt(0), people->m_hWnd);
    EXPECT_EQ(box->WindowAt(1), moods->m_hWnd);
    // The box starts as wide as the panes of the other side, and both tabs show their whole labels.
    const RECT boxRect = box->GetWindowRect();
    const RECT categories = frame.GetPane(CMainFrame::CategoriesPane)->GetWindowRect();
    EXPECT_EQ(boxRect.right - boxRect.left, categories.right - categories.left);
    RECT moodsTab = {};
    RECT moodsText = {};
    ASSERT_TRUE(box->Tabs().GetItemRect(1, &moodsTab));
    ASSERT_TRUE(dockwins::TabTextRect(moodsTab, 0, &moodsText)) << "no room for any text";
    SIZE label = {};
    {
        const CClientDC dc(box->Tabs());
        const CSelectObject font(dc, reinterpret_cast<HGDIOBJ>(box->Tabs().SendMessage(WM_GETFONT)));
        ::GetTextExtentPoint32W(dc, L"Moods", 5, &label);
    }
    EXPECT_GE(moodsText.right - moodsText.left, label.cx);
    const HWND list = ::FindWindowExW(*moods, nullptr, L"QuorvaneMoodList", nullptr);
    ASSERT_NE(list, nullptr);
    std::vector<MoodItem> documentMoods;
    frame.GetDocument().GetMoods(documentMoods);
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(list) == static_cast<int>(documentMoods.size()); }));
    EXPECT_GT(documentMoods.size(), 0u);
    EXPECT_FALSE(SaveWindowScreenshot(frame, L"main_window_moods").IsEmpty());
}

TEST_F(MainFrameTest, TheCategoriesPaneHoldsTheTreeAndChoosingACategoryFiltersTheTaskList)
{
    CMainFrame& frame = OpenFrame();
    ASSERT_EQ(frame.GetPaneCount(), CMainFrame::PaneCount);
    CCategoryTree* tree = &Categories();
    ASSERT_NE(tree, nullptr);
    ASSERT_TRUE(tree->IsWindow());
    EXPECT_EQ(tree->GetParent(), frame.GetPane(CMainFrame::CategoriesPane)->m_hWnd);
    CPelquornDoc& doc = frame.GetDocument();
    doc.SetStatusFilter(0);
    Category errands(L"Errands", L"", 0, 0);
    ASSERT_TRUE(doc.AddCategory(0, errands));
    doc.SetCurrentCategoryId(errands.GetId());
    TaskCard task(L"Buy stamps", L"", 1, Clock::Today() + 1, 1, 0, 0, 0, -1);
    ASSERT_TRUE(doc.AddTask(task));
    doc.Notify(nullptr, NotifyCode::kAll);

    ASSERT_TRUE(tree->SelectCategory(errands.GetId()));
    EXPECT_EQ(doc.GetCurrentCategoryId(), errands.GetId());
    CPelquornView& list = frame.GetTaskList();
    ASSERT_EQ(list.GetRowCount(), 1) << "the pane hands the tree its notifications";
    EXPECT_EQ(list.GetRowTask(0)->GetName(), L"Buy stamps");
    EXPECT_FALSE(SaveWindowScreenshot(frame, L"main_window_categories").IsEmpty());

    SendCommand(ID_BACK_TO_ALL_TASKS);
    EXPECT_EQ(doc.GetCurrentCategoryId(), 0) << "F2 goes back to every category's tasks";
}

TEST_F(MainFrameTest, ThePeoplePaneHoldsTheTreeOfTheDocumentsPeople)
{
    CMainFrame& frame = OpenFrame();
    ASSERT_EQ(frame.GetPaneCount(), CMainFrame::PaneCount);
    CTabbedAutoHideDockingWindow* people = frame.GetPane(CMainFrame::PeoplePane);
    const HWND tree = ::FindWindowExW(*people, nullptr, L"QuorvanePeopleTree", nullptr);
    ASSERT_NE(tree, nullptr);
    std::vector<Person> groups;
    ASSERT_TRUE(frame.GetDocument().GetPeople(0, groups));
    ASSERT_FALSE(groups.empty());
    ASSERT_TRUE(WaitFor([&] { return TreeView_GetRoot(tree) != nullptr; }));
    wchar_t text[128] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = TreeView_GetRoot(tree);
    item.pszText = text;
    item.cchTextMax = 128;
    ASSERT_TRUE(TreeView_GetItem(tree, &item));
    EXPECT_EQ(EString(text), groups.front().GetDisplayName());
    // The people's tab shows first, before the moods'.
    dockwins::CTabDockingBox* box = dockwins::CTabDockingBox::FromHandle(people->GetParent());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->ActiveWindow(), people->m_hWnd);
    EXPECT_TRUE(::IsWindowVisible(tree));
    TreeView_Expand(tree, item.hItem, TVE_EXPAND);
    EXPECT_FALSE(SaveWindowScreenshot(frame, L"main_window_people").IsEmpty());
}

TEST_F(MainFrameTest, AHiddenMoodsPaneStaysHiddenInTheNextFrame)
{
    CMainFrame& frame = OpenFrame();
    ASSERT_TRUE(frame.GetPane(CMainFrame::MoodsPane)->Hide());
    // The close stores the layout, whatever becomes of the close itself.
    frame.SendMessage(WM_CLOSE, 0, 0);
    CMainFrame& next = OpenFrame();
    ASSERT_EQ(next.GetPaneCount(), CMainFrame::PaneCount);
    EXPECT_FALSE(next.GetPane(CMainFrame::MoodsPane)->IsVisible());
    EXPECT_TRUE(next.GetPane(CMainFrame::PeoplePane)->IsVisible());
}

TEST_F(MainFrameTest, AChosenFilterIsAppliedStoredAndChosenAgainByTheNextFrame)
{
    OpenFrame();
    ::SendMessageW(m_frame->GetFilterCombo(CMainFrame::kDateFilterId), CB_SETCURSEL, 2, 0);
    SendCommand(CMainFrame::kDateFilterId, CBN_SELENDOK, m_frame->GetFilterCombo(CMainFrame::kDateFilterId));
    EXPECT_EQ(m_frame->GetDocument().GetDeadlineFilter(), 2);
    EXPECT_EQ(Options::GetDeadlineFilterField(), 2u);

    // Nothing selected changes nothing.
    ::SendMessageW(m_frame->GetFilterCombo(CMainFrame::kPriorityFilterId), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendCommand(CMainFrame::kPriorityFilterId, CBN_SELENDOK, m_frame->GetFilterCombo(CMainFrame::kPriorityFilterId));
    EXPECT_EQ(Options::GetPriorityFilterField(), 0u);

    OpenFrame();
    EXPECT_EQ(ComboSelection(CMainFrame::kDateFilterId), 2);
}

TEST_F(MainFrameTest, AStoredFilterOutOfRangeStartsOnTheDefaultItemAndTheTasksShow)
{
    // Status, deadline and priority: stored, then chosen.
    const struct {
        const char* name;
        DWORD stored[3];
        int chosen[3];
    } cases[] = {
        {"negative", {static_cast<DWORD>(-1), static_cast<DWORD>(-1), static_cast<DWORD>(-1)}, {0, 0, 0}},
        {"one past the last", {5, 6, 4}, {0, 0, 0}},
        {"huge", {1000000, 1000000, 1000000}, {0, 0, 0}},
        // New tasks, due today or overdue, of any importance but the lowest.
        {"valid", {2, 5, 3}, {2, 5, 3}},
    };
    for (const auto& test : cases) {
        Options::SetFilterField(test.stored[0]);
        Options::SetDeadlineFilterField(test.stored[1]);
        Options::SetPriorityFilterField(test.stored[2]);
        OpenFrame();
        EXPECT_EQ(ComboSelection(CMainFrame::kStatusFilterId), test.chosen[0]) << test.name;
        EXPECT_EQ(ComboSelection(CMainFrame::kDateFilterId), test.chosen[1]) << test.name;
        EXPECT_EQ(ComboSelection(CMainFrame::kPriorityFilterId), test.chosen[2]) << test.name;
        EXPECT_EQ(Doc().GetStatusFilter(), test.chosen[0]) << test.name;
        EXPECT_EQ(Doc().GetDeadlineFilter(), test.chosen[1]) << test.name;
        EXPECT_EQ(Doc().GetPriorityFilter(), test.chosen[2]) << test.name;
        const int task = NewTask(L"Pack the books", 1, Clock::Today());
        Doc().Notify(nullptr, NotifyCode::kAll);
        EXPECT_TRUE(WaitFor([&] { return m_frame->GetTaskList().FindRow(task) >= 0; })) << test.name;
    }
}

TEST_F(MainFrameTest, ChoosingACategoryOtherThanTheTopDisablesTheDateAndPriorityFilters)
{
    CMainFrame& frame = OpenFrame();
    frame.SendMessage(WM_MAINFRAME_ENABLE_FILTERS, FALSE, 0);
    EXPECT_TRUE(::IsWindowEnabled(frame.GetFilterCombo(CMainFrame::kStatusFilterId)));
    EXPECT_FALSE(::IsWindowEnabled(frame.GetFilterCombo(CMainFrame::kDateFilterId)));
    EXPECT_FALSE(::IsWindowEnabled(frame.GetFilterCombo(CMainFrame::kPriorityFilterId)));
    frame.SendMessage(WM_MAINFRAME_ENABLE_FILTERS, TRUE, 0);
    EXPECT_TRUE(::IsWindowEnabled(frame.GetFilterCombo(CMainFrame::kDateFilterId)));
}

TEST_F(MainFrameTest, PaneCommandsTogglePanesAndTheirChecksFollow)
{
    CMainFrame& frame = OpenFrame();
    // The moods have no show command of their own.
    for (size_t pane = 0; pane <= CMainFrame::PeoplePane; ++pane) {
        const UINT command = static_cast<UINT>(ID_VIEW_PANE_FIRST + pane);
        const bool before = frame.GetPane(pane)->IsVisible();
        SendCommand(command);
        EXPECT_NE(frame.GetPane(pane)->IsVisible(), before) << pane;
        frame.OnIdle(0);
        EXPECT_EQ(frame.CommandStates().IsChecked(command), !before) << pane;
        SendCommand(command);
        frame.OnIdle(0);
        EXPECT_EQ(frame.CommandStates().IsChecked(command), before) << pane;
    }
}

TEST_F(MainFrameTest, BarCommandsShowAndHideTheirBandsAndTheStatusBar)
{
    CMainFrame& frame = OpenFrame();
    struct Case {
        UINT command;
        HWND bar;
    };
    const Case cases[] = {
        {ID_VIEW_STANDARD_BUTTONS, frame.GetBar(0)}, {ID_VIEW_VIEW_BUTTONS, frame.GetBar(1)},
        {ID_VIEW_SEARCH_BUTTONS, frame.GetBar(2)},   {ID_VIEW_MOOD_BAR, frame.GetBar(4)},
        {ID_VIEW_STATUS_FILTER, frame.GetBar(5)},    {ID_VIEW_DATE_FILTER, frame.GetBar(6)},
        {ID_VIEW_PRIORITY_FILTER, frame.GetBar(7)},  {ID_VIEW_STATUS_BAR, frame.GetStatusBar()},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(::IsWindowVisible(c.bar)) << c.command;
        EXPECT_TRUE(frame.CommandStates().IsChecked(c.command)) << c.command;
        SendCommand(c.command);
        EXPECT_FALSE(::IsWindowVisible(c.bar)) << c.command;
        EXPECT_FALSE(frame.CommandStates().IsChecked(c.command)) << c.command;
        SendCommand(c.command);
        EXPECT_TRUE(::IsWindowVisible(c.bar)) << c.command;
    }
}

// However the bands lay before a resize, the frame leaves them as maximizing
// them anew would, also where the rebar kept its width.
TEST_F(MainFrameTest, AResizeLeavesTheBandsMaximized)
{
    CMainFrame& frame = OpenFrame();
    const HWND rebar = frame.GetRebar();
    const auto bandRects = [&] {
        std::vector<RECT> rects(static_cast<size_t>(::SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0)));
        for (size_t band = 0; band < rects.size(); ++band)
            ::SendMessageW(rebar, RB_GETRECT, band, reinterpret_cast<LPARAM>(&rects[band]));
        return rects;
    };
    struct Case {
        const wchar_t* name;
        std::function<void()> resize;
    };
    const Case cases[] = {
        {L"the item band widened, same size",
         [&] {
             ::SendMessageW(rebar, RB_MAXIMIZEBAND, 4, FALSE);
             const RECT client = frame.GetClientRect();
             frame.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
         }},
        {L"narrower", [&] { ::SetWindowPos(frame, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER); }},
    };
    for (const Case& c : cases) {
        c.resize();
        MSG pending;
        ASSERT_TRUE(WaitFor([&] {
            return !::PeekMessageW(&pending, frame, WM_MAINFRAME_MAXIMIZE_BANDS, WM_MAINFRAME_MAXIMIZE_BANDS, PM_NOREMOVE);
        })) << c.name;
        const std::vector<RECT> afterResize = bandRects();
        for (UINT band = 0; band < afterResize.size(); ++band)
            ::SendMessageW(rebar, RB_MAXIMIZEBAND, band, FALSE);
        const std::vector<RECT> maximized = bandRects();
        ASSERT_EQ(afterResize.size(), maximized.size()) << c.name;
        for (size_t band = 0; band < maximized.size(); ++band)
            EXPECT_TRUE(::EqualRect(&afterResize[band], &maximized[band])) << c.name << L" band " << band;
    }
}

// The menus' pictures are made when a menu first opens: the first menu shows them.
TEST_F(MainFrameTest, TheFirstMenuOpenedShowsItsItemsPictures)
{
    CMainFrame& frame = OpenFrame();
    int newImage = -1;
    EXPECT_TRUE(RunMenuSteps(OpenFileMenu(frame, [&](HWND window, HMENU menu) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA;
        if (::GetMenuItemInfoW(menu, ID_FILE_NEW, FALSE, &info) && info.dwItemData)
            newImage = reinterpret_cast<const CommandBarItem*>(info.dwItemData)->image;
        PressKey(window, VK_ESCAPE);
    })));
    EXPECT_GE(newImage, 0);
}

// Alt+F, then X chooses Exit, also while "All categories" is chosen and
// Export is disabled: no other item of the File menu has Exit's letter. Exit
// asks about the changed plan; the answer Cancel keeps the program.
TEST_F(MainFrameTest, AltFThenXChoosesExitThroughTheMenu)
{
    CMainFrame& frame = OpenFrame();
    const HWND tree = PaneView(CMainFrame::CategoriesPane);
    TreeView_SelectItem(tree, TreeView_GetRoot(tree));
    Focus(tree);
    frame.GetDocument().SetModified(1);
    m_prompts.answers = {IDCANCEL};
    UINT exportState = 0;
    std::vector<MenuStep> steps = OpenFileMenu(frame, [&](HWND window, HMENU menu) {
        exportState = ::GetMenuState(menu, ID_EXPORT, MF_BYCOMMAND);
        EXPECT_FALSE(SaveWindowScreenshot(window, L"file_menu_letters").IsEmpty());
        PressKey(window, 'X');
    });
    steps.push_back([] { return OpenMenuWindows().empty(); });
    EXPECT_TRUE(RunMenuSteps(steps));
    EXPECT_TRUE(exportState & (MF_GRAYED | MF_DISABLED));
    EXPECT_TRUE(WaitFor([&] { return m_prompts.asked == 1; }));
    EXPECT_TRUE(frame.IsWindow());
}

TEST_F(MainFrameTest, TheStatusBarShowsTheTime)
{
    const double now = 46000.0 + 14.0 / 24 + 35.0 / 1440;
    Clock::SetNowForTesting(now);
    CMainFrame& frame = OpenFrame();
    wchar_t text[64] = {};
    ::SendMessageW(frame.GetStatusBar(), SB_GETTEXTW, CMainFrame::kClockPane, reinterpret_cast<LPARAM>(text));
    Clock::ResetForTesting();
    EXPECT_EQ(EString(text), TimeParser::FormatTimeLocale(now));
}

TEST_F(MainFrameTest, TheAutomaticCopyIsNamedInRestorePathUntilExit)
{
    Options::SetAutoSave(1);
    OpenFrame();
    const EString path = SavePlanAs(L"day.qvr");
    m_frame->SendMessage(WM_TIMER, kAutoSaveTimer, 0);
    EXPECT_TRUE(FileSystem::FileExists(path + L".auto"));
    EXPECT_EQ(Options::GetRestorePath(), path + L".auto");

    // The loop ends with the window, with the exit code of a normal close.
    SendCommand(ID_APP_EXIT);
    EXPECT_EQ(m_loop.Run(), 1);
    EXPECT_FALSE(m_frame->IsWindow());
    EXPECT_TRUE(Options::GetRestorePath().IsEmpty());
}

TEST_F(MainFrameTest, TheAutomaticCopysTimerKeepsToTheOptionsPagesMinutes)
{
    const struct {
        DWORD stored;
        UINT period;
    } cases[] = {
        {0, 0},
        {1, 60000},
        {100, 6000000},
        {101, 6000000},
        // The first that overflows a DWORD of milliseconds.
        {71583, 6000000},
        {0x7FFFFFFF, 6000000},
        // Off, as the options page reads them.
        {0x80000000, 0},
        {0xFFFFFFFF, 0},
    };
    CMainFrame& frame = OpenFrame();
    frame.KillTimer(kAutoSaveTimer);
    for (const auto& test : cases) {
        Options::SetAutoSave(test.stored);
        frame.StartAutoSaveTimer();
        EXPECT_EQ(frame.GetAutoSavePeriod(), test.period) << test.stored;
        // Only a running timer can be killed.
        EXPECT_EQ(frame.KillTimer(kAutoSaveTimer), test.period != 0) << test.stored;
    }
}

TEST_F(MainFrameTest, ExitWithUnsavedChangesAndCancelKeepsTheProgramAndItsPanes)
{
    CMainFrame& frame = OpenFrame();
    frame.GetDocument().SetModified(1);
    m_prompts.answers = {IDCANCEL};
    SendCommand(ID_APP_EXIT);
    EXPECT_TRUE(WaitFor([&] { return m_prompts.asked == 1; }));
    EXPECT_TRUE(frame.IsWindow());
    ASSERT_EQ(frame.GetPaneCount(), CMainFrame::PaneCount);
    const bool before = frame.GetPane(CMainFrame::PeoplePane)->IsVisible();
    SendCommand(ID_VIEW_PEOPLE_LIST);
    EXPECT_NE(frame.GetPane(CMainFrame::PeoplePane)->IsVisible(), before);
}

TEST_F(MainFrameTest, TheCloseBoxHidesToTheTrayOnlyWhenTheIconIsThere)
{
    CMainFrame& frame = OpenFrame();
    frame.SendMessage(WM_CLOSE, 0, 0);
    EXPECT_TRUE(frame.IsWindow());
    EXPECT_FALSE(frame.IsWindowVisible());
    SendCommand(ID_APP_RESTORE);
    EXPECT_TRUE(frame.IsWindowVisible());

    TrayIcon::SetShellNotifyFunction(&ShellRefusesIcon);
    CMainFrame& withoutIcon = OpenFrame();
    EXPECT_FALSE(withoutIcon.IsInstalled());
    withoutIcon.GetDocument().SetModified(0);
    withoutIcon.SendMessage(WM_CLOSE, 0, 0);
    EXPECT_FALSE(withoutIcon.IsWindow());
}

TEST_F(MainFrameTest, WindowsEndingTheSessionSavesTheDocument)
{
    OpenFrame();
    const EString path = SavePlanAs(L"session.qvr");
    CPelquornDoc& doc = m_frame->GetDocument();
    MoodItem mood(L"Calm", RGB(10, 20, 30));
    doc.AddMood(mood);
    ASSERT_TRUE(doc.IsModified());
    m_frame->SendMessage(WM_QUERYENDSESSION, 0, 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_NE(ReadFileBytes(path).find("Calm"), std::string::npos);
}

TEST_F(MainFrameTest, AHandedOverPathIsCheckedAnsweredAtOnceAndOpenedAfterTheSavePrompt)
{
    OpenFrame();
    const EString first = SavePlanAs(L"first.qvr");
    const EString second = SavePlanAs(L"second.qvr");
    CPelquornDoc& doc = m_frame->GetDocument();
    doc.SetPathName(first);

    struct Case {
        ULONG_PTR code;
        EString data;
        DWORD bytes;
        LRESULT answer;
    };
    const EString terminated = second;
    const Case refused[] = {
        {151, terminated, static_cast<DWORD>((terminated.size() + 1) * 2), 0},
        {COPYDATA_OPEN_FILE, terminated, static_cast<DWORD>((terminated.size() + 1) * 2 - 1), 0},
        {COPYDATA_OPEN_FILE, terminated, 0, 0},
    };
    for (const Case& c : refused) {
        COPYDATASTRUCT record = {c.code, c.bytes, const_cast<wchar_t*>(c.data.c_str())};
        EXPECT_EQ(m_frame->SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record)), c.answer) << c.code;
    }
    WaitFor([] { return false; }, 50);
    EXPECT_EQ(doc.GetPathName(), first);

    // No terminator: the path ends with the byte count. Unsaved work is asked about first.
    doc.SetModified(1);
    m_prompts.answers = {IDNO};
    const EString padded = second + L"XYZ";
    COPYDATASTRUCT record = {COPYDATA_OPEN_FILE, static_cast<DWORD>(second.size() * 2),
                             const_cast<wchar_t*>(padded.c_str())};
    EXPECT_EQ(m_frame->SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record)), 1);
    EXPECT_EQ(doc.GetPathName(), first);
    EXPECT_TRUE(WaitFor([&] { return doc.GetPathName() == second; }));
    EXPECT_EQ(m_prompts.asked, 1);
}

// Stand-in for the active view: takes the commands it is told to, passes the others.
LRESULT CALLBACK StandInViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PELQUORN_FORWARD_COMMAND) {
        const auto* forwarded = reinterpret_cast<const MSG*>(lParam);
        const auto taken = static_cast<UINT>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        return forwarded && forwarded->message == WM_COMMAND && LOWORD(forwarded->wParam) == taken;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(MainFrameTest, ACommandReachesTheActiveViewFirstAndTheDocumentOnlyWhenTheViewPassesIt)
{
    CMainFrame& frame = OpenFrame();
    WNDCLASSW viewClass = {};
    viewClass.lpfnWndProc = StandInViewProc;
    viewClass.hInstance = ::GetModuleHandleW(nullptr);
    viewClass.lpszClassName = L"StandInView";
    ::RegisterClassW(&viewClass);
    const HWND view = ::CreateWindowExW(0, L"StandInView", nullptr, WS_CHILD, 0, 0, 10, 10, frame, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
    frame.GetDocument().SetDocumentWindow(view);
    CPelquornDoc& doc = frame.GetDocument();

    const bool transparent = doc.GetTransparentCategories();
    ::SetWindowLongPtrW(view, GWLP_USERDATA, ID_TRANSPARENT_CATEGORIES);
    SendCommand(ID_TRANSPARENT_CATEGORIES);
    EXPECT_EQ(doc.GetTransparentCategories(), transparent);

    ::SetWindowLongPtrW(view, GWLP_USERDATA, 0);
    SendCommand(ID_TRANSPARENT_CATEGORIES);
    EXPECT_NE(doc.GetTransparentCategories(), transparent);
    frame.GetDocument().SetDocumentWindow(nullptr);
    ::DestroyWindow(view);
}

TEST_F(MainFrameTest, CommandStatesReachTheToolbarsAndAResetDisablesThoseViewsNamed)
{
    CMainFrame& frame = OpenFrame();
    const HWND itemBar = frame.GetBar(3);
    CommandUiState state = {0, 1, ID_TASK_ADD};
    frame.SendMessage(WM_PELQUORN_COMMAND_STATE, 0, reinterpret_cast<LPARAM>(&state));
    frame.OnIdle(0);
    EXPECT_TRUE(::SendMessageW(itemBar, TB_ISBUTTONENABLED, ID_TASK_ADD, 0));
    frame.SendMessage(WM_PELQUORN_RESET_COMMANDS, 0, 0);
    frame.OnIdle(0);
    EXPECT_FALSE(::SendMessageW(itemBar, TB_ISBUTTONENABLED, ID_TASK_ADD, 0));
    // The frame's own commands are not the views' to reset.
    EXPECT_TRUE(frame.CommandStates().IsEnabled(ID_VIEW_DAILY_PLAN));
}

// Answers every delete question with No and counts the questions.
class CountingDeleteDialogs : public InertTaskListDialogs {
public:
    bool ConfirmDelete(const EString&) override
    {
        ++questions;
        return false;
    }
    int questions = 0;
};

TEST_F(MainFrameTest, TheTaskListFillsTheClientAreaWithThePlansTasks)
{
    CMainFrame& frame = OpenFrame();
    CPelquornDoc& doc = frame.GetDocument();
    doc.SetStatusFilter(0);
    const wchar_t* const names[] = {L"Write the quarterly report", L"Call the plumber", L"Book train tickets",
                                    L"Review pull requests"};
    int importance = 0;
    for (const wchar_t* name : names) {
        TaskCard task(name, L"", 1.5 + importance, Clock::Today() + 2 * importance, importance % 4, importance % 3, 0,
                      0, -1);
        ASSERT_TRUE(doc.AddTask(task));
        ++importance;
    }
    doc.Notify(nullptr, NotifyCode::kTasksChanged);

    ASSERT_EQ(frame.GetTaskView(), frame.GetTaskList().GetHwnd());
    std::vector<EString> shown;
    for (int row = 0; row < frame.GetTaskList().GetRowCount(); ++row)
        shown.push_back(frame.GetTaskList().GetRowTask(row)->GetName());
    for (const wchar_t* name : names)
        EXPECT_NE(std::find(shown.begin(), shown.end(), EString(name)), shown.end());
    frame.GetTaskList().SelectRow(0);
    std::vector<int> selected;
    doc.GetSelectedTaskIds(selected);
    EXPECT_EQ(selected.size(), 1u) << "the frame hands the list its own notifications";
    EXPECT_FALSE(SaveWindowScreenshot(frame, L"main_window_task_list").IsEmpty());
}

// As a new user first sees the list: every header whole, and the longest priority and state whole in their cells.
TEST_F(MainFrameTest, TheTaskListsHeadersAndItsPrioritiesAndStatesShowWhole)
{
    CMainFrame& frame = OpenFrame();
    CPelquornDoc& doc = frame.GetDocument();
    doc.SetStatusFilter(0);
    TaskCard task(L"Call the movers", L"", 1, Clock::Today() + 1, 0, TaskCard::kInProgress, 0, 0, -1);
    ASSERT_TRUE(doc.AddTask(task));
    doc.Notify(nullptr, NotifyCode::kTasksChanged);
    const HWND list = frame.GetTaskView();
    const HWND header = ListView_GetHeader(list);
    const auto textWidth = [](HWND window, const wchar_t* text) {
        const HDC dc = ::GetDC(window);
        const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(window, WM_GETFONT, 0, 0)));
        SIZE size = {};
        ::GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
        ::SelectObject(dc, old);
        ::ReleaseDC(window, dc);
        return static_cast<int>(size.cx);
    };
    ASSERT_EQ(Header_GetItemCount(header), CPelquornView::kColumnCount);
    for (int column = 0; column < CPelquornView::kColumnCount; ++column) {
        wchar_t title[64] = {};
        HDITEMW item = {};
        item.mask = HDI_TEXT;
        item.pszText = title;
        item.cchTextMax = 64;
        ASSERT_TRUE(Header_GetItem(header, column, &item));
        EXPECT_GE(ListView_GetColumnWidth(list, column), textWidth(header, title) + 2 * Header_GetBitmapMargin(header))
            << "the header " << EString(title).c_str();
    }
    const struct {
        int column;
        const wchar_t* text;
    } cells[] = {{5, L"Urgent and important"}, {7, L"In progress"}};
    const int row = frame.GetTaskList().FindRow(task.GetId());
    for (const auto& c : cells) {
        wchar_t shown[64] = {};
        ListView_GetItemText(list, row, c.column, shown, 64);
        EXPECT_EQ(EString(shown), c.text);
        EXPECT_GE(ListView_GetColumnWidth(list, c.column), ListView_GetStringWidth(list, c.text) + 12) << c.text;
    }
    EXPECT_FALSE(SaveWindowScreenshot(list, L"main_window_task_list_columns").IsEmpty());
}

TEST_F(MainFrameTest, DeleteWithNothingSelectedDoesNothingThoughItArrivesAsAnAccelerator)
{
    CMainFrame& frame = OpenFrame();
    CountingDeleteDialogs dialogs;
    frame.GetTaskList().SetDialogs(&dialogs);
    CPelquornDoc& doc = frame.GetDocument();
    TaskCard task(L"Keep me", L"", 2, Clock::Today(), 1, 0, 0, 0, -1);
    ASSERT_TRUE(doc.AddTask(task));
    doc.Notify(nullptr, NotifyCode::kTasksChanged);
    ListView_SetItemState(frame.GetTaskView(), -1, 0, LVIS_SELECTED);
    doc.SetDocumentWindow(frame.GetTaskView());

    SendCommand(ID_TASK_DELETE);
    EXPECT_EQ(dialogs.questions, 0);
    TaskCard kept;
    EXPECT_TRUE(doc.GetTask(task.GetId(), kept, false));

    frame.GetTaskList().SelectRow(frame.GetTaskList().FindRow(task.GetId()));
    SendCommand(ID_TASK_DELETE);
    EXPECT_EQ(dialogs.questions, 1) << "with a row selected the same command asks";
    frame.GetTaskList().SetDialogs(nullptr);
}

} // namespace

namespace {

TEST_F(MainFrameTest, ToolTipsAndMenuHelpComeFromTheCommandsTranslatedTexts)
{
    CMainFrame& frame = OpenFrame();
    struct Case {
        UINT_PTR id;
        UINT flags;
        EString tip;
    };
    const Case cases[] = {
        {ID_FILE_NEW, 0, CommandToolTip(CommandText(ID_FILE_NEW))},
        {0, 0, L""},
        {reinterpret_cast<UINT_PTR>(frame.GetStatusBar()), TTF_IDISHWND, L""},
    };
    ASSERT_FALSE(cases[0].tip.IsEmpty());
    for (const Case& c : cases) {
        NMTTDISPINFOW info = {};
        info.hdr.hwndFrom = frame.m_hWnd;
        info.hdr.idFrom = c.id;
        info.hdr.code = TTN_GETDISPINFOW;
        info.uFlags = c.flags;
        ::lstrcpyW(info.szText, L"stale");
        frame.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(EString(info.lpszText ? info.lpszText : L""), c.tip) << c.id;
    }

    frame.SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_SAVE, MF_STRING), reinterpret_cast<LPARAM>(::CreateMenu()));
    // In simple mode Wine's status bar answers the simple text for pane 0.
    wchar_t help[256] = {};
    ::SendMessageW(frame.GetStatusBar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(help));
    EXPECT_EQ(EString(help), CommandStatusHelp(CommandText(ID_FILE_SAVE)));
    EXPECT_TRUE(::SendMessageW(frame.GetStatusBar(), SB_ISSIMPLE, 0, 0));
    frame.SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_FALSE(::SendMessageW(frame.GetStatusBar(), SB_ISSIMPLE, 0, 0));
}

// The program's own task dialog, typed into as a user would, from the list's commands.
TEST_F(MainFrameTest, ATaskTypedIntoTheTaskDialogIsListedEditedAndSaved)
{
    CMainFrame& frame = OpenFrame();
    CPelquornDoc& doc = frame.GetDocument();
    doc.SetStatusFilter(0);
    doc.SetDocumentWindow(frame.GetTaskView());
    const auto openedBy = [&](UINT command) {
        return [this, command] {
            SendCommand(command);
            return INT_PTR(0);
        };
    };
    const auto rowNamed = [&](const wchar_t* name) {
        for (int row = 0; row < frame.GetTaskList().GetRowCount(); ++row)
            if (frame.GetTaskList().GetRowTask(row)->GetName() == name)
                return row;
        return -1;
    };

    RunModalSteps(openedBy(ID_TASK_ADD), {[&](HWND dialog) {
                      EXPECT_FALSE(SaveWindowScreenshot(dialog, L"main_window_new_task").empty());
                      SetItemText(dialog, IDC_TASK_NAME, L"Renew the passport");
                      SetItemText(dialog, IDC_TASK_ESTIMATION, L"1,5");
                      ClickButton(dialog, IDOK);
                      return true;
                  }});
    const int row = rowNamed(L"Renew the passport");
    ASSERT_NE(row, -1);
    const int id = frame.GetTaskList().GetRowTask(row)->GetId();
    TaskCard added;
    ASSERT_TRUE(doc.GetTask(id, added, false));
    EXPECT_DOUBLE_EQ(added.GetEstimation(), 1.5);

    frame.GetTaskList().SelectRow(row);
    RunModalSteps(openedBy(ID_TASK_EDIT), {[&](HWND dialog) {
                      if (ItemText(dialog, IDC_TASK_NAME) != L"Renew the passport")
                          return false;
                      SetItemText(dialog, IDC_TASK_NAME, L"Renew both passports");
                      ClickButton(dialog, IDOK);
                      return true;
                  }});
    EXPECT_EQ(rowNamed(L"Renew the passport"), -1);
    EXPECT_NE(rowNamed(L"Renew both passports"), -1);

    frame.GetTaskList().SelectRow(rowNamed(L"Renew both passports"));
    RunModalSteps(openedBy(ID_TASK_EDIT), {[&](HWND dialog) {
                      SetItemText(dialog, IDC_TASK_NAME, L"Not taken");
                      ClickButton(dialog, IDCANCEL);
                      return true;
                  }});
    EXPECT_EQ(rowNamed(L"Not taken"), -1);

    const EString path = SavePlanAs(L"typed_task.qvr");
    EXPECT_NE(ReadFileBytes(path).find("Renew both passports"), std::string::npos);
}

// The dialog base shows the program's icon in every dialog's caption.
TEST_F(MainFrameTest, TheProgramsDialogsCarryItsIcon)
{
    CMainFrame& frame = OpenFrame();
    frame.GetDocument().SetDocumentWindow(frame.GetTaskView());
    RunModalSteps(
        [this] {
            SendCommand(ID_TASK_ADD);
            return INT_PTR(0);
        },
        {[&](HWND dialog) {
            EXPECT_NE(::SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0), 0);
            EXPECT_FALSE(SaveWindowScreenshot(dialog, L"task_dialog_icon").empty());
            ClickButton(dialog, IDCANCEL);
            return true;
        }});
}

// Completing the last open task of a category asks, in the program's own dialog, whether the category is done too.
TEST_F(MainFrameTest, CompletingACategorysLastTaskAsksAndYesCompletesTheCategory)
{
    CMainFrame& frame = OpenFrame();
    CPelquornDoc& doc = frame.GetDocument();
    doc.SetStatusFilter(0);
    Category garden(L"Garden", L"", Clock::Today() + 7, 0);
    ASSERT_TRUE(doc.AddCategory(0, garden));
    doc.SetCurrentCategoryId(garden.GetId());
    TaskCard task(L"Mow the lawn", L"", 1, Clock::Today(), 1, 0, 0, 0, -1);
    ASSERT_TRUE(doc.AddTask(task));
    ASSERT_EQ(doc.GetTaskCategory(task.GetId()), garden.GetId());
    doc.Notify(nullptr, NotifyCode::kTasksChanged);
    doc.SetDocumentWindow(frame.GetTaskView());
    frame.GetTaskList().SelectRow(frame.GetTaskList().FindRow(task.GetId()));

    RunModalSteps(
        [&] {
            SendCommand(ID_TASK_COMPLETE);
            return INT_PTR(0);
        },
        {[&](HWND dialog) {
            EXPECT_NE(ItemText(dialog, IDC_COMPLETE_CATEGORY_MESSAGE).find(L"Garden"), EString::npos);
            ClickButton(dialog, IDOK);
            return true;
        }});
    Category stored;
    ASSERT_TRUE(doc.GetCategory(garden.GetId(), stored));
    EXPECT_EQ(stored.GetStatus(), 1);
}

// The document's properties command opens the program's dialog; what is typed there is saved with the plan.
TEST_F(MainFrameTest, ThePropertiesTypedIntoTheirDialogAreSavedWithThePlan)
{
    CMainFrame& frame = OpenFrame();
    const EString path = SavePlanAs(L"properties.qvr");
    RunModalSteps(
        [&] {
            SendCommand(ID_PROPERTIES);
            return INT_PTR(0);
        },
        {[&](HWND dialog) {
            SetItemText(dialog, IDC_PROPERTIES_COMPANY, L"Hollow Pine Joinery");
            ClickButton(dialog, IDOK);
            return true;
        }});
    EXPECT_TRUE(frame.GetDocument().IsModified());
    ASSERT_TRUE(frame.GetDocument().Save());
    EXPECT_NE(ReadFileBytes(path).find("Hollow Pine Joinery"), std::string::npos);
}

// The Find command shows the one find window over the main window; its dialog keys come through the loop.
TEST_F(MainFrameTest, FindShowsTheFindWindowOverTheMainWindowAndEscapeHidesIt)
{
    CMainFrame& frame = OpenFrame();
    CFindDialog& find = frame.GetFindDialog();
    SendCommand(ID_FIND);
    ASSERT_TRUE(find.IsWindow());
    const HWND window = find;
    EXPECT_EQ(::GetWindow(window, GW_OWNER), static_cast<HWND>(frame));
    EXPECT_TRUE(::IsWindowVisible(window));
    const HWND edit = ::GetDlgItem(window, IDC_FIND_TEXT);
    EXPECT_EQ(::GetFocus(), edit);
    SetItemText(window, IDC_FIND_TEXT, L"passport");
    EXPECT_FALSE(SaveWindowScreenshot(window, L"main_window_find").empty());

    MSG enter = {edit, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    EXPECT_TRUE(m_loop.PreTranslateMessage(&enter));
    EXPECT_TRUE(::IsWindowVisible(window));
    MSG escape = {edit, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    EXPECT_TRUE(m_loop.PreTranslateMessage(&escape));
    EXPECT_FALSE(::IsWindowVisible(window));
    // The document kept the text searched for: Find Next searches again
    // rather than asking for a text.
    SendCommand(ID_FIND_NEXT);
    EXPECT_FALSE(::IsWindowVisible(window));

    SendCommand(ID_FIND);
    EXPECT_EQ(static_cast<HWND>(find), window);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(ItemText(window, IDC_FIND_TEXT), L"passport");
}

// Arrange Deadlines asks for the first day and the hours per day, and keeps the hours chosen.
TEST_F(MainFrameTest, ArrangeDeadlinesAsksForTheScheduleAndKeepsTheHoursChosen)
{
    OpenFrame();
    Options::SetRegularHours(8);
    Options::SetLoadFactor(6);
    RunModalSteps(
        [&] {
            SendCommand(ID_ARRANGE_DEADLINES);
            return INT_PTR(0);
        },
        {[&](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_SCHEDULE_PRESENCE), FormatDecimalForEdit(75));
            EXPECT_EQ(ItemText(dialog, IDC_SCHEDULE_HOURS), FormatDecimalForEdit(6));
            EXPECT_FALSE(SaveWindowScreenshot(dialog, L"main_window_arrange_deadlines").empty());
            SetItemText(dialog, IDC_SCHEDULE_HOURS, L"5");
            ClickButton(dialog, IDOK);
            return true;
        }});
    EXPECT_DOUBLE_EQ(Options::GetLoadFactor(), 5);
}

// The login command opens the program's login dialog on the remembered user
// and the password the frame's session keeps; working offline stores nothing.
TEST_F(MainFrameTest, TheLoginCommandShowsTheRememberedUserAndPassword)
{
    Options::SetUserName(L"ann");
    Options::SetCustomToolBarButtons(L"cwBlAGMAcgBlAHQA"); // "secret", as older versions kept it
    OpenFrame();
    RunModalSteps(
        [&] {
            SendCommand(ID_LOGIN);
            return INT_PTR(0);
        },
        {[&](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_LOGIN_USER), L"ann");
            EXPECT_EQ(ItemText(dialog, IDC_LOGIN_PASSWORD), L"secret");
            EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_LOGIN_REMEMBER), BST_CHECKED);
            ClickButton(dialog, IDCANCEL);
            return true;
        }});
    EXPECT_EQ(Options::GetCustomToolBarButtons(), L"cwBlAGMAcgBlAHQA");
    EXPECT_EQ(Options::GetResetCookie(), 0u);
}

// The trees' Add commands open the program's own category and group dialogs.
TEST_F(MainFrameTest, TheTreesAddACategoryAndAGroupNamedInTheirDialogs)
{
    CMainFrame& frame = OpenFrame();
    CPelquornDoc& doc = frame.GetDocument();
    const HWND peopleTree =
        ::FindWindowExW(*frame.GetPane(CMainFrame::PeoplePane), nullptr, L"QuorvanePeopleTree", nullptr);
    ASSERT_NE(peopleTree, nullptr);
    TreeView_SelectItem(peopleTree, nullptr);
    const struct {
        const char* what;
        HWND tree;
        UINT command;
        int nameBox;
        const wchar_t* name;
    } cases[] = {
        {"category", Categories(), ID_TASK_ADD, IDC_CATEGORY_NAME, L"Garden"},
        {"group", peopleTree, ID_ADD_GROUP, IDC_GROUP_NAME, L"Neighbours"},
    };
    for (const auto& test : cases) {
        RunModalSteps(
            [&] {
                ::SendMessageW(test.tree, WM_COMMAND, MAKEWPARAM(test.command, 0), 0);
                return INT_PTR(0);
            },
            {[&](HWND dialog) {
                SetItemText(dialog, test.nameBox, test.name);
                ClickButton(dialog, IDOK);
                return true;
            }});
        EXPECT_TRUE(WaitFor([&] {
            wchar_t text[64] = {};
            TVITEMW item = {};
            item.mask = TVIF_TEXT;
            item.hItem = TreeView_GetSelection(test.tree);
            item.pszText = text;
            item.cchTextMax = 64;
            return item.hItem && TreeView_GetItem(test.tree, &item) && EString(text) == test.name;
        })) << test.what << " selected after it was added";
    }
    std::vector<Category> categories;
    doc.GetSubCategories(0, categories);
    EXPECT_TRUE(std::any_of(categories.begin(), categories.end(),
                            [](const Category& category) { return category.GetName() == L"Garden"; }));
    std::vector<Person> people;
    ASSERT_TRUE(doc.GetPeople(0, people));
    EXPECT_TRUE(std::any_of(people.begin(), people.end(),
                            [](const Person& person) { return person.IsGroup() && person.GetName() == L"Neighbours"; }));
}

} // namespace
