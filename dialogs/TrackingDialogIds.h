// Resource ids of the time-tracking window.
#pragma once

#define IDD_TRACKING 241

#define IDC_TRACKING_TASK_NAME 1000
// A placeholder in the resource; the clock face takes its place and its id.
#define IDC_TRACKING_FACE 1198
#define IDC_TRACKING_TOGGLE 1199
#define IDC_TRACKING_STAY_ON_TOP 1200
