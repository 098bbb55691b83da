// ListHandler: a few composite operations on a list-view control, made on the stack for one call.
#pragma once

#include <windows.h>

#include <span>

#include "foundation/EString.h"
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
    // The width that shows the column's header whole beside a sort arrow of
    // the header's pictures, and each of the texts whole in a cell.
    int ColumnWidthToShow(int column, std::span<const EString> texts) const;
    // The column made as wide as ColumnWidthToShow when it is narrower.
    void WidenColumnToShow(int column, std::span<const EString> texts) const;

private:
    HWND m_list; // not owned
};
