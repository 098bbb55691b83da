#include "document/ModelessWindow.h"

bool HasVisibleFocus(HWND window)
{
    if (!window || !::IsWindow(window) || !::IsWindowVisible(window))
        return false;
    const HWND focus = ::GetFocus();
    return focus && (focus == window || ::IsChild(window, focus));
}

bool ModelessWindow::PreTranslateMessage(MSG* message) const
{
    if (!m_window || !m_filter || !HasVisibleFocus(*m_window))
        return false;
    return m_filter->PreTranslateMessage(message);
}
