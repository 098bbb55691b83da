// The daily plan pane's two toolbars: day navigation and the choice of list or time grid.
#pragma once

#include <windows.h>

void FillNavigationBar(HWND toolbar);
// Its buttons show their names beside the pictures.
void FillViewBar(HWND toolbar);
