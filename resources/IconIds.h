// The program's icons: the program and notification-area icon, and the
// 16 x 16 pictures of the toolbar buttons and menu items, one per command.
#pragma once

#define IDI_QUORVANE 173
// The same picture; the shell shows the icon of the lowest id as the program's.
#define IDI_PROGRAM_FILE 1

#define IDI_FILE_NEW 132
#define IDI_FILE_OPEN 133
#define IDI_FILE_SAVE 134
#define IDI_EDIT_CUT 203
#define IDI_EDIT_COPY 204
#define IDI_EDIT_PASTE 205
#define IDI_PREPARE_REPORT 12906
#define IDI_IMPORT 225
#define IDI_EXPORT 224
// The customize dialog's rows of templates (those of reports show IDI_REPORT_FILE).
#define IDI_CUSTOMIZE_TEMPLATES 149

#define IDI_TRANSPARENT_CATEGORIES 194
#define IDI_VIEW_DEADLINES_CALENDAR 12904
#define IDI_VIEW_CATEGORIES 227
#define IDI_VIEW_DAILY_PLAN 228
#define IDI_VIEW_PEOPLE_LIST 232
// The people tree's items: a group, an open group, a person.
#define IDI_PEOPLE_GROUP 270
#define IDI_PEOPLE_GROUP_OPEN 271
#define IDI_PEOPLE_PERSON 273

#define IDI_FIND 207
#define IDI_FIND_NEXT 208
#define IDI_LOCATE_SCHEDULE 209
#define IDI_LOCATE_CATEGORY 210

#define IDI_TASK_ADD 135
#define IDI_TASK_EDIT 136
#define IDI_TASK_DELETE 12905
#define IDI_TASK_SPLIT 12901
#define IDI_ARRANGE_DEADLINES 12902
#define IDI_TASK_REBASE_ESTIMATE 229
#define IDI_TRACK_TIME 198
#define IDI_TRACK_NOW_NAME_LATER 263
#define IDI_ADD_GROUP 274
// One picture for both the recurring task and the recurring tasks of the day.
#define IDI_RECURRING 222

#define IDI_DAY_PREVIOUS 219
#define IDI_DAY_TODAY 220
#define IDI_DAY_NEXT 221
#define IDI_ADJUST_START_TIME 196
#define IDI_ADJUST_STOP_TIME 197
#define IDI_RESCHEDULE_TOMORROW 230
#define IDI_DAY_ZOOM_OUT 260
#define IDI_DAY_ZOOM_IN 261

// The task list's row pictures: a task by its state, then a task being
// moved and copied.
#define IDI_TASK_NEW 140
#define IDI_TASK_IN_PROGRESS 141
#define IDI_TASK_COMPLETED 142
#define IDI_TASK_RECURRING 262
#define IDI_TASK_DRAG_MOVE 187
#define IDI_TASK_DRAG_COPY 188
// A report in the reports dialog's and the customize dialog's lists.
#define IDI_REPORT_FILE 150
// The category tree's items: a closed folder, and an open one for the selected item.
#define IDI_CATEGORY 144
#define IDI_CATEGORY_OPEN 145
// The day list: an entry not begun, running, over (the tracked entry shows
// IDI_TRACK_TIME); a completion check box clear and ticked; the sorted
// column's arrow up and down.
#define IDI_ENTRY_NOT_BEGUN 137
#define IDI_ENTRY_RUNNING 138
#define IDI_ENTRY_OVER 139
#define IDI_CHECK_CLEAR 171
#define IDI_CHECK_TICKED 172
#define IDI_SORT_ASCENDING 189
#define IDI_SORT_DESCENDING 190

// The tip of the day's bulb, 32 x 32, drawn on the tip dialog's band.
#define IDI_TIP 131
