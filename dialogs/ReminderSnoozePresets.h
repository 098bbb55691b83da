// ReminderSnoozePresets: the choices of the reminder's snooze combo, with their minutes.
#pragma once

#include <array>

struct SnoozePreset {
    // Translated for the combo; the minutes are the item's data.
    const wchar_t* key;
    int minutes;
};

inline constexpr int kMinutesPerDay = 24 * 60;

inline constexpr std::array<SnoozePreset, 13> ReminderSnoozePresets = {{
    {L"5MIN", 5},
    {L"10MIN", 10},
    {L"15MIN", 15},
    {L"30MIN", 30},
    {L"1HOUR", 60},
    {L"2HOUR", 2 * 60},
    {L"3HOUR", 3 * 60},
    {L"4HOUR", 4 * 60},
    {L"6HOUR", 6 * 60},
    {L"8HOUR", 8 * 60},
    {L"1DAY", kMinutesPerDay},
    {L"2DAY", 2 * kMinutesPerDay},
    {L"3DAY", 3 * kMinutesPerDay},
}};
