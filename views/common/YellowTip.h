// CYellowTip: a yellow hint that shows near the pointer once it has rested for half a second, with a text the owner supplies.
#pragma once

#include <windows.h>

#include "foundation/EString.h"
#include "foundation/PrivateMessages.h"
#include "foundation/MessageMap.h"
#include "winlib/WindowImpl.h"

struct YellowTipOptions {
    // Hide again five seconds after showing.
    bool autoHide = true;
    // Show above the point instead of below the pointer.
    bool above = false;
    // The points handed over are screen points, not the owner's client points.
    bool screenCoordinates = false;
};

// Asks its owner for the text with WM_YELLOWTIP_NEEDTEXT just before it shows.
class CYellowTip : public CWindowImpl<CYellowTip> {
public:
    static WindowClass GetWindowClass() { return {.name = L"QuorvaneYellowTip", .style = CS_SAVEBITS, .background = nullptr}; }

    explicit CYellowTip(const YellowTipOptions& options = {}) : m_options(options) {}

    // A hidden popup owned by `owner`; nothing for a null owner.
    HWND Create(HWND owner);

    // A new point hides the tip and shows it there after 500 ms of rest; the same point changes nothing.
    void OnMouseMove(POINT point);
    // Every message the owner pre-translates: typing or a double-click hides the tip.
    void RelayEvent(const MSG& message);
    void SetText(const wchar_t* text) { m_text = text; }
    const EString& GetText() const { return m_text; }
    POINT GetLastPoint() const { return m_lastPoint; }
    // Hides the tip and drops a pending show.
    void Hide();

    static constexpr UINT_PTR kShowTimer = 1;
    static constexpr UINT kShowDelayMs = 500;
    static constexpr UINT_PTR kHideTimer = 2;
    static constexpr UINT kHideDelayMs = 5000;

    BEGIN_MESSAGE_MAP(CYellowTip)
        ON_MESSAGE(WM_TIMER, OnTimer)
        ON_MESSAGE(WM_PAINT, OnPaint)
        ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
    END_MESSAGE_MAP()

private:
    LRESULT OnTimer(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnKillFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    void Show();
    // Over a list's header or border the pointer points at no row.
    bool PointerOffOwnerRows() const;
    SIZE MeasureText() const;
    void HideWindow();

    YellowTipOptions m_options;
    HWND m_owner = nullptr; // not owned
    EString m_text;
    POINT m_lastPoint = {-1, -1};
};
