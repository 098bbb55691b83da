// Resource ids of the customize dialog over the report, template and script folders.
#pragma once

#define IDD_CUSTOMIZE 256

#define IDC_CUSTOMIZE_LIST 1021
#define IDC_CUSTOMIZE_ADD 1079
#define IDC_CUSTOMIZE_REMOVE 1080
#define IDC_CUSTOMIZE_COPY 1081
#define IDC_CUSTOMIZE_EDIT 1082
