// The calendar image without windows: where tasks land by deadline and completion, the boxes of a day, hit tests and what a paint shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "foundation/Color.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "testing/TestSupport.h"
#include "views/calendar/CalendarImage.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

const double kFirst = MakeOleDate(2024, 5, 13); // a Monday
const double kLast = kFirst + 42;
constexpr COLORREF kBlue = RGB(0, 0, 128);
constexpr COLORREF kYellow = RGB(255, 255, 200);

class CalendarImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        image.SetDateRange(kFirst, kLast);
    }
    void TearDown() override { ClearProgramRegistry(); }

    // The keys of the cells of a lane, per day.
    std::vector<std::pair<double, std::vector<int>>> CellKeys(int lane) const
    {
        std::vector<std::pair<double, std::vector<int>>> days;
        for (const auto& [day, cell] : image.GetCells(lane)) {
            std::vector<int> keys;
            for (const auto& [key, color] : cell.GetItems())
                keys.push_back(key);
            days.emplace_back(static_cast<double>(day), keys);
        }
        return days;
    }
    // The centre of the box at a position in a lane of a day.
    POINT BoxCentre(int lane, double day, int position) const
    {
        Ceil cell;
        cell.SetRect(image.GetLaneRect(lane, day));
        const RECT box = cell.GetBoxRect(position);
        return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }

    CalendarImage image;
};

TEST_F(CalendarImageTest, TasksLandOnTheWholeDayOfTheirDatesOnlyInsideTheRange)
{
    struct Case {
        const char* what;
        int lane;
        double date;
        bool placed;
        double day;
    };
    const Case cases[] = {
        {"a deadline inside the range", PlanItemsMan::kPlanLane, kFirst + 3, true, kFirst + 3},
        {"the time of day is dropped", PlanItemsMan::kPlanLane, kFirst + 3.75, true, kFirst + 3},
        {"the first day", PlanItemsMan::kPlanLane, kFirst, true, kFirst},
        {"noon of the last day", PlanItemsMan::kPlanLane, kLast + 0.5, true, kLast},
        {"the day before the range", PlanItemsMan::kPlanLane, kFirst - 1, false, 0},
        {"the day after the range", PlanItemsMan::kPlanLane, kLast + 1, false, 0},
        {"a completion inside the range", PlanItemsMan::kRealityLane, kFirst + 10.4, true, kFirst + 10},
        {"a completion before the range", PlanItemsMan::kRealityLane, kFirst - 5, false, 0},
    };
    for (const Case& c : cases) {
        image.ClearItems();
        if (c.lane == PlanItemsMan::kPlanLane)
            image.SetPlanItem(7, c.date, kBlue);
        else
            image.SetRealityItem(7, c.date, kBlue);
        const PlanItemsMan::Items& items = image.GetItems(c.lane);
        const PlanItemsMan::Items& other = image.GetItems(1 - c.lane);
        ASSERT_EQ(items.count(7), c.placed ? 1u : 0u) << c.what;
        EXPECT_TRUE(other.empty()) << c.what << ": the other lane got it";
        if (c.placed) {
            EXPECT_EQ(items.at(7).day, c.day) << c.what;
            EXPECT_EQ(items.at(7).color, kBlue) << c.what;
        }
    }
}

TEST_F(CalendarImageTest, CellsGroupEachLanesItemsByDayInKeyOrder)
{
    image.SetPlanItem(3, kFirst + 2, kBlue);
    image.SetPlanItem(1, kFirst + 2, kYellow);
    image.SetPlanItem(2, kFirst + 5, kBlue);
    image.SetRealityItem(3, kFirst + 1, kBlue);
    using Days = std::vector<std::pair<double, std::vector<int>>>;
    EXPECT_EQ(CellKeys(PlanItemsMan::kPlanLane), (Days{{kFirst + 2, {1, 3}}, {kFirst + 5, {2}}}));
    EXPECT_EQ(CellKeys(PlanItemsMan::kRealityLane), (Days{{kFirst + 1, {3}}}));
    const Ceil& cell = image.GetCells(PlanItemsMan::kPlanLane).at(static_cast<long long>(kFirst + 2));
    const RECT expected = image.GetLaneRect(PlanItemsMan::kPlanLane, kFirst + 2);
    EXPECT_TRUE(::EqualRect(&cell.GetRect(), &expected));
    EXPECT_EQ(cell.GetItems().at(1), kYellow);

    image.MovePlanItem(3, kFirst + 5.5);
    EXPECT_EQ(CellKeys(PlanItemsMan::kPlanLane), (Days{{kFirst + 2, {1}}, {kFirst + 5, {2, 3}}}));
    EXPECT_EQ(image.GetItems(PlanItemsMan::kPlanLane).at(3).color, kBlue) << "a move keeps the colour";
    image.RemovePlanItem(2);
    image.RemoveRealityItem(3);
    EXPECT_EQ(CellKeys(PlanItemsMan::kPlanLane), (Days{{kFirst + 2, {1}}, {kFirst + 5, {3}}}));
    EXPECT_TRUE(image.GetCells(PlanItemsMan::kRealityLane).empty());
}

