// The message a colour list sends to its owner when the user picks a colour.
#pragma once

#include <windows.h>

// lParam: the picked entry's data.
constexpr UINT WM_COLOR_PICKED = WM_USER + 201;
