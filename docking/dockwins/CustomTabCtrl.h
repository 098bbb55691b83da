// CCustomTabCtrl: an owner-drawn tab strip: its items, the selection, hit testing, mouse and keys, and notifications to the parent.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "docking/dockwins/CustomTabItem.h"
#include "docking/dockwins/TabNotify.h"
#include "docking/dockwins/TabSelection.h"
#include "docking/dockwins/TabToolTip.h"
#include "winlib/GdiObject.h"
#include "winlib/MemoryDC.h"
#include "winlib/WindowImpl.h"

enum : UINT {
    CTCHT_NOWHERE = 1,
    CTCHT_ONITEM = 6,
    CTCHT_ONCLOSEBTN = 16,
    CTCHT_ONSCROLLRIGHTBTN = 32,
    CTCHT_ONSCROLLLEFTBTN = 64,
};

// T lays the items out (UpdateLayout) and paints them (DoPaint(dc, rect)).
template <class T, class TItem>
class CCustomTabCtrl : public CWindowImpl<T> {
public:
    ~CCustomTabCtrl() override = default;

    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    TItem* GetItem(int index) const
    {
        return index >= 0 && index < GetItemCount() ? m_items[static_cast<size_t>(index)].get() : nullptr;
    }
    int GetCurSel() const { return m_selected; }
    bool IsItemDragging() const { return m_dragItem >= 0; }
    // The images of the items; the strip does not own it.
    HIMAGELIST SetImageList(HIMAGELIST images)
    {
        const HIMAGELIST old = std::exchange(m_imageList, images);
        Relayout();
        return old;
    }
    int GetScrollOffset() const { return m_scrollOffset; }
    bool CanScrollLeft() const { return m_canScrollLeft; }
    bool CanScrollRight() const { return m_canScrollRight; }

    // Scrolls the strip so that the item shows, 20 pixels inside the edge it
    // lay beyond; only while the strip can scroll.
    void EnsureVisible(int index, bool partialOk = false, bool redraw = true)
    {
        if (!GetItem(index) || !(m_canScrollLeft || m_canScrollRight))
            return;
        const RECT rect = ShiftedRect(index);
        const int old = m_scrollOffset;
        const bool beyondRight = rect.right > m_tabArea.right && (!partialOk || rect.left > m_tabArea.right);
        const bool beyondLeft = partialOk ? rect.right < m_tabArea.left : rect.left < m_tabArea.left;
        if (beyondRight)
            m_scrollOffset -= rect.right - (m_tabArea.right - kEdgeGap);
        else if (beyondLeft)
            m_scrollOffset += (m_tabArea.left + kEdgeGap) - rect.left;
        if (m_scrollOffset != old && redraw)
            Relayout();
    }
    RECT GetTabAreaRect() const { return m_tabArea; }

    int InsertItem(int index, std::unique_ptr<TItem> item, bool select)
    {
        if (!this->m_hWnd || !item)
            return -1;
        if (index < 0 || index > GetItemCount())
            index = GetItemCount();
        m_items.insert(m_items.begin() + index, std::move(item));
        if (m_selected >= index)
            ++m_selected;
        NotifyItem(TABN_ITEM_INSERTED, index, {-1, -1});
        if (GetItemCount() == 1 || select)
            SetCurSel(index, true);
        Relayout();
        return index;
    }

    bool DeleteItem(int index, bool selectNeighbour = true, bool notify = true)
    {
        if (index < 0 || index >= GetItemCount())
            return false;
        if (notify && NotifyItem(TABN_DELETING_ITEM, index, {-1, -1}) != 0)
            return false;
        if (index >= GetItemCount()) // the parent may have taken items out meanwhile
            return false;
        const dockwins::TabSelectionChange change =
            dockwins::SelectionAfterDelete(GetItemCount(), m_selected, index, selectNeighbour);
        const int old = m_selected;
        m_items.erase(m_items.begin() + index);
        m_selected = change.selection;
        if (m_hot >= GetItemCount())
            m_hot = -1;
        if (change.notify) {
            NotifyPair(TCN_SELCHANGE, old == index ? -1 : old, m_selected);
        }
        Relayout();
        return true;
    }

    void DeleteAllItems(bool redraw = true)
    {
        m_selected = -1;
        m_redraw = false;
        while (!m_items.empty())
            DeleteItem(0, false, true);
        m_selected = -1;
        m_redraw = true;
        static_cast<T*>(this)->UpdateLayout();
        if (redraw && this->m_hWnd)
            ::InvalidateRect(this->m_hWnd, nullptr, FALSE);
    }

