// CallHtmlHelp: the HTML Help control, loaded on first use.
#pragma once

#include <windows.h>

// The result of the help control's call; 0 (for the rest of the run) when the
// control cannot be loaded.
HWND CallHtmlHelp(HWND window, const wchar_t* fileAndTopic, UINT command, DWORD_PTR data);
