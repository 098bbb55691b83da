#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <vector>

#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/calendar/DayPlannerCtrl.h"
#include "views/calendar/PlannerGeometry.h"

namespace {

constexpr int kPlannerId = 1210;
constexpr double kDay = 46000; // December 9, 2025
constexpr double kMinute = 1.0 / 1440;

// The planner's parent: it keeps every notification code in order.
class CPlannerParent : public CWindowImpl<CPlannerParent> {
public:
    BEGIN_MESSAGE_MAP(CPlannerParent)
        ON_COMMAND(kPlannerId, OnPlanner)
    END_MESSAGE_MAP()

    LRESULT OnPlanner(WORD code, WORD, HWND, bool&)
    {
        codes.push_back(code);
        return 0;
    }

    int Count(WORD code) const
    {
        int count = 0;
        for (WORD c : codes)
            count += c == code;
        return count;
    }

    std::vector<WORD> codes;
};

PlannerItem Entry(int hour, int minute, int length, const wchar_t* subject, COLORREF fill, int id)
{
    PlannerItem item;
    item.start = kDay + (hour * 60 + minute) * kMinute;
    item.lengthMinutes = length;
    item.subject = subject;
    item.fillColor = fill;
    item.textColor = ::GetSysColor(IsDarkFill(fill) ? COLOR_WINDOW : COLOR_BTNTEXT);
    item.data = id;
    return item;
}

class DayPlannerCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.Create(CreateArgs{.title = L"Day planner",
                                             .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                                             .rect = {50, 50, 850, 650}}));
        const RECT client = parent.GetClientRect();
        ASSERT_TRUE(planner.Create(CreateArgs{.parent = parent,
                                              .style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                              .exStyle = WS_EX_STATICEDGE,
                                              .rect = client,
                                              .id = kPlannerId}));
        planner.SetSelectedTime(kDay + 8.0 / 24, false);
        planner.SetMinimumLength(5);
        planner.SetWorkHours(9, 16);
    }
    void TearDown() override { parent.DestroyWindow(); }

    void AddOverlappingEntries()
    {
        planner.AddItem(Entry(9, 0, 90, L"Write the quarterly report", RGB(255, 220, 150), 11));
        planner.AddItem(Entry(9, 30, 60, L"Call the bank", RGB(160, 200, 255), 12));
        planner.AddItem(Entry(9, 15, 45, L"Review the slides", RGB(60, 90, 140), 13));
        planner.AddItem(Entry(13, 0, 60, L"Lunch with Ann", RGB(190, 240, 190), 14));
    }
    void PaintNow() { ::RedrawWindow(planner.GetPane(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
    // A pane point at the middle of an item's placed box, given its layout record.
    POINT CentreOf(int record)
    {
        const RECT& rect = planner.GetSettings().placed[static_cast<size_t>(record)].rect;
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 - planner.GetPane().GetScrollOffset()};
    }
    void Mouse(UINT message, POINT point, WPARAM keys)
    {
        planner.GetPane().SendMessage(message, keys, MAKELPARAM(point.x, point.y));
    }
    void Click(POINT point)
    {
        Mouse(WM_LBUTTONDOWN, point, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, point, 0);
    }

    CPlannerParent parent;
    CDayPlannerCtrl planner;
};

} // namespace

TEST_F(DayPlannerCtrlTest, ThreeEntriesOverlappingAt0930StandSideBySide)
{
    AddOverlappingEntries();
    planner.SetDayCount(1);
    PaintNow();
    const std::vector<PlacedItem>& placed = planner.GetSettings().placed;
    ASSERT_EQ(placed.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(placed[static_cast<size_t>(i)].lane, i);
        if (i > 0) {
            EXPECT_GT(placed[static_cast<size_t>(i)].rect.left, placed[static_cast<size_t>(i - 1)].rect.right);
        }
    }
    // The lunch has nothing beside it and spans the column.
    EXPECT_EQ(placed[3].rect.left, placed[0].rect.left);
    EXPECT_EQ(placed[3].rect.right, placed[2].rect.right);
    SaveWindowScreenshot(parent, L"day-planner-overlapping");
}

