#include "foundation/StepTimer.h"

#include "foundation/Log.h"

namespace {

// The written steps open on this thread.
thread_local int t_openSteps = 0;

double ElapsedMs(LARGE_INTEGER from)
{
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double FileTimeMs(const FILETIME& time)
{
    return static_cast<double>(ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart) / 10000.0;
}

} // namespace

StepTimer::StepTimer(const wchar_t* step, Logging logging) : StepTimer(std::function<EString()>(), logging)
{
    m_step = step;
}

StepTimer::StepTimer(std::function<EString()> describe, Logging logging)
    : m_describe(std::move(describe)), m_always(logging == kAlways), m_nested(t_openSteps > 0),
      m_depth(t_openSteps)
{
    if (m_always || m_nested)
        ++t_openSteps;
    ::QueryPerformanceCounter(&m_start);
}

StepTimer::~StepTimer()
{
    const double elapsed = ElapsedMs(m_start);
    if (m_always || m_nested)
        --t_openSteps;
    const double least = m_always ? 0 : m_nested ? kNestedMs : kSlowMs;
    if (elapsed < least)
        return;
    const EString step = m_describe ? m_describe() : EString(m_step);
    LogMessage(L"TIMING %*s%s %.0f ms\n", 2 * m_depth, L"", step.c_str(), elapsed);
}

void StepTimer::LogSinceProcessStart(const wchar_t* step)
{
    FILETIME created, exited, kernel, user, now;
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user))
        return;
    ::GetSystemTimeAsFileTime(&now);
    LogMessage(L"TIMING %s %.0f ms since the process started\n", step, FileTimeMs(now) - FileTimeMs(created));
}
