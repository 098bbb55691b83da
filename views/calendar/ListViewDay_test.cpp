// The day list in a stand-in pane: its rows, order, check boxes, keys, drags, hint and selection.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/PelquornDragData.h"
#include "foundation/Clock.h"
#include "foundation/Language.h"
#include "foundation/Options.h"
#include "resources/AppCommandIds.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/calendar/DayTestSupport.h"
#include "views/calendar/ListViewDay.h"
#include "views/common/YellowTip.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

class CodeObserver : public IObserver {
public:
    void Update(ISubject*, DocNotifyCode code) override { codes.push_back(code); }
    void OnAttach(ITabOrderProvider*) override {}
    std::vector<DocNotifyCode> codes;
};

class DayListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        Options::SetTimeFormat(1);
        Options::SetAllowSimultaneous(1);
        Clock::SetNowForTesting(kDay + At(9, 40));
        const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        plan = std::make_unique<DayPlan>();
        write = plan->AddTask(L"Write offer", 2, 1, L"Draft the offer and send it to Ann.");
        call = plan->AddTask(L"call Ann", 1, 0, L"About the offer");
        backup = plan->AddTask(L"Backup", 1, 3);
        writeEntry = plan->AddEntry(kDay, write, L"10:00", L"11:30", false, L"first draft\r\nthen\tsend");
        callEntry = plan->AddEntry(kDay, call, L"09:00", L"09:30", true);
        backupEntry = plan->AddEntry(kDay, backup, L"09:00", L"10:00");
        plan->AddEntry(kDay + 1, write, L"08:00", L"09:00");

        ASSERT_TRUE(host.Create(nullptr));
        host.route = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            return list->ProcessWindowMessage(host.m_hWnd, message, wParam, lParam, result);
        };
        MakeList();
        plan->document.Attach(&observer);
        ::SetForegroundWindow(host.m_hWnd);
    }
    void TearDown() override
    {
        plan->document.Detach(&observer);
        host.route = nullptr;
        list.reset();
        Clock::ResetForTesting();
        Resource::Dictionary().Clear();
        ClearProgramRegistry();
    }

    void MakeList()
    {
        host.route = nullptr;
        list = std::make_unique<CListViewDay>();
        list->SetDateSelector(&host);
        list->SetDocument(&plan->document);
        RECT client = {};
        ::GetClientRect(host.m_hWnd, &client);
        ASSERT_TRUE(list->Create(&host, client));
        host.route = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            return list->ProcessWindowMessage(host.m_hWnd, message, wParam, lParam, result);
        };
        list->LoadEntries();
        host.Clear();
    }
    HWND List() const { return list->GetContentWindow(); }
    std::wstring Cell(int row, int column) const
    {
        wchar_t text[256] = {};
        ListView_GetItemText(List(), row, column, text, 256);
        return text;
    }
    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        for (int row = 0; row < list->GetRowCount(); ++row)
            names.push_back(Cell(row, 0));
        return names;
    }
    std::vector<int> SelectedIds() const
    {
        std::vector<int> ids;
        list->GetSelectedEntryIds(ids);
        return ids;
    }
    // A client point of the list inside the row: on its name, or on its check box.
    POINT RowPoint(int row, bool onCheckBox = false) const
    {
        RECT bounds = {};
        ListView_GetItemRect(List(), row, &bounds, LVIR_BOUNDS);
        const int y = (bounds.top + bounds.bottom) / 2;
        for (int x = bounds.left; onCheckBox && x < bounds.left + 40; ++x) {
            LVHITTESTINFO hit = {};
            hit.pt = {x, y};
            if (ListView_HitTest(List(), &hit) == row && (hit.flags & LVHT_ONITEMSTATEICON))
                return hit.pt;
        }
        RECT label = {};
        ListView_GetItemRect(List(), row, &label, LVIR_LABEL);
        return {label.left + 10, y};
    }
    void Click(HWND window, POINT point, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP)
    {
        ::PostMessageW(window, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(point.x, point.y));
        ::PostMessageW(window, up, 0, MAKELPARAM(point.x, point.y));
    }
    void ClickHeader(int column)
    {
        const HWND header = ListView_GetHeader(List());
        RECT rect = {};
        Header_GetItemRect(header, column, &rect);
        Click(header, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }
    bool CheckedInList(int id) const
    {
        LVFINDINFOW find = {};
        find.flags = LVFI_PARAM;
        find.lParam = id;
        return ListView_GetCheckState(List(), ListView_FindItem(List(), -1, &find)) != 0;
    }
    int RowOf(int id) const
    {
        for (int row = 0; row < list->GetRowCount(); ++row)
            if (list->GetRowEntryId(row) == id)
                return row;
        return -1;
    }
    // Lets the posted input and the list's own posts run.
    void Settle()
    {
        MSG message;
        for (int pass = 0; pass < 3; ++pass)
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
    }

    std::unique_ptr<DayPlan> plan;
    TestDayHost host;
    std::unique_ptr<CListViewDay> list;
    CodeObserver observer;
    int write = 0, call = 0, backup = 0;
    int writeEntry = 0, callEntry = 0, backupEntry = 0;
};

} // namespace

