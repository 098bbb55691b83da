// dockwins::COutlookLikeExCaption and COutlookLikeCaption: the flat caption of the frame's docking windows and the auto-hide fly-out.
#pragma once

#include <windows.h>

#include "docking/dockwins/CaptionBase.h"

namespace dockwins {

class COutlookLikeExCaption : public CCaptionBase {
public:
    class CButton : public CCaptionBase::CButton {
    public:
        void CalculateRect(RECT& caption, bool horizontal) override { m_rect = Place(caption, horizontal); }
        void DrawPressed(HWND window) override;
        void DrawReleased(HWND window) override;
        void DrawHot(HWND window) override;

        // A square at the far end of the caption, 3 pixels in; the caption then ends at the button.
        static RECT Place(RECT& caption, bool horizontal);

    private:
        void DrawWithEdge(HWND window, UINT edge);
    };

    class CPinButton : public CButton {
    public:
        // The shared pin icon of the pose, centred.
        void Draw(HDC dc) override;
        // 1: the upright pin; 0: lying on its side.
        int pinned = 1;
    };

    class CCloseButton : public CButton {
    public:
        // A cross of two doubled lines.
        void Draw(HDC dc) override;
    };

    COutlookLikeExCaption();

    // A change recomputes the thickness from the GUI font of the orientation.
    virtual void SetOrientation(bool horizontal);
    void CalculateRect(RECT& windowRect, bool atStart);
    int HitTest(POINT point) const override { return CCaptionBase::HitTest(point, m_pin, m_close); }
    CCaptionBase::CButton* Button(int hitCode) override;
    void Draw(HWND window, HDC dc);

    CPinButton& PinButton() { return m_pin; }
    CCloseButton& CloseButton() { return m_close; }

    static int ThicknessFor(bool horizontal);

private:
    CPinButton m_pin;
    CCloseButton m_close;
};

// Always horizontal: the fly-out keeps its caption on top whatever side it comes from.
class COutlookLikeCaption : public COutlookLikeExCaption {
public:
    void SetOrientation(bool) override {}
};

} // namespace dockwins
