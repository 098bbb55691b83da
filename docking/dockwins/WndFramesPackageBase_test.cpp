#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/PtrFrame.h"
#include "docking/dockwins/WndFramesPackageBase.h"

using dockwins::CPtrFrame;
using dockwins::IFrame;

using docking_test::CStandInFrame;

namespace {

using Frame = CPtrFrame<IFrame>;
using Package = dockwins::CWndFramesPackageBase<Frame>;

Frame MakeFrame(int minimum, int minimumAcross = 0)
{
    return Frame(0, std::make_unique<CStandInFrame>(minimum, minimumAcross));
}

const CStandInFrame& StandIn(const Package& package, size_t i)
{
    return *static_cast<const CStandInFrame*>(package.Frame(i).Get());
}

std::vector<double> Positions(const Package& package)
{
    std::vector<double> positions;
    for (size_t i = 0; i < package.Count(); ++i)
        positions.push_back(package.Frame(i).position);
    return positions;
}

// A side-by-side package in (0, 0)-(width, 100) of frames with these minimums
// and these spans (each with its 5-pixel bar; the first starts at -5).
Package MakePackage(const std::vector<int>& minimums, const std::vector<double>& spans, int central, int width)
{
    Package package(true);
    package.SetRect(RECT{0, 0, width, 100});
    double start = -5;
    for (size_t i = 0; i < minimums.size(); ++i) {
        package.Insert(i, MakeFrame(minimums[i]), start, spans[i]);
        start += spans[i];
    }
    package.SetCentral(central);
    package.Arrange();
    return package;
}

} // namespace

TEST(WndFramesPackageTest, FramesAreLaidOutBehindTheirBarsAndTheFirstShowsNone)
{
    Package package = MakePackage({20, 50, 20}, {105, 200, 100}, 1, 400);
    EXPECT_EQ(Positions(package), (std::vector<double>{-5, 100, 300}));
    const RECT expected[] = {{0, 0, 100, 100}, {105, 0, 300, 100}, {305, 0, 400, 100}};
    for (size_t i = 0; i < 3; ++i) {
        const RECT& placed = StandIn(package, i).placed;
        EXPECT_TRUE(::EqualRect(&placed, &expected[i])) << i << ": " << placed.left << "-" << placed.right;
    }
    EXPECT_EQ(package.SplitterAt(POINT{2, 50}), -1);   // the first frame's bar is hidden
    EXPECT_EQ(package.SplitterAt(POINT{102, 50}), 1);
    EXPECT_EQ(package.SplitterAt(POINT{110, 50}), -1);
    EXPECT_EQ(package.SplitterAt(POINT{304, 50}), 2);
    EXPECT_NE(package.SplitterCursor(POINT{102, 50}), nullptr);

    MINMAXINFO info = {};
    package.GetMinMaxInfo(&info);
    EXPECT_EQ(info.ptMinTrackSize.x, 25 + 55 + 25 - 5);

    Package single = MakePackage({20}, {405}, 0, 400);
    EXPECT_EQ(single.SplitterAt(POINT{0, 50}), -1);
}

TEST(WndFramesPackageTest, TheCentralFrameTakesSizeChangesFirst)
{
    struct Case {
        const char* name;
        int newWidth;
        std::vector<double> positions;
    };
    const Case cases[] = {
        {"enlarged", 600, {-5, 100, 500}},
        {"shrunk within the view's room", 300, {-5, 100, 200}},
        {"shrunk to the view's minimum", 280, {-5, 100, 180}},
        // The view gives all it can (145), then every frame scales by 250 / 260
        // and the view keeps its minimum.
        {"shrunk beyond it", 245, {-5, -5 + 105 * (250.0 / 260), -5 + 105 * (250.0 / 260) + 55}},
        {"smaller than all minimums", 50, {-5, 20, 75}},
    };
    for (const Case& c : cases) {
        Package package = MakePackage({20, 50, 20}, {105, 200, 100}, 1, 400);
        package.SetRect(RECT{0, 0, c.newWidth, 100});
        const std::vector<double> positions = Positions(package);
        ASSERT_EQ(positions.size(), c.positions.size()) << c.name;
        for (size_t i = 0; i < positions.size(); ++i)
            EXPECT_NEAR(positions[i], c.positions[i], 1e-6) << c.name << " frame " << i;
    }
}

