// ToolbarItems: fills a button toolbar from a table of icons and commands.
#pragma once

#include <windows.h>

struct ToolbarItem {
    UINT iconId;    // an icon of the program's resources
    UINT commandId; // 0 makes a separator
    // The command's name, for whoever reads the table; the button shows no
    // text, its tool tip comes from the command's string.
    const wchar_t* text;
};

// The toolbar's buttons become one enabled button per item with a command and
// a separator for each other item; then the toolbar is sized to them. The 16 x 16 pictures come from the
// program's resource module; a missing one leaves its button without a
// picture. The toolbar owns the image list: it is destroyed with the
// toolbar, or when the toolbar is filled again. A null table does nothing.
void ToolbarBuildFromItems(HWND toolbar, const ToolbarItem* items, int count);
