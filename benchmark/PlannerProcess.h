// PlannerProcess: Quorvane.exe started on a plan and watched from outside, as a user waits for it.
#pragma once

#include <windows.h>

#include <functional>

#include "app/MainWindowClass.h"
#include "foundation/EString.h"
#include "foundation/UniqueHandle.h"

// Milliseconds on the performance counter.
double Now();

// A window that takes longer than this over a WM_NULL does not answer.
constexpr UINT kAnswerMs = 100;
// Reading a control of an idle window: generous, as a loaded machine is slow to switch to the planner.
constexpr UINT kReadMs = 10000;
// The 10,000-task start-up and some commands have taken minutes: past this
// they are reported as over it, not waited for, and the planner is ended.
// Far past the aims (2x the bare parse, 300 ms, 1 s), short enough that the
// whole run stays within minutes when a figure stalls.
constexpr DWORD kStartPatienceMs = 3 * 60 * 1000;
constexpr DWORD kCommandPatienceMs = 60 * 1000;

// "over 10 min": how a figure past its patience prints.
EString Over(DWORD patienceMs);

// When the planner went idle: its window answered, and its window thread then
// used no CPU for a while as the window kept answering. `at` is the moment the
// quiet began, from the caller's start; negative when the patience ran out or
// the planner ended first.
struct Idle {
    double at = -1;
    double cpu = -1;
    bool ended = false;
};

class PlannerProcess {
public:
    // The planner; or another program, whose main window has the class given.
    explicit PlannerProcess(const wchar_t* windowClass = kMainWindowClassName) : m_windowClass(windowClass) {}
    ~PlannerProcess() { End(); }
    PlannerProcess(const PlannerProcess&) = delete;
    PlannerProcess& operator=(const PlannerProcess&) = delete;

    // Started on the plan (none when empty), the clock taken just before; false when it did not
    // start, or another planner runs (the new one would hand the plan over to it).
    bool Start(const EString& program, const EString& plan);
    // Ended, not closed: a plan the views marked modified would ask to be
    // saved, and the next start is to find the layout this one found.
    void End();
    bool IsRunning() const;
    double StartedAt() const { return m_started; }
    HANDLE Process() const { return m_handles.process.Get(); }
    DWORD ThreadId() const { return m_threadId; }
    // Its main window; null before it exists.
    HWND Window() const;

    // Until idle, measured from `start`; `ready` (the window and the time
    // since `start`) tells whether the window has come as far as the caller
    // waits for.
    Idle WaitIdle(double start, double patienceMs, const std::function<bool(HWND window, double now)>& ready = nullptr);
    // The start-up until idle with the plan's name in the title and rows in
    // the task list; `titled` gets when the title first named the plan.
    Idle WaitStartedUp(const EString& plan, double patienceMs, double& titled);

private:
    bool Answers(const std::function<bool(HWND, double)>& ready, double now);

    const wchar_t* m_windowClass;
    ProcessHandles m_handles;
    DWORD m_processId = 0;
    DWORD m_threadId = 0;
    double m_started = 0;
};
