// dockwins::CVC7LikeExCaption: the caption of the program's panes and docking boxes, with close and pin glyphs.
#pragma once

#include <windows.h>

#include "docking/dockwins/CaptionBase.h"

namespace dockwins {

class CVC7LikeExCaption : public CCaptionBase {
public:
    enum GlyphState : int { Normal = 0, Pressed = 1, Hot = 2 };

    class CButton : public CCaptionBase::CButton {
    public:
        void CalculateRect(RECT& caption, bool horizontal) override { m_rect = Place(caption, horizontal); }
        void Draw(HDC dc) override { DrawGlyph(::WindowFromDC(dc), dc, Normal); }
        void DrawPressed(HWND window) override;
        void DrawReleased(HWND window) override;
        void DrawHot(HWND window) override;
        virtual void DrawGlyph(HWND window, HDC dc, int state) = 0;

        // A square at the far end of the caption, 4 pixels in across the band
        // and 2 along it; the caption then ends one pixel inside the button.
        static RECT Place(RECT& caption, bool horizontal);

    private:
        void DrawWithEdge(HWND window, int state, UINT edge);
    };

    class CPinButton : public CButton {
    public:
        void DrawGlyph(HWND window, HDC dc, int state) override;
        // 1: the upright pin (the window is docked); 0: lying on its side.
        int pinned = 1;
    };

    class CCloseButton : public CButton {
    public:
        void DrawGlyph(HWND window, HDC dc, int state) override;
    };

    CVC7LikeExCaption();

    // A change recomputes the thickness from the small caption height.
    void SetOrientation(bool horizontal);
    // After a settings change: the thickness follows the small caption height again.
    void UpdateMetrics();
    // Takes the caption's band from the window rectangle and places the buttons in it.
    void CalculateRect(RECT& windowRect, bool atStart);
    int HitTest(POINT point) const override { return CCaptionBase::HitTest(point, m_pin, m_close); }
    void Draw(HWND window, HDC dc);

    CPinButton& PinButton() { return m_pin; }
    CCloseButton& CloseButton() { return m_close; }
    CButton* Button(int hitCode) override;

    // The window counts as active while it or a window inside it has the focus.
    static bool IsActive(HWND window);

private:
    CPinButton m_pin;
    CCloseButton m_close;
};

} // namespace dockwins
