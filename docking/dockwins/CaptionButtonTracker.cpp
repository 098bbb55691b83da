#include "docking/dockwins/CaptionButtonTracker.h"

namespace dockwins {

namespace {

// Window coordinates: 0, 0 is the window's own top-left corner.
POINT ScreenToWindow(HWND window, POINT point)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return {point.x - rect.left, point.y - rect.top};
}

} // namespace

CCaptionBase::CButtonTracker::CButtonTracker(HWND window, CCaptionBase& caption, CButton& button, int hitCode)
    : m_caption(caption), m_button(button), m_window(window), m_hitCode(hitCode)
{
    POINT origin = {0, 0};
    ::ClientToScreen(window, &origin);
    m_clientOffset = ScreenToWindow(window, origin);
}

bool CCaptionBase::CButtonTracker::IsOnButton(int clientX, int clientY) const
{
    return m_caption.HitTest(POINT{clientX + m_clientOffset.x, clientY + m_clientOffset.y}) == m_hitCode;
}

void CCaptionBase::CButtonTracker::OnMove(int x, int y)
{
    if (!IsOnButton(x, y))
        ::ReleaseCapture();
}

bool CCaptionBase::CButtonTracker::ProcessWindowMessage(MSG* message)
{
    if (message->message != WM_LBUTTONDOWN)
        return false;
    m_button.DrawPressed(m_window);
    return true;
}

void CCaptionBase::PostButtonTracking(HWND window, int hitCode)
{
    if ((hitCode == HitPin || hitCode == HitClose) && !::GetCapture())
        ::PostMessageW(window, CaptionButtonTrackMessage, static_cast<WPARAM>(hitCode), 0);
}

int CCaptionBase::NonClientHitTest(HWND window, POINT screen)
{
    const int hit = HitTest(ScreenToWindow(window, screen));
    if (hit != HitNothing)
        PostButtonTracking(window, hit);
    return hit;
}

bool CCaptionBase::TrackButton(HWND window, int hitCode)
{
    CButton* button = Button(hitCode);
    POINT cursor = {};
    // Several hit tests may have posted; the cursor may have left meanwhile.
    if (!button || ::GetCapture() || !::GetCursorPos(&cursor) || HitTest(ScreenToWindow(window, cursor)) != hitCode)
        return false;
    CButtonTracker tracker(window, *this, *button, hitCode);
    TrackDragAndDrop(tracker, window);
    if (!tracker.IsPressed())
        return false;
    const DWORD position = ::GetMessagePos();
    ::SendMessageW(window, WM_NCLBUTTONUP, static_cast<WPARAM>(hitCode), static_cast<LPARAM>(position));
    return true;
}

} // namespace dockwins
