// The style of a tree that fills a docked pane, with buttons, lines and labels edited in place.
#pragma once

#include <windows.h>
#include <commctrl.h>

constexpr DWORD kTreePaneStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TVS_HASBUTTONS |
                                 TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS;
