#include "foundation/WindowState.h"

#include <commctrl.h>

#include <algorithm>

#include "foundation/EString.h"
#include "foundation/Options.h"

namespace {

const wchar_t kColumnsKey[] = L"PaneState";

EString ColumnValueName(const wchar_t* listName, int column)
{
    return EString::Formatted(L"Col%s_%d", listName, column);
}

LONG ReadSide(const wchar_t* subKey, const wchar_t* name, LONG current)
{
    return static_cast<LONG>(Options::ReadDword(subKey, name, static_cast<DWORD>(current)));
}

// Wider than zero and no larger than all screens together; in 64 bits, as the
// stored sides may be anything.
bool IsRestorableSize(const RECT& rect)
{
    const LONGLONG width = static_cast<LONGLONG>(rect.right) - rect.left;
    const LONGLONG height = static_cast<LONGLONG>(rect.bottom) - rect.top;
    return width > 0 && height > 0 && width <= ::GetSystemMetrics(SM_CXVIRTUALSCREEN) &&
           height <= ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

// The window's rectangle in screen coordinates as it stands when neither
// minimised nor maximised: the one worth opening at next time.
bool NormalWindowRect(HWND window, RECT& rect)
{
    if (!::IsIconic(window) && !::IsZoomed(window))
        return ::GetWindowRect(window, &rect) != FALSE;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(window, &placement))
        return false;
    rect = placement.rcNormalPosition;
    if (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) {
        ::MapWindowPoints(::GetParent(window), nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return true;
    }
    // A top-level window's normal placement counts from its monitor's work
    // area (beside a taskbar on the left or at the top), tool windows' excepted.
    if (!(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        if (::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
            ::OffsetRect(&rect, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    }
    return true;
}

} // namespace

void WindowState::RestoreWindowRect(const wchar_t* subKey, HWND window)
{
    if (!window)
        return;
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    rect.left = ReadSide(subKey, L"Left", rect.left);
    rect.right = ReadSide(subKey, L"Right", rect.right);
    rect.top = ReadSide(subKey, L"Top", rect.top);
    rect.bottom = ReadSide(subKey, L"Bottom", rect.bottom);
    // A damaged value, or a screen that has since shrunk: the window stays where it opened.
    if (!IsRestorableSize(rect))
        return;
    rect = FitRectToMonitor(rect);
    // A child window is placed in its parent's client coordinates.
    if (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)
        ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowState::SaveWindowRect(const wchar_t* subKey, HWND window)
{
    if (!window)
        return;
    RECT rect = {};
    if (!NormalWindowRect(window, rect))
        return;
    Options::WriteDword(subKey, L"Left", static_cast<DWORD>(rect.left));
    Options::WriteDword(subKey, L"Right", static_cast<DWORD>(rect.right));
    Options::WriteDword(subKey, L"Top", static_cast<DWORD>(rect.top));
    Options::WriteDword(subKey, L"Bottom", static_cast<DWORD>(rect.bottom));
}

void WindowState::RestoreColumnWidths(const wchar_t* listName, HWND listView, int columnCount)
{
    bool anyStored = false;
    for (int column = 0; column < columnCount; ++column) {
        const int current = ListView_GetColumnWidth(listView, column);
        const int stored = static_cast<int>(
            Options::ReadDword(kColumnsKey, ColumnValueName(listName, column).c_str(), static_cast<DWORD>(current)));
        anyStored = anyStored || stored > 0;
    }
    if (!anyStored)
        return;
    for (int column = 0; column < columnCount; ++column) {
        const int current = ListView_GetColumnWidth(listView, column);
        const int stored = static_cast<int>(
            Options::ReadDword(kColumnsKey, ColumnValueName(listName, column).c_str(), static_cast<DWORD>(current)));
        ListView_SetColumnWidth(listView, column, stored);
    }
}

void WindowState::SaveColumnWidths(const wchar_t* listName, HWND listView, int columnCount)
{
    for (int column = 0; column < columnCount; ++column)
        Options::WriteDword(kColumnsKey, ColumnValueName(listName, column).c_str(),
                            static_cast<DWORD>(ListView_GetColumnWidth(listView, column)));
}

RECT FitRectToMonitor(const RECT& rect)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    const HMONITOR monitor = ::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    if (!monitor || !::GetMonitorInfoW(monitor, &info))
        return rect;
    const RECT& area = info.rcWork;
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    RECT fitted;
    fitted.left = std::max(area.left, std::min(rect.left, area.right - width));
    fitted.top = std::max(area.top, std::min(rect.top, area.bottom - height));
    fitted.right = fitted.left + width;
    fitted.bottom = fitted.top + height;
    return fitted;
}
