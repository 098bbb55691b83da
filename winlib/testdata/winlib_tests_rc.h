// Resource ids of the window library's tests.
#pragma once

#define IDD_EXCHANGE 100
#define IDC_TEXT 1001
#define IDC_NUMBER 1002
#define IDC_CHECK 1003
#define IDC_CHOICE 1004
#define IDC_COUNT 1005
#define IDC_SHORT_TEXT 1006

#define IDD_RESIZE 101
#define IDC_NOTES 1101
#define IDC_SIDE_BUTTON 1102
#define IDC_LABEL 1103
#define IDC_FIXED 1104

#define IDD_PAGE_ONE 102
#define IDD_PAGE_TWO 103
#define IDC_PAGE_EDIT 1201

#define IDR_FRAME_KEYS 110
#define ID_FRAME_COMMAND 40001

#define IDD_MISSING 999

// Three of the program's button pictures, for toolbars filled from tables.
#define IDI_TOOL_NEW 132
#define IDI_TOOL_OPEN 133
#define IDI_TOOL_SAVE 134
#define IDI_TOOL_MISSING 998
#define IDI_TOOL_OTHER_FORM 135
