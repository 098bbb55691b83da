// Resource ids of the person dialog.
#pragma once

#define IDD_PERSON 243
#define IDC_PERSON_NAME 1017
#define IDC_PERSON_COMMENTS 1018
#define IDC_PERSON_FULL_NAME 1019
#define IDC_PERSON_EMAIL 1020
#define IDC_PERSON_INVITATION 1213
