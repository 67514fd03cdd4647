#pragma once
// The pie chart of the active scene: the children of the group that the
// chart document's PieChart element names are the slices. Each slice's start
// angle (channel 1003) and sweep (channel 1004) are keyframed on one
// transition, the slices opening one after another in the settings' order.

#include <string>
#include <vector>

class CHostApplication;

struct PieSlice {
    std::wstring name;
    double value;  // percent
};

// At most this many slices are listed; further children are only reset.
constexpr size_t kMaxPieSlices = 40;

// "Leader First": largest first; "Leader Last": smallest first; any other
// text keeps the order. Equal values keep their order.
void OrderPieSlices(std::vector<PieSlice>& slices, const std::wstring& ordering);

// Where a slice of `value` percent that starts at `frame` ends, over `span` frames.
double PieSliceEnd(double frame, double value, double span);
// The keyframe's frame number: the nearest integer when the frame lies
// within rounding error of it, else the frame truncated toward zero.
long PieFrameNumber(double frame);

void UpdatePieCharts(CHostApplication& application);
