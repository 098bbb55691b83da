// CTrackingDialog: the modeless time-tracking window: a running clock of the time spent on a task, stop and resume.
#pragma once

#include "dialogs/TimerFrame.h"
#include "dialogs/TrackingAction.h"
#include "dialogs/TrackingDialogIds.h"
#include "dialogs/ZemDialogImpl.h"

// The clock face's text of a time span in days: hours (of the day), minutes, seconds.
EString FormatElapsed(double span);

class CTrackingDialog : public CZemDialogImpl<CTrackingDialog> {
public:
    enum { IDD = IDD_TRACKING };
    static constexpr UINT_PTR kClockTimer = 2;
    static constexpr UINT kClockTickMs = 500;

    CTrackingDialog();
    ~CTrackingDialog();
    EString GetDialogName() override { return L"TrackingDialog"; }

    // Not owned.
    void SetActionSink(ITrackingAction* sink) { m_sink = sink; }

    // Shows the running window; keep adds the new run to the time tracked so
    // far, otherwise the clock starts from zero.
    void ShowTracking(bool keep);
    // Reads the task name back, hides the window and stops the clock.
    void StopTracking();

    bool IsRunning() const { return !m_stopped; }
    // The time tracked, in days: finished runs and the current one.
    double Elapsed() const;
    const CTimerFrame& Face() const { return m_face; }

    BEGIN_MESSAGE_MAP(CTrackingDialog)
        ON_MESSAGE(WM_TIMER, OnTimer)
        ON_COMMAND_CODE(IDC_TRACKING_TOGGLE, BN_CLICKED, OnToggle)
        ON_COMMAND_CODE(IDC_TRACKING_STAY_ON_TOP, BN_CLICKED, OnStayOnTop)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnClose)
        // Escape closes the window as its Close button does: no clock runs unseen.
        ON_COMMAND_CODE(IDCANCEL, BN_CLICKED, OnClose)
        ON_MESSAGE(WM_CLOSE, OnCloseMessage)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CTrackingDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CTrackingDialog)
        DDX_TEXT(IDC_TRACKING_TASK_NAME, taskName)
        DDX_CHECK(IDC_TRACKING_STAY_ON_TOP, stayOnTop)
    END_DDX_MAP()

    BEGIN_RESIZE_MAP(CTrackingDialog)
        RESIZE_CONTROL(IDC_TRACKING_TASK_NAME, ResizeSizeX)
        RESIZE_CONTROL(IDC_TRACKING_FACE, ResizeSizeX | ResizeSizeY)
        RESIZE_CONTROL(IDC_TRACKING_TOGGLE, ResizeMoveX)
        RESIZE_CONTROL(IDC_TRACKING_STAY_ON_TOP, ResizeMoveY)
        RESIZE_CONTROL(IDOK, ResizeMoveX | ResizeMoveY)
    END_RESIZE_MAP()

    void OnInitDialog();

    EString taskName;
    int stayOnTop = 1;
    int taskId = 0;

private:
    LRESULT OnTimer(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnToggle(WORD, WORD, HWND, bool&);
    LRESULT OnStayOnTop(WORD, WORD, HWND, bool&);
    LRESULT OnClose(WORD, WORD, HWND, bool&);
    LRESULT OnCloseMessage(UINT, WPARAM, LPARAM, bool&);

    void StartClock();
    void StopClock();
    void ResetClock();
    void ShowTotal();
    void LabelToggle();
    void ApplyStayOnTop();
    // Close and the close box: the run ends and the next one starts from zero.
    void EndTracking();

    CTimerFrame m_face;
    ITrackingAction* m_sink = nullptr;
    double m_runStart = 0;
    double m_accumulated = 0;
    bool m_stopped = true;
};
