#include "views/common/ListHandler.h"

#include <commctrl.h>

#include "dialogs/TranslatedOrKey.h"

void ListHandler::SelectItem(int row) const
{
    if (row < 0) {
        const int selected = GetFirstSelected();
        if (selected >= 0)
            ListView_SetItemState(m_list, selected, 0, LVIS_SELECTED);
        return;
    }
    if (row < ListView_GetItemCount(m_list))
        ListView_SetItemState(m_list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int ListHandler::GetFirstSelected() const
{
    return ListView_GetNextItem(m_list, -1, LVNI_SELECTED);
}

void ListHandler::SelectRowForMenu(LPARAM screenPoint) const
{
    LVHITTESTINFO hit = {};
    hit.pt = {static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
    if (screenPoint == -1 || (hit.pt.x == -1 && hit.pt.y == -1))
        return;
    ::ScreenToClient(m_list, &hit.pt);
    const int row = ListView_HitTest(m_list, &hit);
    if (row < 0 || ListView_GetItemState(m_list, row, LVIS_SELECTED))
        return;
    ListView_SetItemState(m_list, -1, 0, LVIS_SELECTED);
    SelectItem(row);
}

void ListHandler::SelectAllRows() const
{
    // One message for every row: a virtual list tells of it once, not row by row.
    ListView_SetItemState(m_list, -1, LVIS_SELECTED, LVIS_SELECTED);
    // The last row has the focus, as when each was selected in turn.
    if (const int count = ListView_GetItemCount(m_list); count > 0)
        ListView_SetItemState(m_list, count - 1, LVIS_FOCUSED, LVIS_FOCUSED);
}

void ListHandler::InsertColumns(std::span<const ColumnDefault> columns) const
{
    int index = 0;
    for (const ColumnDefault& column : columns) {
        EString title = TranslatedOrKey(column.key);
        LVCOLUMNW info = {};
        info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        info.fmt = LVCFMT_LEFT;
        info.cx = column.width;
        info.pszText = title.data();
        info.iSubItem = index;
        ListView_InsertColumn(m_list, index, &info);
        ++index;
    }
}
