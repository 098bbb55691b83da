// ColumnDefaults: the columns of the task list and of the plan-entry list when no widths were saved.
#pragma once

#include <array>

// The key is the text key of the column's header: the list translates it.
// Keys are case-sensitive as written.
struct ColumnDefault {
    int width;
    const wchar_t* key;
};

// The task list and the day list both read their columns from here. The
// task list widens every column to its header; both widen their columns of
// fixed texts (times, durations, priorities, states) to those texts.
inline constexpr std::array<ColumnDefault, 9> kTaskListColumnDefaults = {{
    {260, L"TASK_NAME"},
    {70, L"ESTIMATION"},
    {70, L"REALY_SPENT"},
    {70, L"PLANNED"},
    {70, L"ORIGINAL_ESTIMATION"},
    {70, L"Priority"},
    {100, L"DEADLINE"},
    {80, L"COMPLETION_STATUS"},
    {80, L"CATEGORY_COLUMN"},
}};

inline constexpr std::array<ColumnDefault, 6> kPlanEntryColumnDefaults = {{
    {260, L"TASK_NAME"},
    {90, L"START_TIME"},
    {90, L"END_TIME"},
    {90, L"TIMING"},
    {90, L"Priority"},
    {160, L"COMMENTS"},
}};