    // Returns the old selection; an index at or beyond the count keeps it.
    int SetCurSel(int index, bool notify = true)
    {
        const int old = m_selected;
        if (index >= GetItemCount())
            return old;
        if (notify && NotifyPair(TCN_SELCHANGING, old, index) == 1)
            return -1;
        m_selected = index < 0 ? -1 : index;
        if (m_selected >= 0) {
            static_cast<T*>(this)->UpdateLayout();
            EnsureVisible(m_selected, false, false);
        }
        Relayout();
        if (notify)
            NotifyPair(TCN_SELCHANGE, old, m_selected);
        return old;
    }

    bool SwapItems(int a, int b, bool keepSelection = true, bool notify = true)
    {
        if (!this->m_hWnd || !GetItem(a) || !GetItem(b))
            return false;
        std::swap(m_items[static_cast<size_t>(a)], m_items[static_cast<size_t>(b)]);
        if (keepSelection) {
            if (m_selected == a)
                m_selected = b;
            else if (m_selected == b)
                m_selected = a;
        }
        if (notify)
            NotifyPair(TABN_ITEMS_SWAPPED, a, b);
        Relayout();
        return true;
    }

    bool MoveItem(int from, int to, bool keepSelection = true, bool notify = true)
    {
        if (!GetItem(from) || to < 0 || to >= GetItemCount())
            return false;
        const bool wasSelected = m_selected == from;
        std::unique_ptr<TItem> item = std::move(m_items[static_cast<size_t>(from)]);
        m_items.erase(m_items.begin() + from);
        m_items.insert(m_items.begin() + to, std::move(item));
        if (keepSelection && wasSelected)
            SetCurSel(to, true);
        if (notify)
            NotifyPair(TABN_ITEM_MOVED, from, to);
        Relayout();
        return true;
    }

    int HitTest(POINT point, UINT* flags = nullptr) const
    {
        UINT where = CTCHT_NOWHERE;
        int hit = -1;
        if (::PtInRect(&m_tabArea, point)) {
            for (int i = 0; i < GetItemCount(); ++i) {
                const RECT rect = ShiftedRect(i);
                if (::PtInRect(&rect, point)) {
                    hit = i;
                    where = CTCHT_ONITEM;
                    break;
                }
            }
        } else if (::PtInRect(&m_closeButton, point)) {
            where = CTCHT_ONCLOSEBTN;
        } else if (::PtInRect(&m_scrollRightButton, point)) {
            where = CTCHT_ONSCROLLRIGHTBTN;
        } else if (::PtInRect(&m_scrollLeftButton, point)) {
            where = CTCHT_ONSCROLLLEFTBTN;
        }
        if (flags)
            *flags = where;
        return hit;
    }

    bool GetItemRect(int index, RECT* rect) const
    {
        if (!GetItem(index)) {
            *rect = {};
            return false;
        }
        *rect = ShiftedRect(index);
        return true;
    }

    // The strip's tooltip window; null before creation.
    const CTabToolTip& GetToolTip() const { return m_toolTip; }

    BEGIN_MESSAGE_MAP(CCustomTabCtrl)
        ON_MESSAGE_RANGE(WM_MOUSEFIRST, WM_MOUSELAST, OnRelayMouse)
        ON_MESSAGE(WM_NOTIFY, OnToolTipText)
        ON_MESSAGE(WM_PAINT, OnPaint)
        ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
        ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
        ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
        ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
        ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
        ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
        ON_MESSAGE(WM_TIMER, OnTimer)
        ON_MESSAGE(WM_LBUTTONDBLCLK, OnItemMouse)
        ON_MESSAGE(WM_RBUTTONDOWN, OnItemMouse)
        ON_MESSAGE(WM_RBUTTONDBLCLK, OnItemMouse)
        ON_MESSAGE(WM_MBUTTONDOWN, OnItemMouse)
        ON_MESSAGE(WM_MBUTTONDBLCLK, OnItemMouse)
        ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
        ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
        ON_MESSAGE(WM_GETFONT, OnGetFont)
        ON_MESSAGE(WM_SETFONT, OnSetFont)
        ON_MESSAGE(WM_STYLECHANGED, OnStyleChanged)
        ON_MESSAGE(WM_SETREDRAW, OnSetRedraw)
    END_MESSAGE_MAP()

protected:
    static WindowClass TabWindowClass(const wchar_t* name)
    {
        WindowClass info;
        info.name = name;
        info.style = CS_DBLCLKS;
        info.background = nullptr;
        return info;
    }

