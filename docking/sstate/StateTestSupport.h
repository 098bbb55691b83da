// Helpers of the window-state tests: a registry key of their own, a main state, a frame and a stand-in pane.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "docking/dockwins/DockingPosition.h"
#include "docking/sstate/State.h"
#include "foundation/RegistryKey.h"

namespace sstate::testing {

// A key under the current user that no other test uses, removed afterwards.
class PrivateKey {
public:
    PrivateKey()
    {
        static int count = 0;
        m_path = L"Software\\Quorvane tests\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++count);
        m_key.Create(HKEY_CURRENT_USER, m_path.c_str());
    }
    ~PrivateKey()
    {
        m_key.Close();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    }
    const std::wstring& Path() const { return m_path; }
    RegistryKey& Key() { return m_key; }

private:
    std::wstring m_path;
    RegistryKey m_key;
};

class FixedMainState : public IMainState {
public:
    explicit FixedMainState(float ratio = 1.0f) : m_ratio(ratio) {}
    float XRatio() const override { return m_ratio; }
    float YRatio() const override { return m_ratio; }
    HKEY MainKey() const override { return nullptr; }

private:
    float m_ratio;
};

inline bool SameRect(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

// A docking pane as the state adapter sees it: a real pop-up window that
// keeps the last position it was given and reports it back.
class StandInPane {
public:
    StandInPane()
        : m_hWnd(::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"pane", WS_POPUP, 10, 10, 200, 300, nullptr, nullptr,
                                   nullptr, nullptr))
    {
    }
    ~StandInPane() { ::DestroyWindow(m_hWnd); }

    operator HWND() const { return m_hWnd; }
    bool IsVisible() const { return m_docked ? m_position.shown : ::IsWindowVisible(m_hWnd) != FALSE; }
    bool IsDocked() const { return m_docked; }
    bool Hide()
    {
        m_position.shown = false;
        return ::ShowWindow(m_hWnd, SW_HIDE) || true;
    }
    bool ShowWindow(int command)
    {
        shownWith = command;
        return ::ShowWindow(m_hWnd, command) || true;
    }
    bool GetDockingPosition(DockingPosition& position) const
    {
        position.window = m_hWnd;
        position.docked = m_docked;
        position.shown = IsVisible();
        // As a real pane: the host's answer or the remembered place; a
        // floating pane leaves the side as it was given.
        if (m_docked || !IsVisible()) {
            position.side = m_position.side;
            position.place = m_position.place;
        }
        position.floatingRect = m_position.floatingRect;
        if (!m_docked)
            ::GetWindowRect(m_hWnd, &position.floatingRect);
        return true;
    }
    bool SetDockingPosition(const DockingPosition& position)
    {
        m_position = position;
        m_docked = position.docked;
        const RECT& rect = position.floatingRect;
        const UINT show = position.shown && !m_docked ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        return ::SetWindowPos(m_hWnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                              SWP_NOACTIVATE | SWP_NOZORDER | show) != FALSE;
    }

    int shownWith = -1;

private:
    HWND m_hWnd;
    DockingPosition m_position;
    bool m_docked = false;
};

inline REBARBANDINFOW BandInfo(UINT mask)
{
    REBARBANDINFOW band = {};
    band.cbSize = sizeof(band);
    band.fMask = mask;
    return band;
}

// A hidden top-level window with a rebar of bands 101, 102, 103 and a status
// bar, small enough for the smallest test display (640 x 480).
struct TestFrame {
    TestFrame()
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_COOL_CLASSES | ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
        window = ::CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 40, 40, 560, 400, nullptr, nullptr,
                                   nullptr, nullptr);
        rebar = ::CreateWindowExW(0, REBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | RBS_VARHEIGHT, 0, 0, 0, 0, window,
                                  nullptr, nullptr, nullptr);
        for (UINT id : {101u, 102u, 103u}) {
            REBARBANDINFOW band = BandInfo(RBBIM_ID | RBBIM_SIZE | RBBIM_STYLE);
            band.fStyle = RBBS_GRIPPERALWAYS;
            band.wID = id;
            band.cx = id;
            ::SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
        }
        statusBar = ::CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window, nullptr,
                                      nullptr, nullptr);
    }
    ~TestFrame() { ::DestroyWindow(window); }

    // Each band's id and width, in order.
    std::vector<std::pair<UINT, UINT>> Bands() const
    {
        std::vector<std::pair<UINT, UINT>> bands;
        const int count = static_cast<int>(::SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            REBARBANDINFOW band = BandInfo(RBBIM_ID | RBBIM_SIZE);
            ::SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band));
            bands.emplace_back(band.wID, band.cx);
        }
        return bands;
    }
    void MoveBand(int from, int to) { ::SendMessageW(rebar, RB_MOVEBAND, from, to); }

    HWND window = nullptr;
    HWND rebar = nullptr;
    HWND statusBar = nullptr;
};

} // namespace sstate::testing
