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
    if (!::GetWindowRect(window, &rect))
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
