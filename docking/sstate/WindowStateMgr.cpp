#include "docking/sstate/WindowStateMgr.h"

#include <algorithm>
#include <string>

#include "docking/sstate/BorrowedKey.h"
#include "docking/sstate/MainState.h"
#include "docking/sstate/ScreenFit.h"
#include "docking/sstate/StoredPlacement.h"

namespace sstate {

namespace {

constexpr const wchar_t* MainWindowKey = L"Main Window";
constexpr const wchar_t* PlacementValue = L"placement";

// Sizes a hidden window as maximizing it would: its monitor's work area with
// the side borders outside it. Rows laid out smaller would stay squeezed.
void SizeAsMaximized(HWND window)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    RECT outer = {};
    RECT client = {};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    const int border = std::max(0, static_cast<int>(outer.right - outer.left - client.right) / 2);
    RECT maximized = monitor.rcWork;
    ::InflateRect(&maximized, border, border);
    // Maximized already, it shows at this size and keeps the normal one of its placement.
    ::SetWindowLongPtrW(window, GWL_STYLE, ::GetWindowLongPtrW(window, GWL_STYLE) | WS_MAXIMIZE);
    ::SetWindowPos(window, nullptr, maximized.left, maximized.top, maximized.right - maximized.left,
                   maximized.bottom - maximized.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace

bool CWindowStateMgr::CImpl::Store(IMainState* mainState, HKEY key)
{
    if (const std::optional<WINDOWPLACEMENT> placement = PlacementToStore(m_window))
        BorrowedKey(key).SetBinary(PlacementValue, &*placement, sizeof(*placement));
    return CContainerImpl::Store(mainState, key);
}

bool CWindowStateMgr::CImpl::Restore(IMainState* mainState, HKEY key)
{
    std::string bytes;
    std::optional<WINDOWPLACEMENT> placement;
    if (BorrowedKey(key).QueryBinary(PlacementValue, bytes))
        placement = LoadPlacement(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size(), VirtualScreen());
    // Without a usable placement the window would never be shown.
    if (!placement)
        return RestoreDefault();
    // The children are placed before the window shows, at the size it shows
    // with: under Wine each move among a shown window's children costs.
    WINDOWPLACEMENT hidden = *placement;
    hidden.showCmd = SW_HIDE;
    ::SetWindowPlacement(m_window, &hidden);
    if (placement->showCmd == SW_SHOWMAXIMIZED)
        SizeAsMaximized(m_window);
    const bool restored = CContainerImpl::Restore(mainState, key);
    ::ShowWindow(m_window, static_cast<int>(placement->showCmd));
    return restored;
}

bool CWindowStateMgr::CImpl::RestoreDefault()
{
    const bool restored = CContainerImpl::RestoreDefault();
    ::ShowWindow(m_window, m_defaultShowCommand);
    return restored;
}

CWindowStateMgr::CWindowStateMgr() : m_root(new CImpl) {}

CWindowStateMgr::CWindowStateMgr(HWND mainWindow, int defaultShowCommand) : m_root(new CImpl)
{
    m_root->SetWindow(mainWindow, defaultShowCommand);
}

CWindowStateMgr::~CWindowStateMgr()
{
    m_root->Release();
}

void CWindowStateMgr::Initialize(std::wstring keyPath, HWND mainWindow, int defaultShowCommand)
{
    m_keyPath = std::move(keyPath);
    m_root->SetWindow(mainWindow, defaultShowCommand);
}

bool CWindowStateMgr::Store()
{
    CMainState mainState(m_keyPath);
    if (!mainState.OpenForStore())
        return false;
    RegistryKey mainWindowKey;
    if (!mainWindowKey.Create(mainState.MainKey(), MainWindowKey))
        return false;
    return m_root->Store(&mainState, mainWindowKey);
}

bool CWindowStateMgr::Restore()
{
    CMainState mainState(m_keyPath);
    RegistryKey mainWindowKey;
    if (mainState.OpenForRestore() && mainWindowKey.Open(mainState.MainKey(), MainWindowKey))
        return m_root->Restore(&mainState, mainWindowKey);
    return m_root->RestoreDefault();
}

} // namespace sstate
