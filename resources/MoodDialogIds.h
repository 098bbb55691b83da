// Resource ids of the mood dialog.
#pragma once

#define IDD_MOOD 102
#define IDC_MOOD_NAME 1000
#define IDC_MOOD_COLOR 1001
#define IDC_MOOD_SWATCH 1002
