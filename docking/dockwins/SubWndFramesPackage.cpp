#include "docking/dockwins/SubWndFramesPackage.h"

#include <algorithm>

#include "docking/dockwins/MinMaxInfo.h"
#include "docking/dockwins/PackageWindowFrame.h"

namespace dockwins {

int CSubWndFramesPackage::CFrameWrapper::MinDistance() const
{
    MINMAXINFO info = {};
    m_package.GetMinMaxInfo(&info);
    return m_package.IsSideBySide() ? info.ptMinTrackSize.y : info.ptMinTrackSize.x;
}

HDWP CSubWndFramesPackage::CFrameWrapper::DeferFramePos(HDWP batch, int x1, int y1, int x2, int y2)
{
    m_package.SetRect(RECT{x1, y1, x2, y2});
    return batch;
}

RECT CSubWndFramesPackage::ToClient(RECT rect) const
{
    ::MapWindowPoints(nullptr, m_owner, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT CSubWndFramesPackage::ToScreen(RECT rect) const
{
    ::MapWindowPoints(m_owner, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int CSubWndFramesPackage::IndexOfWindow(HWND window) const
{
    for (size_t i = 0; window && i < Count(); ++i)
        if (Frame(i).GetHwnd() == window)
            return static_cast<int>(i);
    return -1;
}

void CSubWndFramesPackage::AddCentral(std::unique_ptr<IFrame> frame, const RECT& rect)
{
    const double start = IsSideBySide() ? rect.left : rect.top;
    const size_t where = InsertionPointAt(start);
    AddAtRect(CPtrFrame<IFrame>(0, std::move(frame)), rect);
    SetCentral(static_cast<int>(where));
}

bool CSubWndFramesPackage::AcceptDock(DockingNotifyRecord& request)
{
    RECT rect = ToClient(request.rect);
    const RECT& package = Rect();
    const POINT corner = {rect.left, rect.top};
    const double c = IsSideBySide() ? rect.left : rect.top;
    size_t where = 0;
    if (!::PtInRect(&package, corner)) {
        RECT widened = package;
        if (IsSideBySide())
            ::InflateRect(&widened, kEdgeZone, 0);
        else
            ::InflateRect(&widened, 0, kEdgeZone);
        if (!::PtInRect(&widened, corner))
            return false;
        where = c < (IsSideBySide() ? package.left : package.top) ? 0 : Count();
    } else {
        const int found = FrameAt(c);
        if (found < 0)
            return false;
        const auto i = static_cast<size_t>(found);
        if (c < Frame(i).position + kEdgeZone) {
            where = i;
        } else if (c > SpanEnd(i) - kEdgeZone) {
            where = i + 1;
        } else {
            // The middle of the view takes no window; a row decides for itself.
            if (found == Central())
                return false;
            // Frames take rectangles in the owner's client coordinates.
            request.rect = rect;
            const bool accepted = Frame(i).Get()->AcceptDock(&request);
            request.rect = ToScreen(request.rect);
            return accepted;
        }
    }

    const bool afterCentral = Central() >= 0 && static_cast<int>(where) > Central();
    const MINMAXINFO info = MinMaxOf(request.window);
    if (info.ptMinTrackSize.x > package.right - package.left || info.ptMinTrackSize.y > package.bottom - package.top)
        return false;
    const double along = IsSideBySide() ? info.ptMinTrackSize.x : info.ptMinTrackSize.y;
    if (along + MinExtents(0, Count()) >= Upper() - Lower())
        return false;

    const LONG length = IsSideBySide() ? rect.right - rect.left : rect.bottom - rect.top;
    const LONG at = static_cast<LONG>(where < Count() ? Frame(where).position : Upper());
    LONG start = afterCentral ? at - length : at + splitterSize;
    if (IsSideBySide())
        rect = RECT{start, package.top, start + length, package.bottom};
    else
        rect = RECT{package.left, start, package.right, start + length};
    request.rect = ToScreen(rect);
    request.placement = (request.placement & ~DockingNotifyRecord::AfterCentralBit) |
                        (afterCentral ? DockingNotifyRecord::AfterCentralBit : 0u);
    request.target = m_owner;
    return true;
}

HWND CSubWndFramesPackage::InsertRow(size_t where, double start, double size)
{
    const RECT& package = Rect();
    auto row = std::make_unique<CPackageWindowFrame>(m_owner, !IsSideBySide(), package);
    if (!row->IsValid())
        return nullptr;
    const HWND window = row->GetHwnd();
    Insert(where, CPtrFrame<IFrame>(0, std::move(row)), start, size);
    Arrange();
    return window;
}

bool CSubWndFramesPackage::Dock(DockingNotifyRecord& request)
{
    const RECT rect = ToClient(request.rect);
    const double size = IsSideBySide() ? rect.right - rect.left : rect.bottom - rect.top;
    double start = IsSideBySide() ? rect.left : rect.top;
    if (request.IsAfterCentral())
        start += size;
    const HWND row = InsertRow(InsertionPointAt(start), start, size);
    if (!row)
        return false;
    request.target = row;
    request.rect = CWindow(row).GetWindowRect();
    request.code = DockingDock;
    if (::SendMessageW(row, DockingNotify, 0, reinterpret_cast<LPARAM>(&request)))
        return true;
    // The row refused the window: no empty row may stay behind.
    Undock(row);
    ::PostMessageW(row, WM_CLOSE, 0, 0);
    return false;
}

bool CSubWndFramesPackage::Undock(HWND row)
{
    const int index = IndexOfWindow(row);
    if (index < 0)
        return false;
    RemoveTowardsCentral(static_cast<size_t>(index));
    Arrange();
    return true;
}

bool CSubWndFramesPackage::GetDockingPosition(DockingPosition& position)
{
    const int index = IndexOfWindow(position.container);
    if (index < 0)
        return false;
    const auto i = static_cast<size_t>(index);
    position.place.rowSize = static_cast<int>(Span(i)) - splitterSize;
    const bool before = index < Central();
    position.side.Set(CDockingSide::BeforeCentral, before);
    position.place.row = before ? index : static_cast<int>(Count()) - index - 1;
    position.code = DockingGetPosition;
    return ::SendMessageW(position.container, DockingNotify, 0, reinterpret_cast<LPARAM>(&position)) != 0;
}

bool CSubWndFramesPackage::DockAtPosition(DockingPosition& position)
{
    if (Central() < 0)
        return false;
    const MINMAXINFO info = MinMaxOf(position.window);
    const int rowSize = std::max<int>(position.place.rowSize, IsSideBySide() ? info.ptMinTrackSize.x : info.ptMinTrackSize.y);
    const auto central = static_cast<size_t>(Central());
    size_t reached = 0;
    if (position.side.IsTopOrLeft()) {
        for (int step = 0; step < position.place.row && reached < central; ++step)
            ++reached;
    } else {
        reached = Count() - 1;
        for (int step = 0; step < position.place.row && reached > central; ++step)
            --reached;
    }
    HWND target = nullptr;
    const bool madeRow = reached == central || position.side.IsSingle();
    if (madeRow) {
        // A new row at the place the window's row had.
        // Before the central frame the new row takes the reached frame's
        // place; after it, the place just beyond the reached frame.
        size_t where = reached;
        double start = Frame(reached).position;
        if (!position.side.IsTopOrLeft()) {
            where = reached + 1;
            const double end = where < Count() ? Frame(where).position : Upper();
            start = std::max(Lower(), end - splitterSize - rowSize);
        }
        target = InsertRow(where, start, rowSize + splitterSize);
        if (!target)
            return false;
    } else {
        target = Frame(reached).GetHwnd();
    }
    position.container = target;
    position.code = DockingAtPosition;
    if (::SendMessageW(target, DockingNotify, 0, reinterpret_cast<LPARAM>(&position)))
        return true;
    if (madeRow) {
        Undock(target);
        ::PostMessageW(target, WM_CLOSE, 0, 0);
    }
    return false;
}

} // namespace dockwins
