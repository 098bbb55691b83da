// dockwins::CCaptionBase: the caption band a docking window draws in its non-client area, with its buttons.
#pragma once

#include <windows.h>

namespace dockwins {

class CCaptionBase {
public:
    // Hit codes of the caption's parts, as WM_NCHITTEST answers them.
    enum HitCode : int { HitNothing = HTNOWHERE, HitCaption = HTCAPTION, HitPin = 19, HitClose = HTCLOSE };

    class CButton {
    public:
        CButton() = default;
        CButton(const CButton&) = default;
        CButton& operator=(const CButton&) = default;
        virtual ~CButton() = default;

        // Takes the button's place at the far end of the caption rectangle,
        // which then ends before the button.
        virtual void CalculateRect(RECT& caption, bool horizontal) = 0;
        virtual void Draw(HDC dc) = 0;
        virtual void DrawPressed(HWND) {}
        virtual void DrawReleased(HWND) {}
        virtual void DrawHot(HWND) {}

        const RECT& Rect() const { return m_rect; }
        bool Contains(POINT point) const { return ::PtInRect(&m_rect, point) != FALSE; }

    protected:
        RECT m_rect = {};
    };

    const RECT& Rect() const { return m_rect; }
    bool IsHorizontal() const { return m_horizontal; }
    int Thickness() const { return m_thickness; }

protected:
    // Takes a band of the thickness from the window rectangle: the top
    // (horizontal) or left (vertical) band when at start, else the bottom or right.
    void TakeBand(RECT& windowRect, bool atStart);
    // The hit code of a point in window coordinates.
    int HitTest(POINT point, const CButton& pin, const CButton& close) const;

    RECT m_rect = {};
    bool m_horizontal = true;
    int m_thickness = 0;
};

} // namespace dockwins