TEST_F(DayListTest, EachEntryOfTheShownDayIsARowWithItsTimesPriorityAndCommentsOnOneLine)
{
    ASSERT_EQ(list->GetRowCount(), 3);
    const struct {
        int id;
        std::wstring cells[6];
        bool checked;
        int icon;
    } rows[] = {
        {callEntry, {L"call Ann", L"09:00", L"09:30", L"30m", L"URGENT_AND_IMPORTANT", L""}, true, 2},
        {backupEntry, {L"Backup", L"09:00", L"10:00", L"1h", L"FUTURE_TASK", L""}, false, 1},
        {writeEntry, {L"Write offer", L"10:00", L"11:30", L"1h 30m", L"IMPORTANT", L"first draft  then send"}, false, 0},
    };
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(list->GetRowEntryId(row), rows[row].id) << row;
        for (int column = 0; column < 6; ++column)
            EXPECT_EQ(Cell(row, column), rows[row].cells[column]) << row << ", column " << column;
        EXPECT_EQ(CheckedInList(rows[row].id), rows[row].checked) << row;
        EXPECT_EQ(list->GetRowIcon(row), rows[row].icon) << row << ": over, running, not begun";
    }
    EXPECT_EQ(list->GetRowEntryId(3), 0);
    EXPECT_EQ(list->GetRowEntryId(-1), 0);
    ListView_SetItemState(List(), 1, LVIS_SELECTED, LVIS_SELECTED);
    SaveWindowScreenshot(host.m_hWnd, L"day_list");
}

