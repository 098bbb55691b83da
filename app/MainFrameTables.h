// MainFrameTables: the main frame's four button toolbars and the pictures of its menu items, by command.
#pragma once

#include <windows.h>

#include <span>

#include "resources/resource.h"
#include "winlib/ToolbarItems.h"

namespace MainFrameTables {

inline constexpr ToolbarItem kStandardItems[] = {
    {IDI_FILE_NEW, ID_FILE_NEW, L"New"},
    {IDI_FILE_OPEN, ID_FILE_OPEN, L"Open"},
    {IDI_FILE_SAVE, ID_FILE_SAVE, L"Save"},
    {0, 0, nullptr},
    {IDI_EDIT_CUT, ID_EDIT_CUT, L"Cut"},
    {IDI_EDIT_COPY, ID_EDIT_COPY, L"Copy"},
    {IDI_EDIT_PASTE, ID_EDIT_PASTE, L"Paste"},
    {0, 0, nullptr},
    {IDI_PREPARE_REPORT, ID_PREPARE_REPORT, L"PrepareReport"},
};
inline constexpr ToolbarItem kViewItems[] = {
    {IDI_TRANSPARENT_CATEGORIES, ID_TRANSPARENT_CATEGORIES, L"TransparentCategories"},
    {0, 0, nullptr},
    {IDI_VIEW_DEADLINES_CALENDAR, ID_VIEW_DEADLINES_CALENDAR, L"ViewDeadlinesCalendar"},
    {IDI_VIEW_CATEGORIES, ID_VIEW_CATEGORIES, L"ViewCategories"},
    {IDI_VIEW_DAILY_PLAN, ID_VIEW_DAILY_PLAN, L"ViewDailyPlan"},
    {IDI_VIEW_PEOPLE_LIST, ID_VIEW_PEOPLE_LIST, L"ViewPeopleList"},
};
inline constexpr ToolbarItem kSearchItems[] = {
    {IDI_FIND, ID_FIND, L"Find"},
    {IDI_FIND_NEXT, ID_FIND_NEXT, L"FindNext"},
    {0, 0, nullptr},
    {IDI_LOCATE_SCHEDULE, ID_LOCATE_SCHEDULE, L"LocateSchedule"},
    {IDI_LOCATE_CATEGORY, ID_LOCATE_CATEGORY, L"LocateCategory"},
};
inline constexpr ToolbarItem kItemItems[] = {
    {IDI_TASK_ADD, ID_TASK_ADD, L"Add"},
    {IDI_TASK_EDIT, ID_TASK_EDIT, L"Edit"},
    {IDI_TASK_DELETE, ID_TASK_DELETE, L"Delete"},
    {0, 0, nullptr},
    {IDI_TASK_SPLIT, ID_TASK_SPLIT, L"Split"},
    {IDI_ARRANGE_DEADLINES, ID_ARRANGE_DEADLINES, L"ArrangeDeadlines"},
    {0, 0, nullptr},
    {IDI_TASK_REBASE_ESTIMATE, ID_TASK_REBASE_ESTIMATE, L"RebaseEstimate"},
    {0, 0, nullptr},
    {IDI_TRACK_TIME, ID_TRACK_TIME, L"TrackTime"},
    {IDI_TRACK_NOW_NAME_LATER, ID_TRACK_NOW_NAME_LATER, L"TrackNowNameLater"},
};

// The toolbars in the frame's order: standard, view, search, item.
inline constexpr std::span<const ToolbarItem> kToolbars[] = {kStandardItems, kViewItems, kSearchItems, kItemItems};

struct MenuIcon {
    UINT iconId;
    UINT commandId;
};

// The command bar's menu pictures: a command's item shows the picture of its
// button, and the commands without a button have pictures of their own.
inline constexpr MenuIcon kMenuIcons[] = {
    {IDI_FILE_NEW, ID_FILE_NEW},
    {IDI_FILE_OPEN, ID_FILE_OPEN},
    {IDI_FILE_SAVE, ID_FILE_SAVE},
    {IDI_EDIT_CUT, ID_EDIT_CUT},
    {IDI_EDIT_COPY, ID_EDIT_COPY},
    {IDI_EDIT_PASTE, ID_EDIT_PASTE},
    {IDI_PREPARE_REPORT, ID_PREPARE_REPORT},
    {IDI_FIND, ID_FIND},
    {IDI_FIND_NEXT, ID_FIND_NEXT},
    {IDI_LOCATE_SCHEDULE, ID_LOCATE_SCHEDULE},
    {IDI_LOCATE_CATEGORY, ID_LOCATE_CATEGORY},
    {IDI_TRANSPARENT_CATEGORIES, ID_TRANSPARENT_CATEGORIES},
    {IDI_VIEW_DEADLINES_CALENDAR, ID_VIEW_DEADLINES_CALENDAR},
    {IDI_VIEW_CATEGORIES, ID_VIEW_CATEGORIES},
    {IDI_VIEW_DAILY_PLAN, ID_VIEW_DAILY_PLAN},
    {IDI_VIEW_PEOPLE_LIST, ID_VIEW_PEOPLE_LIST},
    {IDI_TASK_ADD, ID_TASK_ADD},
    {IDI_TASK_EDIT, ID_TASK_EDIT},
    {IDI_TASK_DELETE, ID_TASK_DELETE},
    {IDI_TASK_SPLIT, ID_TASK_SPLIT},
    {IDI_ARRANGE_DEADLINES, ID_ARRANGE_DEADLINES},
    {IDI_TASK_REBASE_ESTIMATE, ID_TASK_REBASE_ESTIMATE},
    {IDI_TRACK_TIME, ID_TRACK_TIME},
    {IDI_IMPORT, ID_IMPORT},
    {IDI_EXPORT, ID_EXPORT},
    {IDI_RECURRING, ID_TASK_RECURRING},
    {IDI_DAY_PREVIOUS, ID_DAY_PREVIOUS},
    {IDI_DAY_NEXT, ID_DAY_NEXT},
    {IDI_DAY_TODAY, ID_DAY_TODAY},
    {IDI_ADJUST_START_TIME, ID_ADJUST_START_TIME},
    {IDI_ADJUST_STOP_TIME, ID_ADJUST_STOP_TIME},
    {IDI_RESCHEDULE_TOMORROW, ID_RESCHEDULE_TOMORROW},
    {IDI_RECURRING, ID_RECURRING_TASKS},
    {IDI_TRACK_NOW_NAME_LATER, ID_TRACK_NOW_NAME_LATER},
    {IDI_ADD_GROUP, ID_ADD_GROUP},
};

} // namespace MainFrameTables
