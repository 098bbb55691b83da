#include "views/tasks/CategoryTree.h"

#include "document/Clipboard.h"
#include "document/PelquornDragData.h"
#include "foundation/ComError.h"
#include "views/common/DragStart.h"
#include "views/common/TreeViewHandler.h"

bool CCategoryTree::CheckAutoScroll(int x, int y)
{
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    return TrackPoint(client, {x, y});
}

void CCategoryTree::StartScrollTimer()
{
    SetViewTimer(kScrollTimer, kScrollPeriodMs);
}

void CCategoryTree::StopScrollTimer()
{
    KillViewTimer(kScrollTimer);
    SetZone(kNone);
}

void CCategoryTree::StartExpandTimer()
{
    if (!m_dropItem || m_expandTimerRunning)
        return;
    m_expandTimerRunning = 1;
    SetViewTimer(kExpandTimer, kExpandPeriodMs);
}

void CCategoryTree::OnScrollTimer()
{
    switch (GetZone()) {
    case kLeft:
        SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
        break;
    case kRight:
        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        break;
    case kTop:
        SendMessage(WM_VSCROLL, SB_LINEUP, 0);
        break;
    case kBottom:
        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        break;
    default:
        break;
    }
    StartScrollTimer();
}

LRESULT CCategoryTree::OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (wParam != kScrollTimer && wParam != kExpandTimer) {
        handled = false;
        return 0;
    }
    KillViewTimer(wParam);
    if (wParam == kScrollTimer) {
        OnScrollTimer();
    } else if (m_dropItem) {
        // Whatever is highlighted now opens, and the period goes on.
        TreeView_Expand(m_hWnd, m_dropItem, TVE_EXPAND);
        SetViewTimer(kExpandTimer, kExpandPeriodMs);
    }
    return 0;
}

void CCategoryTree::OnDragOver(int x, int y)
{
    const CTreeViewHandler tree(m_hWnd);
    if (const HTREEITEM item = tree.DropItemAt({x, y})) {
        tree.ShowDropTarget(item, m_dropItem);
        m_dropItem = item;
    }
    if (!CheckAutoScroll(x, y))
        StartExpandTimer();
}

void CCategoryTree::OnDragLeave()
{
    CTreeViewHandler(m_hWnd).ShowDropTarget(nullptr, m_dropItem);
    m_dropItem = nullptr;
    StopScrollTimer();
    KillViewTimer(kExpandTimer);
    m_expandTimerRunning = 0;
}

bool CCategoryTree::CanAcceptData(IDataObject* dataObject)
{
    if (!dataObject || !Clipboard::IsPrivateFormatInDataObject(dataObject))
        return false;
    try {
        const PelquornDragData data = GetDragData(dataObject, Clipboard::GetPrivateClipboardFormat());
        return data.kind == PelquornDragData::kCategory || data.kind == PelquornDragData::kTasks;
    } catch (const ComError&) {
        return false;
    }
}

bool CCategoryTree::OnDrop(IDataObject* dataObject, int x, int y, DWORD)
{
    OnDragLeave();
    ICategoryTreeDocument* document = GetDocument();
    TVHITTESTINFO hit = {};
    hit.pt = {x, y};
    const HTREEITEM target = TreeView_HitTest(m_hWnd, &hit);
    if (!target || !document || !dataObject)
        return false;
    const int targetId = ItemCategoryId(target);
    bool moved = false;
    try {
        const PelquornDragData data = GetDragData(dataObject, Clipboard::GetPrivateClipboardFormat());
        if (data.kind == PelquornDragData::kTasks)
            moved = document->MoveTasks(targetId, std::vector<int>(data.ids.begin(), data.ids.end()));
        else if (data.kind == PelquornDragData::kCategory && data.ids.size() == 1)
            moved = document->MoveCategory(targetId, data.ids.front());
        else
            return false;
    } catch (const ComError&) {
        return false;
    }
    // Every view, this one included, shows where things went.
    document->Notify(nullptr, NotifyCode::kAll);
    return moved;
}

void CCategoryTree::OnBeginDrag(const NMTREEVIEWW& info)
{
    SetFocus();
    const int id = ItemCategoryId(info.itemNew.hItem);
    if (id == 0)
        return;
    PostDragStart(m_hWnd, PelquornDragData(PelquornDragData::kCategory, {id}));
}
