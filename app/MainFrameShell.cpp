// The main frame's timers, tray icon, handover, session end and close sequence.
#include "app/MainFrame.h"

#include <algorithm>
#include <utility>

#include "app/OpenFileHandover.h"
#include "dialogs/OptionsPage.h"
#include "foundation/Clock.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"

namespace {

constexpr UINT kClockPeriod = 15000;
constexpr UINT kTrayHoverPeriod = 500;
constexpr int kTrayHintLift = 10;

bool SamePoint(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

} // namespace

CMainFrame::CMainFrame()
{
    m_commandStates.AddEntry(kSummaryPane, CCommandStateMap::StatusBarPane);
    m_commandStates.AddEntry(kClockPane, CCommandStateMap::StatusBarPane);
    for (UINT command = ID_VIEW_PANE_FIRST; command <= ID_VIEW_PANE_LAST; ++command)
        m_commandStates.AddEntry(command, CCommandStateMap::MenuItem | CCommandStateMap::ToolBarButton);
    m_doc.SetStatusBar(this);
    m_doc.SetOnlineSession(&m_onlineSession);
    m_doc.SetPrompts(&m_prompts);
}

CMainFrame::~CMainFrame()
{
    if (IsWindow())
        DestroyWindow();
    m_doc.SetStatusBar(nullptr);
    m_doc.SetPrompts(nullptr);
    m_doc.SetFindServices(nullptr, nullptr, nullptr);
    m_doc.SetReportServices(nullptr);
    m_doc.SetOnlineSession(nullptr);
}

void CMainFrame::StartAutoSaveTimer()
{
    // Off where the options page reads it so (0, or what turns negative as a number), else within the page's
    // minutes: more would overflow the timer's milliseconds.
    const auto minutes = static_cast<int>(Options::GetAutoSave());
    const int kept = std::clamp(minutes, COptionsPage::kMinAutoSaveMinutes, COptionsPage::kMaxAutoSaveMinutes);
    m_autoSavePeriod = minutes > 0 && m_hWnd ? static_cast<UINT>(kept) * 60000 : 0;
    if (m_autoSavePeriod)
        SetTimer(kAutoSaveTimer, m_autoSavePeriod);
}

void CMainFrame::UpdateClock()
{
    m_commandStates.SetText(kClockPane, TimeParser::FormatTimeLocale(Clock::Now()));
    m_commandStates.UpdateStatusBar();
    SetTimer(kClockTimer, kClockPeriod);
}

void CMainFrame::SetPaneText(int pane, const EString& text)
{
    m_commandStates.SetText(static_cast<UINT>(pane), text);
    m_commandStates.UpdateStatusBar();
}

LRESULT CMainFrame::OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    switch (wParam) {
    case kAutoSaveTimer:
        KillTimer(kAutoSaveTimer);
        // The open or replacement under way pumps this tick through its wait
        // or prompt; the copy waits for the plan it is of.
        if (m_doc.IsChangingPlan())
            m_autoCopyDue = true;
        else
            m_doc.SaveAutoCopy();
        StartAutoSaveTimer();
        break;
    case kClockTimer:
        KillTimer(kClockTimer);
        UpdateClock();
        break;
    case kTrayHoverTimer: {
        KillTimer(kTrayHoverTimer);
        POINT cursor = {};
        if (!::GetCursorPos(&cursor) || !SamePoint(cursor, m_lastTrayPoint)) {
            m_trayHint.Hide();
            break;
        }
        if (!m_trayHint.IsWindowVisible())
            m_trayHint.OnMouseMove(POINT{cursor.x, cursor.y - kTrayHintLift});
        SetTimer(kTrayHoverTimer, kTrayHoverPeriod);
        break;
    }
    default:
        handled = false;
        break;
    }
    return 0;
}

LRESULT CMainFrame::OnTrayNotify(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    if (LOWORD(lParam) != WM_MOUSEMOVE) {
        handled = false;
        return 0;
    }
    POINT cursor = {};
    if (::GetCursorPos(&cursor) && !SamePoint(cursor, m_lastTrayPoint)) {
        m_lastTrayPoint = cursor;
        SetTimer(kTrayHoverTimer, kTrayHoverPeriod);
    }
    return 0;
}

LRESULT CMainFrame::OnSetTrayHint(UINT, WPARAM, LPARAM, bool&)
{
    m_trayHint.SetText(L"");
    m_trayHint.SetText(m_doc.FormatDayPlanText().c_str());
    return 0;
}

LRESULT CMainFrame::OnActivate(UINT, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = false;
    const bool toOtherProgram = LOWORD(wParam) == WA_INACTIVE && lParam == 0;
    const bool minimized = HIWORD(wParam) != 0;
    // An unnamed document would ask for a name each time the user looks away.
    if ((toOtherProgram || minimized) && Options::GetSaveOnFocusLost() && !m_doc.GetPathName().IsEmpty())
        m_doc.Save();
    return 0;
}

LRESULT CMainFrame::OnQueryEndSession(UINT, WPARAM, LPARAM, bool& handled)
{
    m_doc.QuickSave();
    handled = false;
    return 0;
}

