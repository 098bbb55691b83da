// Resource ids of the dialog base's tests.
#pragma once

// Clear of the program's own dialogs, which the test resources take in too (the about box is 100).
#define IDD_EVERY_FIELD 900
#define IDC_NAME_LABEL 1001
#define IDC_NAME 1002
#define IDC_DAYS_LABEL 1003
#define IDC_DAYS 1004
#define IDC_DONE 1005
#define IDC_DEADLINE 1006
#define IDC_START 1007
#define IDC_HOURS 1008
#define IDC_KIND 1009
#define IDC_LEVEL 1010
#define IDC_COLOUR 1011
#define IDC_NOTES 1012
#define IDC_OTHER_LABELS 1013

#define IDD_OPTIONS_PAGE 101
#define IDC_PAGE_HOURS 1101
#define IDC_PAGE_CHECK 1102
