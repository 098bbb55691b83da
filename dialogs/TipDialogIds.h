// Resource ids of the tip-of-the-day dialog and the about box.
#pragma once

#define IDD_TIP_OF_THE_DAY 211
#define IDC_TIP_PANE 1000
#define IDC_TIP_NEXT 1003
#define IDC_TIP_SHOW_AT_STARTUP 1004

#define IDD_ABOUT 100
#define IDC_ABOUT_ICON 105
#define IDC_ABOUT_VERSION 106