LRESULT CMainFrame::OnRestore(WORD, WORD, HWND, bool&)
{
    ShowWindow(::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    return 0;
}

LRESULT CMainFrame::OnExit(WORD, WORD, HWND, bool&)
{
    SendMessage(WM_MAINFRAME_EXIT, 0, 0);
    return 0;
}

LRESULT CMainFrame::OnExitRequest(UINT, WPARAM, LPARAM, bool&)
{
    PostMessage(WM_CLOSE, 1, 0);
    return 0;
}

bool CMainFrame::IsPlanInHand() const
{
    return ModalScope::IsActive() || m_doc.IsOpeningPlan();
}

LRESULT CMainFrame::OnClose(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    // A dialog, a script or an open still works on the plan: the close comes after it.
    if (IsPlanInHand()) {
        DeferClose(wParam);
        return 0;
    }
    if (IsWindowVisible() && m_stateBuilt)
        m_stateMgr.Store();
    if (CloseOnlyHides(wParam)) {
        ShowWindow(SW_HIDE);
        return 0;
    }
    // The document clears "RestorePath", asks about unsaved changes and may
    // stop the close; the panes stay listed until the window is destroyed.
    handled = false;
    return 0;
}

LRESULT CMainFrame::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    m_panes.clear();
    ::PostQuitMessage(1);
    handled = false;
    return 0;
}

LRESULT CMainFrame::OnCopyData(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!record)
        return 0;
    if (!IsOpenFileRecord(record)) {
        handled = false;
        return 0;
    }
    const std::optional<EString> path = ReadOpenFileRecord(record);
    if (!path)
        return 0;
    // The sender waits for this answer: the open, with its save prompt, comes after.
    m_handedOverPath = *path;
    PostMessage(WM_MAINFRAME_OPEN_HANDED_OVER, 0, 0);
    return 1;
}

LRESULT CMainFrame::OnOpenHandedOver(UINT, WPARAM, LPARAM, bool&)
{
    // A dialog's values belong to the plan it was opened on.
    if (IsPlanInHand()) {
        DeferReplacement(WM_MAINFRAME_OPEN_HANDED_OVER, 0);
        return 0;
    }
    if (m_handedOverPath.IsEmpty() || !m_doc.SaveModified()) {
        m_handedOverPath.clear();
        return 0;
    }
    // Paths handed over while the save prompt was open replaced this one.
    const EString path = std::move(m_handedOverPath);
    m_handedOverPath.clear();
    m_doc.OpenPath(path);
    return 0;
}

LRESULT CMainFrame::OnCommandWhileModal(UINT, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = false;
    if (!IsPlanInHand())
        return 0;
    const WORD id = LOWORD(wParam);
    if (id == ID_FILE_NEW || id == ID_FILE_OPEN || (id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST)) {
        DeferReplacement(WM_COMMAND, MAKEWPARAM(id, 0));
        handled = true;
    } else if (m_doc.IsOpeningPlan() && IsHeldWhileOpening(wParam, lParam)) {
        // Carried out on the plan in place once the open is over, in the order
        // they came; the same command again at once is the same request.
        if (m_heldCommands.empty() || m_heldCommands.back() != wParam)
            m_heldCommands.push_back(wParam);
        handled = true;
    }
    return 0;
}

bool CMainFrame::IsHeldWhileOpening(WPARAM wParam, LPARAM lParam)
{
    // Menu and keyboard commands, and those another program posts; a
    // control's notice is of a control the busy window keeps from the user.
    if (lParam != 0 || HIWORD(wParam) > 1)
        return false;
    switch (LOWORD(wParam)) {
    case ID_APP_EXIT:
    case ID_TRAY_EXIT:
        // Their close waits for the open as any close under modal work does.
    case ID_APP_RESTORE:
        // Only shows the window.
        return false;
    default:
        return true;
    }
}

bool CMainFrame::CloseOnlyHides(WPARAM wParam) const
{
    // Hidden to the notification area only where there is an icon to come back by.
    return wParam == 0 && Options::GetMinimizeToTrayIcon() && IsInstalled();
}

void CMainFrame::DeferClose(WPARAM wParam)
{
    // Exit asked for stays asked for, whatever close comes after it.
    if (!m_deferredClose.message || wParam == 1)
        m_deferredClose = {WM_CLOSE, wParam};
}

void CMainFrame::CarryOutHeldCommands()
{
    // One after the other: a command that opens a dialog is done before the
    // next one starts, as when the user gives them.
    std::vector<WPARAM> held = std::exchange(m_heldCommands, {});
    for (size_t next = 0; next < held.size(); ++next) {
        if (IsPlanInHand()) {
            m_heldCommands.insert(m_heldCommands.begin(), held.begin() + static_cast<ptrdiff_t>(next), held.end());
            return;
        }
        SendMessage(WM_COMMAND, held[next], 0);
    }
}

void CMainFrame::DeferReplacement(UINT message, WPARAM wParam)
{
    m_deferredReplacement = {message, wParam};
}

LRESULT CMainFrame::OnModalWorkEnded(UINT, WPARAM, LPARAM, bool&)
{
    if (IsPlanInHand())
        return 0;
    if (m_autoCopyDue && !m_doc.IsChangingPlan()) {
        m_autoCopyDue = false;
        if (m_autoSavePeriod) {
            m_doc.SaveAutoCopy();
            KillTimer(kAutoSaveTimer);
            StartAutoSaveTimer();
        }
    }
    const DeferredRequest close = std::exchange(m_deferredClose, {});
    DeferredRequest replacement = std::exchange(m_deferredReplacement, {});
    // A close that reaches the save prompt decides about the plan: the user
    // who cancels it keeps this plan, and is not asked again by a request that
    // came while the dialog was open; a close that goes through ends them all.
    if (close.message && !CloseOnlyHides(close.wParam)) {
        replacement = {};
        m_handedOverPath.clear();
    }
    if (close.message)
        PostMessage(close.message, close.wParam, 0);
    CarryOutHeldCommands();
    if (replacement.message)
        PostMessage(replacement.message, replacement.wParam, 0);
    return 0;
}
