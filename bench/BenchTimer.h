#pragma once
// Milliseconds from the performance counter, and the median of a run of
// figures (the benchmarks report medians: single runs vary widely on a busy
// machine).

#include <windows.h>

#include <algorithm>
#include <vector>

class CBenchTimer {
public:
    CBenchTimer() { QueryPerformanceFrequency(&m_frequency); Restart(); }
    void Restart() { QueryPerformanceCounter(&m_start); }
    double Milliseconds() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(m_frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_frequency;
    LARGE_INTEGER m_start;
};

inline double Median(std::vector<double> figures)
{
    if (figures.empty())
        return 0.0;
    std::sort(figures.begin(), figures.end());
    const size_t middle = figures.size() / 2;
    return figures.size() % 2 ? figures[middle] : (figures[middle - 1] + figures[middle]) / 2;
}
