// FigureLines: how the planner's benchmarks print a figure: its name, its value and its ratio to the bare parse.
#pragma once

#include <cstdio>

#include "foundation/EString.h"

inline void PrintFigure(const EString& name, double ms, double reference)
{
    std::printf("  %-100ls %10.1f ms  %7.1fx\n", name.c_str(), ms, ms / reference);
    std::fflush(stdout);
}

inline void PrintMegabytes(const EString& name, double bytes, double reference)
{
    std::printf("  %-100ls %10.1f MB  %7.1fx\n", name.c_str(), bytes / 1048576.0, bytes / reference);
    std::fflush(stdout);
}

inline void PrintMissing(const EString& name, const EString& why)
{
    std::printf("  %-100ls %ls\n", name.c_str(), why.c_str());
    std::fflush(stdout);
}

inline void PrintNote(const EString& note)
{
    std::printf("  (%ls)\n", note.c_str());
    std::fflush(stdout);
}

// 3,000 rather than 3000.
inline EString Thousands(int count)
{
    EString text = EString::Formatted(L"%d", count);
    for (int at = static_cast<int>(text.size()) - 3; at > 0; at -= 3)
        text.insert(static_cast<size_t>(at), L",");
    return text;
}

// A figure's aim is reported, not asserted: a busy machine misses aims that
// say nothing about the code, and the run's other figures still matter.
inline void PrintAim(const char* figure, double ms, double aimMs)
{
    std::printf("  aim for %s under %.1f ms: %s\n", figure, aimMs, ms < aimMs ? "met" : "missed");
    std::fflush(stdout);
}
