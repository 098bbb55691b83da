#include "benchmark/PlannerProcess.h"

#include <commctrl.h>
#include <shellapi.h>

#include "benchmark/PlannerControls.h"
#include "foundation/FileSystem.h"
#include "resources/AppCommandIds.h"

namespace {

// How long the window must answer with its window thread's CPU standing still to count as idle.
constexpr double kQuietMs = 300;
// The idle window's own clock and the probes themselves cost a little CPU.
constexpr double kQuietCpuMs = 20;
constexpr DWORD kProbeGapMs = 20;
constexpr DWORD kEndPatienceMs = 60000;
constexpr wchar_t kTaskListClass[] = L"PelquornView";

double FileTimeMs(const FILETIME& time)
{
    return static_cast<double>(ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart) / 10000.0;
}

// Kernel and user time of the planner's window thread: the thread that does
// the work a user waits for.
double CpuMs(HANDLE thread)
{
    FILETIME created, ended, kernel, user;
    if (!::GetThreadTimes(thread, &created, &ended, &kernel, &user))
        return 0;
    return FileTimeMs(kernel) + FileTimeMs(user);
}

// Planners end with the benchmark, however it ends.
HANDLE PlannersJob()
{
    static const HANDLE job = [] {
        const HANDLE created = ::CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (created)
            ::SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
        return created;
    }();
    return job;
}

} // namespace

double Now()
{
    LARGE_INTEGER frequency, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

EString Over(DWORD patienceMs)
{
    return patienceMs % 60000 == 0 ? EString::Formatted(L"over %u min", static_cast<unsigned>(patienceMs / 60000))
                                   : EString::Formatted(L"over %u s", static_cast<unsigned>(patienceMs / 1000));
}

bool PlannerProcess::Start(const EString& program, const EString& plan)
{
    End();
    if (::FindWindowW(m_windowClass, nullptr))
        return false;
    EString commandLine = L"\"" + program + L"\"";
    if (!plan.IsEmpty())
        commandLine += L" \"" + plan + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    m_started = Now();
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    m_handles = ProcessHandles(info);
    m_processId = info.dwProcessId;
    m_threadId = info.dwThreadId;
    if (const HANDLE job = PlannersJob())
        ::AssignProcessToJobObject(job, Process());
    return true;
}

void PlannerProcess::End()
{
    if (!m_handles.process)
        return;
    // The icon a close would have taken away: the notification area left
    // with the icon of an ended process keeps the next process's start
    // waiting for about 2 s under Wine.
    if (const HWND window = Window()) {
        NOTIFYICONDATAW icon = {};
        icon.cbSize = sizeof(icon);
        icon.hWnd = window;
        icon.uID = IDR_TRAY_MENU;
        ::Shell_NotifyIconW(NIM_DELETE, &icon);
    }
    ::TerminateProcess(Process(), 1);
    ::WaitForSingleObject(Process(), kEndPatienceMs);
    m_handles = ProcessHandles();
    m_processId = m_threadId = 0;
}

bool PlannerProcess::IsRunning() const
{
    return m_handles.process && ::WaitForSingleObject(Process(), 0) == WAIT_TIMEOUT;
}

HWND PlannerProcess::Window() const
{
    const HWND window = ::FindWindowW(m_windowClass, nullptr);
    DWORD processId = 0;
    if (!window || !::GetWindowThreadProcessId(window, &processId) || processId != m_processId)
        return nullptr;
    return window;
}

Idle PlannerProcess::WaitIdle(double start, double patienceMs, const std::function<bool(HWND, double)>& ready)
{
    Idle idle;
    // Negative while the window is busy or its CPU moves.
    double quietSince = -1;
    double quietCpu = 0;
    for (double now = Now() - start; now < patienceMs; now = Now() - start) {
        if (!IsRunning()) {
            idle.ended = true;
            return idle;
        }
        const double cpu = CpuMs(m_handles.thread.Get());
        if (Answers(ready, now)) {
            if (quietSince < 0 || cpu - quietCpu > kQuietCpuMs) {
                quietSince = now;
                quietCpu = cpu;
            } else if (now - quietSince >= kQuietMs) {
                idle.at = quietSince;
                idle.cpu = quietCpu;
                return idle;
            }
        } else {
            quietSince = -1;
        }
        ::Sleep(kProbeGapMs);
    }
    return idle;
}

bool PlannerProcess::Answers(const std::function<bool(HWND, double)>& ready, double now)
{
    const HWND window = Window();
    DWORD_PTR ignored = 0;
    return window && ::IsWindowVisible(window) && (!ready || ready(window, now)) &&
           SendWithin(window, WM_NULL, 0, 0, kAnswerMs, ignored);
}

Idle PlannerProcess::WaitStartedUp(const EString& plan, double patienceMs, double& titled)
{
    titled = -1;
    const EString fileName = FileSystem::GetFileTitle(plan);
    // The title of another process's window is read without asking it: this works while it is busy.
    return WaitIdle(m_started, patienceMs, [&](HWND window, double now) {
        if (titled < 0) {
            wchar_t title[MAX_PATH] = {};
            ::GetWindowTextW(window, title, MAX_PATH);
            if (wcsstr(title, fileName.c_str()))
                titled = now;
        }
        DWORD_PTR rows = 0;
        const HWND list = FindChildOfClass(window, kTaskListClass);
        return titled >= 0 && list && SendWithin(list, LVM_GETITEMCOUNT, 0, 0, kAnswerMs, rows) && rows > 0;
    });
}
