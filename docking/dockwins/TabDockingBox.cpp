#include "docking/dockwins/TabDockingBox.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

#include "docking/dockwins/DockingReplaceRecord.h"
#include "docking/dockwins/WindowSmallIcon.h"

namespace dockwins {

namespace {

constexpr DWORD kStripStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TABS_TOOLTIPS | TABS_BOTTOM;

} // namespace

CTabDockingBox* CTabDockingBox::CreateInstance(HWND frame)
{
    auto box = std::make_unique<CTabDockingBox>();
    if (!box->Create(frame, RECT{0, 0, 100, 100}))
        return nullptr;
    box->m_ownsItself = true;
    return box.release();
}

CTabDockingBox* CTabDockingBox::FromHandle(HWND window)
{
    wchar_t name[32] = {};
    if (!window || !::GetClassNameW(window, name, 32) || std::wstring_view(name) != L"CTabDockingBox")
        return nullptr;
    // The object sits in the class's last window slot.
    const auto slot = static_cast<int>(::GetClassLongPtrW(window, GCL_CBWNDEXTRA)) - static_cast<int>(sizeof(LONG_PTR));
    auto* object = reinterpret_cast<CMessageDispatcher*>(::GetWindowLongPtrW(window, slot));
    return static_cast<CTabDockingBox*>(object);
}

void CTabDockingBox::OnFinalMessage(HWND)
{
    if (m_ownsItself)
        delete this;
}

HWND CTabDockingBox::MakeAround(HWND window, HWND container, const DockingNotifySender& sender)
{
    CTabDockingBox* box = CreateInstance(sender.Frame());
    if (!box)
        return nullptr;
    // Only the handle is kept: a box that is closed below goes by itself.
    const HWND boxWindow = box->m_hWnd;
    if (container) {
        DockingReplaceRecord replace;
        replace.window = window;
        replace.container = container;
        replace.replacement = boxWindow;
        if (!::SendMessageW(container, DockingNotify, 0, reinterpret_cast<LPARAM>(&replace))) {
            ::PostMessageW(boxWindow, WM_CLOSE, 0, 0);
            return nullptr;
        }
    } else {
        const RECT rect = CWindow(window).GetWindowRect();
        ::SetWindowPos(boxWindow, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_SHOWWINDOW);
    }
    DockingNotifyRecord self;
    self.window = window;
    self.target = boxWindow;
    self.rect = {0, 0, 0, 0};
    sender.Dock(self);
    return boxWindow;
}

LRESULT CTabDockingBox::OnCreate(UINT, WPARAM, LPARAM, bool&)
{
    m_tabs.Create(m_hWnd, RECT{}, kStripStyle);
    if (m_images.Create(16, 16, 0, 5))
        m_tabs.SetImageList(m_images);
    return 0;
}

RECT CTabDockingBox::StripBand() const
{
    RECT band = GetClientRect();
    const int thickness = m_tabs.GetThickness();
    const DWORD style = m_tabs.m_hWnd ? m_tabs.GetStyle() : kStripStyle;
    const bool bottom = (style & TABS_BOTTOM) != 0;
    if (style & TABS_VERTICAL) {
        if (bottom)
            band.left = std::max(band.left, band.right - thickness);
        else
            band.right = std::min(band.right, band.left + thickness);
    } else if (bottom) {
        band.top = std::max(band.top, band.bottom - thickness);
    } else {
        band.bottom = std::min(band.bottom, band.top + thickness);
    }
    return band;
}

void CTabDockingBox::PlaceActiveWindow()
{
    if (!m_active)
        return;
    RECT page = GetClientRect();
    const RECT band = StripBand();
    ::SubtractRect(&page, &page, &band);
    ::SetWindowPos(m_active, nullptr, page.left, page.top, page.right - page.left, page.bottom - page.top,
                   SWP_NOZORDER | SWP_SHOWWINDOW);
}

LRESULT CTabDockingBox::OnSize(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (wParam != SIZE_MINIMIZED) {
        const RECT band = StripBand();
        m_tabs.SetWindowPos(nullptr, band, SWP_NOZORDER | SWP_NOACTIVATE);
        PlaceActiveWindow();
    }
    handled = false;
    return 0;
}

LRESULT CTabDockingBox::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    m_tabs.SetImageList(nullptr);
    m_images.Reset();
    handled = false;
    return 0;
}

