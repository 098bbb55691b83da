#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "docking/sstate/MainState.h"
#include "docking/sstate/RebarBandRecord.h"
#include "docking/sstate/StateKeyName.h"
#include "docking/sstate/StateTestSupport.h"
#include "docking/sstate/StoredDockingPosition.h"
#include "docking/sstate/StoredPlacement.h"

using dockwins::CDockingSide;
using namespace sstate;
using namespace sstate::testing;

namespace {

const RECT Screen = {0, 0, 1024, 768};

DockingPosition DockedLeft(const std::function<void(DockingPosition&)>& change = {})
{
    DockingPosition position;
    position.side = CDockingSide(CDockingSide::Left);
    position.place = {1, 0.25f, 200, 400};
    position.floatingRect = {100, 100, 300, 500};
    position.docked = position.shown = true;
    if (change)
        change(position);
    return position;
}

std::string Bytes(const void* data, size_t size)
{
    return std::string(static_cast<const char*>(data), size);
}

} // namespace

TEST(StoredValuesTest, ChildKeysAreNamedByUnsignedHexIds)
{
    const std::pair<std::int32_t, const wchar_t*> cases[] = {
        {-1, L"0xffffffff"}, {-2, L"0xfffffffe"}, {-3, L"0xfffffffd"}, {-4, L"0xfffffffc"}, {26, L"0x1a"}};
    for (const auto& [id, name] : cases)
        EXPECT_EQ(StateKeyName(id), name) << id;
}

