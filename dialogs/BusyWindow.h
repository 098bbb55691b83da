// CBusyWindow: while a long piece of work runs, a small window over the main window says what is being done and shows a moving bar; the main window takes no input meanwhile.
#pragma once

#include <windows.h>

#include <vector>

#include "foundation/EString.h"
#include "foundation/MessageMap.h"
#include "winlib/WindowImpl.h"

// Made before the work and destroyed after it, on the owner's thread, which
// keeps dispatching messages meanwhile (RunPumpingMessages): the owner then
// repaints and answers, and the bar moves, but clicks and keys reach none of
// the thread's windows (the owner, its panes, a pane floated off it), so no
// second command starts in the middle of the work.
class CBusyWindow : public CWindowImpl<CBusyWindow> {
public:
    static constexpr int kMargin = 12;
    static constexpr int kBarHeight = 16;
    static constexpr int kMinimumWidth = 300;

    static WindowClass GetWindowClass()
    {
        WindowClass info;
        info.name = L"QuorvaneBusy";
        info.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        return info;
    }

    // Shown centred over the owner; the thread's other shown windows are
    // disabled until the destructor runs, which gives the keyboard focus
    // back. Without an owner nothing is shown.
    CBusyWindow(HWND owner, const EString& text);
    CBusyWindow(const CBusyWindow&) = delete;
    CBusyWindow& operator=(const CBusyWindow&) = delete;
    ~CBusyWindow() override;

    BEGIN_MESSAGE_MAP(CBusyWindow)
        ON_MESSAGE(WM_CLOSE, OnClose)
    END_MESSAGE_MAP()

private:
    // Alt+F4 cannot take the notice away while the work runs.
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool&) { return 0; }

    static BOOL CALLBACK DisableShownWindow(HWND window, LPARAM self);

    // The windows this one disabled, enabled again when it goes.
    std::vector<HWND> m_disabled;
    HWND m_focus = nullptr;
};
