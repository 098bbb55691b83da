#include "docking/dockwins/PinnedLabel.h"

#include <utility>

#include "docking/dockwins/DockingNotify.h"
#include "docking/dockwins/DrawEllipsisText.h"
#include "winlib/Window.h"

namespace dockwins {

namespace {

constexpr int margin = 3;

int SmallIconWidth()
{
    return ::GetSystemMetrics(SM_CXSMICON);
}

int TextExtent(HDC dc, const EString& text)
{
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

BOOL SendToFrame(HWND frame, DockingPosition* position)
{
    return static_cast<BOOL>(::SendMessageW(frame, DockingNotify, 0, reinterpret_cast<LPARAM>(position)));
}

} // namespace

CPinnedWindow::CPinnedWindow(HWND window, int size) : m_size(size), m_window(window)
{
    m_icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!m_icon)
        m_icon = reinterpret_cast<HICON>(::GetClassLongPtrW(window, GCLP_HICONSM));
    m_text = CWindow(window).GetWindowText();
}

void CPinnedWindow::PinUp(HWND manager, bool horizontalBar) const
{
    ::ShowWindow(m_window, SW_HIDE);
    CWindow(m_window).ModifyStyle(WS_POPUP | WS_CAPTION, WS_CHILD);
    ::SetParent(m_window, manager);
    ::SendMessageW(m_window, WM_NCACTIVATE, TRUE, 0);
    ::SendMessageW(m_window, WM_USER, (static_cast<WPARAM>(horizontalBar) << 16) + 1, reinterpret_cast<LPARAM>(manager));
}

void CPinnedWindow::Unpin(HWND manager) const
{
    ::ShowWindow(m_window, SW_HIDE);
    CWindow(m_window).ModifyStyle(WS_CHILD, WS_POPUP | WS_CAPTION);
    ::SetParent(m_window, nullptr);
    ::SendMessageW(m_window, WM_USER, 0, reinterpret_cast<LPARAM>(manager));
}

int CPinnedWindow::DesiredWidth(HDC dc) const
{
    return TextExtent(dc, m_text) + 2 * margin + (m_icon ? SmallIconWidth() + margin : 0);
}

void CPinnedWindow::Draw(HDC dc, const RECT& rect, bool horizontal) const
{
    RECT inner = rect;
    ::InflateRect(&inner, -margin, -margin);
    const int iconWidth = SmallIconWidth();
    const int iconHeight = ::GetSystemMetrics(SM_CYSMICON);
    const int room = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    if (m_icon && (horizontal ? iconWidth : iconHeight) + 2 * margin < room) {
        if (horizontal) {
            const int top = inner.top + (inner.bottom - inner.top - iconHeight) / 2;
            ::DrawIconEx(dc, inner.left, top, m_icon, iconWidth, iconHeight, 0, nullptr, DI_NORMAL);
            inner.left += iconWidth + margin;
        } else {
            const int left = inner.left + (inner.right - inner.left - iconWidth) / 2;
            ::DrawIconEx(dc, left, inner.top, m_icon, iconWidth, iconHeight, 0, nullptr, DI_NORMAL);
            inner.top += iconHeight + margin;
        }
    }
    DrawEllipsisText(dc, m_text.c_str(), TextLength(), inner, horizontal);
}

void CPinnedWindow::DrawIconOnly(HDC dc, const RECT& rect, bool horizontal) const
{
    RECT inner = rect;
    ::InflateRect(&inner, -margin, -margin);
    const int iconWidth = SmallIconWidth();
    const int iconHeight = ::GetSystemMetrics(SM_CYSMICON);
    const bool fits = rect.right - rect.left - 2 * margin >= iconWidth &&
                      rect.bottom - rect.top - 2 * margin >= iconHeight;
    if (m_icon && fits)
        ::DrawIconEx(dc, inner.left, inner.top, m_icon, iconWidth, iconHeight, 0, nullptr, DI_NORMAL);
    else
        DrawEllipsisText(dc, m_text.c_str(), TextLength(), inner, horizontal);
}

IPinnedLabel* MakePinnedLabel(const DockingPinRequest& request, bool horizontalBar)
{
    IPinnedLabel* label = nullptr;
    if (request.windowCount < 2 || !request.windows) {
        const CPinnedWindow entry(request.window, request.size);
        entry.PinUp(request.container, horizontalBar);
        label = new CSinglePinnedLabel(entry);
    } else {
        std::vector<CPinnedWindow> entries;
        for (int i = 0; i < request.windowCount; ++i) {
            entries.emplace_back(request.windows[i], request.size);
            entries.back().PinUp(request.container, horizontalBar);
        }
        label = new CMultyPinnedLabel(std::move(entries), request.window);
    }
    return label;
}

IPinnedLabel* CSinglePinnedLabel::Remove(HWND, HWND manager)
{
    m_entry.Unpin(manager);
    return nullptr;
}

bool CSinglePinnedLabel::GetDockingPosition(DockingPosition* position) const
{
    position->place = {0, 0.0f, m_entry.Size(), 1};
    position->labelIndex = 0;
    return true;
}

bool CSinglePinnedLabel::Unpin(HWND frame, HWND manager, DockingPosition* position)
{
    GetDockingPosition(position);
    Remove(m_entry.Window(), manager);
    position->code = DockingAtPosition;
    return SendToFrame(frame, position) != FALSE;
}

void CSinglePinnedLabel::Draw(HDC dc, const RECT& rect, bool horizontal) const
{
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    m_entry.Draw(dc, rect, horizontal);
}

CMultyPinnedLabel::CMultyPinnedLabel(std::vector<CPinnedWindow> entries, HWND first) : m_entries(std::move(entries))
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].Window() == first)
            m_active = i;
        if (m_entries[i].TextLength() > m_entries[m_measuring].TextLength())
            m_measuring = i;
    }
    m_iconOnlyWidth = SmallIconWidth() + 2 * margin;
}

