#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "docking/dockwins/DockingNotifyRecord.h"
#include "docking/dockwins/DockingPinRequest.h"
#include "docking/dockwins/DockingPosition.h"

using dockwins::CDockingSide;

// A receiver reads the code before it knows which record came.
static_assert(offsetof(DockingNotifyRecord, code) == offsetof(DockingPosition, code));
static_assert(offsetof(DockingPinRequest, code) == offsetof(DockingPosition, code));
static_assert(sizeof(DockingNotifyRecord::window) == sizeof(void*));
static_assert(sizeof(DockingPinRequest::windows) == sizeof(void*));

namespace {

std::uint32_t FieldAt(const std::array<std::byte, DockingPosition::StoredSize>& bytes, int index)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint32_t>(bytes[static_cast<size_t>(index * 4 + i)]);
    return value;
}

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST(DockingPositionTest, StoredFormRoundTripsFieldByField)
{
    struct Case {
        const char* name;
        DockingPosition position;
        // Fields 3 to 7 as stored.
        std::uint32_t side, f4, f5, f6, f7;
    };
    DockingPosition left;
    left.window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(0x10A2C));
    left.container = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-0x2F)); // handles are sign-extended
    left.code = DockingGetPosition;
    left.side = CDockingSide(CDockingSide::Inner | CDockingSide::BeforeCentral);
    left.place = {1, 0.5f, 180, 240};
    left.labelIndex = 0;
    left.floatingRect = {-1200, 40, -900, 400}; // on a monitor left of the main one
    left.docked = true;
    left.shown = true;

    DockingPosition floating;
    floating.side = CDockingSide(CDockingSide::NotDocked);
    floating.windowRect = {10, 20, 310, 420};
    floating.floatingRect = {10, 20, 310, 420};
    floating.shown = true;

    DockingPosition pinned;
    pinned.side = CDockingSide(CDockingSide::Top | CDockingSide::Single | CDockingSide::Pinned | CDockingSide::Active);
    pinned.place = {2, 0.0f, 200, 1};
    pinned.labelIndex = 3;
    pinned.docked = true;

    const Case cases[] = {
        {"docked left", left, 0x3, 1, 0x3F000000, 180, 240},
        {"floating", floating, 0x8, 10, 20, 310, 420},
        {"pinned top", pinned, 0x36, 2, 0, 200, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto bytes = c.position.Store();
        ASSERT_EQ(bytes.size(), 60u);
        EXPECT_EQ(FieldAt(bytes, 0), static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(c.position.window)));
        EXPECT_EQ(FieldAt(bytes, 3), c.side);
        EXPECT_EQ(FieldAt(bytes, 4), c.f4);
        EXPECT_EQ(FieldAt(bytes, 5), c.f5);
        EXPECT_EQ(FieldAt(bytes, 6), c.f6);
        EXPECT_EQ(FieldAt(bytes, 7), c.f7);
        EXPECT_EQ(FieldAt(bytes, 8), static_cast<std::uint32_t>(c.position.labelIndex));
        EXPECT_EQ(static_cast<std::int32_t>(FieldAt(bytes, 9)), c.position.floatingRect.left);
        EXPECT_EQ(FieldAt(bytes, 13), c.position.docked ? 1u : 0u);
        EXPECT_EQ(FieldAt(bytes, 14), c.position.shown ? 1u : 0u);

        // Read back, every field stores again as it was.
        const auto back = DockingPosition::Load(bytes.data(), bytes.size());
        ASSERT_TRUE(back);
        EXPECT_EQ(back->Store(), bytes);
        EXPECT_EQ(back->container, c.position.container);
        EXPECT_EQ(back->place.ratio, c.position.place.ratio);
        EXPECT_TRUE(back->windowRect == c.position.windowRect);
    }
}

TEST(DockingPositionTest, ABlockOfAnyOtherSizeIsRefused)
{
    const auto bytes = DockingPosition().Store();
    for (const size_t size : {size_t{0}, size_t{56}, size_t{59}, size_t{61}, size_t{64}})
        EXPECT_FALSE(DockingPosition::Load(bytes.data(), size)) << size;
    EXPECT_FALSE(DockingPosition::Load(nullptr, 60));
}