LRESULT CTabDockingBox::OnSetFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    if (m_active && ::IsWindowVisible(m_active))
        ::SetFocus(m_active);
    handled = false;
    return 0;
}

LRESULT CTabDockingBox::OnNotify(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != m_tabs.m_hWnd) {
        handled = false;
        return 0;
    }
    switch (static_cast<int>(header->code)) {
    case static_cast<int>(TCN_SELCHANGE):
        OnTabSelChange();
        return 0;
    case TABN_DRAG_OUT:
        OnTabDragOut();
        return 0;
    case static_cast<int>(NM_DBLCLK):
        if (const HWND page = WindowAt(m_tabs.GetCurSel()))
            ::PostMessageW(page, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
        return 0;
    default:
        handled = false;
        return 0;
    }
}

LRESULT CTabDockingBox::OnBoxNotify(UINT, WPARAM, LPARAM lParam, bool&)
{
    auto* position = reinterpret_cast<DockingPosition*>(lParam);
    auto* request = reinterpret_cast<DockingNotifyRecord*>(lParam);
    switch (position->code) {
    case DockingAccept:
        if (OnAcceptDock(*request))
            return TRUE;
        request->target = nullptr;
        return FALSE;
    case DockingDock: {
        const int index = request->rect.left < 0 ? WindowCount() : std::min(static_cast<int>(request->rect.left), WindowCount());
        return InsertWindow(index, request->window) >= 0;
    }
    case DockingUndock: {
        const bool removed = RemoveWindow(position->window);
        if (removed)
            CloseWhenSingle();
        return removed;
    }
    case DockingGetPosition:
        return OnGetDockingPosition(*position);
    case DockingAtPosition: {
        const int index = position->labelIndex < 0 ? WindowCount() : std::min(position->labelIndex, WindowCount());
        const HWND active = m_active;
        if (InsertWindow(index, position->window) < 0)
            return FALSE;
        // A window put back at the place it had behind another tab stays behind it.
        if (active && position->docked && !position->side.IsActive())
            OnActivate(active);
        return TRUE;
    }
    case DockingIsBox:
        return TRUE;
    case DockingActivate:
        return OnActivate(position->window);
    case DockingPinBox:
        return OnPinBox(position->side.Flags() != 0);
    default:
        return FALSE;
    }
}

bool CTabDockingBox::IsShown() const
{
    if (IsWindowVisible())
        return true;
    DockingPosition query;
    query.window = m_hWnd;
    query.container = m_container;
    return m_sender.IsPinned(query);
}

bool CTabDockingBox::TakeOwnPosition(DockingPosition& position) const
{
    position.window = m_hWnd;
    position.container = m_container;
    if (IsDocked())
        return m_sender.GetDockingPosition(position);
    if (IsShown() || !m_hasPosition || !m_position.container) {
        position.side.Set(CDockingSide::NotDocked, true);
        position.windowRect = GetWindowRect();
        return true;
    }
    position.container = m_position.container;
    position.code = m_position.code;
    position.side = m_position.side;
    position.place = m_position.place;
    position.windowRect = m_position.windowRect;
    position.labelIndex = m_position.labelIndex;
    return true;
}

bool CTabDockingBox::OnGetDockingPosition(DockingPosition& position) const
{
    const HWND asking = position.window;
    const bool found = TakeOwnPosition(position);
    position.window = asking;
    const int index = IndexOfWindow(asking);
    position.labelIndex = index;
    // Re-docking later joins the other window, making a new box if this one is gone.
    if (WindowCount() == 2 && index >= 0)
        position.container = WindowAt(1 - index);
    else
        position.container = m_hWnd;
    if (asking && asking == m_active)
        position.side.Set(CDockingSide::Active, true);
    return found;
}

bool CTabDockingBox::OnActivate(HWND window)
{
    const int index = IndexOfWindow(window);
    if (index < 0)
        return false;
    m_tabs.SetCurSel(index, true);
    if (!IsShown())
        Show();
    return true;
}