TEST(WndFramesPackageTest, ARowScalesAndAFirstLayoutFromNothingDividesByNothing)
{
    // A row (no central frame) laid out while its extent was 0.
    Package row(false);
    row.Insert(0, MakeFrame(10), 0, 0);
    row.Insert(1, MakeFrame(10), 0, 0);
    row.SetRect(RECT{0, 0, 100, 200});
    for (const double p : Positions(row))
        EXPECT_TRUE(std::isfinite(p));
    EXPECT_EQ(row.Frame(0).position, -5);
    EXPECT_GE(row.Frame(1).position, 10);

    Package scaled = MakePackage({10, 10}, {105, 100}, -1, 200);
    scaled.SetRect(RECT{0, 0, 400, 100});
    EXPECT_NEAR(scaled.Frame(1).position, -5 + 105 * (405.0 / 205), 1e-6);
}

TEST(WndFramesPackageTest, ACentralFrameAddedBeforeTheFirstLayoutStartsAtTheLowerBound)
{
    // The view is put in while the package has no rectangle yet; a row later
    // docked before it must get the size it asks for, not its bar's more.
    Package package(true);
    package.Insert(0, MakeFrame(0), 0, 0);
    package.SetCentral(0);
    package.SetRect(RECT{0, 0, 400, 100});
    EXPECT_EQ(Positions(package), (std::vector<double>{-5}));
    package.Insert(0, MakeFrame(20), package.Frame(0).position, 155);
    EXPECT_EQ(Positions(package), (std::vector<double>{-5, 150}));
}

TEST(WndFramesPackageTest, ASplitterStopsAtItsNeighboursMinimums)
{
    Package package = MakePackage({20, 50, 20}, {105, 200, 100}, 1, 400);
    const auto [lower, upper] = package.GetBounds(2);
    EXPECT_EQ(lower, -5 + 25 + 55);
    EXPECT_EQ(upper, 400 - 25);

    struct Case {
        size_t frame;
        double to;
        std::vector<double> positions;
    };
    const Case cases[] = {
        {2, 250, {-5, 100, 250}}, // only the two frames beside the bar change
        {2, 75, {-5, 20, 75}},    // pushed the middle frame's start back to keep its minimum
        {1, 350, {-5, 320, 375}}, // stops at its bound, pushing the last frame forward
    };
    for (const Case& c : cases) {
        Package moved = MakePackage({20, 50, 20}, {105, 200, 100}, 1, 400);
        const auto bounds = moved.GetBounds(c.frame);
        moved.MoveSplitter(c.frame, std::clamp(c.to, bounds.first, bounds.second));
        EXPECT_EQ(Positions(moved), c.positions) << c.frame << " to " << c.to;
    }
}

TEST(WndFramesPackageTest, ADropBeyondTheFirstThirdOfAFrameGoesAfterIt)
{
    Package package = MakePackage({10, 10}, {105, 300}, -1, 400);
    struct Case {
        double start;
        size_t where;
    };
    // Frame 1 spans 100-400: its first third ends at 200.
    const Case cases[] = {{-20, 0}, {-5, 0}, {30, 0}, {40, 1}, {100, 1}, {200, 1}, {201, 2}, {450, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(package.InsertionPointAt(c.start), c.where) << c.start;
    EXPECT_EQ(Package(true).InsertionPointAt(50), 0u);
}

TEST(WndFramesPackageTest, InsertingMakesRoomAndRemovingGivesTheSpaceBack)
{
    Package package = MakePackage({20, 50, 20}, {105, 200, 100}, 1, 400);
    // A new row between the view and the last row: the view gives up the
    // room and the last row is pushed towards the end.
    package.Insert(2, MakeFrame(20), 250, 100);
    EXPECT_EQ(Positions(package), (std::vector<double>{-5, 100, 250, 350}));
    EXPECT_EQ(package.Central(), 1);
    // A new first row goes to the lower bound.
    package.Insert(0, MakeFrame(20), 30, 40);
    EXPECT_EQ(package.Frame(0).position, -5);
    EXPECT_EQ(package.Central(), 2);

    // Removing a row before the view lets the view take its span.
    Package rows = MakePackage({20, 50, 20, 20}, {105, 100, 100, 100}, 2, 400);
    rows.RemoveTowardsCentral(0);
    EXPECT_EQ(Positions(rows), (std::vector<double>{-5, 95, 300}));
    EXPECT_EQ(rows.Central(), 1);
    rows.RemoveTowardsCentral(2);
    EXPECT_EQ(Positions(rows), (std::vector<double>{-5, 95}));

    // In a row, the frame before a removed one takes its span.
    Package row = MakePackage({10, 10, 10}, {105, 100, 200}, -1, 400);
    row.Remove(1);
    EXPECT_EQ(Positions(row), (std::vector<double>{-5, 200}));
    row.Remove(0);
    EXPECT_EQ(Positions(row), (std::vector<double>{-5}));
}
