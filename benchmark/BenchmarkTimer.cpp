#include "benchmark/BenchmarkTimer.h"

#include <algorithm>
#include <chrono>
#include <vector>

double MedianMilliseconds(int runs, const std::function<void()>& work, const std::function<void()>& prepare)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        if (prepare)
            prepare();
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times.empty() ? 0 : times[times.size() / 2];
}
