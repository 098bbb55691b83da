// The command ids the main frame answers to; the program's resource header includes them.
// The file, document and edit commands are named beside their handlers
// (resources/DocumentCommandIds.h, resources/EditCommandIds.h).
#pragma once

// Sent by a second start when the running window is hidden in the
// notification area.
#define ID_APP_RESTORE 32810
#define ID_APP_EXIT 57665
// The notification-area icon's menu, whose id is also the icon's id.
#define IDR_TRAY_MENU 10113
#define ID_TRAY_EXIT 32811
// The task list's context menu.
#define IDR_TASK_LIST_MENU 131

// Commands on the selected tasks, categories and people.
#define ID_TASK_ADD 32772
#define ID_TASK_EDIT 32774
#define ID_TASK_DELETE 32776
#define ID_TASK_SPLIT 32791
#define ID_TASK_COMPLETE 32806
#define ID_TASK_ADD_SUBTASK 32873
#define ID_TASK_RECURRING 32866
#define ID_TASK_REBASE_ESTIMATE 32854
#define ID_TASK_PRIORITY_URGENT_AND_IMPORTANT 32849
#define ID_TASK_PRIORITY_IMPORTANT 32850
#define ID_TASK_PRIORITY_URGENT 32863
#define ID_TASK_PRIORITY_FUTURE 32851
#define ID_LOCATE_CATEGORY 32807
#define ID_LOCATE_SCHEDULE 32816
#define ID_TRACK_TIME 32860
#define ID_TRACK_NOW_NAME_LATER 32875
#define ID_ADD_GROUP 32881
#define ID_BACK_TO_ALL_TASKS 32869
#define ID_IMPORT 32842
#define ID_EXPORT 32843

// Commands of the daily plan.
#define ID_DAY_PREVIOUS 32836
#define ID_DAY_NEXT 32837
#define ID_DAY_TODAY 32838
#define ID_RECURRING_TASKS 32839
#define ID_RESCHEDULE_TOMORROW 32829
#define ID_ADJUST_START_TIME 32817
#define ID_ADJUST_STOP_TIME 32819
#define ID_DAY_HOLIDAY 32830
#define ID_DAY_SHOW_LIST 711
#define ID_DAY_SHOW_CALENDAR 710
#define ID_DAY_ZOOM_OUT 260
#define ID_DAY_ZOOM_IN 261

// Show or hide a docking pane: the pane at index (id - ID_VIEW_PANE_FIRST)
// of the frame's pane list.
#define ID_VIEW_DEADLINES_CALENDAR 32800
#define ID_VIEW_CATEGORIES 32801
#define ID_VIEW_DAILY_PLAN 32802
#define ID_VIEW_PEOPLE_LIST 32803
#define ID_VIEW_PANE_FIRST ID_VIEW_DEADLINES_CALENDAR
#define ID_VIEW_PANE_LAST ID_VIEW_PEOPLE_LIST

// Show or hide a bar of the frame.
#define ID_VIEW_STANDARD_BUTTONS 59392
#define ID_VIEW_STATUS_BAR 59393
#define ID_VIEW_VIEW_BUTTONS 32827
#define ID_VIEW_SEARCH_BUTTONS 32826
#define ID_VIEW_MOOD_BAR 32880
#define ID_VIEW_STATUS_FILTER 32822
#define ID_VIEW_DATE_FILTER 32861
#define ID_VIEW_PRIORITY_FILTER 32862

// Tools and help.
#define ID_OPTIONS 32777
#define ID_CUSTOMIZE_REPORTS 32808
#define ID_CUSTOMIZE_TEMPLATES 32809
#define ID_CUSTOMIZE_EXPORTS 32844
#define ID_CUSTOMIZE_IMPORTS 32845
#define ID_HOME_PAGE 32790
#define ID_HOME_PAGE_MIRROR 32835
#define ID_BLOG 32834
#define ID_TIP_OF_THE_DAY 32832
#define ID_HINTS_AND_TIPS 32833
#define ID_TUTORIAL 32841
#define ID_APP_ABOUT 57664
#define ID_HELP_TOPICS 57667

// Keys the accelerator table takes without any handler, so that they reach
// no control: Shift+F6, Ctrl+P and Tab.
#define ID_PREVIOUS_PANE 57681
#define ID_FILE_PRINT 57607
#define ID_NEXT_FIELD 32828

// The main frame's menu and accelerator table; its title is the string of
// the same id, IDS_PRODUCT_NAME.
#define IDR_MAINFRAME 128
// The status bar: its idle text, and its task-summary and clock panes, whose
// strings give their widths.
#define IDS_IDLE_MESSAGE 0xE001
#define ID_PANE_TASK_SUMMARY 472
#define ID_PANE_CLOCK 0xE706
// The status-bar help shown for every recent-document item of the menu.
#define IDS_RECENT_FILE_PROMPT 61402
