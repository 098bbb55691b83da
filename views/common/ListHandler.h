// ListHandler: a few composite operations on a list-view control, made on the stack for one call.
#pragma once

#include <windows.h>

#include <span>

#include "views/common/ColumnDefaults.h"

class ListHandler {
public:
    explicit ListHandler(HWND listView) : m_list(listView) {}

    // A negative row unselects the first selected row; a row of the list is
    // selected and focused; a row past the end changes nothing.
    void SelectItem(int row) const;
    // -1 when no row is selected.
    int GetFirstSelected() const;
    // A context menu opened on a row that is not selected makes it the only
    // selected one, as a right click does, so the menu acts on that row. -1
    // (the keyboard) or a point beside the rows changes nothing.
    void SelectRowForMenu(LPARAM screenPoint) const;
    void SelectAllRows() const;
    // The columns in order, their titles translated, left-aligned.
    void InsertColumns(std::span<const ColumnDefault> columns) const;

private:
    HWND m_list; // not owned
};