    LRESULT NotifyItem(int code, int item, POINT point)
    {
        TabItemNotify record = {MakeHeader(code), item, point};
        return SendToParent(record.header, &record);
    }
    LRESULT NotifyPair(int code, int item1, int item2)
    {
        TabItemPairNotify record = {MakeHeader(code), item1, item2, {-1, -1}};
        return SendToParent(record.header, &record);
    }
    LRESULT SendToParent(const NMHDR& header, void* record)
    {
        const HWND parent = this->m_hWnd ? ::GetParent(this->m_hWnd) : nullptr;
        if (!parent)
            return 0;
        return ::SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(record));
    }
    NMHDR MakeHeader(int code) const
    {
        return {this->m_hWnd, static_cast<UINT_PTR>(::GetDlgCtrlID(this->m_hWnd)), static_cast<UINT>(code)};
    }

    void Relayout()
    {
        if (!this->m_hWnd || !m_redraw)
            return;
        static_cast<T*>(this)->UpdateLayout();
        UpdateTools();
        ::InvalidateRect(this->m_hWnd, nullptr, FALSE);
    }

    // Item n's tool has id n + 1; the buttons keep fixed ids.
    void UpdateTools()
    {
        if (!m_toolTip.Get())
            return;
        const int count = GetItemCount();
        for (int i = 0; i < count; ++i) {
            RECT rect = ShiftedRect(i);
            ::IntersectRect(&rect, &rect, &m_tabArea);
            m_toolTip.SetTool(static_cast<UINT_PTR>(i + 1), rect);
        }
        for (UINT_PTR id = static_cast<UINT_PTR>(count) + 1; m_toolTip.HasTool(id); ++id)
            m_toolTip.RemoveTool(id);
        const DWORD style = CWindow(this->m_hWnd).GetStyle();
        SetButtonTool(kCloseTool, (style & TABS_CLOSE_BUTTON) != 0, m_closeButton, L"Close");
        SetButtonTool(kScrollRightTool, (style & TABS_SCROLL) != 0, m_scrollRightButton, L"Scroll Right");
        SetButtonTool(kScrollLeftTool, (style & TABS_SCROLL) != 0, m_scrollLeftButton, L"Scroll Left");
        m_toolTip.Activate((style & TABS_TOOLTIPS) != 0);
    }
    void SetButtonTool(UINT_PTR id, bool wanted, const RECT& rect, const wchar_t* text)
    {
        if (wanted)
            m_toolTip.SetTool(id, rect, text);
        else
            m_toolTip.RemoveTool(id);
    }

    static constexpr UINT_PTR kCloseTool = static_cast<UINT_PTR>(-16);
    static constexpr UINT_PTR kScrollRightTool = static_cast<UINT_PTR>(-15);
    static constexpr UINT_PTR kScrollLeftTool = static_cast<UINT_PTR>(-14);

    static constexpr UINT_PTR kScrollLeftTimer = 16;
    static constexpr UINT_PTR kScrollRightTimer = 32;
    static constexpr int kEdgeGap = 20;
    static constexpr UINT kDragScrollRepeat = 100;

    RECT ShiftedRect(int index) const
    {
        RECT rect = m_items[static_cast<size_t>(index)]->rect;
        ::OffsetRect(&rect, m_scrollOffset, 0);
        return rect;
    }

    std::vector<std::unique_ptr<TItem>> m_items;
    int m_selected = -1;
    int m_hot = -1;
    int m_scrollOffset = 0;
    bool m_redraw = true;
    RECT m_tabArea = {};
    RECT m_closeButton = {};
    RECT m_scrollRightButton = {};
    RECT m_scrollLeftButton = {};
    bool m_canScrollLeft = false;
    bool m_canScrollRight = false;
    int m_scrollStep = 40;
    // Milliseconds between steps of a held scroll button; 0 no repeat.
    UINT m_scrollRepeat = 25;
    // The part the left press went down on (CTCHT_ flags), 0 none.
    UINT m_pressedPart = 0;
    // The part (CTCHT_ flags) the mouse is over, 0 none.
    UINT m_partUnderMouse = 0;
    bool m_tracked = false;
    int m_pressedItem = -1;
    POINT m_pressPoint = {};
    // The item being dragged to a new place, and where it started; -1 none.
    int m_dragItem = -1;
    int m_dragStart = -1;
    HCURSOR m_insideCursor = nullptr;
    HCURSOR m_outsideCursor = nullptr;
    CFont m_font;
    CFont m_selectedFont;
    HIMAGELIST m_imageList = nullptr;
    CTabToolTip m_toolTip;