int CMultyPinnedLabel::IndexOf(HWND window) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].Window() == window)
            return static_cast<int>(i);
    return -1;
}

int CMultyPinnedLabel::DesiredWidth(HDC dc) const
{
    const int iconOnly = SmallIconWidth() + 2 * margin;
    return static_cast<int>(m_entries.size() - 1) * iconOnly + TextExtent(dc, m_entries[m_measuring].Text()) +
           2 * margin + SmallIconWidth() + margin;
}

void CMultyPinnedLabel::SetWidth(int width)
{
    m_width = width;
    const int count = static_cast<int>(m_entries.size());
    m_iconOnlyWidth = SmallIconWidth() + 2 * margin;
    if (width < m_iconOnlyWidth * count)
        m_iconOnlyWidth = width < count ? 0 : width / count;
}

size_t CMultyPinnedLabel::EntryAt(int offset, int labelWidth, int iconOnlyWidth, size_t count, size_t active)
{
    if (iconOnlyWidth <= 0 || count == 0)
        return active;
    const int a = static_cast<int>(active);
    if (offset < a * iconOnlyWidth)
        return static_cast<size_t>(offset / iconOnlyWidth);
    const int activeEnd = labelWidth - static_cast<int>(count - active - 1) * iconOnlyWidth;
    if (offset <= activeEnd)
        return active;
    const size_t entry = active + static_cast<size_t>((offset - activeEnd) / iconOnlyWidth) + 1;
    return entry < count ? entry : count - 1;
}

const CPinnedWindow* CMultyPinnedLabel::FromPoint(int offset, bool activate)
{
    const size_t entry = EntryAt(offset, m_width, m_iconOnlyWidth, m_entries.size(), m_active);
    if (activate)
        m_active = entry;
    return &m_entries[entry];
}

bool CMultyPinnedLabel::GetDockingPosition(DockingPosition* position) const
{
    const int index = IndexOf(position->window);
    if (index < 0)
        return false;
    position->place = {0, 0.0f, m_entries[static_cast<size_t>(index)].Size(), 1};
    position->labelIndex = index;
    if (static_cast<size_t>(index) == m_active)
        position->side.Set(CDockingSide::Active, true);
    return true;
}

IPinnedLabel* CMultyPinnedLabel::Remove(HWND window, HWND manager)
{
    const int index = IndexOf(window);
    if (index < 0)
        return this;
    const auto removed = static_cast<size_t>(index);
    m_entries[removed].Unpin(manager);
    if (m_entries.size() == 2)
        return new CSinglePinnedLabel(m_entries[1 - removed]);
    m_entries.erase(m_entries.begin() + index);
    m_measuring = 0;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (!m_entries[i].Text().empty())
            m_measuring = i;
    if (m_active == m_entries.size())
        --m_active;
    return this;
}

bool CMultyPinnedLabel::Unpin(HWND frame, HWND manager, DockingPosition* position)
{
    const HWND active = m_entries[m_active].Window();
    position->window = m_entries[0].Window();
    GetDockingPosition(position);
    position->code = DockingAtPosition;
    m_entries[0].Unpin(manager);
    bool docked = SendToFrame(frame, position) != FALSE;
    // The others join the first window's box.
    position->container = m_entries[0].Window();
    for (size_t i = 1; i < m_entries.size(); ++i) {
        position->window = m_entries[i].Window();
        position->labelIndex = static_cast<int>(i);
        position->code = DockingAtPosition;
        m_entries[i].Unpin(manager);
        docked = SendToFrame(frame, position) != FALSE && docked;
    }
    position->window = active;
    position->code = DockingActivate;
    SendToFrame(frame, position);
    return docked;
}

void CMultyPinnedLabel::Draw(HDC dc, const RECT& rect, bool horizontal) const
{
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    const int others = static_cast<int>(m_entries.size() - 1) * m_iconOnlyWidth;
    int at = horizontal ? rect.left : rect.top;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const int span = i == m_active ? m_width - others : m_iconOnlyWidth;
        const RECT part = horizontal ? RECT{at, rect.top, at + span, rect.bottom} : RECT{rect.left, at, rect.right, at + span};
        if (i == m_active)
            m_entries[i].Draw(dc, part, horizontal);
        else
            m_entries[i].DrawIconOnly(dc, part, horizontal);
        if (i > 0) {
            ::MoveToEx(dc, horizontal ? at : rect.left, horizontal ? rect.top : at, nullptr);
            ::LineTo(dc, horizontal ? at : rect.right, horizontal ? rect.bottom : at);
        }
        at += span;
    }
}

} // namespace dockwins
