#include "docking/sstate/PersistentLayoutFrame.h"

#include <commctrl.h>

using dockwins::CDockingSide;

namespace sstate_frame_test {

CPersistentLayoutFrame::CPersistentLayoutFrame(std::wstring keyPath) : m_keyPath(std::move(keyPath)) {}

CPersistentLayoutFrame::~CPersistentLayoutFrame()
{
    if (IsWindow())
        DestroyWindow();
}

LRESULT CPersistentLayoutFrame::OnCreate(UINT, WPARAM, LPARAM, bool& handled)
{
    // The view exists before the docking set-up, as the main frame's does.
    m_hWndClient = ::CreateWindowExW(0, L"EDIT", L"view", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 0, 0, m_hWnd,
                                     nullptr, ::GetModuleHandleW(nullptr), nullptr);
    InitializeDockingFrame(0);
    handled = false;
    return m_hWndClient && MakeBars() ? 0 : -1;
}

LRESULT CPersistentLayoutFrame::OnClose(UINT, WPARAM, LPARAM, bool& handled)
{
    // A frame hidden in the tray keeps the layout it last stored.
    if (IsWindowVisible())
        m_stateMgr.Store();
    handled = false;
    return 0;
}

bool CPersistentLayoutFrame::MakeBars()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    m_hWndToolBar = ::CreateWindowExW(0, REBARCLASSNAMEW, nullptr,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                                          RBS_BANDBORDERS | CCS_NODIVIDER,
                                      0, 0, 0, 0, m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!m_hWndToolBar)
        return false;
    const wchar_t* texts[] = {L"Menu", L"Tools", L"Find"};
    for (size_t i = 0; i < bandIds.size(); ++i) {
        REBARBANDINFOW band = {};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_ID | RBBIM_SIZE | RBBIM_STYLE | RBBIM_TEXT | RBBIM_CHILDSIZE;
        band.fStyle = RBBS_GRIPPERALWAYS;
        band.wID = bandIds[i];
        band.cx = 120 + 40 * static_cast<UINT>(i);
        band.cyMinChild = 22;
        band.lpText = const_cast<wchar_t*>(texts[i]);
        ::SendMessageW(m_hWndToolBar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    }
    m_hWndStatusBar = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"Ready", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0,
                                        0, m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    return m_hWndStatusBar != nullptr;
}

bool CPersistentLayoutFrame::MakePane(Pane which, const wchar_t* title, CDockingSide side, bool pinned)
{
    CTabbedAutoHideDockingWindow* pane = CTabbedAutoHideDockingWindow::CreateInstance();
    if (!pane->Create(m_hWnd, floatingRect, title, TabbedAutoHideDockingWindowTraits::style, 0)) {
        delete pane;
        return false;
    }
    m_panes[which] = pane;
    DockingPosition position = DockingPosition::RowOfItsOwn(side, dockedRect);
    if (!pane->DockAtPosition(position))
        return false;
    m_edits[which] = ::CreateWindowExW(0, L"EDIT", title, WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 0,
                                       0, *pane, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!m_edits[which])
        return false;
    pane->SetReflectNotifications(true);
    pane->SetClient(m_edits[which]);
    return !pinned || pane->PinUp(side, dockedRect.right - dockedRect.left, false);
}

void CPersistentLayoutFrame::BuildStateTree()
{
    for (CTabbedAutoHideDockingWindow* pane : m_panes)
        m_paneStates.Add(
            m_paneAdapters.emplace_back(std::make_unique<PaneStateAdapter>(*pane, SW_SHOWNOACTIVATE))->GetState());
    m_stateMgr.Initialize(m_keyPath, m_hWnd, SW_SHOWDEFAULT);
    m_rebarState = std::make_unique<sstate::CRebarStateAdapter>(m_hWndToolBar, 0);
    m_statusBarState = std::make_unique<sstate::CToggleWindowAdapter>(m_hWndStatusBar, SW_SHOWNOACTIVATE);
    m_stateMgr.Add(m_rebarState->GetState());
    m_stateMgr.Add(m_statusBarState->GetState());
    m_stateMgr.Add(m_paneStates.GetState());
}

bool CPersistentLayoutFrame::Open(const RECT& rect)
{
    if (!Create(nullptr, rect, L"Restored layout", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS))
        return false;
    if (!MakePane(Calendar, L"Deadlines calendar", CDockingSide::Top, true) ||
        !MakePane(Categories, L"Categories", CDockingSide::Left, false) ||
        !MakePane(DailyPlan, L"Daily plan", CDockingSide::Bottom, false) ||
        !MakePane(People, L"People", CDockingSide::Right, false))
        return false;
    BuildStateTree();
    m_stateMgr.Restore();
    UpdateLayout();
    return true;
}

void CPersistentLayoutFrame::Close()
{
    if (IsWindow())
        SendMessage(WM_CLOSE, 0, 0);
}

} // namespace sstate_frame_test
