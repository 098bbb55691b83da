// dockwins::CCaptionBase: the caption band a docking window draws in its non-client area, with its buttons.
#pragma once

#include <windows.h>

namespace dockwins {

// Posted by a docking window to itself to start tracking a caption button;
// wParam: the button's hit code.
inline const UINT CaptionButtonTrackMessage = ::RegisterWindowMessageW(L"Quorvane.CaptionButtonTrack");

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

    class CButtonTracker;

    CCaptionBase() = default;
    CCaptionBase(const CCaptionBase&) = default;
    CCaptionBase& operator=(const CCaptionBase&) = default;
    virtual ~CCaptionBase() = default;

    const RECT& Rect() const { return m_rect; }
    bool IsHorizontal() const { return m_horizontal; }
    int Thickness() const { return m_thickness; }

    // The hit code of a point in window coordinates.
    virtual int HitTest(POINT point) const = 0;
    // The button of a hit code (HitPin, HitClose), else null.
    virtual CButton* Button(int hitCode) = 0;

    // Called by a docking window's WM_NCHITTEST: over a button, with no
    // capture anywhere, the tracking is posted rather than run there, since
    // the system may send WM_NCHITTEST from inside its own message retrieval.
    static void PostButtonTracking(HWND window, int hitCode);
    // A docking window's WM_NCHITTEST over its caption: the hit code of a
    // screen point, HitNothing off the caption, with a button's tracking posted.
    int NonClientHitTest(HWND window, POINT screen);
    // The answer to the posted message (CaptionButtonTrackMessage): when the
    // cursor is still over that button and nothing has the capture, tracks
    // it; a release over it sends WM_NCLBUTTONUP with its hit code. True when
    // the button was pressed.
    bool TrackButton(HWND window, int hitCode);

protected:
    // Takes a band of the thickness from the window rectangle: the top
    // (horizontal) or left (vertical) band when at start, else the bottom or right.
    void TakeBand(RECT& windowRect, bool atStart);
    int HitTest(POINT point, const CButton& pin, const CButton& close) const;

    RECT m_rect = {};
    bool m_horizontal = true;
    int m_thickness = 0;
};

} // namespace dockwins
