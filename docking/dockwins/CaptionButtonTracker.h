// dockwins::CCaptionBase::CButtonTracker: a caption button drawn hot while the cursor stays on it, pressed by a click.
#pragma once

#include <windows.h>

#include "docking/dockwins/CaptionBase.h"
#include "docking/dockwins/DDTracker.h"

namespace dockwins {

class CCaptionBase::CButtonTracker : public IDDTracker {
public:
    CButtonTracker(HWND window, CCaptionBase& caption, CButton& button, int hitCode);

    void BeginDrag() override { m_button.DrawHot(m_window); }
    void EndDrag(bool) override { m_button.DrawReleased(m_window); }
    // Leaving the button ends the tracking at once.
    void OnMove(int x, int y) override;
    void OnDropLeftButton(int x, int y) override { m_pressed = IsOnButton(x, y); }
    // A press draws the button pressed; it does not cancel.
    bool ProcessWindowMessage(MSG* message) override;

    bool IsPressed() const { return m_pressed; }

private:
    bool IsOnButton(int clientX, int clientY) const;

    bool m_pressed = false;
    POINT m_clientOffset = {}; // the client origin in window coordinates
    CCaptionBase& m_caption;
    CButton& m_button;
    HWND m_window;
    int m_hitCode;
};

} // namespace dockwins
