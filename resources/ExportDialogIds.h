// Resource ids of the import dialog's extra controls.
#pragma once

#define IDD_IMPORT_OPTIONS 226

#define IDC_INCLUDE_ACTIVITIES_HISTORY 1151
