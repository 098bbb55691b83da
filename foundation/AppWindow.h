// The main window as other parts of the program reach it, and its message box.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

HWND GetMainWindow();
// The main frame registers itself when built and clears this when destroyed.
void SetMainWindow(HWND window);

// The product's name from the resources, for captions.
EString AppProductName();

// A message box over the main window with the product caption; IDCANCEL when
// there is no main window to own it.
int AppMessageBox(const EString& text, UINT type);
