// The module whose resources (strings, icons, dialogs) the program loads.
#pragma once

#include <windows.h>

HINSTANCE GetResourceModule();
void SetResourceModule(HINSTANCE module);

// The icon of that id at the system's default size; null when no module is set.
HICON LoadAppIcon(unsigned id);