// As a user first sees the list: English headers, a 12-hour clock, the
// widest values. The header leaves three edges on each side of its text and
// of the sort arrow; a cell six pixels on each side of its text.
TEST_F(DayListTest, TimesDurationsAndPrioritiesShowTheirHeaderAndValuesWhole)
{
    Resource::Dictionary().Clear();
    ASSERT_TRUE(Resource::Load(SourcePath(L"resources/Language/English.txt")));
    Options::SetTimeFormat(2);
    const int late = plan->AddEntry(kDay, call, L"22:58", L"23:58");
    const int allDay = plan->AddEntry(kDay, write, L"00:01", L"23:58");
    list.reset();
    MakeList();

    const HWND header = ListView_GetHeader(List());
    const int headerMargin = 3 * ::GetSystemMetrics(SM_CXEDGE);
    const auto textWidth = [](HWND window, const std::wstring& text) {
        const CClientDC dc(window);
        const CSelectObject font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(window, WM_GETFONT, 0, 0)));
        SIZE size = {};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    const struct {
        int column;
        const wchar_t* title;
    } columns[] = {{1, L"Start time"}, {2, L"End time"}, {3, L"Duration"}, {4, L"Priority"}};
    for (const auto& c : columns) {
        const int width = ListView_GetColumnWidth(List(), c.column);
        wchar_t title[64] = {};
        HDITEMW item = {};
        item.mask = HDI_TEXT;
        item.pszText = title;
        item.cchTextMax = 64;
        ASSERT_TRUE(Header_GetItem(header, c.column, &item));
        EXPECT_EQ(std::wstring(title), c.title);
        EXPECT_GE(width, textWidth(header, title) + 16 + 4 * headerMargin) << "the header of column " << c.column;
        for (int row = 0; row < list->GetRowCount(); ++row)
            EXPECT_GE(width, ListView_GetStringWidth(List(), Cell(row, c.column).c_str()) + 12)
                << "row " << row << " of column " << c.column << ": " << Cell(row, c.column).c_str();
    }
    EXPECT_EQ(Cell(RowOf(allDay), 1), L"12:01 AM");
    EXPECT_EQ(Cell(RowOf(allDay), 3), L"23h 57m");
    const int row = RowOf(late);
    EXPECT_EQ((std::vector<std::wstring>{Cell(row, 1), Cell(row, 2), Cell(row, 3), Cell(row, 4)}),
              (std::vector<std::wstring>{L"10:58 PM", L"11:58 PM", L"1h", L"Urgent and important"}));
    SaveWindowScreenshot(host.m_hWnd, L"day_list_english");
}

TEST_F(DayListTest, AHeaderClickSortsByItsColumnAndASecondTurnsTheOrderRound)
{
    const struct {
        int column;
        std::vector<std::wstring> names;
        DWORD storedField;
        DWORD storedDirection;
    } clicks[] = {
        {0, {L"Backup", L"call Ann", L"Write offer"}, 0, 1},
        {0, {L"Write offer", L"call Ann", L"Backup"}, 0, 0},
        {4, {L"Backup", L"Write offer", L"call Ann"}, 4, 0},
        {1, {L"Write offer", L"Backup", L"call Ann"}, 1, 0},
        {1, {L"call Ann", L"Backup", L"Write offer"}, 1, 1},
    };
    for (const auto& c : clicks) {
        const std::vector<std::wstring> before = Names();
        ClickHeader(c.column);
        EXPECT_TRUE(WaitFor([&] { return Names() == c.names; })) << "column " << c.column;
        EXPECT_EQ(Options::GetSortField(CListViewDay::kViewNumber, 9), c.storedField);
        EXPECT_EQ(Options::GetSortDirection(CListViewDay::kViewNumber), c.storedDirection);
        const HWND header = ListView_GetHeader(List());
        for (int column = 0; column < 6; ++column) {
            HDITEMW item = {};
            item.mask = HDI_FORMAT | HDI_IMAGE;
            Header_GetItem(header, column, &item);
            EXPECT_EQ((item.fmt & HDF_IMAGE) != 0, column == c.column) << "the arrow is on the sorted column only";
            if (column == c.column) {
                EXPECT_EQ(item.iImage, c.storedDirection ? 0 : 1);
            }
        }
    }
    MakeList();
    EXPECT_EQ(Names(), clicks[4].names) << "a new list takes the stored order";
}

