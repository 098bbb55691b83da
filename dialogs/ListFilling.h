// Filling list views and combo boxes from lists of strings, the item data being each string's position.
#pragma once

#include <windows.h>

#include <vector>

#include "foundation/EString.h"

// Every string in order, then item 0 selected and focused.
void FillListFromStringList(HWND list, const std::vector<EString>& strings);
// One item (image 0, item data = its index) at the index, or at the end when the index is negative.
int InsertListItemText(HWND list, int index, const EString& text);
// Every string with its position as item data, then item 0 selected.
void FillComboFromStringList(HWND combo, const std::vector<EString>& strings);
// The new item's index; its data is the number, or the item count before it when the number is negative.
int InsertComboItem(HWND combo, const EString& text, int number);
