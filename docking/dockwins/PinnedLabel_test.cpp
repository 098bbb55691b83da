#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/PinnedLabel.h"

using dockwins::CMultyPinnedLabel;
using dockwins::IPinnedLabel;
using namespace docking_test;

namespace {

// Three panes with titles, a manager window their labels pin them to.
class PinnedLabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(manager.Create(CreateArgs{.style = WS_POPUP, .rect = {0, 0, 300, 30}}));
        const wchar_t* titles[] = {L"Categories", L"Daily plan", L"People and more"};
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(panes[i].Create(CreateArgs{.title = titles[i], .style = WS_POPUP | WS_CAPTION,
                                                   .rect = {100, 100, 300, 300}}));
            handles[i] = panes[i].m_hWnd;
        }
    }
    DockingPinRequest Request(int count)
    {
        DockingPinRequest request;
        request.window = handles[1];
        request.container = manager.m_hWnd;
        request.size = 150;
        request.windowCount = count;
        request.windows = handles;
        return request;
    }

    CPlainWindow manager;
    CPlainWindow panes[3];
    HWND handles[3] = {};
};

} // namespace

TEST(MultyPinnedLabelTest, APointFindsItsEntryAndNoIconWidthFindsTheActiveOne)
{
    struct Case {
        int offset;
        int labelWidth;
        int iconOnly;
        size_t active;
        size_t expected;
    };
    // Three entries: icon-only ones 22 wide, the active one takes the rest.
    const Case cases[] = {
        {5, 200, 22, 1, 0},   {30, 200, 22, 1, 1},  {178, 200, 22, 1, 1}, {179, 200, 22, 1, 2},
        {5, 200, 22, 0, 0},   {199, 200, 22, 2, 2}, {50, 2, 0, 1, 1},     {500, 200, 22, 1, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CMultyPinnedLabel::EntryAt(c.offset, c.labelWidth, c.iconOnly, 3, c.active), c.expected)
            << c.offset << " in " << c.labelWidth << " with icons " << c.iconOnly;
}

TEST_F(PinnedLabelTest, ABoxsPanesShareOneLabelWithTheFirstActive)
{
    std::unique_ptr<IPinnedLabel> label(dockwins::MakePinnedLabel(Request(3), true));
    auto* multy = dynamic_cast<CMultyPinnedLabel*>(label.get());
    ASSERT_NE(multy, nullptr);
    EXPECT_EQ(label->ActivePinnedWindow()->Window(), handles[1]);
    EXPECT_EQ(multy->IconOnlyWidth(), ::GetSystemMetrics(SM_CXSMICON) + 6);
    EXPECT_EQ(panes[0].GetParent(), manager.m_hWnd);
    EXPECT_NE(panes[0].GetStyle() & WS_CHILD, 0u);
    EXPECT_EQ(panes[0].GetStyle() & WS_CAPTION, 0u);

    const struct {
        int width;
        int iconOnly;
    } widths[] = {{300, ::GetSystemMetrics(SM_CXSMICON) + 6}, {30, 10}, {2, 0}};
    for (const auto& w : widths) {
        label->SetWidth(w.width);
        EXPECT_EQ(multy->IconOnlyWidth(), w.iconOnly) << w.width;
        EXPECT_NE(label->FromPoint(1, false), nullptr) << w.width;
    }

    DockingPosition position;
    position.window = handles[1];
    ASSERT_TRUE(label->GetDockingPosition(&position));
    EXPECT_EQ(position.labelIndex, 1);
    EXPECT_TRUE(position.side.IsActive());
}

TEST_F(PinnedLabelTest, RemovingOneOfTwoPanesLeavesASingleLabelOfLengthOne)
{
    std::unique_ptr<IPinnedLabel> label(dockwins::MakePinnedLabel(Request(2), false));
    std::unique_ptr<IPinnedLabel> single(label->Remove(handles[0], manager.m_hWnd));
    ASSERT_NE(single, nullptr);
    ASSERT_NE(single.get(), label.get());
    EXPECT_TRUE(single->IsOwner(handles[1]));
    EXPECT_FALSE(single->IsOwner(handles[0]));
    EXPECT_EQ(panes[0].GetParent(), nullptr);
    EXPECT_NE(panes[0].GetStyle() & WS_POPUP, 0u);

    DockingPosition position;
    ASSERT_TRUE(single->GetDockingPosition(&position));
    EXPECT_EQ(position.place.length, 1);
    EXPECT_EQ(position.place.rowSize, 150);
}

TEST_F(PinnedLabelTest, RemovingFromThreeKeepsTheOrderAndTheActiveIndexInRange)
{
    std::unique_ptr<IPinnedLabel> label(dockwins::MakePinnedLabel(Request(3), true));
    label->FromPoint(10000, true);
    ASSERT_EQ(label->ActivePinnedWindow()->Window(), handles[2]);
    EXPECT_EQ(label->Remove(handles[2], manager.m_hWnd), label.get());
    EXPECT_EQ(label->ActivePinnedWindow()->Window(), handles[1]);
    EXPECT_TRUE(label->IsOwner(handles[0]));
}
