// The daily plan pane's resources: its context menu and the pictures of its view buttons.
#pragma once

#define IDR_PLAN_MENU 133
#define IDI_DAY_SHOW_LIST 716
#define IDI_DAY_SHOW_CALENDAR 717
