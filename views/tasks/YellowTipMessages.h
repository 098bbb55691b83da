// The message a hover tip sends to its owner for the text it is about to show.
#pragma once

#include <windows.h>

// Sent (wParam 0, lParam 0) just before the tip shows; the owner answers by
// calling CYellowTip::SetText. No text, no tip.
constexpr UINT WM_YELLOWTIP_NEEDTEXT = WM_USER + 31;