TEST_F(DayPlannerCtrlTest, SelectingATimeBeyondTheShownDaysMovesTheFirstDayFirst)
{
    planner.SetDayCount(3);
    parent.codes.clear();
    EXPECT_TRUE(planner.SetSelectedTime(kDay + 3 + 10.0 / 24, true));
    EXPECT_EQ(parent.codes, (std::vector<WORD>{kPlannerFirstDayChanged, kPlannerSelectedTimeChanged}));
    EXPECT_EQ(planner.GetFirstShownDay(), kDay + 3);

    parent.codes.clear();
    EXPECT_FALSE(planner.SetSelectedTime(kDay + 3 + 10.0 / 24, true));
    EXPECT_TRUE(planner.SetSelectedTime(kDay + 4 + 10.0 / 24, true));
    EXPECT_EQ(parent.codes, (std::vector<WORD>{kPlannerSelectedTimeChanged}));
}

TEST_F(DayPlannerCtrlTest, SettersRefuseValuesOutsideTheirRanges)
{
    EXPECT_FALSE(planner.SetWorkHours(9, 9));
    EXPECT_FALSE(planner.SetWorkHours(9, 25));
    EXPECT_EQ(planner.GetSettings().firstWorkHour, 9);
    EXPECT_EQ(planner.GetSettings().lastWorkHour, 16);
    EXPECT_FALSE(planner.SetDayCount(0));
    EXPECT_FALSE(planner.SetDayCount(15));
    EXPECT_TRUE(planner.SetDayCount(14));
    EXPECT_FALSE(planner.SetRowMinutes(25));
    EXPECT_EQ(planner.IncreaseRowScale(), 1);
    EXPECT_EQ(planner.GetSettings().rowMinutes, 20);
    EXPECT_EQ(planner.DecreaseRowScale(), 0);
    EXPECT_EQ(planner.DecreaseRowScale(), 0);
}

TEST_F(DayPlannerCtrlTest, TheRowSizeSetsTheHourHeightFromTheMeasuredFonts)
{
    const CDaySettings& s = planner.GetSettings();
    for (int index = 0; index < 4; ++index) {
        planner.SetRowScaleIndex(index);
        EXPECT_EQ(s.hourHeight, std::max(s.hourMetrics.tmHeight + 6, (s.minuteMetrics.tmHeight + 2) * 60 / s.rowMinutes))
            << index;
        planner.SetClock24(false);
        EXPECT_EQ(s.hourHeight, std::max(s.hourMetrics.tmHeight + s.minuteMetrics.tmHeight + 6,
                                         (s.minuteMetrics.tmHeight + 2) * 60 / s.rowMinutes))
            << index;
        planner.SetClock24(true);
    }
    EXPECT_EQ(s.headerHeight, s.windowMetrics.tmHeight + 8);
}

TEST_F(DayPlannerCtrlTest, ClickingAnEntrySelectsItAndTheMarkBoxIsReported)
{
    AddOverlappingEntries();
    PaintNow();
    parent.codes.clear();
    Click(CentreOf(3));
    EXPECT_EQ(planner.GetSelectedIndex(), 3);
    EXPECT_EQ(parent.Count(kPlannerSelectedItemChanged), 1);
    EXPECT_EQ(parent.Count(kPlannerMarkBoxClicked), 0);
    EXPECT_EQ(std::floor(planner.GetSelectedTime()), kDay);

    const RECT& rect = planner.GetSettings().placed[3].rect;
    parent.codes.clear();
    Click({rect.right - 7, rect.top + 6 - planner.GetPane().GetScrollOffset()});
    EXPECT_EQ(parent.Count(kPlannerMarkBoxClicked), 1);
    EXPECT_EQ(parent.Count(kPlannerSelectedItemChanged), 0);

    parent.codes.clear();
    Mouse(WM_LBUTTONDBLCLK, CentreOf(3), MK_LBUTTON);
    EXPECT_EQ(parent.Count(kPlannerDoubleClick), 1);
}

