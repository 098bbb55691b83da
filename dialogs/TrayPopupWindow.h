// TrayPopupWindow: the notice of the plan entry due now, shown near the taskbar for ten seconds without taking the focus.
#pragma once

#include <windows.h>

#include "foundation/EString.h"
#include "foundation/MessageMap.h"
#include "winlib/SelfDeletingWindowImpl.h"

class TimeRange;

// Where the notice stands: above the taskbar's right end when the taskbar is
// shown and has a size, else in the bottom-right corner of the work area;
// moved into the work area either way, so it is always wholly on screen.
RECT PlaceTrayNotice(bool taskbarShown, const RECT& taskbar, const RECT& workArea);

// "<name>\n <hours> hour(s)": one decimal in the user's separator, and
// "hour" for anything that rounds to 1.0.
EString TrayNoticeText(const EString& name, double hours);

class TrayPopupWindow : public CSelfDeletingWindowImpl<TrayPopupWindow> {
public:
    static constexpr int kWidth = 180;
    static constexpr int kHeight = 120;
    static constexpr UINT_PTR kShowTimer = 1;
    static constexpr UINT_PTR kHideTimer = 2;
    static constexpr UINT kShowDelayMs = 500;
    static constexpr UINT kShownMs = 10000;

    static WindowClass GetWindowClass()
    {
        WindowClass info;
        info.name = L"QuorvaneTrayNotice";
        info.background = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
        return info;
    }

    TrayPopupWindow() = default;
    ~TrayPopupWindow() override;

    // The one notice of the process; null before the first.
    static TrayPopupWindow* Current() { return s_current; }
    // Sets the text and shows it half a second later; a request while it is
    // shown keeps it up until ten seconds after the new show.
    static void Show(const EString& text);
    // For the end of the program.
    static void Destroy();

    const EString& Text() const { return m_text; }

    BEGIN_MESSAGE_MAP(TrayPopupWindow)
        ON_MESSAGE(WM_TIMER, OnTimer)
        ON_MESSAGE(WM_PAINT, OnPaint)
        ON_MESSAGE(WM_CLOSE, OnClose)
    END_MESSAGE_MAP()

private:
    LRESULT OnTimer(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool&);

    static inline TrayPopupWindow* s_current = nullptr;
    EString m_text;
};

// The notice of a plan entry: its name and its length in hours.
void ShowTrayPopup(const TimeRange& entry);