TEST_F(CalendarImageTest, AMoveChangesNothingForAnUnknownKeyOrADayOutsideTheRange)
{
    image.SetPlanItem(1, kFirst + 4, kBlue);
    image.MovePlanItem(2, kFirst + 6);
    image.MovePlanItem(1, kLast + 1);
    image.MovePlanItem(1, kFirst - 1);
    ASSERT_EQ(image.GetItems(PlanItemsMan::kPlanLane).size(), 1u);
    EXPECT_EQ(image.GetItems(PlanItemsMan::kPlanLane).at(1).day, kFirst + 4);
}

TEST_F(CalendarImageTest, ANewRangeMovesTheCellsToTheirNewColumns)
{
    image.SetPlanItem(1, kFirst + 4, kBlue);
    const RECT before = image.GetCells(PlanItemsMan::kPlanLane).begin()->second.GetRect();
    image.SetDateRange(kFirst - 2, kLast);
    const RECT after = image.GetCells(PlanItemsMan::kPlanLane).begin()->second.GetRect();
    EXPECT_EQ(after.left - before.left, 2 * CalendarImage::kDayWidth);
}

TEST_F(CalendarImageTest, GeometryFollowsTheFixedColumnsAndLanes)
{
    const SIZE size = image.GetImageSize();
    EXPECT_EQ(size.cx, 2650) << "43 days";
    EXPECT_EQ(size.cy, 172);
    struct Case {
        int lane;
        double day;
        RECT rect;
    };
    const Case cases[] = {
        {PlanItemsMan::kPlanLane, kFirst, {65, 42, 126, 103}},
        {PlanItemsMan::kRealityLane, kFirst, {65, 102, 126, 163}},
        {PlanItemsMan::kPlanLane, kFirst + 2, {185, 42, 246, 103}},
        {PlanItemsMan::kRealityLane, kFirst + 1.9, {125, 102, 186, 163}},
    };
    for (const Case& c : cases) {
        const RECT rect = image.GetLaneRect(c.lane, c.day);
        EXPECT_TRUE(::EqualRect(&rect, &c.rect))
            << c.lane << "/" << c.day - kFirst << ": " << rect.left << "," << rect.top << "," << rect.right << ","
            << rect.bottom;
    }
}

TEST_F(CalendarImageTest, LanesDaysAndStripsAreFoundFromPoints)
{
    struct LaneCase {
        int y;
        int lane;
    };
    const LaneCase lanes[] = {{30, 0}, {42, 0}, {43, 0}, {101, 0}, {102, 0}, {103, 1}, {161, 1}, {162, 0}, {170, 0}};
    for (const LaneCase& c : lanes)
        EXPECT_EQ(CalendarImage::LaneAt(c.y), c.lane) << "y " << c.y;

    struct DateCase {
        int x;
        double date;
    };
    const DateCase dates[] = {
        {64, kFirst}, {65, kFirst}, {124, kFirst}, {125, kFirst + 1}, {185, kFirst + 2}, {6, kFirst - 0},
        {4, kFirst - 1},
    };
    for (const DateCase& c : dates)
        EXPECT_EQ(image.DateAt(c.x), c.date) << "x " << c.x;

    struct StripCase {
        int x;
        int y;
        double date;
    };
    const StripCase strips[] = {
        {130, 30, kFirst + 1}, {66, 27, kFirst}, {130, 26, 0}, {130, 42, 0}, {65, 30, 0}, {130, 60, 0},
    };
    for (const StripCase& c : strips)
        EXPECT_EQ(image.DayStripDateAt(c.x, c.y), c.date) << c.x << "," << c.y;
}

TEST_F(CalendarImageTest, TenTasksOnOneDayShowEightNumbersAndAnEllipsisAndOnlyEightCanBeHit)
{
    for (int key = 1; key <= 10; ++key)
        image.SetPlanItem(key, kFirst + 1, kYellow);
    const Ceil& cell = image.GetCells(PlanItemsMan::kPlanLane).begin()->second;
    ASSERT_EQ(cell.GetItems().size(), 10u);
    int position = 0;
    for (const auto& [key, color] : cell.GetItems()) {
        const EString expected = position < 8 ? EString::Formatted(L"%d", key) : EString(L"...");
        EXPECT_EQ(Ceil::GetBoxText(position, key), expected) << "position " << position;
        ++position;
    }
    const RECT ninth = cell.GetBoxRect(8);
    const RECT tenth = cell.GetBoxRect(9);
    EXPECT_TRUE(::EqualRect(&ninth, &tenth)) << "every item from the ninth on shares the last box";

    for (int position = 0; position < 9; ++position) {
        const POINT centre = BoxCentre(PlanItemsMan::kPlanLane, kFirst + 1, position);
        EXPECT_EQ(image.ItemAt(centre.x, centre.y), position < 8 ? position + 1 : 0) << "position " << position;
    }
}