TEST_F(DayPlannerCtrlTest, AMoveStartsADragOnlyBeyondFivePixels)
{
    AddOverlappingEntries();
    PaintNow();
    const POINT press = CentreOf(3);
    Mouse(WM_LBUTTONDOWN, press, MK_LBUTTON);
    parent.codes.clear();
    Mouse(WM_MOUSEMOVE, {press.x + 3, press.y}, MK_LBUTTON);
    EXPECT_EQ(parent.Count(kPlannerBeginDrag), 0);
    Mouse(WM_MOUSEMOVE, {press.x + 6, press.y}, MK_LBUTTON);
    EXPECT_EQ(parent.Count(kPlannerBeginDrag), 1);
    // Further moves of the same press start no second drag.
    Mouse(WM_MOUSEMOVE, {press.x + 12, press.y}, MK_LBUTTON);
    EXPECT_EQ(parent.Count(kPlannerBeginDrag), 1);
    Mouse(WM_LBUTTONUP, {press.x + 6, press.y}, 0);
    // A move after the release starts nothing.
    Mouse(WM_MOUSEMOVE, {press.x + 20, press.y}, MK_LBUTTON);
    EXPECT_EQ(parent.Count(kPlannerBeginDrag), 1);
}

TEST_F(DayPlannerCtrlTest, DraggingAnEdgeReportsItsKindDeltaAndTargetDay)
{
    planner.SetDayCount(3);
    AddOverlappingEntries();
    PaintNow();
    Click(CentreOf(3));
    PaintNow(); // the selected entry's handles
    const RECT rect = planner.GetSettings().placed[3].rect;
    const int scroll = planner.GetPane().GetScrollOffset();
    const int hourHeight = planner.GetSettings().hourHeight;
    const int midX = (rect.left + rect.right) / 2;
    const int midY = (rect.top + rect.bottom) / 2 - scroll;
    const int dayWidth = planner.GetSettings().hourCells[24].rect.left - planner.GetSettings().hourCells[0].rect.left;

    const struct {
        const char* name;
        POINT press;
        POINT release;
        int kind;
        double delta;
        double target;
    } cases[] = {
        {"bottom edge down an hour and a half", {midX, rect.bottom + 1 - scroll},
         {midX, rect.bottom + 1 - scroll + hourHeight * 3 / 2}, kEdgeBottom, 1.0 / 16, kDay},
        {"top edge up an hour", {midX, rect.top - scroll}, {midX, rect.top - scroll - hourHeight}, kEdgeTop,
         -1.0 / 24, kDay},
        {"right edge two columns on", {rect.right, midY}, {rect.right + 2 * dayWidth, midY}, kEdgeRight, 0,
         kDay + 2},
    };
    for (const auto& c : cases) {
        parent.codes.clear();
        Mouse(WM_LBUTTONDOWN, c.press, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, c.release, MK_LBUTTON);
        EXPECT_EQ(parent.Count(kPlannerBeginDrag), 0) << c.name;
        Mouse(WM_LBUTTONUP, c.release, 0);
        EXPECT_EQ(parent.codes, (std::vector<WORD>{kPlannerEdgeDragEnded})) << c.name;
        EXPECT_EQ(planner.GetEdgeDragKind(), c.kind) << c.name;
        EXPECT_NEAR(planner.GetEdgeDragDelta(), c.delta, 1e-9) << c.name;
        EXPECT_EQ(planner.GetEdgeDragTargetDate(), c.target) << c.name;
    }
}

TEST_F(DayPlannerCtrlTest, ArrowKeysMoveTheSelectedHourAndScrollItIntoView)
{
    planner.SetFocus();
    parent.codes.clear();
    planner.SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_NEAR(planner.GetSelectedTime(), kDay + 9.0 / 24, 1e-9);
    EXPECT_EQ(parent.Count(kPlannerSelectedTimeChanged), 1);
    planner.SendMessage(WM_KEYDOWN, VK_END);
    EXPECT_NEAR(planner.GetSelectedTime(), kDay + 23.0 / 24, 1e-9);
    const int scroll = planner.GetPane().GetScrollOffset();
    EXPECT_GE(scroll + planner.GetPane().GetClientHeight(), 24 * planner.GetSettings().hourHeight);
}

TEST_F(DayPlannerCtrlTest, TheLayoutIsRebuiltOnlyWhenSomethingChanged)
{
    AddOverlappingEntries();
    PaintNow();
    // A mark on a record survives a repaint, so the paint did not lay out again.
    planner.GetSettings().placed[0].lengthMinutes = -7;
    PaintNow();
    EXPECT_EQ(planner.GetSettings().placed[0].lengthMinutes, -7);
    planner.AddItem(Entry(18, 0, 30, L"Gym", RGB(255, 255, 255), 15));
    PaintNow();
    EXPECT_EQ(planner.GetSettings().placed.size(), 5u);
    EXPECT_NE(planner.GetSettings().placed[0].lengthMinutes, -7);
}

