// CInfoFrame: the tip dialog's painted pane: a grey band with a bulb, a "Did you know" heading over a rule, and one tip.
#pragma once

#include "foundation/EString.h"
#include "foundation/MessageMap.h"
#include "resources/IconIds.h"
#include "winlib/WindowImpl.h"

class CInfoFrame : public CWindowImpl<CInfoFrame> {
public:
    static constexpr int kBandWidth = 60;
    static constexpr int kHeadingHeight = 35;
    static constexpr int kGap = 5;
    static constexpr COLORREF kBandColour = RGB(153, 153, 153);
    // The bulb drawn in the band.
    static constexpr unsigned kIconId = IDI_TIP;

    static WindowClass GetWindowClass() { return WindowClass{.name = L"QuorvaneInfoFrame"}; }

    // Stores the text and repaints the text area at once.
    void SetText(const EString& text);
    const EString& GetText() const { return m_text; }

    BEGIN_MESSAGE_MAP(CInfoFrame)
        ON_MESSAGE(WM_PAINT, OnPaint)
    END_MESSAGE_MAP()

private:
    RECT TextRect() const;
    LRESULT OnPaint(UINT, WPARAM, LPARAM, bool&);

    EString m_text;
};
