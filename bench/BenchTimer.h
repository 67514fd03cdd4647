#pragma once
// Milliseconds from the performance counter, and the median and percentiles
// of a run of figures (the benchmarks report medians: single runs vary widely on a busy
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

// The figure below which `fraction` of the figures lie; 0 for none.
inline double Percentile(std::vector<double> figures, double fraction)
{
    if (figures.empty())
        return 0.0;
    const size_t at = std::min(figures.size() - 1, static_cast<size_t>(static_cast<double>(figures.size()) * fraction));
    std::nth_element(figures.begin(), figures.begin() + static_cast<std::ptrdiff_t>(at), figures.end());
    return figures[at];
}