TEST_F(DayPlannerCtrlTest, TheDropMarkerShowsTheSnappedTimeUnderThePointer)
{
    planner.SetSnapMinutes(15);
    const int hourHeight = planner.GetSettings().hourHeight;
    const int scroll = planner.GetPane().GetScrollOffset();
    // A little after 10:08: the nearest quarter is 10:15.
    planner.ShowDropMarker(200, 10 * hourHeight + hourHeight * 8 / 60 - scroll + 1);
    EXPECT_NEAR(planner.GetDropTime(), 10.25 / 24, 1e-6);
    planner.HideDropMarker();
}

TEST_F(DayPlannerCtrlTest, AReadOnlyPlannerKeepsItsSelectionUnderTheMouseAndKeys)
{
    AddOverlappingEntries();
    PaintNow();
    planner.SetStyleFlags(kPlannerReadOnly);
    const double selected = planner.GetSelectedTime();
    Click(CentreOf(3));
    planner.SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(planner.GetSelectedIndex(), -1);
    EXPECT_EQ(planner.GetSelectedTime(), selected);
}

TEST_F(DayPlannerCtrlTest, AnEntrysTipTellsItsStartSubjectAndDescription)
{
    PlannerItem item = Entry(13, 0, 60, L"Lunch with Ann", RGB(190, 240, 190), 14);
    item.description = L"At the corner place";
    planner.AddItem(item);
    PaintNow();
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = nullptr;
    info.hdr.idFrom = 0;
    info.hdr.code = TTN_GETDISPINFOW;
    planner.GetPane().SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    const EString text = info.lpszText;
    EXPECT_NE(text.find(L"2025"), EString::npos) << text.c_str();
    EXPECT_NE(text.find(L"\r\n\r\nLunch with Ann\r\n\r\nAt the corner place"), EString::npos) << text.c_str();
}

TEST_F(DayPlannerCtrlTest, AHalfHourEntryHasRoomForALineOfItsSubject)
{
    planner.SetDayCount(1);
    planner.AddItem(Entry(9, 0, 30, L"Call the bank", RGB(160, 200, 255), 12));
    planner.GetPane().ScrollToHour(8);
    PaintNow();
    RECT box = planner.GetSettings().placed[0].rect;
    box.bottom += 1;
    const int line = planner.GetSettings().windowMetrics.tmHeight;
    const RECT text = ItemTextRect(box, line);
    EXPECT_GE(text.bottom - text.top, line) << "a box " << box.bottom - box.top << " high";
    EXPECT_GT(text.top, box.top) << "the box's outline stays";
    EXPECT_FALSE(SaveWindowScreenshot(parent, L"day-planner-half-hour").empty());
}

namespace {

// The text the pane's tip shows over a pane point; empty where no tool answers.
EString TipTextAt(CPlannerPaneCtrl& pane, POINT point)
{
    TTHITTESTINFOW hit = {};
    hit.hwnd = pane;
    hit.pt = point;
    hit.ti.cbSize = sizeof(hit.ti);
    if (!::SendMessageW(pane.GetToolTip(), TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)))
        return EString();
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = pane.GetToolTip();
    info.hdr.idFrom = hit.ti.uId;
    info.hdr.code = TTN_GETDISPINFOW;
    pane.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info.lpszText ? EString(info.lpszText) : EString();
}

POINT Centre(const RECT& rect, int scroll)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 - scroll};
}

} // namespace

