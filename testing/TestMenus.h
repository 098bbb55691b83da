// TestMenus: the menu and the toolbar of images that the command-bar tests share.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace TestMenu {

enum : UINT {
    kNew = 101,
    kOpen = 102,
    kExit = 103,
    kCopy = 201,
    kPaste = 202,
    kSubItem = 211,
    kStatusBar = 301,
};

// "&File": New, Open, a separator, Exit; "&Edit": Copy, Paste (greyed), a
// submenu "&More" with One; "&View": Status Bar (checked).
HMENU Make();

// Four 16 x 15 coloured squares with a dark corner, for New, Open, Copy and Paste.
HIMAGELIST MakeImages();
// A flat toolbar child of `parent` with a button for each of those images; Paste is disabled.
HWND MakeToolbar(HWND parent, HIMAGELIST images);

} // namespace TestMenu
