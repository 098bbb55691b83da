// BenchmarkTimer: the median time of repeated runs of one piece of work.
#pragma once

#include <functional>

// Milliseconds: the median of the runs; prepare runs before each run, untimed.
double MedianMilliseconds(int runs, const std::function<void()>& work,
                          const std::function<void()>& prepare = nullptr);