TEST(StoredValuesTest, ScreenRatioTreatsNoScreenAsTheSameScreen)
{
    const struct {
        int current;
        std::optional<DWORD> stored;
        float ratio;
    } cases[] = {{2048, 1024u, 2.0f}, {384, 768u, 0.5f}, {1024, std::nullopt, 1.0f}, {1024, 0u, 1.0f},
                 {1024, 0xFFFFFFFFu, 1.0f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(ScreenRatio(c.current, c.stored), c.ratio) << c.current << " " << c.stored.value_or(0);
}

TEST(StoredValuesTest, OnlyPlausibleDockingRecordsAreRead)
{
    using Change = std::function<void(DockingPosition&)>;
    const struct {
        const char* name;
        Change change;
        float ratio;
        bool accepted;
    } cases[] = {
        {"good", {}, 1.0f, true},
        {"shrunk with the screen", {}, 0.5f, true},
        {"too long for the screen once doubled", {}, 2.0f, false},
        {"unknown side bits", [](auto& p) { p.side = CDockingSide(CDockingSide::Left | 0x40); }, 1.0f, false},
        {"ratio above 1", [](auto& p) { p.place.ratio = 1.5f; }, 1.0f, false},
        {"ratio not a number", [](auto& p) { p.place.ratio = std::nanf(""); }, 1.0f, false},
        {"negative row", [](auto& p) { p.place.row = -1; }, 1.0f, false},
        {"row wider than the screen", [](auto& p) { p.place.rowSize = 1025; }, 1.0f, false},
        {"floating off the screen", [](auto& p) { p.floatingRect = {2000, 0, 2200, 300}; }, 1.0f, false},
        {"floating inside out", [](auto& p) { p.floatingRect = {300, 100, 100, 500}; }, 1.0f, false},
        {"hidden window off the screen", [](auto& p) {
             p.side = CDockingSide(CDockingSide::NotDocked);
             p.windowRect = {-900, -900, -700, -600};
         }, 1.0f, false},
    };
    PrivateKey key;
    for (const auto& c : cases) {
        const auto bytes = DockedLeft(c.change).Store();
        key.Key().SetBinary(L"pane", bytes.data(), static_cast<DWORD>(bytes.size()));
        EXPECT_EQ(ReadDockingPosition(key.Key(), L"pane", FixedMainState(c.ratio), Screen).has_value(), c.accepted)
            << c.name;
    }
    // Of the wrong size or type.
    const auto good = DockedLeft().Store();
    key.Key().SetBinary(L"short", good.data(), 56);
    key.Key().SetBinary(L"long", (Bytes(good.data(), 60) + "xxxx").data(), 64);
    ::RegSetValueExW(key.Key(), L"text", 0, REG_SZ, reinterpret_cast<const BYTE*>(good.data()), 60);
    for (const wchar_t* name : {L"short", L"long", L"text"})
        EXPECT_FALSE(ReadDockingPosition(key.Key(), name, FixedMainState(), Screen)) << name;
}

TEST(StoredValuesTest, ScalingDoublesSizesAlongTheirAxisAndTheFloatingRectangle)
{
    // Stored at 1024 x 768, restored at 2048 x 1536.
    const struct {
        const char* name;
        int side;
        bool docked;
        int rowSize, length;
    } cases[] = {
        {"left", CDockingSide::Left, true, 200, 120},  {"top", CDockingSide::Top, true, 200, 120},
        {"pinned right", CDockingSide::Right | CDockingSide::Pinned, true, 200, 120},
        {"hidden", CDockingSide::Left, false, 100, 60}, {"floating", CDockingSide::NotDocked, true, 100, 60},
    };
    for (const auto& c : cases) {
        DockingPosition position;
        position.side = CDockingSide(c.side);
        position.docked = c.docked;
        position.place = {0, 0.0f, 100, 60};
        position.floatingRect = {-15, 15, 101, 51};
        ASSERT_TRUE(ScaleDockingPosition(position, 2.0f, 2.0f)) << c.name;
        if (position.side.IsDocked()) {
            EXPECT_EQ(std::make_pair(position.place.rowSize, position.place.length), std::make_pair(c.rowSize, c.length))
                << c.name;
        }
        EXPECT_TRUE(SameRect(position.floatingRect, {-30, 30, 202, 102})) << c.name;
    }
    DockingPosition huge = DockedLeft([](auto& p) { p.place.rowSize = 2000000000; });
    EXPECT_FALSE(ScaleDockingPosition(huge, 2.0f, 2.0f));
}

TEST(StoredValuesTest, PlacementComesBackShownAndOnTheScreen)
{
    const struct {
        const char* name;
        UINT flags, showCmd;
        RECT normal;
        std::optional<UINT> restoredShowCmd;
    } cases[] = {
        {"normal", 0, SW_SHOWNORMAL, {50, 50, 850, 650}, SW_SHOWNORMAL},
        {"maximized", WPF_RESTORETOMAXIMIZED, SW_SHOWMAXIMIZED, {50, 50, 850, 650}, SW_SHOWMAXIMIZED},
        {"minimized", 0, SW_SHOWMINIMIZED, {50, 50, 850, 650}, SW_SHOWNORMAL},
        {"hidden", 0, SW_HIDE, {50, 50, 850, 650}, std::nullopt},
        {"unknown show command", 0, 77, {50, 50, 850, 650}, std::nullopt},
        {"unknown flags", 0x100, SW_SHOWNORMAL, {50, 50, 850, 650}, std::nullopt},
        {"off the screen", 0, SW_SHOWNORMAL, {3000, 50, 3800, 650}, std::nullopt},
        {"larger than the screen", 0, SW_SHOWNORMAL, {0, 0, 1025, 600}, std::nullopt},
    };
    for (const auto& c : cases) {
        WINDOWPLACEMENT placement = {sizeof(placement), c.flags, c.showCmd, {}, {}, c.normal};
        const auto loaded = LoadPlacement(reinterpret_cast<const std::byte*>(&placement), 44, Screen);
        EXPECT_EQ(loaded ? std::optional<UINT>(loaded->showCmd) : std::nullopt, c.restoredShowCmd) << c.name;
    }
    WINDOWPLACEMENT shortLength = {40, 0, SW_SHOWNORMAL, {}, {}, {50, 50, 850, 650}};
    EXPECT_FALSE(LoadPlacement(reinterpret_cast<const std::byte*>(&shortLength), 44, Screen));
}

TEST(StoredValuesTest, BandRecordsHaveTheThirtyTwoBitLayoutAndOnlyItsKeptFields)
{
    const RebarBandRecord band = {RebarBandRecord::KeptMask, RBBS_BREAK, 300, 59393, 280};
    const auto good = band.Store();
    std::uint32_t fields[20];
    std::memcpy(fields, good.data(), sizeof(fields));
    const std::uint32_t expected[20] = {80, 0x341, RBBS_BREAK, 0, 0, 0, 0, 0, 0, 0, 0, 300, 0, 59393, 0, 0, 0, 280};
    EXPECT_EQ(0, std::memcmp(fields, expected, sizeof(fields)));

    const struct {
        const char* name;
        size_t field;
        std::uint32_t value;
        bool accepted;
    } cases[] = {
        {"fewer kept fields", 1, RBBIM_ID | RBBIM_SIZE, true},
        {"a 64-bit record size", 0, 112, false},
        {"mask with a text pointer", 1, 0x341 | RBBIM_TEXT, false},
        {"mask with a child window", 1, 0x341 | RBBIM_CHILD, false},
        {"mask without the id", 1, RBBIM_STYLE | RBBIM_SIZE, false},
        {"unknown style", 2, 0x80000000u, false},
        {"wider than the screen", 11, 5000, false},
        {"ideal size wider than the screen", 17, 0xFFFFFFFFu, false},
    };
    for (const auto& c : cases) {
        auto bytes = good;
        std::memcpy(bytes.data() + c.field * 4, &c.value, 4);
        EXPECT_EQ(RebarBandRecord::Load(bytes.data(), bytes.size(), 1024).has_value(), c.accepted) << c.name;
    }
    EXPECT_FALSE(RebarBandRecord::Load(good.data(), 76, 1024));
}