TEST_F(DayListTest, EntriesAddedMovedAndDeletedShowInOrderAndSortByWhatTheyNowHold)
{
    std::vector<int> ids;
    const auto rows = [&] {
        ids.clear();
        for (int row = 0; row < list->GetRowCount(); ++row)
            ids.push_back(list->GetRowEntryId(row));
        return ids;
    };
    ASSERT_EQ(rows(), (std::vector<int>{callEntry, backupEntry, writeEntry}));
    const int early = plan->AddEntry(kDay, backup, L"08:00", L"08:15");
    list->LoadEntries();
    EXPECT_EQ(rows(), (std::vector<int>{early, callEntry, backupEntry, writeEntry})) << "added";
    TaskPlanEntry moved = plan->Entry(writeEntry);
    moved.SetStartKeepDuration(At(7, 0));
    ASSERT_TRUE(plan->document.UpdatePlanEntry(moved));
    list->LoadEntries();
    EXPECT_EQ(rows(), (std::vector<int>{writeEntry, early, callEntry, backupEntry})) << "moved";
    plan->document.DeletePlanEntry(callEntry);
    list->LoadEntries();
    EXPECT_EQ(rows(), (std::vector<int>{writeEntry, early, backupEntry})) << "deleted";
    ClickHeader(2);
    EXPECT_TRUE(WaitFor([&] { return rows() == std::vector<int>{early, writeEntry, backupEntry}; }))
        << "by the end each holds now: " << ToText(ids);
    ClickHeader(2);
    EXPECT_TRUE(WaitFor([&] { return rows() == std::vector<int>{backupEntry, writeEntry, early}; }))
        << "turned round: " << ToText(ids);
}

TEST_F(DayListTest, ClickingACheckBoxCompletesTheEntryAndFillingTogglesNothing)
{
    list->LoadEntries();
    list->LoadEntries();
    Settle();
    EXPECT_TRUE(observer.codes.empty()) << "filling rows never toggles";

    Click(List(), RowPoint(RowOf(backupEntry)));
    Settle();
    EXPECT_FALSE(plan->Entry(backupEntry).IsCompleted()) << "selecting a row toggles nothing";
    EXPECT_TRUE(observer.codes.empty());

    Click(List(), RowPoint(RowOf(backupEntry), true));
    ASSERT_TRUE(WaitFor([&] { return plan->Entry(backupEntry).IsCompleted(); }));
    EXPECT_EQ(observer.codes, std::vector<DocNotifyCode>{NotifyCode::kAll}) << "one toggle per click";
    EXPECT_TRUE(plan->Entry(callEntry).IsCompleted());
    EXPECT_FALSE(plan->Entry(writeEntry).IsCompleted());

    observer.codes.clear();
    list->LoadEntries();
    Click(List(), RowPoint(RowOf(callEntry), true));
    ASSERT_TRUE(WaitFor([&] { return !plan->Entry(callEntry).IsCompleted(); })) << "a second click reopens";
    EXPECT_EQ(observer.codes, std::vector<DocNotifyCode>{NotifyCode::kAll});

    observer.codes.clear();
    list->SelectEntryById(writeEntry);
    ::SetFocus(List());
    PressKey(List(), VK_SPACE);
    ASSERT_TRUE(WaitFor([&] { return plan->Entry(writeEntry).IsCompleted(); })) << "the space bar ticks the focused row";
    EXPECT_EQ(observer.codes, std::vector<DocNotifyCode>{NotifyCode::kAll});
}

TEST_F(DayListTest, ASelectionChangeTellsTheDocumentAndThePane)
{
    list->SelectEntryById(writeEntry);
    EXPECT_EQ(plan->document.GetPreviousPlanEntryId(), writeEntry);
    EXPECT_NE(std::find(host.sent.begin(), host.sent.end(), WM_PELQUORN_DOC_CHANGED), host.sent.end());
}

TEST_F(DayListTest, KeysAndDoubleClicksBecomeThePanesCommands)
{
    const struct {
        const char* name;
        std::function<void()> act;
        std::vector<WORD> commands;
    } cases[] = {
        {"left arrow", [&] { PressKey(List(), VK_LEFT); }, {ID_DAY_PREVIOUS}},
        {"right arrow", [&] { PressKey(List(), VK_RIGHT); }, {ID_DAY_NEXT}},
        {"down arrow", [&] { PressKey(List(), VK_DOWN); }, {}},
        {"double click", [&] { Click(List(), RowPoint(0), WM_LBUTTONDBLCLK, WM_LBUTTONUP); }, {ID_TASK_EDIT}},
    };
    ::SetFocus(List());
    for (const auto& c : cases) {
        host.posted.clear();
        c.act();
        Settle();
        EXPECT_EQ(host.PostedCommands(), c.commands) << c.name;
    }
}

