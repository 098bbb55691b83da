// WindowState: window rectangles and list-column widths kept in the registry.
#pragma once

#include <windows.h>

class WindowState {
public:
    virtual ~WindowState() = default;

    // Sides not stored keep their current value; a rectangle of no width or
    // height, or larger than the screens, leaves the window where it is.
    static void RestoreWindowRect(const wchar_t* subKey, HWND window);
    // The rectangle in screen coordinates, as it is when neither minimised nor maximised.
    static void SaveWindowRect(const wchar_t* subKey, HWND window);
    static void RestoreColumnWidths(const wchar_t* listName, HWND listView, int columnCount);
    static void SaveColumnWidths(const wchar_t* listName, HWND listView, int columnCount);
};

// The rectangle moved (never resized) into the work area of its nearest monitor.
RECT FitRectToMonitor(const RECT& rect);
