#include "dialogs/TrackingDialog.h"

#include <cmath>

#include "foundation/Clock.h"
#include "foundation/Language.h"
#include "foundation/Options.h"

EString FormatElapsed(double span)
{
    const long long seconds = std::llround(span * 24 * 60 * 60);
    const long long total = seconds < 0 ? 0 : seconds;
    // Whole days are not shown: a clock left running for a day starts over.
    return EString::Formatted(L"%02lld:%02lld:%02lld", (total / 3600) % 24, (total / 60) % 60, total % 60);
}

CTrackingDialog::CTrackingDialog() : stayOnTop(static_cast<int>(Options::GetTrackingStayOnTop())) {}

CTrackingDialog::~CTrackingDialog()
{
    Options::SetTrackingStayOnTop(static_cast<DWORD>(stayOnTop));
}

void CTrackingDialog::OnInitDialog()
{
    // The face takes the placeholder's place, id and rectangle.
    const HWND placeholder = GetDlgItem(IDC_TRACKING_FACE);
    RECT rect = {};
    ::GetWindowRect(placeholder, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    ::DestroyWindow(placeholder);
    m_face.Create({.parent = m_hWnd, .style = WS_CHILD | WS_VISIBLE | WS_BORDER, .rect = rect, .id = IDC_TRACKING_FACE});
    ShowTotal();
    LabelToggle();
}

void CTrackingDialog::ShowTracking(bool keep)
{
    DoDataExchange(false);
    if (!keep)
        ResetClock();
    StartClock();
    LabelToggle();
    ApplyStayOnTop();
    ShowWindow(SW_RESTORE);
    ::SendDlgItemMessageW(m_hWnd, IDC_TRACKING_TASK_NAME, EM_SETSEL, 0, -1);
    ::SetFocus(GetDlgItem(IDC_TRACKING_TASK_NAME));
}

void CTrackingDialog::StopTracking()
{
    DoDataExchange(true);
    StopClock();
    ShowWindow(SW_HIDE);
}

double CTrackingDialog::Elapsed() const
{
    return m_stopped ? m_accumulated : m_accumulated + (Clock::Now() - m_runStart);
}

void CTrackingDialog::StartClock()
{
    m_runStart = Clock::Now();
    m_stopped = false;
    SetTimer(kClockTimer, kClockTickMs);
    ShowTotal();
}

// A clock that does not run has nothing to add: stopping it twice (the
// toggle, then Close) must not count the last run again.
void CTrackingDialog::StopClock()
{
    KillTimer(kClockTimer);
    if (m_stopped)
        return;
    m_accumulated += Clock::Now() - m_runStart;
    m_stopped = true;
    ShowTotal();
}

void CTrackingDialog::ResetClock()
{
    m_runStart = Clock::Now();
    m_accumulated = 0;
    ShowTotal();
}

void CTrackingDialog::ShowTotal()
{
    m_face.SetText(FormatElapsed(Elapsed()));
}

void CTrackingDialog::LabelToggle()
{
    const wchar_t* key = m_stopped ? L"START_TIME" : L"STOP_TIME";
    EString text = Resource::Translate(key);
    SetDlgItemText(IDC_TRACKING_TOGGLE, text.empty() ? key : text.c_str());
}

void CTrackingDialog::ApplyStayOnTop()
{
    ::SetWindowPos(m_hWnd, stayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT CTrackingDialog::OnTimer(UINT, WPARAM timer, LPARAM, bool& handled)
{
    if (timer != kClockTimer) {
        handled = false;
        return 0;
    }
    ShowTotal();
    return 0;
}

LRESULT CTrackingDialog::OnToggle(WORD, WORD, HWND, bool&)
{
    DoDataExchange(true);
    if (m_sink) {
        if (m_stopped) {
            m_sink->ResumeTracking();
        } else {
            m_sink->StopTracking();
            StopClock();
        }
    }
    LabelToggle();
    return 0;
}

LRESULT CTrackingDialog::OnStayOnTop(WORD, WORD, HWND, bool&)
{
    DoDataExchange(true);
    ApplyStayOnTop();
    return 0;
}

// The owner hears of the stop only when a run was going: after the toggle it
// has already ended the tracked entry.
void CTrackingDialog::EndTracking()
{
    const bool wasRunning = !m_stopped;
    StopTracking();
    if (m_sink && wasRunning)
        m_sink->StopTracking();
    ResetClock();
    LabelToggle();
}

LRESULT CTrackingDialog::OnClose(WORD, WORD, HWND, bool& handled)
{
    EndTracking();
    handled = false; // the base's OK or Cancel hides the window
    return 0;
}

LRESULT CTrackingDialog::OnCloseMessage(UINT, WPARAM, LPARAM, bool& handled)
{
    EndTracking();
    handled = false; // the default handling ends in Cancel, which hides
    return 0;
}