bool CTabDockingBox::OnPinBox(bool show)
{
    DockingPosition own;
    const HWND container = m_container;
    if (!TakeOwnPosition(own) || !Undock())
        return false;
    std::vector<HWND> windows(static_cast<size_t>(WindowCount()));
    const HWND active = m_active;
    for (int i = WindowCount() - 1; i >= 0; --i) {
        windows[static_cast<size_t>(i)] = WindowAt(i);
        RemoveWindow(windows[static_cast<size_t>(i)]);
    }
    DockingPinRequest request;
    request.window = active ? active : (windows.empty() ? nullptr : windows.front());
    request.container = container;
    request.side = own.side;
    request.size = own.place.rowSize;
    request.flags = show ? DockingPinRequest::ShowAtOnce : 0;
    request.windowCount = static_cast<int>(windows.size());
    request.windows = windows.data();
    const bool pinned = m_sender.PinUp(request);
    PostFinalClose();
    return pinned;
}

bool CTabDockingBox::PinUp(int flags)
{
    return OnPinBox((flags & DockingPinRequest::ShowAtOnce) != 0);
}

void CTabDockingBox::PostFinalClose()
{
    m_closing = true;
    PostMessage(WM_CLOSE, 0, 0);
}

bool CTabDockingBox::DockTo(DockingNotifyRecord* request)
{
    const HWND target = request->target;
    if (!DockingNotifySender::IsDockingBox(target))
        return Base::DockTo(request);
    const HWND active = m_active;
    // Only a box's own answer to the accept query names a tab index; a
    // pane that takes the windows puts each after the others.
    const int index = FromHandle(target) ? static_cast<int>(request->rect.left) : -1;
    // At a given index the windows go in last first, so they keep their order there.
    std::vector<HWND> windows;
    for (int i = 0; i < WindowCount(); ++i)
        windows.push_back(WindowAt(i));
    if (index >= 0)
        std::reverse(windows.begin(), windows.end());
    for (const HWND window : windows) {
        RemoveWindow(window);
        DockingNotifyRecord move = *request;
        move.window = window;
        move.target = target;
        move.rect = {index, index, index, index};
        m_sender.Dock(move);
    }
    if (active) {
        DockingPosition activate;
        activate.window = active;
        activate.container = target;
        m_sender.Activate(activate);
    }
    PostFinalClose();
    return true;
}

bool CTabDockingBox::Hide()
{
    bool ok = true;
    if (IsDocked()) {
        DockingPosition position;
        ok = GetDockingPosition(position);
        if (ok) {
            m_position = position;
            m_hasPosition = true;
            ok = Undock();
            // A box made in a docked window's place never floated: it keeps the size it had.
            if (ok && !::IsRectEmpty(&m_floatingRect))
                SetWindowPos(nullptr, m_floatingRect, SWP_HIDEWINDOW | SWP_NOACTIVATE);
        }
    } else {
        m_position.container = nullptr;
    }
    ShowWindow(SW_HIDE);
    return ok;
}

bool CTabDockingBox::Show()
{
    if (m_hasPosition && m_position.container) {
        DockingPosition position = m_position;
        return DockAtPosition(position);
    }
    ShowWindow(SW_SHOW);
    return true;
}

int CTabDockingBox::IndexOfWindow(HWND window) const
{
    for (int i = 0; i < WindowCount(); ++i)
        if (m_tabs.GetItem(i)->page == window)
            return window ? i : -1;
    return -1;
}

HWND CTabDockingBox::WindowAt(int index) const
{
    const CTabViewTabItem* item = m_tabs.GetItem(index);
    return item ? item->page : nullptr;
}

void CTabDockingBox::AttachWindow(HWND window)
{
    ::ShowWindow(window, SW_HIDE);
    CWindow(window).ModifyStyle(WS_POPUP | WS_CAPTION, WS_CHILD);
    ::SetParent(window, m_hWnd);
    ::SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
    ::SendMessageW(window, WM_USER, 1, reinterpret_cast<LPARAM>(m_hWnd));
}

