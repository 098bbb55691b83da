// StepTimer: how long a step of the program took, written to the log as "TIMING <step> <ms> ms" when it ends.
#pragma once

#include <windows.h>

#include <functional>

#include "foundation/EString.h"

// Steps nest: a step is written indented by the steps still open around it,
// and before them, as it ends first. A step that runs on user actions is
// made kWhenSlow: it is written alone when it took kSlowMs or more, inside a
// written step when it took kNestedMs or more, so the log stays quiet until
// something is slow.
class StepTimer {
public:
    enum Logging { kAlways, kWhenSlow };
    static constexpr double kSlowMs = 100;
    static constexpr double kNestedMs = 1;

    explicit StepTimer(const wchar_t* step, Logging logging = kAlways);
    // The name is made only when the step is written.
    StepTimer(std::function<EString()> describe, Logging logging);
    StepTimer(const StepTimer&) = delete;
    StepTimer& operator=(const StepTimer&) = delete;
    ~StepTimer();

    // "TIMING <step> <ms> ms since the process started".
    static void LogSinceProcessStart(const wchar_t* step);

private:
    const wchar_t* m_step = nullptr;
    std::function<EString()> m_describe;
    bool m_always;
    // Inside a step that is written.
    bool m_nested;
    int m_depth;
    LARGE_INTEGER m_start;
};
