#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "dialogs/ReminderSnoozePresets.h"

namespace {

TEST(ReminderSnoozePresetsTest, ADayIsTwentyFourHours)
{
    const std::pair<const wchar_t*, int> cases[] = {{L"8HOUR", 480}, {L"1DAY", 1440}, {L"2DAY", 2880}, {L"3DAY", 4320}};
    for (const auto& [key, minutes] : cases) {
        const auto preset = std::find_if(ReminderSnoozePresets.begin(), ReminderSnoozePresets.end(),
                                         [key](const SnoozePreset& p) { return std::wstring_view(p.key) == key; });
        ASSERT_NE(preset, ReminderSnoozePresets.end()) << key;
        EXPECT_EQ(preset->minutes, minutes) << key;
    }
}

} // namespace