private:
    LRESULT OnPaint(UINT, WPARAM, LPARAM, bool&)
    {
        PAINTSTRUCT paint;
        const HDC dc = ::BeginPaint(this->m_hWnd, &paint);
        PaintOffScreen(dc, paint.rcPaint);
        ::EndPaint(this->m_hWnd, &paint);
        return 0;
    }
    LRESULT OnPrintClient(UINT, WPARAM wParam, LPARAM, bool&)
    {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        RECT clip = {};
        ::GetClipBox(dc, &clip);
        PaintOffScreen(dc, clip);
        return 0;
    }
    void PaintOffScreen(HDC dc, const RECT& rect)
    {
        const CMemoryDC offScreen(dc, rect);
        static_cast<T*>(this)->DoPaint(offScreen, rect);
    }
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, bool&) { return 1; }

    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool&)
    {
        ::SendMessageW(this->m_hWnd, WM_SETTINGCHANGE, 0, 0);
        m_toolTip.Create(this->m_hWnd);
        Relayout();
        return 0;
    }
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
    {
        DeleteAllItems(false);
        m_toolTip.Destroy();
        handled = false;
        return 0;
    }
    LRESULT OnSize(UINT, WPARAM, LPARAM, bool& handled)
    {
        Relayout();
        handled = false;
        return 0;
    }

    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM lParam, bool&)
    {
        const POINT point = {XOf(lParam), YOf(lParam)};
        UINT where = CTCHT_NOWHERE;
        const int hit = HitTest(point, &where);
        if (where == CTCHT_ONCLOSEBTN) {
            m_pressedPart = where;
        } else if (where == CTCHT_ONSCROLLRIGHTBTN || where == CTCHT_ONSCROLLLEFTBTN) {
            m_pressedPart = where;
            const bool right = where == CTCHT_ONSCROLLRIGHTBTN;
            if (ScrollStep(right) && m_scrollRepeat)
                ::SetTimer(this->m_hWnd, right ? kScrollRightTimer : kScrollLeftTimer, m_scrollRepeat, nullptr);
        } else {
            if (NotifyItem(NM_CLICK, hit, point) != 0)
                return 0;
            if (hit >= 0 && hit != m_selected)
                SetCurSel(hit, true);
            m_pressedPart = CTCHT_ONITEM;
            m_pressedItem = hit;
            m_pressPoint = point;
        }
        ::SetCapture(this->m_hWnd);
        return 0;
    }
    LRESULT OnRelayMouse(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        m_toolTip.Relay(this->m_hWnd, message, wParam, lParam);
        handled = false;
        return 0;
    }
    LRESULT OnToolTipText(UINT, WPARAM, LPARAM lParam, bool& handled)
    {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        handled = info->hdr.code == TTN_GETDISPINFOW && info->hdr.hwndFrom == m_toolTip.Get();
        if (!handled)
            return 0;
        const TItem* item = GetItem(static_cast<int>(info->hdr.idFrom) - 1);
        if (item)
            info->lpszText = const_cast<wchar_t*>(item->toolTip.empty() ? item->text.c_str() : item->toolTip.c_str());
        return 0;
    }
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM lParam, bool&)
    {
        if (!m_tracked) {
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, this->m_hWnd, 0};
            m_tracked = ::TrackMouseEvent(&track) != FALSE;
        }
        const POINT point = {XOf(lParam), YOf(lParam)};
        if (m_dragItem >= 0) {
            ItemDragMove(point);
            return 0;
        }
        if (m_pressedItem >= 0 && m_pressedPart == CTCHT_ONITEM && point.x != m_pressPoint.x &&
            (CWindow(this->m_hWnd).GetStyle() & TABS_DRAG_REARRANGE)) {
            BeginItemDrag();
            return 0;
        }
        UINT where = CTCHT_NOWHERE;
        const int hit = HitTest(point, &where);
        const UINT part = where == CTCHT_NOWHERE ? 0 : where;
        const bool hotItemChanged =
            (CWindow(this->m_hWnd).GetStyle() & TABS_HOT_TRACK) && hit != m_hot;
        if (part != m_partUnderMouse || hotItemChanged) {
            m_partUnderMouse = part;
            if (CWindow(this->m_hWnd).GetStyle() & TABS_HOT_TRACK)
                m_hot = hit;
            ::InvalidateRect(this->m_hWnd, nullptr, FALSE);
        }
        return 0;
    }
    LRESULT OnMouseLeave(UINT, WPARAM, LPARAM, bool&)
    {
        m_tracked = false;
        m_partUnderMouse = 0;
        m_hot = -1;
        Relayout();
        return 0;
    }
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM lParam, bool& handled)
    {
        if (::GetCapture() != this->m_hWnd) {
            handled = false;
            return 0;
        }
        const POINT point = {XOf(lParam), YOf(lParam)};
        const UINT pressed = m_pressedPart;
        if (m_dragItem >= 0) {
            NotifyPair(TABN_ACCEPT_ITEM_DRAG, m_dragStart, m_dragItem);
            EndItemDrag();
        }
        ::ReleaseCapture();
        if (pressed == CTCHT_ONCLOSEBTN && ::PtInRect(&m_closeButton, point))
            NotifyItem(TABN_CLOSE_CLICKED, m_selected, point);
        Relayout();
        return 0;
    }
    LRESULT OnCaptureChanged(UINT, WPARAM, LPARAM, bool& handled)
    {
        m_pressedPart = 0;
        m_pressedItem = -1;
        if (m_dragItem >= 0)
            CancelItemDrag();
        ::KillTimer(this->m_hWnd, kScrollLeftTimer);
        ::KillTimer(this->m_hWnd, kScrollRightTimer);
        handled = false;
        return 0;
    }
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled)
    {
        if (wParam != kScrollLeftTimer && wParam != kScrollRightTimer) {
            handled = false;
            return 0;
        }
        const bool right = wParam == kScrollRightTimer;
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        ::ScreenToClient(this->m_hWnd, &cursor);
        if (m_dragItem >= 0) {
            ::KillTimer(this->m_hWnd, wParam);
            ItemDragMove(cursor);
            return 0;
        }
        const RECT& button = right ? m_scrollRightButton : m_scrollLeftButton;
        const bool held = m_pressedPart == (right ? CTCHT_ONSCROLLRIGHTBTN : CTCHT_ONSCROLLLEFTBTN) &&
                          ::PtInRect(&button, cursor);
        if (!held || !ScrollStep(right))
            ::KillTimer(this->m_hWnd, wParam);
        return 0;
    }
    // One step towards the end of the strip (right) or its start; false when
    // it cannot scroll that way.
    bool ScrollStep(bool right)
    {
        if (right ? !m_canScrollRight : !m_canScrollLeft)
            return false;
        m_scrollOffset += right ? -m_scrollStep : m_scrollStep;
        Relayout();
        return true;
    }

    LRESULT OnItemMouse(UINT message, WPARAM, LPARAM lParam, bool&)
    {
        const POINT point = {XOf(lParam), YOf(lParam)};
        const int hit = HitTest(point);
        int code = NM_DBLCLK;
        switch (message) {
        case WM_RBUTTONDOWN:
            code = NM_RCLICK;
            break;
        case WM_RBUTTONDBLCLK:
            code = NM_RDBLCLK;
            break;
        case WM_MBUTTONDOWN:
            code = TABN_MIDDLE_CLICK;
            break;
        case WM_MBUTTONDBLCLK:
            code = TABN_MIDDLE_DBLCLK;
            break;
        default:
            break;
        }
        const LRESULT answer = NotifyItem(code, hit, point);
        if (message == WM_RBUTTONDOWN && answer == 0 && hit >= 0 && hit != m_selected)
            SetCurSel(hit, true);
        return 0;
    }
    LRESULT OnGetDlgCode(UINT message, WPARAM wParam, LPARAM lParam, bool&)
    {
        return ::DefWindowProcW(this->m_hWnd, message, wParam, lParam) | DLGC_WANTARROWS;
    }
    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, bool& handled)
    {
        if (wParam == VK_ESCAPE) {
            handled = m_dragItem >= 0;
            if (handled)
                CancelItemDrag();
        } else if (wParam == VK_LEFT && m_selected > 0)
            SetCurSel(m_selected - 1, true);
        else if (wParam == VK_RIGHT && m_selected + 1 < GetItemCount())
            SetCurSel(m_selected + 1, true);
        else
            handled = wParam == VK_LEFT || wParam == VK_RIGHT;
        return 0;
    }
    LRESULT OnGetFont(UINT, WPARAM, LPARAM, bool&) { return reinterpret_cast<LRESULT>(m_font.Get()); }
    LRESULT OnSetFont(UINT, WPARAM wParam, LPARAM lParam, bool&)
    {
        LOGFONTW font = {};
        if (wParam && ::GetObjectW(reinterpret_cast<HFONT>(wParam), sizeof(font), &font) == sizeof(font))
            m_font.Attach(::CreateFontIndirectW(&font));
        if (lParam)
            Relayout();
        return 0;
    }
    LRESULT OnStyleChanged(UINT, WPARAM wParam, LPARAM, bool&)
    {
        if (wParam == static_cast<WPARAM>(GWL_STYLE))
            Relayout();
        return 0;
    }
    LRESULT OnSetRedraw(UINT, WPARAM wParam, LPARAM, bool&)
    {
        const bool wasOff = !m_redraw;
        m_redraw = wParam != 0;
        if (m_redraw && wasOff)
            Relayout();
        return 0;
    }

    // The system's drag cursors, or the arrow where the system has none.
    static HCURSOR DragCursor(int id)
    {
        const HMODULE ole = ::GetModuleHandleW(L"ole32.dll");
        const HCURSOR cursor = ole ? ::LoadCursorW(ole, MAKEINTRESOURCEW(id)) : nullptr;
        return cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
    }

    void BeginItemDrag()
    {
        const int item = m_pressedItem;
        if (NotifyItem(TABN_BEGIN_ITEM_DRAG, item, m_pressPoint) != 0) {
            m_pressedItem = -1;
            return;
        }
        ::SetCapture(this->m_hWnd);
        ::SetFocus(this->m_hWnd);
        m_insideCursor = DragCursor(2);
        m_outsideCursor = DragCursor(1);
        m_dragItem = m_dragStart = item;
    }

    void ItemDragMove(POINT point)
    {
        RECT client = {};
        ::GetClientRect(this->m_hWnd, &client);
        ::SetCursor(::PtInRect(&client, point) ? m_insideCursor : m_outsideCursor);
        if (CWindow(this->m_hWnd).GetStyle() & TABS_SCROLL) {
            // Near an end of the strip the tabs scroll under the dragged one.
            if (point.x < m_tabArea.left + kEdgeGap && ScrollStep(false))
                ::SetTimer(this->m_hWnd, kScrollLeftTimer, kDragScrollRepeat, nullptr);
            else if (point.x > m_tabArea.right - kEdgeGap && ScrollStep(true))
                ::SetTimer(this->m_hWnd, kScrollRightTimer, kDragScrollRepeat, nullptr);
        }
        const int hit = HitTest(point);
        if (hit < 0 || hit == m_dragItem)
            return;
        const RECT target = ShiftedRect(hit);
        const int middle = (target.left + target.right) / 2;
        // Only past the middle of the tab it goes over, in the direction it travels.
        if ((hit > m_dragItem && point.x >= middle) || (hit < m_dragItem && point.x <= middle)) {
            MoveItem(m_dragItem, hit, true, false);
            m_dragItem = hit;
        }
    }

    void CancelItemDrag()
    {
        const int start = m_dragStart;
        if (m_dragItem != start) {
            MoveItem(m_dragItem, start, true, false);
            EnsureVisible(start);
        }
        EndItemDrag();
        NotifyItem(TABN_CANCEL_ITEM_DRAG, start, {-1, -1});
    }

    void EndItemDrag()
    {
        m_dragItem = m_dragStart = m_pressedItem = -1;
        m_pressPoint = {};
        // Shared system cursors: nothing to destroy.
        m_insideCursor = m_outsideCursor = nullptr;
        const HCURSOR classCursor = reinterpret_cast<HCURSOR>(::GetClassLongPtrW(this->m_hWnd, GCLP_HCURSOR));
        ::SetCursor(classCursor ? classCursor : ::LoadCursorW(nullptr, IDC_ARROW));
        ::InvalidateRect(this->m_hWnd, nullptr, FALSE);
    }

    static int XOf(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
    static int YOf(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }
};
