// Resource ids of the login dialog.
#pragma once

#define IDD_LOGIN 242

#define IDC_LOGIN_USER 1159
#define IDC_LOGIN_PASSWORD 1203
#define IDC_LOGIN_REMEMBER 1151
#define IDC_LOGIN_FORGOT 1205
#define IDC_LOGIN_REGISTER 1207
