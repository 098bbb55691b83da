#include "docking/dockwins/AutoHideBar.h"

#include "docking/dockwins/AutoHideGeometry.h"
#include "docking/dockwins/DockingSettings.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace dockwins {

namespace {

constexpr int innerMargin = 2;
constexpr int endMargin = 3;

} // namespace

void CAutoHideBar::SetRect(HDC dc, const RECT& rect)
{
    m_rect = rect;
    if (!IsEmpty())
        CalculateLabelWidths(dc);
}

IPinnedLabel* CAutoHideBar::Find(HWND window, size_t* index) const
{
    for (size_t i = 0; i < m_labels.size(); ++i) {
        if (m_labels[i]->IsOwner(window)) {
            if (index)
                *index = i;
            return m_labels[i].get();
        }
    }
    return nullptr;
}

bool CAutoHideBar::Remove(HWND window, HWND frame, HWND manager, DockingPosition* position)
{
    size_t index = 0;
    IPinnedLabel* label = Find(window, &index);
    if (!label)
        return false;
    IPinnedLabel* replacement = nullptr;
    if (position) {
        position->side = CDockingSide(m_side.GetEdge() | CDockingSide::Single | CDockingSide::Pinned);
        label->Unpin(frame, manager, position);
    } else {
        replacement = label->Remove(window, manager);
    }
    if (replacement == label)
        return true;
    if (replacement)
        m_labels[index].reset(replacement);
    else
        m_labels.erase(m_labels.begin() + static_cast<std::ptrdiff_t>(index));
    if (IsEmpty())
        m_rect = {};
    return true;
}

HFONT CAutoHideBar::Font() const
{
    const CDockingSettings& settings = CDockingSettings::Instance();
    return IsHorizontal() ? settings.HorizontalGuiFont() : settings.VerticalGuiFont();
}

void CAutoHideBar::CalculateLabelWidths(HDC dc)
{
    const CSelectObject font(dc, Font());
    std::vector<int> desired;
    for (const auto& label : m_labels)
        desired.push_back(label->DesiredWidth(dc));
    const int length = IsHorizontal() ? m_rect.right - m_rect.left : m_rect.bottom - m_rect.top;
    const std::vector<int> widths = AutoHideLabelWidths(length, desired);
    for (size_t i = 0; i < m_labels.size(); ++i)
        m_labels[i]->SetWidth(widths[i]);
}

RECT CAutoHideBar::DrawingRect() const
{
    RECT rect = m_rect;
    switch (m_side.GetEdge()) {
    case CDockingSide::Top:
        rect.bottom -= innerMargin;
        break;
    case CDockingSide::Bottom:
        rect.top += innerMargin;
        break;
    case CDockingSide::Left:
        rect.right -= innerMargin;
        break;
    default:
        rect.left += innerMargin;
        break;
    }
    if (IsHorizontal())
        ::InflateRect(&rect, -endMargin, 0);
    else
        ::InflateRect(&rect, 0, -endMargin);
    return rect;
}

const CPinnedWindow* CAutoHideBar::FromPoint(POINT point, bool activate) const
{
    if (IsEmpty() || !::PtInRect(&m_rect, point))
        return nullptr;
    const RECT span = DrawingRect();
    const int along = IsHorizontal() ? point.x : point.y;
    int start = IsHorizontal() ? span.left : span.top;
    for (const auto& label : m_labels) {
        const int end = start + label->GetWidth();
        if (along >= start && along < end)
            return label->FromPoint(along - start, activate);
        start = end + AutoHideLabelGap;
    }
    return nullptr;
}

void CAutoHideBar::Draw(HDC dc, bool erase) const
{
    if (IsEmpty())
        return;
    const CDockingSettings& settings = CDockingSettings::Instance();
    if (erase) {
        const CBrush background(::CreateSolidBrush(settings.BarBackgroundColor()));
        const CSelectObject selected(dc, background);
        ::PatBlt(dc, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, PATCOPY);
    }
    const CPen shadow(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
    const CPen face(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE)));
    const CSavedDC saved(dc);
    ::SelectObject(dc, shadow);
    ::SelectObject(dc, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SelectObject(dc, Font());
    ::SetTextColor(dc, settings.DimmedTextColor());
    ::SetBkMode(dc, TRANSPARENT);

    const RECT span = DrawingRect();
    const bool horizontal = IsHorizontal();
    const int length = horizontal ? span.right - span.left : span.bottom - span.top;
    const int count = static_cast<int>(m_labels.size());
    if (count * AutoHideLabelGap - AutoHideLabelGap >= length)
        return;
    int start = horizontal ? span.left : span.top;
    for (const auto& label : m_labels) {
        const int end = start + label->GetWidth();
        RECT rect = span;
        if (horizontal) {
            rect.left = start;
            rect.right = end;
        } else {
            rect.top = start;
            rect.bottom = end;
        }
        ::SelectObject(dc, shadow);
        label->Draw(dc, rect, horizontal);
        // The label's outer edge is left open so it looks attached to the frame's border.
        ::SelectObject(dc, face);
        switch (m_side.GetEdge()) {
        case CDockingSide::Top:
            ::MoveToEx(dc, start + 1, rect.top, nullptr);
            ::LineTo(dc, end - 1, rect.top);
            break;
        case CDockingSide::Bottom:
            ::MoveToEx(dc, start + 1, rect.bottom - 1, nullptr);
            ::LineTo(dc, end - 1, rect.bottom - 1);
            break;
        case CDockingSide::Left:
            ::MoveToEx(dc, rect.left, start + 1, nullptr);
            ::LineTo(dc, rect.left, end - 1);
            break;
        default:
            ::MoveToEx(dc, rect.right - 1, start + 1, nullptr);
            ::LineTo(dc, rect.right - 1, end - 1);
            break;
        }
        start = end + AutoHideLabelGap;
    }
}

} // namespace dockwins
