#include <gtest/gtest.h>

#include <windows.h>

#include "docking/dockwins/DockingBoxMessage.h"
#include "docking/dockwins/DockingSettings.h"

using dockwins::CDockingSettings;

TEST(DockingSettingsTest, DragModeFollowsTheSystemUnlessTheProgramChoseIt)
{
    struct Case {
        DWORD flags;
        std::optional<bool> systemFull;
        DWORD expected;
    };
    const Case cases[] = {
        {0x0, false, 0x2},
        {0x0, true, 0x4},
        {0x6, false, 0x2},
        {0x10 | 0x4, false, 0x10 | 0x2}, // other bits stay
        {0x1 | 0x4, false, 0x1 | 0x4},   // chosen explicitly
        {0x4, std::nullopt, 0x4},        // the system call failed
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDockingSettings::FlagsAfterDragSetting(c.flags, c.systemFull), c.expected) << c.flags;
}

TEST(DockingSettingsTest, BarBackgroundLightensTheButtonFace)
{
    struct Case {
        COLORREF face, expected;
    };
    const Case cases[] = {
        {RGB(212, 208, 200), RGB(247, 242, 233)}, // classic face: + 35 scaled by each channel
        {RGB(240, 240, 240), RGB(255, 255, 255)}, // light face: lifted to white
        {RGB(0, 0, 0), RGB(35, 35, 35)},          // black: every channel alike
        {RGB(100, 0, 50), RGB(135, 0, 68)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDockingSettings::LightenedColor(c.face), c.expected) << std::hex << c.face;
}

TEST(DockingSettingsTest, DimmedTextLiesTwoThirdsTowardsGrey)
{
    EXPECT_EQ(CDockingSettings::DimmedColor(RGB(0, 0, 0), RGB(128, 128, 128)), RGB(84, 84, 84));
    // Truncation towards zero when the grey is darker than the text.
    EXPECT_EQ(CDockingSettings::DimmedColor(RGB(200, 10, 0), RGB(100, 10, 5)), RGB(134, 10, 2));
}

TEST(DockingSettingsTest, SharedResourcesAreMade)
{
    CDockingSettings& settings = CDockingSettings::Instance();
    EXPECT_NE(settings.HorizontalGuiFont(), nullptr);
    EXPECT_NE(settings.VerticalGuiFont(), nullptr);
    EXPECT_NE(settings.HorizontalCaptionFont(), nullptr);
    EXPECT_NE(settings.VerticalCaptionFont(), nullptr);
    EXPECT_NE(settings.NorthSouthCursor(), nullptr);
    EXPECT_GT(settings.SmallCaptionHeight(), 0);
    EXPECT_NE(settings.StyleFlags() & (CDockingSettings::GhostDrag | CDockingSettings::FullDrag), 0u);
}

TEST(DockingBoxMessageTest, TheNameCarriesTheProcessIdAndTheMessageIsRegistered)
{
    EXPECT_EQ(dockwins::DockingBoxMessageName(1234), L"DockingBoxMessage-1234");
    EXPECT_GE(DockingBoxMessage, 0xC000u);
    EXPECT_EQ(DockingBoxMessage, dockwins::RegisterDockingBoxMessage());
}
