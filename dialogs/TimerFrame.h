// CTimerFrame: the clock face of the time-tracking window: one centred text in a font that fits its height.
#pragma once

#include "foundation/EString.h"
#include "foundation/MessageMap.h"
#include "winlib/WindowImpl.h"

class CTimerFrame : public CWindowImpl<CTimerFrame> {
public:
    static WindowClass GetWindowClass()
    {
        WindowClass info;
        info.name = L"QuorvaneTimerFrame";
        info.background = nullptr; // the paint fills everything
        return info;
    }

    // Shown at once, not at the next idle paint: the clock ticks every half second.
    void SetText(const EString& text);
    const EString& Text() const { return m_text; }

    BEGIN_MESSAGE_MAP(CTimerFrame)
        ON_MESSAGE(WM_PAINT, OnPaint)
        ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
    END_MESSAGE_MAP()

private:
    LRESULT OnPaint(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, bool&) { return 1; }

    EString m_text;
};
