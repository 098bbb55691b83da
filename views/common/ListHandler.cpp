#include "views/common/ListHandler.h"

#include <commctrl.h>

#include <algorithm>

#include "dialogs/TranslatedOrKey.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

// The room a list leaves beside a cell's text, as its own automatic sizing counts it.
constexpr int kCellTextPadding = 12;

// A header item's text and its picture each have the header's margin on both sides.
int HeaderItemWidthToShow(HWND header, int column)
{
    wchar_t text[256] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    if (!header || !Header_GetItem(header, column, &item))
        return 0;
    SIZE textSize = {};
    {
        const CClientDC dc(header);
        const CSelectObject font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(header, WM_GETFONT, 0, 0)));
        ::GetTextExtentPoint32W(dc, text, lstrlenW(text), &textSize);
    }
    int pictureWidth = 0;
    int pictureHeight = 0;
    if (const HIMAGELIST pictures = Header_GetImageList(header))
        ::ImageList_GetIconSize(pictures, &pictureWidth, &pictureHeight);
    const int margin = Header_GetBitmapMargin(header);
    return textSize.cx + 2 * margin + (pictureWidth > 0 ? pictureWidth + 2 * margin : 0);
}

} // namespace

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

int ListHandler::ColumnWidthToShow(int column, std::span<const EString> texts) const
{
    int width = HeaderItemWidthToShow(ListView_GetHeader(m_list), column);
    for (const EString& text : texts)
        width = std::max(width, ListView_GetStringWidth(m_list, text.c_str()) + kCellTextPadding);
    return width;
}

void ListHandler::WidenColumnToShow(int column, std::span<const EString> texts) const
{
    const int width = ColumnWidthToShow(column, texts);
    if (ListView_GetColumnWidth(m_list, column) < width)
        ListView_SetColumnWidth(m_list, column, width);
}