TEST_F(DayListTest, DraggingSelectedRowsDragsTheirEntriesButNeverTheTrackedOne)
{
    // Pressed on a selected row and moved past the drag threshold.
    const auto drag = [&] {
        const POINT from = RowPoint(RowOf(backupEntry));
        ::PostMessageW(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        ::PostMessageW(List(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + 30, from.y + 30));
        ::PostMessageW(List(), WM_LBUTTONUP, 0, MAKELPARAM(from.x + 30, from.y + 30));
    };
    list->SelectAll();
    drag();
    ASSERT_TRUE(WaitFor([&] { return !host.draggedIds.empty(); }));
    EXPECT_EQ(host.draggedIds.front(),
              (std::vector<int>{PelquornDragData::kPlanEntries, callEntry, backupEntry, writeEntry}));
    EXPECT_EQ(::GetFocus(), List());

    plan->document.SetSelectedTaskIds({backup});
    plan->document.StartTracking();
    list->LoadEntries();
    host.draggedIds.clear();
    list->SelectAll();
    drag();
    Settle();
    EXPECT_TRUE(host.draggedIds.empty());
}

TEST_F(DayListTest, TheTrackedEntryShowsTheTrackingIconAndNoOtherRuns)
{
    plan->document.SetSelectedTaskIds({write});
    plan->document.StartTracking();
    list->LoadEntries();
    const int tracked = plan->document.GetTrackedPlanEntryId();
    ASSERT_GE(RowOf(tracked), 0);
    EXPECT_EQ(list->GetRowIcon(RowOf(tracked)), CListViewDay::kIconTracked);
    EXPECT_EQ(list->GetRowIcon(RowOf(backupEntry)), CListViewDay::kIconNotBegun) << "running, but not tracked";
    EXPECT_EQ(list->GetRowIcon(RowOf(callEntry)), CListViewDay::kIconOver);
}

TEST_F(DayListTest, ARefreshFollowsTheClockInTheIconsAndRearmsItsTimer)
{
    Clock::SetNowForTesting(kDay + At(10, 30));
    TaskCard renamed;
    ASSERT_TRUE(plan->document.GetTask(backup, renamed));
    renamed.SetName(L"edited");
    plan->document.UpdateTask(renamed);
    list->RefreshEntries();
    EXPECT_EQ(list->GetRowIcon(RowOf(backupEntry)), CListViewDay::kIconOver);
    EXPECT_EQ(list->GetRowIcon(RowOf(writeEntry)), CListViewDay::kIconRunning);
    EXPECT_EQ(Cell(RowOf(backupEntry), 0), L"Backup") << "texts stay as the day was read";
    EXPECT_TRUE(host.IsTimerSet(CDayManagerBase::DAY_REFRESH_TIMER_ID));
}

TEST_F(DayListTest, TheHintOverARowShowsItsTasksDescriptionAndOverEmptySpaceNothing)
{
    const struct {
        const char* name;
        POINT point;
        const wchar_t* text;
    } cases[] = {
        {"over the offer", RowPoint(RowOf(writeEntry)), L"Draft the offer and send it to Ann."},
        {"over the call", RowPoint(RowOf(callEntry)), L"About the offer"},
        {"below the rows", {60, 250}, L""},
    };
    CYellowTip& tip = list->GetListCtrl().GetTip();
    for (const auto& c : cases) {
        // The tip asks for no text while the pointer is off the rows.
        POINT screen = c.point;
        ::ClientToScreen(List(), &screen);
        ASSERT_TRUE(::SetCursorPos(screen.x, screen.y));
        ::SendMessageW(List(), WM_MOUSEMOVE, 0, MAKELPARAM(c.point.x, c.point.y));
        ::SendMessageW(tip.m_hWnd, WM_TIMER, CYellowTip::kShowTimer, 0);
        EXPECT_EQ(tip.GetText(), EString(c.text)) << c.name;
    }
}

TEST_F(DayListTest, AReloadKeepsTheSelectionOrTakesThePendingOne)
{
    list->SelectEntryById(backupEntry);
    list->LoadEntries();
    EXPECT_EQ(SelectedIds(), std::vector<int>{backupEntry});

    const int added = plan->AddEntry(kDay, call, L"12:00", L"12:30");
    list->SetPendingSelection(added);
    list->LoadEntries();
    EXPECT_EQ(SelectedIds(), std::vector<int>{added}) << "the entry the dialog just added";
    EXPECT_EQ(list->GetPendingSelection(), 0);
    EXPECT_EQ(list->HasSelection(), 1);
}

TEST_F(DayListTest, ADragOverARowSelectsItAndOverEmptySpaceNothing)
{
    list->SelectIndex(0);
    const POINT onWrite = RowPoint(RowOf(writeEntry));
    list->ShowDropTarget(onWrite.x, onWrite.y);
    EXPECT_EQ(SelectedIds(), std::vector<int>{writeEntry});
    EXPECT_TRUE(list->HasSingleSelection());

    list->ShowDropTarget(60, 250);
    EXPECT_TRUE(SelectedIds().empty());

    list->SelectAll();
    list->ShowDropTarget(onWrite.x, onWrite.y);
    EXPECT_EQ(SelectedIds(), (std::vector<int>{backupEntry, writeEntry})) << "only the first selected row is cleared";
    EXPECT_TRUE(list->HasMultipleSelection());
}

TEST_F(DayListTest, ColumnWidthsOutliveTheList)
{
    ListView_SetColumnWidth(List(), 5, 222);
    ListView_SetColumnWidth(List(), 1, 200);
    ListView_SetColumnWidth(List(), 3, 40);
    ::SendMessageW(host.m_hWnd, WM_DESTROY, 0, 0);
    MakeList();
    EXPECT_EQ(ListView_GetColumnWidth(List(), 5), 222);
    EXPECT_EQ(ListView_GetColumnWidth(List(), 1), 200);
    EXPECT_EQ(ListView_GetColumnWidth(List(), 3), 40) << "a width the user chose, narrower than the values";
    EXPECT_EQ(ListView_GetColumnWidth(List(), 0), 260);
}

TEST_F(DayListTest, ALoadOfTheShownDayGivesTheDocumentTheDaysSummary)
{
    for (const double day : {kDay, kDay + 1}) {
        plan->document.UpdateDaySummary(day == kDay ? kDay + 1 : kDay);
        host.date = day;
        list->LoadEntries();
        const EString told = plan->document.FormatTaskSummary();
        plan->document.UpdateDaySummary(day);
        EXPECT_EQ(told, plan->document.FormatTaskSummary()) << day - kDay;
    }
}

TEST_F(DayListTest, AfterEachSortAnEntryIsFoundInTheRowShowingItAndKeepsItsSelection)
{
    list->SelectEntryById(writeEntry);
    const std::pair<int, std::wstring> shown[] = {
        {writeEntry, L"Write offer"}, {callEntry, L"call Ann"}, {backupEntry, L"Backup"}};
    for (const int column : {0, 4, 2, 2}) {
        list->SortByColumn(column);
        EXPECT_EQ(SelectedIds(), std::vector<int>{writeEntry}) << "column " << column;
        for (const auto& [id, name] : shown) {
            // The list finds an entry's row through the id map.
            LVFINDINFOW find = {};
            find.flags = LVFI_PARAM;
            find.lParam = id;
            const int row = ListView_FindItem(List(), -1, &find);
            EXPECT_EQ(list->GetRowEntryId(row), id) << "column " << column;
            EXPECT_EQ(Cell(row, 0), name) << "column " << column;
        }
    }
}
