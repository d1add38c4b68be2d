#pragma once
// Timing helpers of the benchmarks: the wall time of a run and the median
// of repeated runs.
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

// The wall time of Run in milliseconds.
inline double Milliseconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The middle value (the upper one of an even count); Values must not be empty.
inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
