// Resource ids of the dialogs that act on many tasks at once.
#pragma once

#define IDD_MANY_TASKS 215
#define IDD_MANY_PLAN_ENTRIES 216

#define IDC_MANY_DEADLINE 1005
#define IDC_MANY_IMPORTANCE 1007

#define IDC_MANY_MAX_DURATION 1031
#define IDC_MANY_MIN_DURATION 1032
#define IDC_MANY_START 1131
#define IDC_MANY_NOW 1133