TEST_F(CalendarImageTest, NineTasksOnOneDayStillShowTheEllipsisInTheNinthBox)
{
    for (int key = 1; key <= 9; ++key)
        image.SetPlanItem(key, kFirst, kBlue);
    EXPECT_EQ(Ceil::GetBoxText(8, 9), EString(L"..."));
    const POINT centre = BoxCentre(PlanItemsMan::kPlanLane, kFirst, 8);
    EXPECT_EQ(image.ItemAt(centre.x, centre.y), 0);
}

TEST_F(CalendarImageTest, BoxesSplitTheCellInThreeByThreeAndTheLaterOfTwoOverlappingBoxesWins)
{
    image.SetPlanItem(1, kFirst, kBlue);
    image.SetPlanItem(2, kFirst, kBlue);
    image.SetRealityItem(5, kFirst, kBlue);
    const Ceil& cell = image.GetCells(PlanItemsMan::kPlanLane).begin()->second;
    struct BoxCase {
        int position;
        RECT box;
    };
    const BoxCase boxes[] = {{0, {63, 40, 86, 63}}, {1, {84, 40, 107, 63}}, {4, {84, 61, 107, 84}}, {8, {105, 82, 128, 105}}};
    for (const BoxCase& c : boxes) {
        const RECT box = cell.GetBoxRect(c.position);
        EXPECT_TRUE(::EqualRect(&box, &c.box)) << c.position << ": " << box.left << "," << box.top;
    }
    struct HitCase {
        const char* what;
        int x;
        int y;
        int key;
    };
    const HitCase hits[] = {
        {"inside the first box", 70, 50, 1},
        {"the shared border of boxes 1 and 2", 85, 50, 2},
        {"a box position without an item", 70, 70, 0},
        {"the next day", 140, 50, 0},
        {"the REALITY box under the same day", 70, 110, 5},
        {"the lane border counts as PLAN", 70, 102, 0},
        {"the day strip", 70, 30, 0},
    };
    for (const HitCase& c : hits)
        EXPECT_EQ(image.ItemAt(c.x, c.y), c.key) << c.what;
}

TEST_F(CalendarImageTest, TheItemPointIsTheLeftOfThePlanDay)
{
    image.SetPlanItem(4, kFirst + 3, kBlue);
    image.SetRealityItem(6, kFirst + 3, kBlue);
    ASSERT_TRUE(image.GetItemPoint(4).has_value());
    EXPECT_EQ(image.GetItemPoint(4)->x, 245);
    EXPECT_EQ(image.GetItemPoint(4)->y, 0);
    EXPECT_FALSE(image.GetItemPoint(6).has_value()) << "only PLAN items have a point";
}

// Paints the image into a bitmap and reads pixels back.
class PaintedImage {
public:
    explicit PaintedImage(const CalendarImage& image)
        : m_dc(m_screen),
          m_bitmap(::CreateCompatibleBitmap(m_screen, image.GetImageSize().cx, image.GetImageSize().cy)),
          m_selected(m_dc, m_bitmap)
    {
        const SIZE size = image.GetImageSize();
        const RECT all = {0, 0, size.cx, size.cy};
        ::FillRect(m_dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        image.Paint(m_dc);
    }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc, x, y); }

private:
    CScreenDC m_screen;
    CCompatibleDC m_dc;
    CBitmap m_bitmap;
    CSelectObject m_selected;
};

TEST_F(CalendarImageTest, AHolidayGreysItsStripAndLanesAndTheSelectedBoxTakesTheSelectionFill)
{
    Options::SetIsAutoSatSun(0);
    const double holiday = kFirst + 2;
    image.SetHolidays({holiday});
    image.SetPlanItem(1, kFirst + 1, kYellow);
    image.SetPlanItem(2, kFirst + 1, kYellow);
    image.SetSelectedKey(2);
    const PaintedImage painted(image);
    struct Case {
        const char* what;
        double day;
        int y;
        COLORREF color;
    };
    const Case cases[] = {
        {"the holiday's PLAN lane", holiday, 95, Color::HolidayBackground()},
        {"the holiday's REALITY lane", holiday, 150, Color::HolidayBackground()},
        {"the holiday's day strip", holiday, 28, Color::HolidayBackground()},
        {"a work day's lane", kFirst + 3, 95, Color::White()},
        {"a work day's strip", kFirst + 3, 28, Color::DayBackground()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(painted.At(image.GetDateX(c.day) + 4, c.y), c.color) << c.what;
    EXPECT_EQ(painted.At(BoxCentre(0, kFirst + 1, 0).x - 8, BoxCentre(0, kFirst + 1, 0).y - 8), kYellow);
    EXPECT_EQ(painted.At(BoxCentre(0, kFirst + 1, 1).x - 8, BoxCentre(0, kFirst + 1, 1).y - 8),
              Color::SelectedItemFill());
    EXPECT_TRUE(image.IsHoliday(holiday));
    EXPECT_FALSE(image.IsHoliday(holiday + 1));
}

} // namespace
