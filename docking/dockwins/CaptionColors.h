// dockwins::CCaptionColors: a caption's background and text colours, by whether the focus lies inside its window.
#pragma once

#include <windows.h>

namespace dockwins {

class CCaptionColors {
public:
    // The window is the DC's; it counts as active when the focus lies inside it.
    explicit CCaptionColors(HDC dc) : CCaptionColors(::WindowFromDC(dc)) {}
    explicit CCaptionColors(HWND window) : m_active(window && ::IsChild(window, ::GetFocus())) {}

    bool IsActive() const { return m_active; }
    HBRUSH BackgroundBrush() const { return ::GetSysColorBrush(m_active ? COLOR_ACTIVECAPTION : COLOR_BTNFACE); }
    COLORREF TextColor() const { return ::GetSysColor(m_active ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT); }

private:
    bool m_active;
};

} // namespace dockwins
