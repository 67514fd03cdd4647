#pragma once
// The control's commands on the active scene's selected chart: label nodes
// for an axis, template import, and label positions baked into keyframes.
// Host errors propagate (CHostException).

#include <windows.h>

class CHostApplication;

enum class LabelAxis { Dates, Values };

// Replaces the chart's labels of the axis with copies of a 3D text node the
// user picks, numbered from 1, and registers them with the line-chart library.
void AddAxisLabels(CHostApplication& application, LabelAxis axis, HWND parent);

// Opens the template import for the chart; on OK the chart is selected again.
void MakeGroup(CHostApplication& application, HWND parent);

// Steps the canvas through every frame with label placement on, so that the
// line-chart library places the labels (through LocateLabel) at each frame.
void MakeLabelKeyframes(CHostApplication& application);
