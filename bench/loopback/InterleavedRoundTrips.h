#pragma once
// A measured path and its floor timed in alternating rounds (ABAB), so that
// a machine whose speed drifts moves both alike; the median of the per-pair
// ratios is printed beside both medians.

#include <functional>
#include <vector>

#include "bench/loopback/RoundTripFigures.h"

struct InterleavedFigures {
    RoundTripFigures subject;
    RoundTripFigures floor;
    double medianPairRatio = 0;   // subject time / floor time, per pair
};

// A few unmeasured pairs, then `pairs` measured ones.
InterleavedFigures MeasureInterleaved(int pairs, const std::function<bool()>& subject,
                                      const std::function<bool()>& floor);

void PrintInterleaved(const char* subjectLabel, const char* floorLabel, const InterleavedFigures& figures);

// The median of `values` (reordered); 0 for none.
double Median(std::vector<double>& values);
// The value below which `fraction` of `values` lie (reordered); 0 for none.
double Percentile(std::vector<double>& values, double fraction);