TEST_F(DayPlannerCtrlTest, EntriesBeyondTheFiveLanesAreMarkedWithTheirCountAndNamedInTheMarksTip)
{
    planner.SetDayCount(1);
    const wchar_t* names[] = {L"Write the quarterly report", L"Call the bank", L"Review the slides",
                              L"Supercalifragilistic planning", L"Book the van", L"Pack the books",
                              L"Water the plants"};
    for (int i = 0; i < 7; ++i)
        planner.AddItem(Entry(9, 0, 90, names[i], RGB(160, 200, 255), 20 + i));
    planner.AddItem(Entry(14, 0, 60, L"Lunch with Ann", RGB(190, 240, 190), 30));
    planner.GetPane().ScrollToHour(8);
    PaintNow();
    CPlannerPaneCtrl& pane = planner.GetPane();
    const CDaySettings& s = planner.GetSettings();
    ASSERT_EQ(s.placed.size(), 6u);
    ASSERT_EQ(pane.GetHiddenMarks().size(), 1u);
    const HiddenMark& mark = pane.GetHiddenMarks()[0];
    EXPECT_EQ(mark.group.itemIndices, (std::vector<int>{5, 6}));
    // In the right-most box, within the hours of the entries it stands for.
    const RECT& last = s.placed[4].rect;
    EXPECT_GE(mark.rect.left, last.left);
    EXPECT_LE(mark.rect.right, last.right);
    EXPECT_GE(mark.rect.top, 9 * s.hourHeight);
    EXPECT_LE(mark.rect.bottom, 10 * s.hourHeight + s.hourHeight / 2);
    EXPECT_FALSE(SaveWindowScreenshot(parent, L"day-planner-entries-not-shown").empty());

    const int scroll = pane.GetScrollOffset();
    const EString tip = TipTextAt(pane, Centre(mark.rect, scroll));
    EXPECT_NE(tip.find(L"Pack the books"), EString::npos) << tip.c_str();
    EXPECT_NE(tip.find(L"Water the plants"), EString::npos) << tip.c_str();
    EXPECT_EQ(tip.find(L"Book the van"), EString::npos) << "a shown entry: " << tip.c_str();
    // Off the mark, the box beneath tells of its own entry; and the mark takes no clicks from it.
    EXPECT_NE(TipTextAt(pane, Centre(last, scroll)).find(L"Book the van"), EString::npos);
    Click(Centre(mark.rect, scroll));
    EXPECT_EQ(planner.GetSelectedIndex(), 4);

    // With the view ending inside those hours, the mark comes up to the foot of the view.
    const RECT before = mark.rect;
    const RECT window = planner.GetWindowRect();
    ::SetWindowPos(planner, nullptr, 0, 0, window.right - window.left, s.headerHeight + s.hourHeight * 3 / 2,
                   SWP_NOMOVE | SWP_NOZORDER);
    pane.ScrollToHour(8);
    PaintNow();
    ASSERT_EQ(pane.GetHiddenMarks().size(), 1u);
    const RECT moved = pane.GetHiddenMarks()[0].rect;
    EXPECT_LT(moved.bottom, before.bottom);
    EXPECT_GE(moved.top, 9 * s.hourHeight);
    EXPECT_LE(moved.bottom, pane.GetScrollOffset() + pane.GetClientHeight());
    EXPECT_NE(TipTextAt(pane, Centre(moved, pane.GetScrollOffset())).find(L"Pack the books"), EString::npos)
        << "the tip follows the mark";
}

TEST_F(DayPlannerCtrlTest, ADayTooNarrowForItsLanesMarksAllItsEntries)
{
    ::SetWindowPos(parent, nullptr, 0, 0, 420, 600, SWP_NOMOVE | SWP_NOZORDER);
    planner.SetWindowPos(nullptr, parent.GetClientRect(), SWP_NOZORDER);
    planner.SetDayCount(14);
    for (int i = 0; i < 5; ++i)
        planner.AddItem(Entry(9, 0, 60, L"Meeting", RGB(160, 200, 255), 40 + i));
    PlannerItem nextDay = Entry(9, 0, 60, L"Alone", RGB(160, 200, 255), 50);
    nextDay.start += 1;
    planner.AddItem(nextDay);
    planner.GetPane().ScrollToHour(8);
    PaintNow();
    const std::vector<HiddenMark>& marks = planner.GetPane().GetHiddenMarks();
    ASSERT_EQ(marks.size(), 1u) << "the next day's one entry has room";
    EXPECT_EQ(marks[0].group.day, kDay);
    EXPECT_EQ(marks[0].group.itemIndices.size(), 5u);
    EXPECT_FALSE(SaveWindowScreenshot(parent, L"day-planner-narrow-days").empty());
}