void CTabDockingBox::DetachWindow(HWND window)
{
    ::ShowWindow(window, SW_HIDE);
    CWindow(window).ModifyStyle(WS_CHILD, WS_POPUP | WS_CAPTION);
    ::SetParent(window, nullptr);
    ::SendMessageW(window, WM_USER, 0, reinterpret_cast<LPARAM>(m_hWnd));
}

int CTabDockingBox::InsertWindow(int index, HWND window)
{
    if (m_closing || !window || !::IsWindow(window) || IndexOfWindow(window) >= 0)
        return -1;
    // A drag that ended without a last look at the box leaves no empty tab behind.
    RemovePlaceholder();
    AttachWindow(window);
    auto item = std::make_unique<CTabViewTabItem>();
    item->text = CWindow(window).GetWindowText();
    item->toolTip = item->text;
    const HICON icon = SmallIconOf(window);
    item->image = icon && !m_images.IsNull() ? m_images.AddIcon(icon) : -1;
    item->page = window;
    return m_tabs.InsertItem(index, std::move(item), true);
}

bool CTabDockingBox::RemoveWindow(HWND window)
{
    const int index = IndexOfWindow(window);
    if (index < 0)
        return false;
    if (window == m_active)
        m_active = nullptr;
    if (!m_tabs.DeleteItem(index, true, false))
        return false;
    DetachWindow(window);
    return true;
}

void CTabDockingBox::CloseWhenSingle()
{
    if (WindowCount() > 1)
        return;
    PostMessage(WM_CLOSE, 1, 0);
    if (WindowCount() == 0)
        Hide();
}

void CTabDockingBox::OnTabSelChange()
{
    const HWND window = WindowAt(m_tabs.GetCurSel());
    if (!window || window == m_active)
        return;
    if (m_active)
        ::ShowWindow(m_active, SW_HIDE);
    m_active = window;
    UpdateCaption();
    PlaceActiveWindow();
    if (::IsWindowVisible(window))
        ::SetFocus(window);
}

void CTabDockingBox::UpdateCaption()
{
    SetWindowText(CWindow(m_active).GetWindowText().c_str());
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(SmallIconOf(m_active)));
}

void CTabDockingBox::OnTabDragOut()
{
    const HWND window = WindowAt(m_tabs.GetCurSel());
    if (!window)
        return;
    const RECT rect = CWindow(window).GetWindowRect();
    ::PostMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION,
                   MAKELPARAM(static_cast<short>(rect.right), static_cast<short>(rect.bottom)));
}

bool CTabDockingBox::CloseHandingBackLast()
{
    if (WindowCount() == 1) {
        const HWND last = WindowAt(0);
        ::ShowWindow(last, SW_HIDE);
        RemoveWindow(last);
        bool placed = false;
        if (IsDocked()) {
            DockingReplaceRecord replace;
            replace.window = m_hWnd;
            replace.container = m_container;
            replace.replacement = last;
            placed = ::SendMessageW(m_container, DockingNotify, 0, reinterpret_cast<LPARAM>(&replace)) != 0;
        }
        // A floating box, or a row that would not take it: the window floats where the box was.
        if (!placed) {
            const RECT rect = GetWindowRect();
            ::SetWindowPos(last, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                           SWP_SHOWWINDOW);
        }
    }
    return WindowCount() < 2;
}

bool CTabDockingBox::CloseActiveTab()
{
    if (WindowCount() <= 1)
        return true;
    const int selected = m_tabs.GetCurSel();
    const HWND window = WindowAt(selected);
    if (!window) {
        const HWND before = ::GetFocus();
        Hide();
        RestoreFocus(before, m_sender.Frame());
        return false;
    }
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    m_tabs.SetCurSel(selected + 1 < WindowCount() ? selected + 1 : selected - 1, true);
    return false;
}

LRESULT CTabDockingBox::OnClose(UINT, WPARAM wParam, LPARAM, bool&)
{
    const bool goes = wParam == 1 ? CloseHandingBackLast() : CloseActiveTab();
    if (!goes)
        return 0;
    // A box that cannot leave its container stays.
    if (IsDocked() && !Undock())
        return 0;
    m_closing = true;
    DestroyWindow();
    return 0;
}

} // namespace dockwins
